#include "domain/spa/master/services.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/pos/inventory_codes.h"
#include "domain/session/master_rows.h"

namespace qz::domain::spa {

namespace {

using Parts = std::initializer_list<data::KeyValue>;

bool percent_ok(const Decimal& d) { return d >= Decimal(0) && d <= Decimal(100); }

std::optional<Decimal> price_at(data::Db& db, const std::string& table, const std::string& order,
                                Parts parts, PriceRow (*from_row)(const data::WDBTable&)) {
    data::Table t = data::USE(db, table, order);
    std::optional<Decimal> p;
    if (t->Seek(data::order_key(table, order, parts))) p = from_row(*t).price;
    data::KILLTABLA(db, t);
    return p;
}

}  // namespace

std::optional<Service> read_service(data::Db& db, const std::string& business,
                                    const std::string& code) {
    return pos::read_article(db, business, code);
}

std::string check_service(data::Db& db, const std::string& business, const Service& s) {
    const std::string code = normal_code(s.code);
    if (code.empty()) return "El código del servicio es requerido...";
    if (auto problem = code_width_problem("El código del servicio", code, "DEF_ART", "CODIGO");
        !problem.empty())
        return problem;
    if (trim(s.name).empty()) return "La descripción del servicio es requerida...";
    if (!percent_ok(s.tax)) return "El impuesto debe estar entre 0 y 100...";
    if (!percent_ok(s.max_discount)) return "El descuento autorizado debe estar entre 0 y 100...";
    if (!trim(s.subline).empty() &&
        !key_exists(db, "SUB_LIN", "SUB_LIN",
                    {business, normal_code(s.line), normal_code(s.subline)}))
        return "La sublínea " + normal_code(s.line) + "/" + normal_code(s.subline) +
               " no está definida...";
    return pos::check_article_inventory(db, business, s);
}

bool save_service(data::Db& db, UserPort& port, const std::string& business,
                  const std::string& old_code, const Service& s) {
    if (auto problem = check_service(db, business, s); !problem.empty())
        return refuse(port, problem);
    const std::string code = normal_code(s.code);
    const bool is_new = trim(old_code).empty();
    if (!is_new && normal_code(old_code) != code)
        return refuse(port, "El código de un servicio no se puede cambiar...");
    if (is_new && key_exists(db, "DEF_ART", "DEF_ART", {business, code}))
        return refuse(port, "Código de servicio ya definido...");
    const bool saved = write_keyed_row(db, "DEF_ART", "DEF_ART", {business, code}, is_new,
                                       [&](auto& t) { pos::put_article_row(t, business, s); });
    return saved || refuse(port, "El servicio " + code + " ya no existe...");
}

bool delete_service(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& code) {
    const std::string c = normal_code(code);
    if (auto problem = pos::article_delete_problem(db, business, c); !problem.empty())
        return refuse(port, problem);
    if (!port.confirm("Advertencia", "Desea borrar el Servicio " + c + " y sus precios?"))
        return false;
    data::Transaction tx(db);
    pos::delete_article_inventory(db, business, c);
    // The price lists are keyed by type first: one seek per price type of the business.
    data::Table types = data::USE(db, "ENC_PREC", "ENC_PREC");
    types->SetScope(data::business_key(business), data::business_key(business));
    for (types->GoTop(); !types->Eof(); types->Skip())
        delete_by_order(db, "DET_PREC", "DET_PRC1",
                        {business, pos::price_type_from_row(*types).code, c});
    data::KILLTABLA(db, types);
    const bool found = delete_by_order(db, "DEF_ART", "DEF_ART", {business, c}) > 0;
    tx.commit();
    return found;
}

std::string check_subline(const Subline& s) {
    if (normal_code(s.line).empty()) return "La línea es requerida...";
    if (normal_code(s.code).empty()) return "El código de sublínea es requerido...";
    const size_t width = data::field_width("SUB_LIN", "CODIGO");
    if (utf8_length(normal_code(s.line)) > data::field_width("SUB_LIN", "LINEA") ||
        utf8_length(normal_code(s.code)) > width)
        return "Los códigos de línea y sublínea admiten " + std::to_string(width) +
               " caracteres...";
    if (trim(s.name).empty()) return "La descripción de la sublínea es requerida...";
    if (!percent_ok(s.max_discount)) return "El descuento autorizado debe estar entre 0 y 100...";
    return "";
}

bool save_subline(data::Db& db, UserPort& port, const std::string& business, bool is_new,
                  const Subline& s) {
    if (auto problem = check_subline(s); !problem.empty()) return refuse(port, problem);
    const std::string line = normal_code(s.line), code = normal_code(s.code);
    if (is_new && key_exists(db, "SUB_LIN", "SUB_LIN", {business, line, code}))
        return refuse(port, "Código de sublínea ya definido...");
    return write_keyed_row(db, "SUB_LIN", "SUB_LIN", {business, line, code}, is_new,
                           [&](auto& t) { pos::put_subline_row(t, business, s); });
}

bool delete_subline(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& line, const std::string& code) {
    if (!port.confirm("Advertencia", "Desea borrar la sublínea?")) return false;
    return erase_keyed_rows(db, "SUB_LIN", "SUB_LIN",
                            {business, normal_code(line), normal_code(code)});
}

std::string check_price_type(data::Db& db, const std::string& business, const PriceType& t) {
    const std::string code = normal_code(t.code);
    if (code.empty()) return "El código del tipo de precio es requerido...";
    if (auto problem =
            code_width_problem("El código del tipo de precio", code, "ENC_PREC", "CODIGO");
        !problem.empty())
        return problem;
    if (trim(t.name).empty()) return "La descripción del tipo de precio es requerida...";
    if (!key_exists(db, "MONEDAS", "MONEDAS", {business, normal_code(t.currency)}))
        return "La moneda del tipo de precio no está definida...";
    return "";
}

bool save_price_type(data::Db& db, UserPort& port, const std::string& business, bool is_new,
                     const PriceType& pt) {
    if (auto problem = check_price_type(db, business, pt); !problem.empty())
        return refuse(port, problem);
    const std::string code = normal_code(pt.code);
    if (is_new && key_exists(db, "ENC_PREC", "ENC_PREC", {business, code}))
        return refuse(port, "Código de tipo de precio ya definido...");
    return write_keyed_row(db, "ENC_PREC", "ENC_PREC", {business, code}, is_new,
                           [&](auto& t) { pos::put_price_type_row(t, business, pt); });
}

bool delete_price_type(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& code) {
    const std::string c = normal_code(code);
    if (key_exists(db, "DET_PREC", "DET_PRC1", {business, c}))
        return refuse(port, "El tipo de precio tiene precios en su lista; bórrelos primero...");
    if (!port.confirm("Advertencia", "Desea borrar el tipo de precio?")) return false;
    return erase_keyed_rows(db, "ENC_PREC", "ENC_PREC", {business, c});
}

std::optional<Decimal> list_price(data::Db& db, const std::string& business,
                                  const std::string& type, const std::string& article) {
    return price_at(db, "DET_PREC", "DET_PRC1", {business, normal_code(type), normal_code(article)},
                    pos::list_price_from_row);
}

bool set_list_price(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& type, const std::string& article, const Decimal& price) {
    const std::string ty = normal_code(type), art = normal_code(article);
    if (!key_exists(db, "ENC_PREC", "ENC_PREC", {business, ty}))
        return refuse(port, "El tipo de precio no está definido...");
    if (!key_exists(db, "DEF_ART", "DEF_ART", {business, art}))
        return refuse(port, "El servicio no está definido...");
    if (price < Decimal(0)) return refuse(port, "El precio no puede ser negativo...");
    return write_keyed_row(db, "DET_PREC", "DET_PRC1", {business, ty, art}, true, [&](auto& t) {
        pos::put_list_price_row(t, business, {"", ty, art, price, {}});
    });
}

bool delete_list_price(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& type, const std::string& article) {
    if (!port.confirm("Advertencia", "Desea borrar el precio?")) return false;
    return erase_keyed_rows(db, "DET_PREC", "DET_PRC1",
                            {business, normal_code(type), normal_code(article)});
}

std::optional<Decimal> special_price(data::Db& db, const std::string& business,
                                     const std::string& customer, const std::string& article,
                                     const std::string& type) {
    return price_at(db, "PRE_CLIE", "PRE_CLIE",
                    {business, trim(customer), normal_code(article), normal_code(type)},
                    pos::customer_price_from_row);
}

bool set_special_price(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& customer, const std::string& article,
                       const std::string& type, const Decimal& price) {
    const std::string cu = trim(customer), art = normal_code(article), ty = normal_code(type);
    if (!key_exists(db, "CLIENTES", "CLIENTES", {business, cu}))
        return refuse(port, "El cliente no está definido...");
    if (!key_exists(db, "DEF_ART", "DEF_ART", {business, art}))
        return refuse(port, "El servicio no está definido...");
    if (!key_exists(db, "ENC_PREC", "ENC_PREC", {business, ty}))
        return refuse(port, "El tipo de precio no está definido...");
    if (price < Decimal(0)) return refuse(port, "El precio no puede ser negativo...");
    const PriceRow row{cu, ty, art, price, db.clock().XDATE()};
    return write_keyed_row(db, "PRE_CLIE", "PRE_CLIE", {business, cu, art, ty}, true,
                           [&](auto& t) { pos::put_customer_price_row(t, business, row); });
}

bool delete_special_price(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& customer, const std::string& article,
                          const std::string& type) {
    if (!port.confirm("Advertencia", "Desea borrar el precio especial?")) return false;
    return erase_keyed_rows(db, "PRE_CLIE", "PRE_CLIE",
                            {business, trim(customer), normal_code(article), normal_code(type)});
}

}  // namespace qz::domain::spa
