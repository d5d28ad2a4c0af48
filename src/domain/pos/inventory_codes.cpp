#include "domain/pos/inventory_codes.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

// The first row of `table` in `order` within the key of `parts` for which `stop` is true.
template <class Stop>
bool any_row(data::Db& db, const char* table, const char* order,
             std::initializer_list<data::KeyValue> parts, Stop stop) {
    data::UseOptions o;
    o.order = order;
    o.read_only = true;
    data::Table t = data::USE(db, table, o);
    const std::string key = data::order_key(table, order, parts);
    t->SetScope(key, key);
    bool found = false;
    for (t->GoTop(); !t->Eof() && !found; t->Skip()) found = stop(*t);
    data::KILLTABLA(db, t);
    return found;
}

bool holds_units(const data::WDBTable& t) {
    const ArticleStock s = stock_from_row(t);
    return !s.quantity.is_zero() || !s.reserved.is_zero();
}

std::string code_problem(const std::string& subject, const std::string& code, const char* table,
                         const std::string& name) {
    if (code.empty()) return subject + " es requerido...";
    if (auto problem = code_width_problem(subject, code, table, "CODIGO"); !problem.empty())
        return problem;
    if (trim(name).empty()) return "La descripción es requerida...";
    return "";
}

}  // namespace

Warehouse warehouse_from_row(const data::WDBTable& t) {
    return Warehouse{trim(t.str("CODIGO")), trim(t.str("DESCRIP")), trim(t.str("ASIENTO1"))};
}

void put_warehouse_row(data::WDBTable& t, const std::string& business, const Warehouse& w) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(w.code));
    t.FieldPut("DESCRIP", trim(w.name));
    t.FieldPut("ASIENTO1", trim(w.link));
}

InventoryConcept inventory_concept_from_row(const data::WDBTable& t) {
    return InventoryConcept{trim(t.str("CODIGO")), trim(t.str("DESCRIP")), trim(t.str("SERIAL")),
                            t.num("TIPO") == 1};
}

void put_inventory_concept_row(data::WDBTable& t, const std::string& business,
                               const InventoryConcept& c) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(c.code));
    t.FieldPut("DESCRIP", trim(c.name));
    t.FieldPut("SERIAL", normal_code(c.serial));
    t.FieldPut("TIPO", Decimal(c.entry ? 1 : 0));
}

std::optional<Warehouse> read_warehouse(data::Db& db, const std::string& business,
                                        const std::string& code) {
    return read_code_row<Warehouse>(db, "BODEGAS", business, code, warehouse_from_row);
}

std::optional<InventoryConcept> read_inventory_concept(data::Db& db, const std::string& business,
                                                       const std::string& code) {
    return read_code_row<InventoryConcept>(db, "CONCEPT4", business, code,
                                           inventory_concept_from_row);
}

bool save_warehouse(data::Db& db, UserPort& port, const std::string& business, bool is_new,
                    const Warehouse& w) {
    const std::string code = normal_code(w.code);
    if (auto problem = code_problem("El código de la bodega", code, "BODEGAS", w.name);
        !problem.empty())
        return refuse(port, problem);
    if (is_new && key_exists(db, "BODEGAS", "BODEGAS", {business, code}))
        return refuse(port, "Código de bodega ya definido...");
    return write_keyed_row(db, "BODEGAS", "BODEGAS", {business, code}, is_new,
                           [&](auto& t) { put_warehouse_row(t, business, w); });
}

bool delete_warehouse(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& code) {
    const std::string c = normal_code(code);
    if (key_exists(db, "ARTICULO", "ARTIC2", {business, c}))
        return refuse(port, "La bodega tiene artículos definidos; elimínelos primero...");
    if (!port.confirm("Advertencia", "Desea borrar la bodega " + c + "?")) return false;
    return erase_keyed_rows(db, "BODEGAS", "BODEGAS", {business, c});
}

bool save_inventory_concept(data::Db& db, UserPort& port, const std::string& business, bool is_new,
                            const InventoryConcept& c) {
    const std::string code = normal_code(c.code);
    if (auto problem = code_problem("El código del concepto", code, "CONCEPT4", c.name);
        !problem.empty())
        return refuse(port, problem);
    if (normal_code(c.serial).empty())
        return refuse(port, "El consecutivo de los movimientos es requerido...");
    if (!key_exists(db, "SERIALES", "SERIALES", {business, std::string(), normal_code(c.serial)}))
        return refuse(port, "El consecutivo " + normal_code(c.serial) + " no está definido...");
    if (is_new && key_exists(db, "CONCEPT4", "CONCEPT4", {business, code}))
        return refuse(port, "Código de concepto ya definido...");
    return write_keyed_row(db, "CONCEPT4", "CONCEPT4", {business, code}, is_new,
                           [&](auto& t) { put_inventory_concept_row(t, business, c); });
}

