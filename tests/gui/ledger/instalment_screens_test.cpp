// The instalment windows on the demonstration's overdue instalment invoice: "Modificación de
// Plazos" refuses typed principal, recomputes the rows below a typed total when asked and saves;
// "Plazos Parciales" shows what is due with its late interest, refuses more than that and hands
// back the payment down to the instalment double-clicked.
#include <QTableWidget>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/instalment_plan.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/masked_edit.h"
#include "gui/ledger/documents/instalment_plan_dialog.h"
#include "gui/ledger/documents/partial_instalments.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

const std::string kHotel = "HOTEL";

// Remembers the questions too.
class AskedPort : public qz::test::ScriptedPort {
public:
    bool confirm(const std::string& title, const std::string& text) override {
        questions.push_back(text);
        return ScriptedPort::confirm(title, text);
    }
    std::vector<std::string> questions;
};

class InstalmentScreensTest : public test::MainWindowFixture {
protected:
    std::string invoice() {
        data::Table t = data::USE(*ctx.db, "DOCUMENT", "DOCUMEN9");
        const bool found = t->Seek(data::order_key("DOCUMENT", "DOCUMEN9", {kHotel, "FP"}));
        const std::string number = found ? t->str("DOCUMENTO") : "";
        data::KILLTABLA(*ctx.db, t);
        return number;
    }
    static QWidget* modal() { return QApplication::activeModalWidget(); }
    static QString cell(QTableWidget* grid, int row, int column) {
        return grid->item(row, column)->text();
    }
    static void click(QWidget* dialog, int id) {
        dialog->findChild<QPushButton*>(QString::number(id))->click();
    }
    // Leaves a dialog a failed check left open, so the test ends instead of waiting.
    static void close_if_open(QWidget* dialog) {
        if (modal() == dialog) dialog->close();
    }
    // The text of the last message, without its title.
    std::string said() const {
        const std::string& m = port.messages.back();
        return m.substr(m.find(": ") + 2);
    }
    AskedPort port;
};

TEST_F(InstalmentScreensTest, ThePlanEditorTakesTotalsRecomputesTheRowsBelowAndSaves) {
    const std::string number = invoice();
    test::when_modal([this] {
        QWidget* dialog = modal();
        EXPECT_EQ(dialog->objectName(), "ED2_DOC");
        auto* grid = dialog->findChild<QTableWidget*>(QString::number(ed2_doc::kGrid));
        if (grid && grid->rowCount() == 3) {
            grid->item(0, ed2_doc::kPrincipalCol)->setText("1.00");
            EXPECT_EQ(said(), domain::kDirectEdit);
            EXPECT_EQ(cell(grid, 0, ed2_doc::kPrincipalCol), "120,000.00");

            grid->item(0, ed2_doc::kTotalCol)->setText("106,000.00");
            EXPECT_EQ(port.questions, std::vector<std::string>{domain::kRecomputeBelow});
            EXPECT_EQ(cell(grid, 0, ed2_doc::kPrincipalCol), "100,000.00");
            EXPECT_EQ(cell(grid, 1, ed2_doc::kPrincipalCol), "100,000.00");
            EXPECT_EQ(cell(grid, 2, ed2_doc::kTotalCol), "104,500.00");
            click(dialog, kCmdOk);
        } else {
            ADD_FAILURE() << "the plan's three rows";
        }
        close_if_open(dialog);
    });
    EXPECT_TRUE(ED2_DOC(window.get(), *ctx.db, port, kHotel, number));
    for (const auto& row : domain::read_plan(*ctx.db, kHotel, number))
        EXPECT_EQ(row.principal, Decimal(100000));
}

TEST_F(InstalmentScreensTest, PartialInstalmentsHandsBackThePaymentDownToTheRowChosen) {
    const std::string number = invoice();
    test::when_modal([this] {
        QWidget* dialog = modal();
        EXPECT_EQ(dialog->objectName(), "V_PARC");
        const auto shown = [dialog](int id) {
            return dialog->findChild<QLabel*>(QString::number(id))->text();
        };
        EXPECT_EQ(shown(v_parc::kBalance), "150,000.00");
        EXPECT_EQ(shown(v_parc::kOverdueBalance), "60,000.00");
        EXPECT_EQ(shown(v_parc::kInterest), "4,500.00");
        EXPECT_EQ(shown(v_parc::kLate), "900.00");
        EXPECT_EQ(shown(v_parc::kDue), "155,400.00");
        auto* grid = dialog->findChild<QTableWidget*>(QString::number(v_parc::kGrid));
        auto* amount = dialog->findChild<LR_MASKED*>(QString::number(v_parc::kAmount));
        EXPECT_EQ(grid->rowCount(), 2);
        EXPECT_EQ(cell(grid, 0, 2), "15") << "days overdue";

        amount->setText("155,400.01");
        click(dialog, kCmdOk);
        EXPECT_EQ(said(), domain::kOverBalance);
        emit grid->cellDoubleClicked(0, 0);
        EXPECT_EQ(amount->number(), Decimal(60900));
        click(dialog, kCmdOk);
        close_if_open(dialog);
    });
    const auto pay = V_PARC(window.get(), *ctx.db, port, kHotel, number, kNow.date);
    ASSERT_TRUE(pay);
    EXPECT_EQ(pay->principal, Decimal(60000));
    EXPECT_EQ(pay->late, Decimal(900));
    EXPECT_FALSE(pay->extra) << "the instalment is paid whole";
    EXPECT_TRUE(port.questions.empty());
}

}  // namespace
}  // namespace qz::gui
