// What the spa sells: services and articles (with their inventory fields and bar codes), their
// sub-lines, price types, price lists and customers' special prices, each a list screen with its
// form.
#include "core/text.h"
#include "data/amount_field.h"
#include "domain/spa/master/service_defaults.h"
#include "domain/spa/master/services.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "gui/lists/master_list.h"
#include "gui/pos/inventory/inventory_screens.h"
#include "gui/spa/master/spa_master_screens.h"

namespace qz::gui {

namespace {

using K = FormField::Kind;
namespace sp = domain::spa;
namespace pos = domain::pos;

// A percentage or price typed in a form; refused with a message when it is not a number.
bool parse_amount(UserPort& port, const std::string& typed, const char* what, Decimal& out) {
    const std::string t = trim(typed);
    if (Decimal::try_parse(t.empty() ? "0" : t, out)) return true;
    port.message(MsgStyle::Error, "", std::string(what) + " no es un número válido...");
    return false;
}

std::string flag(bool on) { return on ? "1" : "0"; }

MasterListScreen* open_list(QWidget* owner, data::Db& db, const std::string& business,
                            MasterListSpec s) {
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

// A number of the form read through the picture of its field of the catalogue.
FormField amount_of(int id, const char* label, const char* table, const char* field,
                    const Decimal& value) {
    FormField f{id, label, K::Number, ""};
    f.amount = data::amount_field(table, field, label);
    f.value = f.amount->show(value);
    return f;
}

bool service_form(QWidget* owner, data::Db& db, const std::string& business,
                  const std::optional<sp::Service>& service) {
    const auto s = service.value_or(sp::Service{"", "", sp::usual_service_tax(db, business)});
    const FormField suggested_field =
        amount_of(kFSuggested, "Cantidad sugerida", "DEF_ART", "CANT_SUG", s.suggested_quantity);
    const FormField cost_field =
        amount_of(kFCost, "Costo promedio", "DEF_ART", "COSTO_PROM", s.average_cost);
    const AmountField suggested = *suggested_field.amount, cost = *cost_field.amount;
    std::vector<FormField> fields = {
        {kFCode, "Código", K::Text, s.code, 15, service.has_value()},
        {kFName, "Descripción", K::Text, s.name, 60},
        {kFAltCode, "Código alterno", K::Text, s.alt_code, 15},
        {kFTax, "Impuesto %", K::Number, s.tax.to_string(2), 7},
        {kFLine, "Línea", K::Text, s.line, 4},
        {kFSubline, "Sublínea", K::Text, s.subline, 4},
        {kFCheck, "Controla su propio descuento", K::Check, flag(s.check_discount)},
        {kFMaxDiscount, "Descuento autorizado %", K::Number, s.max_discount.to_string(2), 7},
        {kFTicket, "Imprime tiquete", K::Check, flag(s.ticket)},
        {kFStocked, "Artículo de inventario", K::Check, flag(s.stocked)},
        suggested_field,
        cost_field,
        {kFNoStockCheck, "Se vende sin existencias", K::Check, flag(s.no_stock_check)},
        {kFReadText, "Pide el texto al facturar", K::Check, flag(s.read_text)},
        {kFInvoiceText, "Texto en la factura", K::Text, s.invoice_text, 100},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        // The form edits some fields of the article; the others keep what it had.
        sp::Service n = s;
        n.code = v.at(kFCode);
        n.name = v.at(kFName);
        n.alt_code = v.at(kFAltCode);
        n.line = v.at(kFLine);
        n.subline = v.at(kFSubline);
        n.check_discount = v.at(kFCheck) == "1";
        n.ticket = v.at(kFTicket) == "1";
        n.stocked = v.at(kFStocked) == "1";
        n.no_stock_check = v.at(kFNoStockCheck) == "1";
        n.read_text = v.at(kFReadText) == "1";
        n.invoice_text = v.at(kFInvoiceText);
        if (!parse_amount(port, v.at(kFTax), "El impuesto", n.tax) ||
            !parse_amount(port, v.at(kFMaxDiscount), "El descuento", n.max_discount) ||
            !read_form_numbers(port, v,
                               {{&suggested, kFSuggested, &n.suggested_quantity},
                                {&cost, kFCost, &n.average_cost}}))
            return false;
        return sp::save_service(db, port, business, s.code, n);
    };
    return run_master_form(owner, "DEF_SPA_ART_F", "Servicio", std::move(fields), save);
}

bool subline_form(QWidget* owner, data::Db& db, const std::string& business,
                  const std::optional<sp::Subline>& sub) {
    const auto s = sub.value_or(sp::Subline{});
    std::vector<FormField> fields = {
        {kFLine, "Línea", K::Text, s.line, 4, sub.has_value()},
        {kFCode, "Sublínea", K::Text, s.code, 4, sub.has_value()},
        {kFName, "Descripción", K::Text, s.name, 60},
        {kFCheck, "Controla descuento", K::Check, flag(s.check_discount)},
        {kFMaxDiscount, "Descuento autorizado %", K::Number, s.max_discount.to_string(2), 7},
        {kFCheckStock, "Controla existencias", K::Check, flag(s.check_stock)},
        {kFNoLowerPrice, "No permite bajar el precio", K::Check, flag(s.no_lower_price)},
        {kFNoRaisePrice, "No permite subir el precio", K::Check, flag(s.no_raise_price)},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        sp::Subline n = s;
        n.line = v.at(kFLine);
        n.code = v.at(kFCode);
        n.name = v.at(kFName);
        n.check_discount = v.at(kFCheck) == "1";
        n.check_stock = v.at(kFCheckStock) == "1";
        n.no_lower_price = v.at(kFNoLowerPrice) == "1";
        n.no_raise_price = v.at(kFNoRaisePrice) == "1";
        if (!parse_amount(port, v.at(kFMaxDiscount), "El descuento", n.max_discount)) return false;
        return sp::save_subline(db, port, business, !sub, n);
    };
    return run_master_form(owner, "SPA_SUBLIN_F", "Sublínea", std::move(fields), save);
}

bool price_type_form(QWidget* owner, data::Db& db, const std::string& business,
                     const std::optional<sp::PriceType>& type) {
    const auto t = type.value_or(sp::PriceType{"", "", "CO"});
    std::vector<FormField> fields = {
        {kFCode, "Código", K::Text, t.code, 2, type.has_value()},
        {kFName, "Descripción", K::Text, t.name, 60},
        {kFCurrency, "Moneda", K::Text, t.currency, 2},
        {kFTaxIncluded, "Precios con impuesto incluido", K::Check, flag(t.tax_included)},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        return sp::save_price_type(
            db, port, business, !type,
            {v.at(kFCode), v.at(kFName), v.at(kFCurrency), v.at(kFTaxIncluded) == "1"});
    };
    return run_master_form(owner, "SPA_T_PREC_F", "Tipo de Precio", std::move(fields), save);
}

// A price keyed by (customer,) service and type: the key fields are fixed once saved.
bool price_form(QWidget* owner, data::Db& db, const std::string& business, bool special,
                const std::string& customer, const std::string& article, const std::string& type,
                const std::optional<Decimal>& price) {
    const bool fixed = price.has_value();
    std::vector<FormField> fields;
    if (special) fields.push_back({kFCustomer, "Cliente", K::Text, customer, 15, fixed});
    fields.push_back({kFArticle, "Servicio", K::Text, article, 15, fixed});
    fields.push_back({kFType, "Tipo de precio", K::Text, type, 2, fixed});
    fields.push_back({kFPrice, "Precio", K::Number, price ? price->to_string(2) : "", 16});
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        Decimal amount;
        if (!parse_amount(port, v.at(kFPrice), "El precio", amount)) return false;
        return special
                   ? sp::set_special_price(db, port, business, v.at(kFCustomer), v.at(kFArticle),
                                           v.at(kFType), amount)
                   : sp::set_list_price(db, port, business, v.at(kFType), v.at(kFArticle), amount);
    };
    return run_master_form(owner, special ? "SPA_P_ESP_F" : "SPA_L_PREC_F",
                           special ? "Precio Especial" : "Precio de Lista", std::move(fields),
                           save);
}

}  // namespace

MasterListScreen* open_services(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"DEF_SPA_ART", 6450, "Servicios y Artículos", "DEF_ART", "DEF_ART"};
    s.columns = {{"Código", "CODIGO", ""},       {"Descripción", "DESCRIP", ""},
                 {"Impuesto", "IMP_ART", ""},    {"Sublínea", "SUBLINEA", ""},
                 {"Desc. Aut.", "CHECK_D2", ""}, {"Tiquete", "IMP_T", "9"},
                 {"Inventario", "TIPO", "9"},    {"Costo Prom.", "COSTO_PROM", "999,999,999.99"}};
    s.add = [&db, business](QWidget* o) { return service_form(o, db, business, std::nullopt); };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        return service_form(o, db, business,
                            sp::read_service(db, business, domain::pos::article_from_row(t).code));
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return sp::delete_service(db, port, business, domain::pos::article_from_row(t).code);
    };
    s.actions = {{"Códigos de Barras", kServiceBarCodes, [&db, business](QWidget* o, auto& t) {
                      open_bar_codes(o, db, business, domain::pos::article_from_row(t).code);
                      return false;
                  }}};
    return open_list(owner, db, business, std::move(s));
}

