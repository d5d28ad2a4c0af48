#pragma once
// Saving a point-of-sale sale (PROC_BOK): the checks of the typed sale, then, in one database
// transaction, its documents (one per MAX_LINEAS lines), their lines, instalments and extra
// header, the counter receipt with its tenders and room charges, the inventory issue and stock,
// the order or proforma it comes from or becomes, and the journal voucher. What the save must
// ask of the cashier (the credit control, the tenders, the attention data) goes back to the
// screen through SaleSaveHooks, and what must be printed comes back in SavedSale.
//
// One SaleSave belongs to one sale screen. Its re-entry guard is held from the first check to
// the end, across the tenders dialog the save may open, so a double click, a repeated Enter or a
// message arriving meanwhile never starts a second save of the same sale.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/customers/credit_figures.h"
#include "domain/customers/customer_rows.h"
#include "domain/pos/card_terminal.h"
#include "domain/pos/sale_draft.h"
#include "domain/pos/tenders.h"

namespace qz::domain::pos {

// What the screen holds besides the draft and that the save writes with the documents.
struct SaleExtras {
    std::string number;                       // the typed document number (concept LEE_SERIAL 1)
    std::string order_ref, purchase;          // PEDIDO, COMPRA
    std::array<std::string, 3> descriptions;  // DESCRIP: the screen's three free texts
    std::string clas1, clas2, clas3;          // CLAS1..CLAS3
    std::string counter_account;              // CONTRA of an amount-only concept (LEE_CONTRA)
    Decimal typed_amount;                     // the amount of an amount-only document
    std::string payment_conditions;           // ENC_DOC2 CPAGO
    std::string transport, plate, driver, driver_id;  // ENC_DOC2 TRANSPORTE, PLACA, CHOFER, CEDULA
    std::string referred;                             // REFERIDO
    std::string cost_centre;                          // C_COSTO
    std::optional<CardAccount> card;                  // V_DATOS3 on card-account registers
};

// Who saves, where and when.
struct SaleSaveContext {
    std::string business;
    std::string register_code;  // CAJA; blank: no register taken
    std::string operator_code;  // DIGITADOR
    std::string user, info_user;
    Date date;
    std::string time;                      // "HH:MM:SS"; blank: now
    const IniFile* workstation = nullptr;  // per-workstation series (SERI_LOCAL 1)
    bool restaurant = false;               // opened from the restaurant sales point
    // Called inside the save's transaction once the documents are written, so what the sale
    // came from (a spa reservation, a work order) is linked to its invoice or not at all; a
    // throw rolls the whole sale back.
    std::function<void(data::Db&, const std::vector<std::string>& documents)> on_written;
};

// The questions the save hands back to the screen; each opens a dialog there.
class SaleSaveHooks {
public:
    virtual ~SaleSaveHooks() = default;
    // The credit-control dialog (LIM_CREDITO) for the sale's branch; true when authorised.
    virtual bool credit_control(const customers::Branch& branch,
                                const customers::CreditFigures& figures, bool no_keys) = 0;
    // The tenders dialog with `caption`, over the sale's tender rows and amount paid; true when
    // the cashier accepted it (and the change dialog, when it opened): the save then goes on.
    virtual bool take_tenders(const std::string& caption) = 0;
    // The customer's name must be typed: the attention-data dialog opens.
    virtual void attention_data() = 0;
    // Card-account registers: the capture dialog opens (the save stops).
    virtual void card_capture() = 0;
    // A refused credit puts the cashier back on the lines.
    virtual void focus_lines() = 0;
};

// One line of a saved document whose article prints tickets (IMP_T 1).
struct SavedTicketLine {
    std::string document, article, description;
    Decimal quantity;
};

// What a save wrote, for the screen to print and show.
struct SavedSale {
    std::vector<std::string> documents;  // in the order written
    std::vector<std::string> receipts;   // the counter receipts, one per paid document
    std::string inventory_movement;      // ENC_INV number; blank when no issue was written
    int print_type = 0;                  // XPRINT_DOC type: 0 invoice, 1 order, 2 proforma
    std::vector<SavedTicketLine> tickets;
    Date date;
    std::string time;
    // The screen closes after the save (a work order's or a spa reservation's invoice).
    bool close_screen = false;
};

struct SaleRun;

class SaleSave {
public:
    SaleSave(data::Db& db, UserPort& port, SaleSaveHooks& hooks, CardTerminal& terminal);

    // OK on the sale screen: CHECK_DATOS, CHECK_CONS, PROCESA_FAC. The written sale, or nothing
    // after telling the cashier why (the sale stays as typed). `tenders` are the sale's rows,
    // which the tenders dialog may change through the hooks.
    std::optional<SavedSale> PROC_BOK(SaleDraft& draft, std::vector<TenderRow>& tenders,
                                      const SaleExtras& extras, const SaleSaveContext& context);

    // A save is running (the screen disables OK and shows the wait cursor).
    bool busy() const { return m_busy; }

private:
    // After a save that approved cards and was not written: they are voided.
    void void_cards(SaleRun& run);

    data::Db& m_db;
    UserPort& m_port;
    SaleSaveHooks& m_hooks;
    CardTerminal& m_terminal;
    bool m_busy = false;
};

inline constexpr const char* kSaleFailed =
    "No se pudo procesar el Documento.  Por favor vuelva a intentar...";

}  // namespace qz::domain::pos
