// The error window: it shows the handler's texts as composed (line breaks made visible), only
// the buttons the failure allows can be pressed, and the pressed button is the answer.
#include "gui/errors/error_window.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/framework/framework_test_util.h"

namespace qz::gui {
namespace {

using domain::ErrorAnswer;

class ErrorWindowTest : public ::testing::Test {
protected:
    domain::ErrorWindow window(bool can_retry, bool can_default) {
        domain::ErrorInfo info;
        info.subsystem = "DBFCDX";
        info.sub_code = 1001;
        info.description = "Open error";
        info.filename = "AGENDA";
        info.can_retry = can_retry;
        info.can_default = can_default;
        info.calls = {{"ADD_RESERVA", 88}};
        auto w = handler.handle_failure(info);
        EXPECT_TRUE(w);
        return w.value_or(domain::ErrorWindow{});
    }
    static QWidget* control(const char* name) {
        QWidget* w = QApplication::activeModalWidget()->findChild<QWidget*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Shows the window and presses the buttons in order; the first press that ends it answers.
    ErrorAnswer answer_by(const domain::ErrorWindow& w, std::vector<const char*> presses) {
        test::when_modal([presses] {
            for (const char* id : presses) QTest::mouseClick(control(id), Qt::LeftButton);
        });
        ErrorAnswer a = ERROR_SPEC(nullptr, w);
        handler.answer(a);
        return a;
    }

    domain::ErrorHandler handler;
};

TEST_F(ErrorWindowTest, ShowsTheHandlersTextsWithVisibleLineBreaks) {
    const domain::ErrorWindow w = window(true, true);
    QString title, message, detail;
    test::when_modal([&] {
        title = QApplication::activeModalWidget()->windowTitle();
        message = static_cast<QLineEdit*>(control("errMessage"))->text();
        detail = static_cast<QPlainTextEdit*>(control("sMessage"))->toPlainText();
        QTest::mouseClick(control("1"), Qt::LeftButton);
    });
    ERROR_SPEC(nullptr, w);
    EXPECT_EQ(title, "ERROR DE SISTEMA");
    EXPECT_EQ(message.toStdString(), "Error DBFCDX/1001  Open error: AGENDA");
    QString expected = QString::fromStdString(w.detail_box);
    expected.replace("\r\n", "\n");
    EXPECT_EQ(detail, expected);
    EXPECT_FALSE(detail.contains('\r'));
    EXPECT_TRUE(detail.endsWith("\nCalled from ADD_RESERVA(88)"));
}

TEST_F(ErrorWindowTest, ThePressedButtonIsTheAnswer) {
    EXPECT_EQ(answer_by(window(true, true), {"201"}), ErrorAnswer::Retry);
    EXPECT_EQ(answer_by(window(true, true), {"202"}), ErrorAnswer::Default);
    EXPECT_EQ(answer_by(window(true, true), {"1"}), ErrorAnswer::Leave);
}

TEST_F(ErrorWindowTest, ButtonsTheFailureDoesNotAllowCannotAnswer) {
    EXPECT_EQ(answer_by(window(false, false), {"201", "202", "1"}), ErrorAnswer::Leave);
    EXPECT_EQ(answer_by(window(false, true), {"201", "202"}), ErrorAnswer::Default);
}

TEST_F(ErrorWindowTest, ClosingTheWindowIsLeaving) {
    const domain::ErrorWindow w = window(true, true);
    test::when_modal([] { test::type_key(Qt::Key_Escape); });
    EXPECT_EQ(ERROR_SPEC(nullptr, w), ErrorAnswer::Leave);
}

}  // namespace
}  // namespace qz::gui