MasterListScreen* open_sublines(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"SPA_SUBLIN", 6451, "Sublíneas de Servicios", "SUB_LIN", "SUB_LIN"};
    s.columns = {{"Línea", "LINEA", ""},         {"Sublínea", "CODIGO", ""},
                 {"Descripción", "DESCRIP", ""}, {"Controla", "CHECK_D1", "9"},
                 {"Desc. Aut.", "CHECK_D2", ""}, {"Existencias", "CHECK_E", "9"},
                 {"No Baja", "CHECK_P1", "9"},   {"No Sube", "CHECK_P2", "9"}};
    s.add = [&db, business](QWidget* o) { return subline_form(o, db, business, std::nullopt); };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        return subline_form(o, db, business, domain::pos::subline_from_row(t));
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        const sp::Subline s = domain::pos::subline_from_row(t);
        return sp::delete_subline(db, port, business, s.line, s.code);
    };
    return open_list(owner, db, business, std::move(s));
}

MasterListScreen* open_price_types(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"SPA_T_PREC", 6452, "Tipos de Precio", "ENC_PREC", "ENC_PREC"};
    s.columns = {{"Código", "CODIGO", ""},
                 {"Descripción", "DESCRIP", ""},
                 {"Moneda", "MONEDA", ""},
                 {"Imp. Incluido", "IMP_INCL", "9"}};
    s.add = [&db, business](QWidget* o) { return price_type_form(o, db, business, std::nullopt); };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        return price_type_form(o, db, business, pos::price_type_from_row(t));
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return sp::delete_price_type(db, port, business, pos::price_type_from_row(t).code);
    };
    return open_list(owner, db, business, std::move(s));
}

