#pragma once
// The process dialog of the regular-invoice generation: application date, the advance of the
// cut-offs (defaults from F_FAC), emissions (a customer run only), description, template, the
// print and validate-cut-off boxes, and the count and total of the documents that will be
// generated, the total recomputed as the emissions are typed.
#include <QWidget>
#include <optional>

#include "data/db.h"
#include "domain/regular/regular_generation.h"

namespace qz::gui {

enum GenerationDialogControl {
    kProDate = 101,
    kProYears,
    kProMonths,
    kProDays,
    kProEmissions,
    kProDescription,
    kProTemplate,
    kProPrint,
    kProValidate,
    kProCount,
    kProTotal,
};

struct GenerationChoice {
    domain::regular::RunRequest request;
    bool print = false;
};

// Shows the dialog over `owner` for `base` (mode, set, marks, customer already chosen); the
// request as typed on OK, nothing on Cancel.
std::optional<GenerationChoice> run_generation_dialog(QWidget* owner, data::Db& db,
                                                      const std::string& business,
                                                      const domain::regular::RunRequest& base);

// "999,999,999" and "99,999,999,999.99": how the dialog shows the count and the total.
std::string count_text(long count);
std::string total_text(const Decimal& total);

}  // namespace qz::gui
