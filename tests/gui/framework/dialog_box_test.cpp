// Modal forms: the procedure fills the fields and saves on OK, Enter moves between fields, and a
// form that refuses Cancel stays open on Escape.
#include "gui/framework/dialog_box.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/framework/framework_test_util.h"

namespace qz::gui {
namespace {

struct Form {
    DIALOG_BOX dialog{"MOD_CLI"};
    std::vector<int> messages;
    std::string saved;

    Form() {
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(dialog.Add(new QLineEdit(&dialog), 500));
        layout->addWidget(dialog.Add(new QLineEdit(&dialog), 501));
        layout->addWidget(dialog.Add(new QPushButton("Aceptar", &dialog), kCmdOk));
        layout->addWidget(dialog.Add(new QPushButton("Cancelar", &dialog), kCmdCancel));
        dialog.set_procedure([this](DIALOG_BOX& d, int message, int id) {
            messages.push_back(message);
            if (message == DIALOG_BOX::kInitDialog) {
                d.control_as<QLineEdit>(500)->setText("ANA");
                return true;
            }
            if (id != kCmdOk) return false;
            saved = d.control_as<QLineEdit>(500)->text().toStdString();
            d.EndDialog(kCmdOk);
            return true;
        });
    }
    QWidget* field(int id) { return dialog.control(id); }
};

TEST(DialogBox, TheProcedureFillsOnInitAndSavesOnOk) {
    Form f;
    test::when_modal([&] { QTest::mouseClick(f.field(kCmdOk), Qt::LeftButton); });
    EXPECT_EQ(f.dialog.run(), kCmdOk);
    EXPECT_EQ(f.saved, "ANA");
    EXPECT_EQ(f.messages, (std::vector<int>{DIALOG_BOX::kInitDialog, DIALOG_BOX::kCommand}));
}

TEST(DialogBox, EnterInAFieldMovesOnAndEscapeLeavesWithCancel) {
    Form f;
    QWidget* focus_after_enter = nullptr;
    test::when_modal([&] {
        f.field(500)->setFocus();
        test::type_key(Qt::Key_Return);
        focus_after_enter = QApplication::focusWidget();
        test::type_key(Qt::Key_Escape);
    });
    EXPECT_EQ(f.dialog.run(), kCmdCancel);
    EXPECT_EQ(focus_after_enter, f.field(501));
    EXPECT_EQ(f.saved, "");
}

TEST(DialogBox, AFormThatRefusesCancelStaysOpenOnEscape) {
    Form f;
    f.dialog.lNoCancel = true;
    bool still_open = false;
    test::when_modal([&] {
        test::type_key(Qt::Key_Escape);
        f.dialog.close();
        still_open = f.dialog.isVisible();
        f.dialog.EndDialog(kCmdCancel);
    });
    EXPECT_EQ(f.dialog.run(), kCmdCancel);
    EXPECT_TRUE(still_open);
}

}  // namespace
}  // namespace qz::gui