MasterListScreen* open_price_lists(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"SPA_L_PREC", 6453, "Listas de Precios", "DET_PREC", "DET_PRC1"};
    s.columns = {{"Tipo", "CODIGO", ""}, {"Servicio", "ARTICULO", ""}, {"Precio", "PRECIO", ""}};
    s.add = [&db, business](QWidget* o) {
        return price_form(o, db, business, false, "", "", "", std::nullopt);
    };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        const sp::PriceRow p = pos::list_price_from_row(t);
        return price_form(o, db, business, false, "", p.article, p.type, p.price);
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        const sp::PriceRow p = pos::list_price_from_row(t);
        return sp::delete_list_price(db, port, business, p.type, p.article);
    };
    return open_list(owner, db, business, std::move(s));
}

MasterListScreen* open_special_prices(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"SPA_P_ESP", 6454, "Precios Especiales por Cliente", "PRE_CLIE", "PRE_CLIE"};
    s.columns = {{"Cliente", "CLIENTE", ""},
                 {"Servicio", "ARTICULO", ""},
                 {"Tipo", "T_PRECIO", ""},
                 {"Precio", "PRECIO", ""},
                 {"Fecha", "FECHA", ""}};
    s.add = [&db, business](QWidget* o) {
        return price_form(o, db, business, true, "", "", "", std::nullopt);
    };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        const sp::PriceRow p = pos::customer_price_from_row(t);
        return price_form(o, db, business, true, p.customer, p.article, p.type, p.price);
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        const sp::PriceRow p = pos::customer_price_from_row(t);
        return sp::delete_special_price(db, port, business, p.customer, p.article, p.type);
    };
    return open_list(owner, db, business, std::move(s));
}

}  // namespace qz::gui
