#pragma once
// A throwaway installation with what inventory movements need: two warehouses, an issue and a
// receipt concept with their series, a sub-line that checks stock and one that does not.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "data/table_ops.h"
#include "domain/pos/articles.h"
#include "domain/pos/inventory_codes.h"
#include "domain/pos/inventory_issue.h"
#include "support/record_edit.h"
#include "support/test_db.h"

namespace qz::test {

inline const std::string kInvBiz = "HOTEL";

class InventoryFixture : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<TestInstall>(GetParam());
        inst->clock.freeze(DateTime{Date(2026, 6, 1), "10:00:00"});
        db = inst->open();
        namespace pos = domain::pos;
        for (const char* w : {"01", "02"})
            put("BODEGAS", pos::Warehouse{w, "Bodega"}, pos::put_warehouse_row);
        for (const char* s : {"SAL", "ENT"})
            add_record(*db, "SERIALES",
                       {{"NEGOCIO", kInvBiz},
                        {"CODIGO", std::string(s)},
                        {"PREFIJO", std::string(s)},
                        {"INDENT", Decimal(4)}});
        put("CONCEPT4", pos::InventoryConcept{"01", "Salida por ventas", "SAL", false},
            pos::put_inventory_concept_row);
        put("CONCEPT4", pos::InventoryConcept{"02", "Entrada por compras", "ENT", true},
            pos::put_inventory_concept_row);
        pos::Subline checked{"SPA", "ACEI", "Aceites"};
        checked.check_stock = true;
        put("SUB_LIN", checked, pos::put_subline_row);
        put("SUB_LIN", pos::Subline{"SPA", "ROPA", "Ropa"}, pos::put_subline_row);
    }
    template <class Row, class Put>
    void put(const char* table, const Row& row, Put put_row) {
        data::Table t = data::USE(*db, table);
        data::ADD_NEW_REC(*t);
        put_row(*t, kInvBiz, row);
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(*db, t);
    }
    // A stocked article of a sub-line, with `stock` units in warehouse 01 (no row when empty).
    void article(const std::string& code, const std::string& sub, const std::string& stock,
                 const std::string& cost = "100") {
        domain::pos::Article a;
        a.code = code;
        a.name = "Artículo " + code;
        a.line = "SPA";
        a.subline = sub;
        a.stocked = true;
        a.average_cost = Decimal::parse(cost);
        put("DEF_ART", a, domain::pos::put_article_row);
        if (!stock.empty()) stock_row(code, "01", stock, cost);
    }
    void stock_row(const std::string& code, const std::string& warehouse, const std::string& qty,
                   const std::string& cost = "100", bool active = true) {
        put("ARTICULO",
            domain::pos::ArticleStock{code, warehouse, Decimal::parse(qty), Decimal(0),
                                      Decimal::parse(cost), active},
            domain::pos::put_stock_row);
    }
    domain::pos::ArticleStock stock(const std::string& code, const std::string& warehouse = "01") {
        auto s = domain::pos::read_article_stock(*db, kInvBiz, warehouse, code);
        EXPECT_TRUE(s) << code << " " << warehouse;
        return s.value_or(domain::pos::ArticleStock{});
    }
    domain::pos::InventoryMovement movement(const std::string& concept_code,
                                            std::vector<domain::pos::InventoryLine> lines,
                                            const std::string& warehouse = "01") {
        domain::pos::InventoryMovement m;
        m.business = kInvBiz;
        m.warehouse = warehouse;
        m.concept_code = concept_code;
        m.document = "FC-0001";
        m.name = "Cliente de Contado";
        m.date = Date(2026, 6, 1);
        m.time = "10:00:00";
        m.user = "ANA";
        m.lines = std::move(lines);
        return m;
    }
    long rows(const std::string& table) {
        data::Table t = data::USE(*db, table);
        long n = 0;
        for (t->GoTop(); !t->Eof(); t->Skip()) ++n;
        data::KILLTABLA(*db, t);
        return n;
    }
    std::unique_ptr<TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

}  // namespace qz::test
