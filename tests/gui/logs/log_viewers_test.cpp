// The log viewers opened from the main window of a demonstration session: rows newest first with
// the selected row's full text, clearing a history only after the user agrees ("Editar" of the
// error log only), and the screen-usage viewer narrowed by its users tree.
#include "gui/logs/log_viewers.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/error_handler.h"
#include "domain/session/log_diag.h"
#include "domain/session/log_sessions.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/message_box.h"
#include "gui/framework/wdiag.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

// The viewers as "Archivo" opens them in the main window; what they list is written on days
// before the session's own (20/05/26), which is logged too.
class LogViewerTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        db = ctx.db.get();
        at("09:30:00");
    }
    void at(const char* time, int day = 15) {
        ctx.clock.freeze(DateTime{Date(2026, 3, day), time});
    }
    void show(int command) {
        screen = choose(command);
        ASSERT_TRUE(screen);
    }
    void show_active() {
        screen = active_screen();
        ASSERT_TRUE(screen);
    }
    WBLISTBOX* grid() { return screen->control_as<WBLISTBOX>(kLogGrid); }
    int rows() { return grid()->model()->rowCount(); }
    // Rows counted newest first: the grid lists oldest to newest and stands on the last.
    QString cell(int row, int column) {
        return grid()->model()->index(rows() - 1 - row, column).data().toString().trimmed();
    }
    QString detail() { return screen->control_as<QPlainTextEdit>(kLogDetail)->toPlainText(); }
    void press(int id) {
        QTest::mouseClick(screen->control(id), Qt::LeftButton);
        settle();
    }
    void close_screen() {
        screen->Terminar();
        settle();
    }

    data::Db* db = nullptr;
    QPointer<WDIAG> screen;
};

constexpr int kErrorLog = 2588, kSessionLog = 2590, kRollbackLog = 4146;

TEST_F(LogViewerTest, ErrorLogShowsTheRecordedErrorAndLimpiarEmptiesItOnlyWhenAgreed) {
    domain::ErrorHandler handler;
    handler.attach(db);
    domain::ErrorInfo info;
    info.subsystem = "DBCMD";
    info.sub_code = 1010;
    info.description = "Registro no encontrado";
    info.filename = "CLIENTES";
    info.calls = {{"MOD_CLIENTE", 120}, {"DO_ACTION", 40}};
    ASSERT_TRUE(handler.handle(info).window);
    handler.answer(domain::ErrorAnswer::Default);

    show(kErrorLog);
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 0), "15/03/26");
    EXPECT_EQ(cell(0, 2), "Error DBCMD/1010  Registro no encontrado: CLIENTES");
    EXPECT_EQ(detail(),
              "File: CLIENTES GenCode: 0 OsCode: 0\nCalled from MOD_CLIENTE(120)\n"
              "Called from DO_ACTION(40)");

    boxes.then(kIdCancel);
    press(kClearErrorLog);
    EXPECT_EQ(boxes.last_text(), "Desea borrar el Historial de Errores?");
    EXPECT_EQ(boxes.shown().back().title, "Advertencia");
    EXPECT_EQ(rows(), 1);

    boxes.then(kIdOk);
    ASSERT_TRUE(edit(kClearErrorLog));  // "Editar" › "Limpiar Log de Errores"
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(detail(), "");
    EXPECT_EQ(data::USE(*db, "ERROR", "")->LastRec(), 1) << "kept until the viewer closes";
    close_screen();
    EXPECT_FALSE(screen);
    EXPECT_EQ(data::USE(*db, "ERROR", "")->LastRec(), 0);
}

TEST_F(LogViewerTest, OnlyTheErrorViewerTakesLimpiar) {
    show(kRollbackLog);
    EXPECT_FALSE(edit(kClearErrorLog));
    EXPECT_FALSE(LIMPIAR_LOG(screen));
    EXPECT_FALSE(LIMPIAR_LOG(nullptr));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(LogViewerTest, SessionLogListsNewestFirstMarksFatalEndsAndDeletesAfterAsking) {
    const domain::SessionStamp who{"HOTEL", "SUP", "SPA"};
    const long first = domain::log_session_entry(*db, who, "SUPERVISOR");
    at("11:00:00");
    domain::log_session_entry(*db, who, "SUPERVISOR");
    domain::mark_session_fatal(*db, first, "Error X/1  roto",
                               "File:  GenCode: 0\r\nCalled from A(1)");

    show(kSessionLog);
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(0, 0), "20/05/26 09:30:00");  // this session
    EXPECT_EQ(cell(1, 0), "15/03/26 11:00:00");
    EXPECT_EQ(cell(1, 1), "");
    EXPECT_EQ(cell(2, 1), "15/03/26 11:00:00") << "the fatal end is the exit";
    EXPECT_TRUE(cell(2, 7).startsWith("* Error X/1  roto|"));
    EXPECT_EQ(cell(1, 3), "SPA");

    boxes.then(kIdOk);
    press(kLogClearSessions);
    EXPECT_EQ(boxes.last_text(), "Desea borrar el Historial de Entradas y Salidas?");
    EXPECT_EQ(rows(), 0);
}

