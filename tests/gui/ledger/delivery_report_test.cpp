// The listings of delivered and not delivered documents as the preview keeps them: the column
// headings on every page, amounts through their picture and a total per currency.
#include <algorithm>

#include "gui/framework/framework_test_util.h"
#include "gui/ledger/viewer/delivery_report.h"
#include "gui/print/print_gui_fakes.h"
#include "gui/print/print_job.h"
#include "services/print/print_ops.h"

namespace qz::gui {
namespace {

std::vector<std::vector<std::string>> pages(const domain::DeliveryListing& listing) {
    test::PrintContextScope scope;
    test::Printed device;
    scope.record_into(device);
    services::PrinterFunction job;
    job.T_Print = "META";
    job.ORIENTACION(2);
    EXPECT_TRUE(START_DOC(nullptr, job, "VIEW_DOC", false));
    draw_delivery_listing(job, listing);
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

TEST(DeliveryReport, HeadingsOnEveryPageAndATotalPerCurrency) {
    domain::DeliveryListing l;
    for (int i = 0; i < 90; ++i)
        l.lines.push_back({"F" + std::to_string(1000 + i), "C1", "Ana Mora", "CO",
                           Date(2026, 5, 1), Date(2026, 5, 3), Decimal(1500), Decimal(500)});
    l.totals.push_back({"CO", 90, Decimal(135000), Decimal(45000)});
    const auto printed = pages(l);
    ASSERT_GT(printed.size(), 1u);
    for (const auto& p : printed) EXPECT_TRUE(has(p, "Entregado"));
    EXPECT_TRUE(has(printed[0], "1,500.00"));
    EXPECT_TRUE(has(printed[0], "03/05/2026"));
    EXPECT_TRUE(has(printed.back(), "Total CO: 90 documentos"));
    EXPECT_TRUE(has(printed.back(), "135,000.00"));
}

}  // namespace
}  // namespace qz::gui