bool delete_inventory_concept(data::Db& db, UserPort& port, const std::string& business,
                              const std::string& code) {
    const std::string c = normal_code(code);
    if (any_row(db, "F_FAC", "F_FAC", {business},
                [&](const data::WDBTable& t) { return trim(t.str("CON_INV")) == c; }))
        return refuse(port, "La facturación genera el inventario con este concepto...");
    if (!port.confirm("Advertencia", "Desea borrar el concepto de inventario " + c + "?"))
        return false;
    return erase_keyed_rows(db, "CONCEPT4", "CONCEPT4", {business, c});
}

bool save_bar_code(data::Db& db, UserPort& port, const std::string& business, const BarCode& b) {
    const std::string code = normal_code(b.code), article = normal_code(b.article);
    if (code.empty()) return refuse(port, "El código de barras es requerido...");
    if (auto problem = code_width_problem("El código de barras", code, "BARRAS", "CODIGO");
        !problem.empty())
        return refuse(port, problem);
    if (!read_article(db, business, article))
        return refuse(port, "El artículo " + article + " no está definido...");
    if (read_article(db, business, code))
        return refuse(port, "El código " + code + " es el código de un artículo...");
    if (key_exists(db, "BARRAS", "BARRAS", {business, code}))
        return refuse(port, "Código de barras ya definido...");
    return write_keyed_row(db, "BARRAS", "BARRAS", {business, code}, true, [&](auto& t) {
        put_bar_code_row(t, business, {code, article});
    });
}

bool delete_bar_code(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& code) {
    if (!port.confirm("Advertencia", "Desea borrar el código de barras?")) return false;
    return erase_keyed_rows(db, "BARRAS", "BARRAS", {business, normal_code(code)});
}

bool add_stock_row(data::Db& db, UserPort& port, const std::string& business,
                   const std::string& article, const std::string& warehouse) {
    const std::string a = normal_code(article), w = normal_code(warehouse);
    if (!read_article(db, business, a))
        return refuse(port, "El artículo " + a + " no está definido...");
    if (!read_warehouse(db, business, w))
        return refuse(port, "La bodega " + w + " no está definida...");
    if (key_exists(db, "ARTICULO", "ARTIC1", {business, a, w}))
        return refuse(port, "El artículo ya está definido en esa bodega...");
    const ArticleStock row{a, w};
    return write_keyed_row(db, "ARTICULO", "ARTIC1", {business, a, w}, true,
                           [&](auto& t) { put_stock_row(t, business, row); });
}

bool set_stock_active(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& article, const std::string& warehouse, bool active) {
    const std::string a = normal_code(article), w = normal_code(warehouse);
    // Only the flag is written: the quantities belong to the movements that run meanwhile.
    const bool saved =
        write_keyed_row(db, "ARTICULO", "ARTIC1", {business, a, w}, false,
                        [&](data::WDBTable& t) { t.FieldPut("ACTIVE", Decimal(active ? 1 : 0)); });
    return saved || refuse(port, "El artículo ya no está definido en esa bodega...");
}

bool delete_stock_row(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& article, const std::string& warehouse) {
    const std::string a = normal_code(article), w = normal_code(warehouse);
    if (any_row(db, "ARTICULO", "ARTIC1", {business, a, w}, holds_units))
        return refuse(port, "El artículo tiene existencias o reservas en esa bodega...");
    if (!port.confirm("Advertencia",
                      "Desea eliminar el artículo " + a + " de la bodega " + w + "?"))
        return false;
    // Deleted under its lock, so units a movement put in meanwhile are not thrown away.
    data::Transaction tx(db);
    data::Table t = data::USE(db, "ARTICULO", "ARTIC1");
    bool deleted = false;
    if (lock_at_key(*t, stock_key(business, a, w))) {
        deleted = !holds_units(*t);
        if (deleted) t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return deleted || refuse(port, "El artículo tiene existencias o reservas en esa bodega...");
}

std::string article_delete_problem(data::Db& db, const std::string& business,
                                   const std::string& code) {
    if (any_row(db, "ARTICULO", "ARTIC1", {business, normal_code(code)}, holds_units))
        return "El artículo tiene existencias o reservas en alguna bodega...";
    return "";
}

void delete_article_inventory(data::Db& db, const std::string& business, const std::string& code) {
    delete_by_order(db, "BARRAS", "BARRAS2", {business, normal_code(code)});
    delete_by_order(db, "ARTICULO", "ARTIC1", {business, normal_code(code)});
}

std::string check_article_inventory(data::Db& db, const std::string& business, const Article& a) {
    if (a.suggested_quantity < Decimal(0)) return "La cantidad sugerida no puede ser negativa...";
    if (a.average_cost < Decimal(0)) return "El costo no puede ser negativo...";
    const std::string alt = normal_code(a.alt_code);
    if (alt.empty()) return "";
    if (auto problem = code_width_problem("El código alterno", alt, "DEF_ART", "COD_ALT");
        !problem.empty())
        return problem;
    std::string holder;
    any_row(db, "DEF_ART", "DEF_ART2", {business, alt}, [&](const data::WDBTable& t) {
        const std::string other = trim(t.str("CODIGO"));
        if (other != normal_code(a.code)) holder = other;
        return !holder.empty();
    });
    if (!holder.empty()) return "El código alterno ya pertenece al artículo " + holder + "...";
    return "";
}

}  // namespace qz::domain::pos
