// The spa's boutique: retail articles (oils, creams, robes) kept in two warehouses, with bar
// codes, costs and prices; a day pass that prints its ticket; sub-lines that check stock or
// prices; the inventory concepts of sales and receipts; and the stock itself, received through
// movements so the movement list shows where every unit came from.
#include <stdexcept>
#include <string>
#include <vector>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_rows.h"
#include "domain/pos/articles.h"
#include "domain/pos/inventory_codes.h"
#include "domain/pos/inventory_issue.h"
#include "domain/session/master_rows.h"

namespace qz::domain::demo {

namespace {

constexpr const char* kLine = "BOU";
constexpr const char* kSalesConcept = "01";
constexpr const char* kReceiptConcept = "02";
constexpr const char* kInventoryModule = "01";  // where the series list files them

struct Retail {
    const char* code;
    const char* name;
    const char* subline;
    const char* bar_code;  // "" when it has none
    const char* alt_code;
    const char* cost;
    const char* price;  // public price, before tax
    int stock_main, stock_central;
};

// ACE003 has only two units left, to try a sale beyond the stock.
constexpr Retail kRetail[] = {
    {"ACE001", "Aceite de Lavanda 100 ml", "ACEI", "7441001000011", "LAV100", "4200", "8500", 24,
     60},
    {"ACE002", "Aceite de Almendras 250 ml", "ACEI", "7441001000028", "ALM250", "5600", "11000", 18,
     40},
    {"ACE003", "Aceite de Eucalipto 50 ml", "ACEI", "7441001000035", "EUC050", "2900", "6000", 2,
     0},
    {"CRE001", "Crema Hidratante Corporal", "ACEI", "7441001000042", "CRHID", "6100", "12500", 15,
     30},
    {"CRE002", "Crema de Manos Karité", "ACEI", "7441001000059", "CRKAR", "3300", "7000", 20, 25},
    {"BAT001", "Bata de Baño Algodón", "ROPA", "7441001000066", "BATA-A", "14500", "29000", 8, 12},
    {"BAT002", "Bata de Baño Kimono", "ROPA", "7441001000073", "BATA-K", "17800", "35000", 5, 0},
    {"PAN001", "Pantuflas de Spa", "ROPA", "7441001000080", "PANT", "2100", "4500", 30, 50},
};

// The day pass is an entry, not stock: it prints one ticket per unit sold.
constexpr const char* kPass = "PAS001";

int discount_of(const std::string& price_type) {
    if (price_type == "02") return 10;
    if (price_type == "03") return 15;
    return 0;
}

void load_codes(data::Db& db) {
    RowWriter store(db, "BODEGAS");
    store.add({{"CODIGO", "02"}, {"DESCRIP", "Bodega Central del Hotel"}});
    RowWriter line(db, "LINEAS");
    line.add({{"CODIGO", kLine}, {"DESCRIP", "Boutique del Spa"}});

    RowWriter sub(db, "SUB_LIN");
    pos::Subline oils{kLine, "ACEI", "Aceites y Cremas"};
    oils.check_stock = true;  // never sold beyond what the shelf holds
    pos::Subline robes{kLine, "ROPA", "Batas y Accesorios"};
    robes.no_lower_price = robes.no_raise_price = true;  // fixed prices...
    robes.check_discount = true;                         // ...and at most 10 % off
    robes.max_discount = Decimal(10);
    pos::Subline passes{kLine, "PASE", "Pases y Entradas"};
    for (auto* s : {&oils, &robes, &passes}) {
        // The boutique's sales, taxed or exempt, are the spa's sales.
        s->sales_link = s->exempt_link = "VENTAS_SPA";
        data::ADD_NEW_REC(sub.table());
        pos::put_subline_row(sub.table(), kBiz, *s);
        data::UNLOCK_NEW_REC(sub.table());
    }

    RowWriter ser(db, "SERIALES");
    ser.add({{"CODIGO", "INVSAL"}, {"MODULO", kInventoryModule},
             {"DESCRIP", "Salidas de Inventario"},
             {"PREFIJO", "SI"},
             {"INDENT", 6}});
    ser.add({{"CODIGO", "INVENT"}, {"MODULO", kInventoryModule},
             {"DESCRIP", "Entradas de Inventario"},
             {"PREFIJO", "EI"},
             {"INDENT", 6}});
    ser.add({{"CODIGO", "INVAJU"}, {"MODULO", kInventoryModule},
             {"DESCRIP", "Ajustes de Inventario"},
             {"PREFIJO", "AI"},
             {"INDENT", 6}});
    RowWriter concepts(db, "CONCEPT4");
    const pos::InventoryConcept kConcepts[] = {
        {kSalesConcept, "Salida por Ventas", "INVSAL", false},
        {kReceiptConcept, "Entrada por Compras", "INVENT", true},
        {"03", "Ajuste de Inventario (salida)", "INVAJU", false}};
    for (const auto& c : kConcepts) {
        data::ADD_NEW_REC(concepts.table());
        pos::put_inventory_concept_row(concepts.table(), kBiz, c);
        data::UNLOCK_NEW_REC(concepts.table());
    }
}

void add_article(RowWriter& arts, RowWriter& prices, const pos::Article& a, const Decimal& price,
                 const std::vector<std::string>& types) {
    data::ADD_NEW_REC(arts.table());
    pos::put_article_row(arts.table(), kBiz, a);
    data::UNLOCK_NEW_REC(arts.table());
    for (const auto& type : types)
        prices.add({{"CODIGO", type},
                    {"ARTICULO", a.code},
                    {"PRECIO", (price * (100 - discount_of(type)) / 100).round(2)}});
}

Decimal sales_tax(data::Db& db) {
    data::Table t = data::USE(db, "TIPO_IMP", "TIPO_IMP");
    const Decimal tax = t->Seek(data::order_key("TIPO_IMP", "TIPO_IMP", {kBiz, "IV"}))
                            ? t->num("MONTO")
                            : Decimal(13);
    data::KILLTABLA(db, t);
    return tax;
}

void load_articles(data::Db& db) {
    std::vector<std::string> types;
    for_business_rows(db, "ENC_PREC", kBiz,
                      [&](const data::WDBTable& t) { types.push_back(trim(t.str("CODIGO"))); });
    const Decimal tax = sales_tax(db);
    RowWriter arts(db, "DEF_ART");
    RowWriter prices(db, "DET_PREC");
    RowWriter bars(db, "BARRAS");
    for (const auto& r : kRetail) {
        pos::Article a{r.code, r.name, tax, kLine, r.subline};
        a.alt_code = r.alt_code;
        a.stocked = true;
        a.average_cost = Decimal::parse(r.cost);
        add_article(arts, prices, a, Decimal::parse(r.price), types);
        bars.add({{"CODIGO", r.bar_code}, {"ARTICULO", r.code}});
    }
    pos::Article pass{kPass, "Pase Día Spa (piscina y sauna)", tax, kLine, "PASE"};
    pass.ticket = true;
    pass.invoice_text = "Pase de un día: piscina, sauna y vapor";
    add_article(arts, prices, pass, Decimal(15000), types);
}

// The stock arrives as two receipts ten days ago, one per warehouse.
void receive_stock(data::Db& db, const Date& today) {
    for (const char* warehouse : {"01", "02"}) {
        pos::InventoryMovement m;
        m.business = kBiz;
        m.warehouse = warehouse;
        m.concept_code = kReceiptConcept;
        m.document = std::string("OC-2026-") + warehouse;
        m.name = "Distribuidora Natural Spa S.A.";
        m.date = today - 10;
        m.time = "08:30:00";
        m.user = "SUP";
        m.info = info_user(db.clock().now());
        for (const auto& r : kRetail) {
            const int units = std::string(warehouse) == "01" ? r.stock_main : r.stock_central;
            if (units > 0) m.lines.push_back({r.code, Decimal(units), Decimal::parse(r.cost)});
        }
        const auto r = pos::post_inventory_movement(db, m);
        if (!r.posted) throw std::logic_error("recepción de demostración rechazada: " + r.message);
    }
    // The kimono robe is kept in the central warehouse only for the hotel's rooms.
    pos::add_stock_row(db, db.port(), kBiz, "BAT002", "02");
    pos::set_stock_active(db, db.port(), kBiz, "BAT002", "02", false);
}

// Sales issue their stock under the sales concept.
void set_invoicing(data::Db& db) {
    data::Table f = data::USE(db, "F_FAC", "F_FAC");
    if (f->Seek(data::business_key(kBiz))) {
        data::LOCK_FOR_MODIFY(*f);
        f->FieldPut("GENERA_INV", Decimal(1));
        f->FieldPut("CON_INV", std::string(kSalesConcept));
        data::UNLOCK_FOR_MODIFY(*f);
    }
    data::KILLTABLA(db, f);
}

}  // namespace

void load_inventory(data::Db& db, const Date& today, Summary& out) {
    load_codes(db);
    load_articles(db);
    receive_stock(db, today);
    set_invoicing(db);
    out.push_back("  Inventario: " + std::to_string(std::size(kRetail)) +
                  " artículos de boutique en las bodegas 01 y 02 (ACE003 con 2 unidades), "
                  "pase de un día " +
                  std::string(kPass) + " con tiquete; código de barras " + kRetail[0].bar_code +
                  " = " + kRetail[0].code);
}

}  // namespace qz::domain::demo
