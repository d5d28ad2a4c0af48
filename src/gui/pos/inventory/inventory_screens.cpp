#include "gui/pos/inventory/inventory_screens.h"

#include "core/stamp.h"
#include "core/text.h"
#include "data/amount_field.h"
#include "data/order_key.h"
#include "domain/pos/inventory_codes.h"
#include "domain/pos/inventory_issue.h"
#include "domain/session/master_rows.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

namespace {

using K = FormField::Kind;
namespace pos = domain::pos;

std::string flag(bool on) { return on ? "1" : "0"; }

MasterListScreen* open_list(QWidget* owner, data::Db& db, const std::string& business,
                            MasterListSpec s) {
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

bool warehouse_form(QWidget* owner, data::Db& db, const std::string& business,
                    const std::optional<pos::Warehouse>& w) {
    const auto v0 = w.value_or(pos::Warehouse{});
    std::vector<FormField> fields = {
        {kIvCode, "Código", K::Text, v0.code, 2, w.has_value()},
        {kIvName, "Descripción", K::Text, v0.name, 60},
        {kIvLink, "Liga contable de inventario", K::Text, v0.link, 15},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        return pos::save_warehouse(db, port, business, !w,
                                   {v.at(kIvCode), v.at(kIvName), v.at(kIvLink)});
    };
    return run_master_form(owner, "BODEGAS_F", "Bodega", std::move(fields), save);
}

bool concept_form(QWidget* owner, data::Db& db, const std::string& business,
                  const std::optional<pos::InventoryConcept>& c) {
    const auto v0 = c.value_or(pos::InventoryConcept{});
    std::vector<FormField> fields = {
        {kIvCode, "Código", K::Text, v0.code, 2, c.has_value()},
        {kIvName, "Descripción", K::Text, v0.name, 60},
        {kIvSerial, "Consecutivo", K::Text, v0.serial, 15},
        {kIvEntry, "Entrada (suma a las existencias)", K::Check, flag(v0.entry)},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        return pos::save_inventory_concept(
            db, port, business, !c,
            {v.at(kIvCode), v.at(kIvName), v.at(kIvSerial), v.at(kIvEntry) == "1"});
    };
    return run_master_form(owner, "CONCEPT4_F", "Concepto de Inventario", std::move(fields), save);
}

// Adding opens an article in a warehouse; changing only says whether it may be sold there.
bool stock_form(QWidget* owner, data::Db& db, const std::string& business,
                const std::optional<pos::ArticleStock>& s) {
    const auto v0 = s.value_or(pos::ArticleStock{});
    std::vector<FormField> fields = {
        {kIvArticle, "Artículo", K::Text, v0.article, 15, s.has_value()},
        {kIvWarehouse, "Bodega", K::Text, v0.warehouse, 2, s.has_value()},
        {kIvActive, "Se vende en esta bodega", K::Check, flag(v0.active)},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        const bool active = v.at(kIvActive) == "1";
        if (s) return pos::set_stock_active(db, port, business, s->article, s->warehouse, active);
        return pos::add_stock_row(db, port, business, v.at(kIvArticle), v.at(kIvWarehouse)) &&
               (active || pos::set_stock_active(db, port, business, v.at(kIvArticle),
                                                v.at(kIvWarehouse), false));
    };
    return run_master_form(owner, "ARTICULO_F", "Artículo en Bodega", std::move(fields), save);
}

bool bar_code_form(QWidget* owner, data::Db& db, const std::string& business,
                   const std::string& article) {
    std::vector<FormField> fields = {
        {kIvArticle, "Artículo", K::Text, article, 15, true},
        {kIvCode, "Código de barras", K::Text, "", 15},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        return pos::save_bar_code(db, port, business, {v.at(kIvCode), article});
    };
    return run_master_form(owner, "BARRAS_F", "Código de Barras", std::move(fields), save);
}

template <class T, class Decode, class Caption>
std::vector<std::pair<std::string, std::string>> choices(data::Db& db, const char* table,
                                                         const std::string& business, Decode decode,
                                                         Caption caption) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const T& row : domain::business_rows<T>(db, table, business, decode))
        out.emplace_back(row.code, row.code + " - " + caption(row));
    return out;
}

bool show_movement_lines(QWidget* owner, data::Db& db, const std::string& business,
                         data::WDBTable& header) {
    const std::string number = trim(header.str("MOVIMIENTO"));
    MasterListSpec s{"DET_INV_L", 0, "Movimiento de Inventario " + number, "DET_INV", "DET_INV"};
    s.scope = data::order_key("DET_INV", "DET_INV", {business, number});
    s.columns = {{"Artículo", "CODIGO", ""},
                 {"Bodega", "BODEGA", ""},
                 {"Cantidad", "CANTIDAD", "999,999.99"},
                 {"Exist. Anterior", "INV_TOT", "999,999.99"},
                 {"Costo", "COSTO", "999,999,999.99"}};
    open_list(owner, db, business, std::move(s));
    return false;
}

}  // namespace

MasterListScreen* open_warehouses(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"BODEGAS", 6460, "Bodegas", "BODEGAS", "BODEGAS"};
    s.columns = {
        {"Código", "CODIGO", ""}, {"Descripción", "DESCRIP", ""}, {"Liga", "ASIENTO1", ""}};
    s.add = [&db, business](QWidget* o) { return warehouse_form(o, db, business, std::nullopt); };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        return warehouse_form(o, db, business, pos::warehouse_from_row(t));
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return pos::delete_warehouse(db, port, business, pos::warehouse_from_row(t).code);
    };
    return open_list(owner, db, business, std::move(s));
}

