// The revaluation listing as the preview keeps it: amounts through their pictures, the totals,
// and the column headings again on every page of a long listing.
#include <algorithm>

#include "gui/framework/framework_test_util.h"
#include "gui/ledger/currencies/revaluation_report.h"
#include "gui/print/print_gui_fakes.h"
#include "gui/print/print_job.h"
#include "services/print/print_ops.h"

namespace qz::gui {
namespace {

using services::PrinterFunction;

// The texts drawn on each page.
std::vector<std::vector<std::string>> pages(const domain::RevaluationListing& listing) {
    test::PrintContextScope scope;
    test::Printed device;
    scope.record_into(device);
    PrinterFunction job;
    job.T_Print = "META";
    job.ORIENTACION(2);
    EXPECT_TRUE(START_DOC(nullptr, job, "DIFE_CAM", false));
    draw_revaluation(job, listing, "US");
    services::RESETPRINT(job);
    std::vector<std::vector<std::string>> out;
    for (const auto& page : job.A_META_FILE) {
        out.emplace_back();
        for (const auto& op : page.ops)
            if (op.kind == services::DrawOp::Kind::Text) out.back().push_back(op.text);
    }
    return out;
}

bool has(const std::vector<std::string>& texts, const std::string& t) {
    return std::find(texts.begin(), texts.end(), t) != texts.end();
}

TEST(RevaluationPrint, AmountsTotalsAndHeadingsOnEveryPage) {
    domain::RevaluationListing l;
    for (int i = 0; i < 120; ++i) {
        domain::RevaluationLine line{"F" + std::to_string(i), "FC", "C1", "Ana Mora",
                                     Date(2026, 5, 1), Decimal(1000)};
        line.last_rate = Decimal::parse("500.5");
        line.adjusted = Decimal(500500);
        line.valued = Decimal(510000);
        line.pending = Decimal(9500);
        l.lines.push_back(line);
    }
    l.pending = Decimal(1140000);
    const auto printed = pages(l);
    ASSERT_GT(printed.size(), 1u);
    for (const auto& p : printed) EXPECT_TRUE(has(p, "Saldo Ajustado"));
    EXPECT_TRUE(has(printed[0], "1,000.00"));
    EXPECT_TRUE(has(printed[0], "500.50000"));
    EXPECT_TRUE(has(printed[0], "9,500.00"));
    EXPECT_TRUE(has(printed.back(), "Totales"));
    EXPECT_TRUE(has(printed.back(), "1,140,000.00"));
}

}  // namespace
}  // namespace qz::gui
