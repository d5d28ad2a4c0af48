#pragma once
// The tenders of a point-of-sale sale: the rows the cashier splits the amount paid over (cash,
// card, cheque, a charge to a hotel room or master account...) and the rules of the dialog that
// takes them: how it opens, the quick tenders of the register's buttons, and what accepting
// checks before the sale may be saved.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/ledger/payment_setup.h"
#include "domain/pos/card_terminal.h"

namespace qz::domain::pos {

// One tender row (F_PAGO). A row with an empty code is unused.
struct TenderRow {
    std::string code, name;  // CODIGO, DESCRIP
    Decimal amount;          // MONTO
    std::string room;        // ROOM: room or master account typed or chosen
    std::string account;     // COD_RES: the reservation or master account the room check found
    std::string voucher, authorisation;  // VOUCHER, COD_AUTORI
    std::string signature;               // FIRMA1: file of the guest's signature
    // What the card terminal answered: PE_TARJ, PE_REFNO, PE_AUTID, PE_TRACE_N, PE_TIPO.
    std::string card, reference, card_authorisation, trace;
    int terminal = 0;
    // Where the room check found the guest (not kept with the sale): the reservation's room line,
    // or a master account.
    std::string room_type;
    long room_item = 0;
    bool master = false;

    bool used() const;
    void clear() { *this = TenderRow{}; }
};

// A quick-tender button of the register: DEF_Bn and its label ROTULOn (button 1 has none).
struct QuickTender {
    std::string type, label;
};

struct TenderInputs {
    std::string business;
    Decimal amount_due;  // FACTURADO - DEVUELTO, or the amount of an amount-only document
    Decimal paid;        // ABONO
    bool cash_concept = false;
    std::string default_type;  // T_MOV_DEF of the sale's concept
    std::array<QuickTender, 7> quick;
    bool do_contado = false;             // register DO_CONTADO
    bool register_reads_change = false;  // register LEE_CAMBIO
    bool cash_only_customer = false;     // the customer's SOLO_CONT
    bool from_save = false;              // opened by the sale's save
    std::string currency;                // the sale's
};

enum TenderColumn : int {
    kColCode,
    kColName,
    kColAmount,
    kColRoom,
    kColVoucher,
    kColAuth,
    kColSignature
};

struct CellFocus {
    int row = 0;
    int column = kColCode;
    bool operator==(const CellFocus&) const = default;
};

struct QuickOutcome {
    bool applied = false;
    CellFocus focus;
    bool accept_now = false;  // an approved card tender ends the dialog at once
};

struct AcceptOutcome {
    bool accepted = false;
    // The amount the change dialog opens for, when it applies.
    std::optional<Decimal> change_for;
};

// Money typed and money summed are compared in whole cents of their exact values: texts of a
// picture would call two different amounts equal once both overflow the picture.
inline bool same_cents(const Decimal& a, const Decimal& b) { return a.round(2) == b.round(2); }

inline constexpr int kSpareRows = 20;
inline constexpr const char* kCashNote = "Documento de Contado!";
inline constexpr const char* kUnknownCode = "Este Código no se encuentra.";

class TenderSet {
public:
    TenderSet(TenderInputs in, std::vector<PaymentMethod> types, std::vector<TenderRow> rows);

    // The sale's preparation and the dialog's opening: rows without a code lose their amount; a
    // cash concept fixes the amount paid to the amount due and, when the tenders do not add up
    // to it, the first row takes it all; spare rows are added.
    void open();
    bool paid_locked() const { return m_in.cash_concept; }
    std::string note() const { return m_in.cash_concept ? kCashNote : ""; }
    // The register takes cash at once: quick tender 1 and accept.
    bool accept_at_once() const { return m_in.do_contado && m_in.register_reads_change; }

    const TenderInputs& inputs() const { return m_in; }
    const std::vector<TenderRow>& rows() const { return m_rows; }
    std::vector<TenderRow> used_rows() const;
    const std::vector<PaymentMethod>& types() const { return m_types; }
    const PaymentMethod* type_of(const std::string& code) const;
    const Decimal& paid() const { return m_in.paid; }
    void set_paid(const Decimal& paid);
    Decimal total() const;

    // "F3: " + label for buttons 2 to 7 ("" when the label is empty: the button is off).
    std::string quick_caption(int n) const;
    bool quick_enabled(int n) const;

    // A typed code: its description is copied; an unknown one is refused ("Este Código no se
    // encuentra.") and the row left as it was. A blank code empties the row.
    bool set_code(int row, const std::string& code, UserPort& port);
    void set_amount(int row, const Decimal& amount);
    // Where Enter after the amount goes: the room, the voucher, or the next row.
    CellFocus after_amount(int row) const;
    void set_text(int row, int column, const std::string& text);
    void set_room(int row, const std::string& room);
    void set_signature(int row, const std::string& file);
    void remove_row(int row);

    // Quick tender n (1 to 7) with the cursor on `cursor_row`.
    QuickOutcome DO_FORMA_P(int n, int cursor_row, CardTerminal& terminal, UserPort& port);
    // Accepting: every check in order; the first refusal is shown and keeps the dialog open.
    AcceptOutcome Terminar(data::Db& db, UserPort& port);

private:
    int pick_quick_row(int cursor_row, Decimal& others, bool& at_cursor);
    bool charge_card(int row, const PaymentMethod& type, CardTerminal& terminal, UserPort& port);
    bool check_authorisations(UserPort& port) const;
    bool check_sum(UserPort& port) const;
    bool check_rooms(data::Db& db, UserPort& port);
    CellFocus focus_after(int row, const PaymentMethod& type) const;
    TenderRow& at(int row);

    TenderInputs m_in;
    std::vector<PaymentMethod> m_types;
    std::vector<TenderRow> m_rows;
};

}  // namespace qz::domain::pos