MasterListScreen* open_stock(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"ARTICULO_B", 6461, "Existencias por Bodega", "ARTICULO", "ARTIC2"};
    s.columns = {{"Bodega", "BODEGA", ""},
                 {"Artículo", "ARTICULO", ""},
                 {"Existencia", "CANTIDAD", "999,999,999.99"},
                 {"Reservado", "BLOQUEO", "999,999,999.99"},
                 {"Costo Prom.", "COSTO_PROM", "999,999,999.99"},
                 {"Activo", "ACTIVE", "9"}};
    s.add = [&db, business](QWidget* o) { return stock_form(o, db, business, std::nullopt); };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        return stock_form(o, db, business, pos::stock_from_row(t));
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        const pos::ArticleStock row = pos::stock_from_row(t);
        return pos::delete_stock_row(db, port, business, row.article, row.warehouse);
    };
    return open_list(owner, db, business, std::move(s));
}

MasterListScreen* open_inventory_concepts(QWidget* owner, data::Db& db,
                                          const std::string& business) {
    MasterListSpec s{"CONCEPT4", 6462, "Conceptos de Inventario", "CONCEPT4", "CONCEPT4"};
    s.columns = {{"Código", "CODIGO", ""},
                 {"Descripción", "DESCRIP", ""},
                 {"Consecutivo", "SERIAL", ""},
                 {"Entrada", "TIPO", "9"}};
    s.add = [&db, business](QWidget* o) { return concept_form(o, db, business, std::nullopt); };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        return concept_form(o, db, business, pos::inventory_concept_from_row(t));
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return pos::delete_inventory_concept(db, port, business,
                                             pos::inventory_concept_from_row(t).code);
    };
    return open_list(owner, db, business, std::move(s));
}

MasterListScreen* open_inventory_movements(QWidget* owner, data::Db& db,
                                           const std::string& business) {
    MasterListSpec s{"ENC_INV_L", 6464, "Movimientos de Inventario", "ENC_INV", "ENC_INV2"};
    s.columns = {{"Fecha", "FECHA", ""},           {"Hora", "HORA", ""},
                 {"Movimiento", "MOVIMIENTO", ""}, {"Concepto", "CONCEPTO", ""},
                 {"Bodega", "BODEGA", ""},         {"Documento", "DOCUMENTO", ""},
                 {"Nombre", "NOMBRE", ""},         {"Usuario", "USUARIO", ""}};
    s.add = [&db, business](QWidget* o) { return manual_movement_form(o, db, business); };
    s.actions = {{"Detalle", kIvDetail, [&db, business](QWidget* o, data::WDBTable& t) {
                      return show_movement_lines(o, db, business, t);
                  }}};
    return open_list(owner, db, business, std::move(s));
}

bool manual_movement_form(QWidget* owner, data::Db& db, const std::string& business) {
    static const AmountField kQuantity = data::amount_field("DET_INV", "CANTIDAD", "Cantidad");
    static const AmountField kCost = data::amount_field("DET_INV", "COSTO", "Costo");
    FormField warehouse{kIvWarehouse, "Bodega", K::Choice};
    warehouse.choices = choices<pos::Warehouse>(db, "BODEGAS", business, pos::warehouse_from_row,
                                                [](const auto& w) { return w.name; });
    FormField concept_field{kIvConcept, "Concepto", K::Choice};
    concept_field.choices = choices<pos::InventoryConcept>(
        db, "CONCEPT4", business, pos::inventory_concept_from_row,
        [](const auto& c) { return c.name + (c.entry ? " (entrada)" : " (salida)"); });
    FormField quantity{kIvQuantity, "Cantidad", K::Number, ""};
    quantity.amount = kQuantity;
    FormField cost{kIvCost, "Costo unitario (0 = costo promedio)", K::Number, ""};
    cost.amount = kCost;
    std::vector<FormField> fields = {warehouse,
                                     concept_field,
                                     {kIvDocument, "Documento", K::Text, "", 15},
                                     {kIvArticle, "Artículo", K::Text, "", 15},
                                     quantity,
                                     cost};
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        pos::InventoryLine line{v.at(kIvArticle)};
        if (!read_form_numbers(
                port, v,
                {{&kQuantity, kIvQuantity, &line.quantity}, {&kCost, kIvCost, &line.cost}}))
            return false;
        pos::InventoryMovement m;
        m.business = business;
        m.warehouse = v.at(kIvWarehouse);
        m.concept_code = v.at(kIvConcept);
        m.document = v.at(kIvDocument);
        m.name = "Movimiento manual";
        const DateTime now = db.clock().now();
        m.date = now.date;
        m.time = now.time;
        m.user = db.XUSER_ABREVIA;
        m.info = info_user(now);
        m.lines.push_back(line);
        return pos::post_manual_movement(db, port, m).posted;
    };
    return run_master_form(owner, "MOV_INV_F", "Entrada / Ajuste de Inventario", std::move(fields),
                           save);
}

MasterListScreen* open_bar_codes(QWidget* owner, data::Db& db, const std::string& business,
                                 const std::string& article) {
    const std::string code = domain::normal_code(article);
    MasterListSpec s{"BARRAS_L", 0, "Códigos de Barras de " + code, "BARRAS", "BARRAS2"};
    s.scope = data::order_key("BARRAS", "BARRAS2", {business, code});
    s.columns = {{"Código de Barras", "CODIGO", ""}};
    s.add = [&db, business, code](QWidget* o) { return bar_code_form(o, db, business, code); };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return pos::delete_bar_code(db, port, business, pos::bar_code_from_row(t).code);
    };
    return open_list(owner, db, business, std::move(s));
}

}  // namespace qz::gui