TEST_F(LogViewerTest, RollbackLogShowsWhyTheTransactionWasUndone) {
    db->XUSER_ABREVIA = "CAJ";
    data::START_TRANSACTION(*db, 2, data::kTransPayment);
    db->XADS_T_ERR = "Error PG/23505  duplicado\r\nsegunda línea";
    data::ROLLBACK_TRANSACTION(*db);

    show(kRollbackLog);
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 2), "CAJ");
    EXPECT_EQ(cell(0, 4), QString::number(data::kTransPayment));
    EXPECT_EQ(cell(0, 5), "Error PG/23505  duplicado segunda línea");
    EXPECT_EQ(detail(), "Error PG/23505  duplicado\nsegunda línea");
}

TEST_F(LogViewerTest, ScreenUsageNarrowsTheListToTheUserChosenInTheTree) {
    const std::pair<const char*, const char*> opened[] = {
        {"SUP", "08:00:00"}, {"CAJ", "09:00:00"}, {"SUP", "10:00:00"}};
    for (const auto& [user, time] : opened) {
        at(time);
        int id = 2588;
        domain::NEW_LOG_DIAG(*db, {"HOTEL", user, "SPA"}, id, "VIEW_ERRORS");
    }
    int other = 2590;
    domain::NEW_LOG_DIAG(*db, {"HOTEL", "CAJ", "SPA"}, other, "VIEW_E_S");

    // A supervisor's right click on the command in the menu.
    window->hooks().usage_viewer(kErrorLog);
    settle();
    show_active();
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(0, 1), "10:00:00");
    auto* tree = screen->control_as<QTreeWidget>(kLogUsers);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    ASSERT_EQ(root->text(0), "Usuarios");
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0)->text(0), "SUPERVISOR");
    EXPECT_EQ(root->child(1)->text(0), "CAJERO");

    tree->setCurrentItem(root->child(1));
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 2), "CAJ");
    EXPECT_EQ(detail(), "Pantalla: VIEW_ERRORS\nMódulo: SPA");
    tree->setCurrentItem(root);
    EXPECT_EQ(rows(), 3);
}

TEST_F(LogViewerTest, ErrorGridOverHundredsOfRowsStandsOnTheNewestAndPrintsThem) {
    {
        data::Table err = data::USE(*db, "ERROR", "");
        data::Transaction tx(*db);
        // Written out of date order: the order, not the record number, sorts them.
        for (int i = 300; i >= 1; --i) {
            data::ADD_NEW_REC(*err);
            err->FieldPut("FECHA", Date(2026, 1, 1) + (i - 1) / 10);
            err->FieldPut("HORA", str_int(8 + (i - 1) % 10, 2) + ":00:00");
            err->FieldPut("DESCRIP", "Error " + std::to_string(i));
            err->FieldPut("DETALLE", "Detalle " + std::to_string(i) + "\r\nsegunda");
            data::UNLOCK_NEW_REC(*err);
        }
        tx.commit();
    }
    show(kErrorLog);
    ASSERT_EQ(rows(), 300);
    EXPECT_EQ(grid()->currentIndex().row(), 299);
    EXPECT_EQ(cell(0, 2), "Error 300");
    EXPECT_EQ(cell(1, 2), "Error 299");
    EXPECT_EQ(cell(299, 2), "Error 1");
    EXPECT_EQ(detail(), "Detalle 300\nsegunda");
    grid()->SKIP(-150);
    EXPECT_EQ(detail(), "Detalle 150\nsegunda");
    grid()->GOTOP();
    EXPECT_EQ(detail(), "Detalle 1\nsegunda");

    // "Imprimir" asks for the printer first; cancelled, nothing is printed and the grid stays.
    test::when_modal([] {
        QWidget* dialog = QApplication::activeModalWidget();
        EXPECT_EQ(dialog->objectName(), "PSETGEN");
        EXPECT_TRUE(dialog->findChild<QPushButton*>("210")->isEnabled()) << "F3: Excel";
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::number(kCmdCancel)),
                          Qt::LeftButton);
    });
    press(kLogPrint);
    EXPECT_EQ(rows(), 300);
    EXPECT_EQ(detail(), "Detalle 1\nsegunda");
}

}  // namespace
}  // namespace qz::gui
