#pragma once
// A grid over spa reservations: 300 rows of business "SPA" (codes R0001.., one day apart from
// 01/01/26, every 50th in the name of "Ana Pérez") and 20 of another business, sortable by code,
// date and name, scoped to "SPA".
#include <QCoreApplication>
#include <QVBoxLayout>
#include <QWidget>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/browse_settings.h"
#include "gui/browse/searchob.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/message_box.h"
#include "support/test_db.h"

namespace qz::gui::test {

class GridFixture : public ::testing::Test {
protected:
    void SetUp() override {
        db = inst.open();
        t = data::USE(*db, "SPA_RESE");
        data::Transaction tx(*db);
        for (int i = 1; i <= 300; ++i)
            add("SPA", i, i % 50 == 7 ? "Ana Pérez" : "Cliente " + std::to_string(i));
        for (int i = 1; i <= 20; ++i) add("OTRO", i, "Otro");
        tx.commit();
        t->SetOrder("SPA_HTC");
        XSEARCHOB().clear();
    }
    void TearDown() override {
        if (auto* w = SEARCHOB::XSEARCH_WINDOW()) w->Terminar();
        delete host;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void add(const std::string& neg, int i, const std::string& name) {
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", neg);
        char code[16];
        std::snprintf(code, sizeof code, "R%04d", i);
        t->FieldPut("CODIGO", std::string(code));
        t->FieldPut("FECHA", Date(2026, 1, 1) + (i - 1));
        t->FieldPut("A_NOMBRE", name);
        t->FieldPut("NUM_PERSON", Decimal(i % 5));
        data::UNLOCK_NEW_REC(*t);
    }
    WBLISTBOX& open_grid(BrowMarksOptions o = default_options()) {
        host = new QWidget;
        auto* layout = new QVBoxLayout(host);
        grid = new WBLISTBOX(host, *t, "SPA_GRID", 700);
        layout->addWidget(grid);
        AGREGARCOL(*grid, *t, "Código", "CODIGO");
        AGREGARCOL(*grid, *t, "Fecha", "FECHA");
        AGREGARCOL(*grid, *t, "Nombre", "A_NOMBRE");
        AGREGARCOL(*grid, *t, "Personas", "NUM_PERSON", "9999");
        AGREGARCOL(*grid, *t, "Marca", "", "", [] { return CellValue(std::string("*")); });
        host->resize(700, 400);
        host->show();
        grid->BrowMarks(std::move(o));
        return *grid;
    }
    static BrowMarksOptions default_options() {
        BrowMarksOptions o;
        o.sortable = {{"CODIGO", "SPA_HTC"}, {"FECHA", "SPA_HTF"}, {"A_NOMBRE", "SPA_HTN"}};
        o.scope_start = data::business_key("SPA");
        return o;
    }
    std::string code() { return trim(t->str("CODIGO")); }
    void at_column(int column) {
        grid->setCurrentIndex(grid->model()->index(grid->currentIndex().row(), column - 1));
    }

    qz::test::TestInstall inst{qz::test::Engine::SQLite};
    std::unique_ptr<data::Db> db;
    data::Table t;
    QWidget* host = nullptr;
    WBLISTBOX* grid = nullptr;
    MessageBoxScript boxes;
};

}  // namespace qz::gui::test
