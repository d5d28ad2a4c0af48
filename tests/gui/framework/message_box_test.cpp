// Message boxes: the system's titles and icons for each kind of message, the answers as the
// system numbers them, and the script that answers them in tests.
#include "gui/framework/message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "gui/framework/framework_test_util.h"
#include "gui/framework/qt_user_port.h"

namespace qz::gui {
namespace {

TEST(MessageBoxScript, RecordsEachBoxAndAnswersInOrderThenWithTheDefault) {
    MessageBoxScript script;
    script.then(kIdNo).then(kIdCancel);
    EXPECT_EQ(MESSAGE_BOX(nullptr, "¿Borrar?", "Advertencia", kMbYesNo | kMbIconQuestion), kIdNo);
    EXPECT_EQ(MESSAGE_BOX(nullptr, "¿Seguir?", "Advertencia", kMbOkCancel), kIdCancel);
    EXPECT_EQ(MESSAGE_BOX(nullptr, "¿Otra?", "Advertencia", kMbYesNoCancel), kIdYes);
    EXPECT_EQ(MESSAGE_BOX(nullptr, "Hecho", "Aviso", kMbIconInformation), kIdOk);
    ASSERT_EQ(script.shown().size(), 4u);
    EXPECT_EQ(script.shown()[0].text, "¿Borrar?");
    EXPECT_EQ(script.shown()[0].style, kMbYesNo | kMbIconQuestion);
    EXPECT_EQ(script.last_text(), "Hecho");
}

TEST(MessageBoxScript, AnInnerScriptAnswersUntilItEnds) {
    MessageBoxScript outer;
    {
        MessageBoxScript inner;
        inner.then(kIdCancel);
        EXPECT_EQ(MESSAGE_BOX(nullptr, "a", "Advertencia", kMbOkCancel), kIdCancel);
    }
    MESSAGE_BOX(nullptr, "b", "Aviso", kMbOk);
    ASSERT_EQ(outer.shown().size(), 1u);
    EXPECT_EQ(outer.shown()[0].text, "b");
}

TEST(QtUserPort, EachKindOfMessageHasTheSystemsTitleAndIcon) {
    MessageBoxScript script;
    QtUserPort port;
    port.message(MsgStyle::Error, "", "No se pudo grabar");
    port.message(MsgStyle::Atencion, "", "Falta el cliente");
    port.message(MsgStyle::Aviso, "", "Proceso terminado");
    port.message(MsgStyle::Alerta, "", "El dato se encuentra bloqueado: CLIENTES/7");
    port.message(MsgStyle::Atencion, "ERROR INTERNO", "x");
    const auto& s = script.shown();
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0].title, "Error");
    EXPECT_EQ(s[0].style, kMbIconStop);
    EXPECT_EQ(s[1].title, "Atencion");
    EXPECT_EQ(s[1].style, kMbIconExclamation);
    EXPECT_EQ(s[2].title, "Aviso");
    EXPECT_EQ(s[2].style, kMbIconInformation);
    EXPECT_EQ(s[3].title, "Alerta");
    EXPECT_EQ(s[3].style, kMbIconExclamation);
    EXPECT_EQ(s[4].title, "ERROR INTERNO") << "a given title wins";
}

TEST(QtUserPort, ConfirmAsksOkCancelAndIsTrueOnlyForOk) {
    MessageBoxScript script;
    script.then(kIdOk).then(kIdCancel);
    QtUserPort port;
    EXPECT_TRUE(port.confirm("", "¿Anular el documento?"));
    EXPECT_FALSE(port.confirm("", "¿Anular el documento?"));
    EXPECT_EQ(script.shown()[0].title, "Advertencia");
    EXPECT_EQ(script.shown()[0].style, kMbOkCancel | kMbIconQuestion);
}

// Without a script the box is a real one: its icon, buttons and the id of the button pressed.
TEST(MessageBox, ARealBoxShowsTheStylesIconAndButtonsAndReturnsThePressedId) {
    struct Case {
        int style;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton press;
        int id;
    };
    const Case cases[] = {
        {kMbYesNo | kMbIconQuestion, QMessageBox::Question, QMessageBox::No, kIdNo},
        {kMbOkCancel | kMbIconExclamation, QMessageBox::Warning, QMessageBox::Ok, kIdOk},
        {kMbIconStop, QMessageBox::Critical, QMessageBox::Ok, kIdOk},
        {kMbRetryCancel | kMbIconInformation, QMessageBox::Information, QMessageBox::Retry,
         kIdRetry},
    };
    for (const auto& c : cases) {
        QMessageBox::Icon seen_icon = QMessageBox::NoIcon;
        QString seen_title;
        test::when_modal([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen_icon = box->icon();
            seen_title = box->windowTitle();
            box->button(c.press)->click();
        });
        EXPECT_EQ(MESSAGE_BOX(nullptr, "texto", "Atencion", c.style), c.id);
        EXPECT_EQ(seen_icon, c.icon);
        EXPECT_EQ(seen_title, "Atencion");
    }
}

TEST(MessageBox, EscapeAnswersCancelOrNo) {
    for (auto [style, id] : {std::pair{kMbOkCancel, kIdCancel}, std::pair{kMbYesNo, kIdNo}}) {
        test::when_modal(
            [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        EXPECT_EQ(MESSAGE_BOX(nullptr, "texto", "Advertencia", style), id);
    }
}

}  // namespace
}  // namespace qz::gui
