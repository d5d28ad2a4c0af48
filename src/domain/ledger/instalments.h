#pragma once
// Instalment documents: how an amount paid on a document with an instalment plan (DOC_PARC rows
// of principal MONTO and interest INTERES, by due date) splits into principal and interest, the
// instalments still due with their late interest ("Plazos Parciales"), a payment taken
// instalment by instalment from them, and the next charge of an automatic collection.
//
// Where a document stands on its plan is never stored per row: it is found by walking the plan
// with what was paid, so a payment only changes DOCUMENT (SALDO and INTERES) and the plan keeps
// its rows. The split follows F_FAC TIPO_INT_X:
//  - method 0: covered = principal paid (MONTO - SALDO) + interest paid (DOCUMENT INTERES). The
//    instalments whose principal + interest `covered` still pays (at 2 decimals) are skipped.
//    On the first one not covered, interest is paid before principal: when its interest is at
//    least what is left of `covered`, the interest due is the rest of its interest and its whole
//    principal is due; otherwise no interest is due and the principal due is what is left of
//    the instalment.
//  - method 1: covered = principal paid only; the first instalment whose principal is not
//    covered charges its unpaid principal and its whole interest, even when part of that
//    interest was paid with an earlier partial payment (that is what the method says).
//  - any other value behaves as method 0.
// With both methods the amount pays the first instalment due (its interest first, which the
// amount must cover: otherwise it is refused with the amount needed) and then, whatever is
// left, the following instalments whole, interest before principal, instalment by instalment.
// What is left once every instalment is paid is not split (`unapplied`).
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

// One row of a document's plan.
struct PlanInstalment {
    Date due;           // FECHA
    Decimal principal;  // MONTO
    Decimal interest;   // INTERES
    long source = 0;    // its DOC_PARC record; 0 for a row not stored yet
    Decimal total() const { return principal + interest; }
    bool operator==(const PlanInstalment&) const = default;
};

// What the split of a document needs to know, read by read_instalment_document.
struct InstalmentDocument {
    std::string number, concept_code, currency;
    Date date;                         // FECHA, the issue date
    Decimal amount, balance;           // MONTO, SALDO
    Decimal interest_paid;             // INTERES
    Decimal late_rate;                 // I_MORA: percent per 30 days overdue
    bool instalments = false;          // the concept's CUOTAS
    bool late_interest = false;        // the concept's INTERES: overdue instalments charge I_MORA
    int method = 0;                    // F_FAC TIPO_INT_X
    std::vector<PlanInstalment> plan;  // by due date

    Decimal principal_paid() const { return amount - balance; }
};

// What an amount pays of one instalment (its position in the plan).
struct InstalmentPart {
    size_t index = 0;
    Decimal principal, interest, late;
    Decimal total() const { return principal + interest + late; }
};

struct AmountSplit {
    Decimal principal, interest;
    Decimal unapplied;  // paid beyond the last instalment
    Decimal needed;     // not zero: refused, the amount must be at least this (the interest due)
    std::vector<InstalmentPart> parts;
    bool refused() const { return !needed.is_zero(); }
};
// Splits `amount` (document currency) by the document's method.
AmountSplit split_amount(const InstalmentDocument& doc, const Decimal& amount);
// "El monto por abonar no puede completar los intereses..." with the amount needed.
std::string interest_refusal(const Decimal& needed);

// An instalment still due: the first one reduced to what `covered` (method 0) leaves of it.
struct DueInstalment {
    size_t index = 0;  // position in the plan
    Date due;
    long days_since_issue = 0;  // due date - issue date
    long days_overdue = 0;      // today - due date; not above 0 while not overdue
    Decimal principal, interest;
    Decimal late;  // ROUND((principal + interest) * I_MORA / 30 * days overdue / 100, 2)
    bool overdue() const { return days_overdue > 0; }
    Decimal total() const { return principal + interest + late; }
};
struct DueTotals {
    Decimal balance, overdue_balance;    // principal still due, and that of overdue instalments
    Decimal interest, overdue_interest;  // interest still due, and that of overdue instalments
    Decimal late;                        // late interest of the overdue instalments
    Decimal due() const { return balance + interest + late; }  // what pays every instalment
};
struct DueInstalments {
    std::vector<DueInstalment> rows;
    DueTotals totals;
};
DueInstalments instalments_due(const InstalmentDocument& doc, const Date& today);
Decimal late_interest(const Decimal& owed, const Decimal& rate, long days_overdue);

// The rest of the instalment a payment leaves paid in part: it becomes an instalment of its
// own, due the same day, right after the part paid ("Cuota Extra").
struct ExtraInstalment {
    size_t index = 0;  // the instalment split, by position in the plan
    Decimal principal, interest;
    Decimal total() const { return principal + interest; }
};
struct InstalmentPayment {
    Decimal principal, interest, late;
    std::vector<InstalmentPart> parts;
    std::optional<ExtraInstalment> extra;
    Decimal total() const { return principal + interest + late; }
};
// Pays the instalments due in their order, each one's late interest, interest and principal
// in that order. "" and `out` when done; else the refusal (more than is due).
std::string pay_instalments(const DueInstalments& due, const Decimal& amount,
                            InstalmentPayment& out);

// Splits the instalment of `extra` in DOC_PARC (one transaction): its row keeps the part paid
// and a new row of the same due date holds the rest. Walking the plan gives the same figures
// before and after, so the split is right whether or not the payment is then processed.
// False (told through `port`) when the row changed since `doc` was read.
bool write_extra_instalment(data::Db& db, UserPort& port, const std::string& business,
                            const InstalmentDocument& doc, const ExtraInstalment& extra);

// The payment of "Plazos Parciales": refuses an amount over what is due, asks for the extra
// instalment a partial payment of an instalment needs and writes it. Nothing when refused or
// declined.
std::optional<InstalmentPayment> take_instalment_payment(data::Db& db, UserPort& port,
                                                         const std::string& business,
                                                         const InstalmentDocument& doc,
                                                         const Date& today, const Decimal& amount);

// The next charge of an automatic collection: the first instalment that what was paid
// (principal and interest) does not cover, reduced as in method 0. Nothing when every
// instalment is covered.
struct NextCharge {
    size_t index = 0;
    Decimal principal, interest;
    Decimal total() const { return principal + interest; }
};
std::optional<NextCharge> next_charge(const InstalmentDocument& doc);

// Locks the stored row `row` was read from; false (and not locked) when it is no longer stored
// as it was read.
bool lock_plan_row(data::WDBTable& parc, const std::string& business, const std::string& document,
                   const PlanInstalment& row);
// The plan of a document by due date.
std::vector<PlanInstalment> read_plan(data::Db& db, const std::string& business,
                                      const std::string& document);
// The document with its concept's flags, the business's method and its plan; nothing when the
// document does not exist.
std::optional<InstalmentDocument> read_instalment_document(data::Db& db,
                                                           const std::string& business,
                                                           const std::string& document);

inline constexpr const char* kInterestRefusal =
    "El monto por abonar no puede completar los intereses\rUtilice la ventana de F4 para "
    "abonar, o varíe el abono\ra: ";
inline constexpr const char* kOverBalance =
    "El Monto del Abono sobrepasa el Saldo del Documento...";
inline constexpr const char* kExtraInstalment = "Debe generar Cuota Extra por ";
inline constexpr const char* kPlanChanged =
    "Error de Consistencia\rVencimiento Histórico no se encuentra";

}  // namespace qz::domain
