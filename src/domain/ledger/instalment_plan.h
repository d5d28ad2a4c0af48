#pragma once
// "Modificación de Plazos" (ED2_DOC): a document's instalment plan as its editor holds it. The
// screen shows the rows and hands every edit here; the rules answer with a refusal or "".
//
// A document that manages interest (its concept splits it into instalments, or a row carries
// interest) keeps each row's interest as the plan set it: the user types the instalment's total
// ("MONTO TOTAL") and its principal follows; the principal and interest columns are not typed.
// After a total changes, the rows below may be recomputed: what the rows down to the changed
// one leave of the document's amount is spread evenly over the principal of the rows below,
// the last one taking the rounding.
//
// Saving rewrites the stored rows in one transaction. The rows read when the editor opened are
// its history: when any of them is no longer stored as it was read (another workstation changed
// the plan meanwhile), nothing is written.
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/ledger/instalments.h"

namespace qz::domain {

class PlanEditor {
public:
    explicit PlanEditor(InstalmentDocument doc);

    const InstalmentDocument& document() const { return m_doc; }
    const std::vector<PlanInstalment>& rows() const { return m_rows; }
    bool manages_interest() const;
    Decimal principal_total() const;

    // Each edit returns "" when done, else the refusal (and nothing changed).
    std::string set_due(size_t row, const Date& due);
    std::string set_total(size_t row, const Decimal& total);
    std::string set_principal(size_t row, const Decimal& principal);
    std::string set_interest(size_t row, const Decimal& interest);
    // Whether changing `row` may offer to recompute the rows below it.
    bool has_rows_below(size_t row) const { return row + 1 < m_rows.size(); }
    std::string spread_below(size_t row);
    // A new row due a month after the last one, for nothing.
    void add_row();
    void remove_row(size_t row);

    // The first refusal of the rows as they stand; "" when they may be saved.
    std::string check() const;
    // Checks and writes; every refusal is told through `port` and writes nothing.
    bool save(data::Db& db, UserPort& port, const std::string& business);

private:
    InstalmentDocument m_doc;  // its plan is the history
    std::vector<PlanInstalment> m_rows;
};

inline constexpr const char* kPlanAmountsDiffer = "Los montos no concuerdan ";
inline constexpr const char* kInterestOverInstalment =
    "Los intereses mensuales superan el monto de la cuota.";
inline constexpr const char* kRecomputeBelow =
    "Desea actualizar el Plan de Pagos desde esta posición hacia abajo?";
inline constexpr const char* kDirectEdit =
    "Este documento maneja Intereses y Abonos al Principal.\rNo se puede editar directamente "
    "estos montos.\rDebe usar el campo MONTO TOTAL.";

}  // namespace qz::domain
