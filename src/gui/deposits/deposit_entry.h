#pragma once
// "Registro de Depósitos" (DEP_HOT): a guarantee deposit typed with its accounting counterpart
// (DEP_HOT2) and the reservation room lines it goes to (DEP_HOT3), saved by PROCESAR. The
// screen is a thin view over domain::DepositForm.
#include <string>

#include "domain/deposits/deposit_checks.h"
#include "domain/deposits/deposit_form.h"
#include "gui/framework/wdiag.h"

class QComboBox;
class QLineEdit;

namespace qz::gui {

struct AppContext;
class LR_MASKED;

inline constexpr int kCmdDepositEntry = 6705;

// The question before closing a screen that holds a deposit not yet saved.
inline constexpr const char* kLeaveUnsavedDeposit = "Desea salir sin registrar el Depósito?";
inline constexpr const char* kDepositSaved = "Depósito registrado: ";

// Control ids (their objectName).
namespace deposit_entry {
enum : int {
    kConcept = 501,
    kConceptList,
    kCurrency,
    kCurrencyList,
    kMadeBy,
    kAmount,
    kReservationRate,
    kAccountingRate,
    kDate,
    kNumber,
    kName,
    kSurname,
    kArrival,
    kDeparture,
    kComment,
    kDetail = 520,      // VER_DETALLE
    kReservations,      // RESERVAS
    kClear,             // CLEAR_DATOS
    kViewReservations,  // VER_RESERVAS
};
// The control a refused save puts the cursor on.
int focus_id(domain::DepositField f);
}  // namespace deposit_entry

class DepositEntryScreen : public WDIAG {
public:
    DepositEntryScreen(QWidget* owner, AppContext& ctx);

    bool Init() override;
    // Enter on OK saves; in a field it moves on.
    void SAVE_DATOS() override { PROCESAR(); }

    domain::DepositForm& form() { return m_form; }
    // The fields read into the draft, as the dialogs and the save see it.
    void read_fields();
    // VER_DETALLE, RESERVAS, CLEAR_DATOS, VER_RESERVAS and PROC_BOK.
    void VER_DETALLE();
    void RESERVAS();
    void CLEAR_DATOS();
    void VER_RESERVAS();
    void PROCESAR();

private:
    void build();
    QWidget* build_choices();
    QWidget* build_amounts();
    QWidget* build_payer();
    QWidget* build_buttons();
    void show_fields();
    void currency_or_date_changed();
    void leave();

    AppContext& m_ctx;
    domain::DepositForm m_form;
    domain::DepositFormLists m_lists;
    QLineEdit *m_concept = nullptr, *m_currency = nullptr, *m_number = nullptr, *m_name = nullptr,
              *m_surname = nullptr, *m_comment = nullptr;
    QComboBox *m_concepts = nullptr, *m_currencies = nullptr, *m_people = nullptr;
    LR_MASKED *m_amount = nullptr, *m_res_rate = nullptr, *m_con_rate = nullptr, *m_date = nullptr,
              *m_arrival = nullptr, *m_departure = nullptr;
};

DepositEntryScreen* open_deposit_entry(QWidget* owner, AppContext& ctx);

}  // namespace qz::gui
