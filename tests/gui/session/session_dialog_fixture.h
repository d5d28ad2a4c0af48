#pragma once
// The session dialogs over the demonstration business (HOTEL: SUPERVISOR / QUARTZEN, CAJERO /
// CAJA2026, INTENTOS 3, passwords valid 90 days) on SQLite, with every message box answered by a
// script and typing delivered as a user's would be.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>
#include <string>

#include "core/ini_file.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/session/session_context.h"
#include "support/record_edit.h"
#include "support/test_db.h"

namespace qz::gui::test {

class SessionDialogFixture : public ::testing::Test {
protected:
    static inline const Date kToday{2026, 3, 15};

    void SetUp() override {
        install.clock.freeze(DateTime{kToday, "09:30:00"});
        db = install.open();
        domain::install_demo_data(*db);
    }

    SessionContext context() { return {*db, port, session, settings, ini}; }
    void log_in(const std::string& name, const std::string& password) {
        ASSERT_EQ(context().login().submit("HOTEL", name, password),
                  domain::LoginOutcome::Accepted);
    }

    void edit(const std::string& table, const std::string& order, const std::string& key,
              const std::function<void(data::WDBTable&)>& change) {
        qz::test::edit_record(*db, table, order, key, change);
    }
    void edit_user(const std::string& name, const std::function<void(data::WDBTable&)>& change) {
        edit("USUARIOS", "USUARIOS", data::order_key("USUARIOS", "USUARIOS", {"HOTEL", name}),
             change);
    }
    void edit_business(const std::function<void(data::WDBTable&)>& change) {
        edit("NEGOCIOS", "NEGOCIOS", data::business_key("HOTEL"), change);
    }
    void add(const std::string& table,
             std::initializer_list<std::pair<const char*, data::Value>> fields) {
        qz::test::add_record(*db, table, fields);
    }
    data::Table user(const std::string& name) { return qz::test::demo_user(*db, name); }

    // The texts of the boxes shown so far, as "title: text".
    std::vector<std::string> boxes() const {
        std::vector<std::string> out;
        for (const auto& b : script.shown()) out.push_back(b.title + ": " + b.text);
        return out;
    }

    // Replaces what a field holds by `text`, typed key by key into it.
    static void retype(DIALOG_BOX& dialog, int id, const QString& text) {
        auto* edit = dialog.control_as<QLineEdit>(id);
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    static void press_ok(DIALOG_BOX& dialog) {
        QTest::mouseClick(dialog.control(1), Qt::LeftButton);
    }

    // Closes a dialog the steps expected to close by itself, so a failing test ends instead of
    // waiting for input that never comes.
    static void close_if_open(DIALOG_BOX& dialog) {
        if (dialog.isVisible()) dialog.EndDialog(kCmdCancel);
    }

    qz::test::TestInstall install{qz::test::Engine::SQLite};
    std::unique_ptr<data::Db> db;
    IniFile ini{install.home() + "/QUARTZEN.INI"};
    QtUserPort port;
    domain::Session session;
    domain::AppSettings settings;
    MessageBoxScript script;
};

}  // namespace qz::gui::test
