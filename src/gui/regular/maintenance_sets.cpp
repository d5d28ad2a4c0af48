// C_FACREG and DFAC_REG: the sets of regular documents and the regular documents of one set,
// each a code list with its small form; every field of a regular document is on its form.
#include "core/amount.h"
#include "core/text.h"
#include "data/amount_field.h"
#include "data/order_key.h"
#include "domain/regular/regular_maintenance.h"
#include "domain/session/master_rows.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "gui/lists/master_list.h"
#include "gui/regular/maintenance_screens.h"

namespace qz::gui {

namespace {

namespace dr = qz::domain::regular;
using K = FormField::Kind;

std::string flag(bool on) { return on ? "1" : "0"; }
std::string whole(int n) { return std::to_string(n); }

bool set_form(QWidget* owner, data::Db& db, const std::string& business,
              const std::optional<dr::RegularSet>& set) {
    const dr::RegularSet s = set.value_or(dr::RegularSet{});
    std::vector<FormField> fields = {{kRfCode, "Conjunto", K::Text, s.code, 4, set.has_value()},
                                     {kRfDescription, "Descripción", K::Text, s.description, 60}};
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        const dr::RegularSet n{v.at(kRfCode), v.at(kRfDescription)};
        return set ? dr::modify_regular_set(db, port, business, n)
                   : dr::add_regular_set(db, port, business, n);
    };
    return run_master_form(owner, "CFAC_REG", "Conjunto de Facturas Regulares", std::move(fields),
                           save);
}

FormField number_field(int id, const char* label, const char* field, const Decimal& value) {
    FormField f{id, label, K::Number, ""};
    f.amount = data::amount_field("FAC_REG", field, label);
    f.value = f.amount->show(value);
    return f;
}

std::vector<FormField> document_fields(const dr::RegularDocument& d) {
    return {
        {kRfCode, "Código", K::Text, d.code ? std::to_string(d.code) : "", 10, true},
        {kRfDescription, "Descripción", K::Text, d.description, 60},
        {kRfCustomer, "Cliente", K::Text, d.customer, 15},
        {kRfName, "Nombre", K::Text, d.name, 100},
        {kRfBranch, "Sucursal", K::Text, d.branch, 4},
        {kRfKind,
         "Tipo",
         K::Choice,
         whole(d.kind),
         0,
         false,
         {{"0", "Copia de su documento modelo"}, {"1", "Construido desde un template"}}},
        {kRfTemplate, "Template", K::Text, d.template_code, 15},
        {kRfCutOff, "Fecha de corte", K::Text, d.cut_off.empty() ? "" : d.cut_off.dtoc4(), 10},
        {kRfAdjust, "Ajustar el día del documento", K::Check, flag(d.adjust_day)},
        {kRfAdjustDay, "Día de ajuste", K::Text, whole(d.adjust_to), 2},
        {kRfPreviousMonth, "Factura el mes anterior", K::Check, flag(d.previous_month)},
        {kRfRanges, "Período por rango de días", K::Check, flag(d.ranges)},
        {kRfRangeFrom, "Del día", K::Text, whole(d.range_from), 2},
        {kRfRangeTo, "Al día", K::Text, whole(d.range_to), 2},
        {kRfExtraData, "Datos adicionales", K::Check, flag(d.extra_data)},
        number_field(kRfHours, "Horas", "HORAS", d.hours),
        number_field(kRfDays, "Días", "DIAS", d.days),
    };
}

// The form's values on the document; false (after telling the user) at the first that is not
// a date or a number.
bool read_document(UserPort& port, const FormValues& v, dr::RegularDocument& d) {
    const auto cut_off = typed_date(v.at(kRfCutOff));
    if (!cut_off) return domain::refuse(port, kBadDateText);
    d.cut_off = *cut_off;
    d.description = v.at(kRfDescription);
    d.customer = v.at(kRfCustomer);
    d.name = v.at(kRfName);
    d.branch = v.at(kRfBranch);
    d.kind = v.at(kRfKind) == "1" ? 1 : 0;
    d.template_code = trim(v.at(kRfTemplate));
    d.adjust_day = v.at(kRfAdjust) == "1";
    d.previous_month = v.at(kRfPreviousMonth) == "1";
    d.ranges = v.at(kRfRanges) == "1";
    d.extra_data = v.at(kRfExtraData) == "1";
    Decimal day, from, to;
    const std::pair<int, Decimal*> days_typed[] = {
        {kRfAdjustDay, &day}, {kRfRangeFrom, &from}, {kRfRangeTo, &to}};
    for (const auto& [id, out] : days_typed) {
        const std::string typed = trim(v.at(id));
        if (!Decimal::try_parse(typed.empty() ? "0" : typed, *out))
            return domain::refuse(port, dr::kRegularBadDay);
    }
    d.adjust_to = static_cast<int>(day.to_int());
    d.range_from = static_cast<int>(from.to_int());
    d.range_to = static_cast<int>(to.to_int());
    const AmountField hours = data::amount_field("FAC_REG", "HORAS", "Horas");
    const AmountField days = data::amount_field("FAC_REG", "DIAS", "Días");
    return read_form_numbers(port, v, {{&hours, kRfHours, &d.hours}, {&days, kRfDays, &d.days}});
}

bool document_form(QWidget* owner, data::Db& db, const std::string& business,
                   const dr::RegularDocument& d) {
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        dr::RegularDocument n = d;
        return read_document(port, v, n) && dr::save_regular_document(db, port, business, n) > 0;
    };
    return run_master_form(owner, "DFAC_REG_F", "Documento Regular", document_fields(d), save);
}

}  // namespace

MasterListScreen* open_regular_documents(QWidget* owner, data::Db& db, const std::string& business,
                                         const std::string& set) {
    MasterListSpec s{"DFAC_REG", kCmdRegularDocuments, "Documentos Regulares del Conjunto " + set,
                     "FAC_REG", "FAC_REG"};
    s.scope = data::order_key("FAC_REG", "FAC_REG", {business, set});
    s.columns = {{"Código", "CODIGO", ""},     {"Cliente", "CLIENTE", ""},
                 {"Nombre", "NOM_CLIENT", ""}, {"Descripción", "DESCRIP", ""},
                 {"Corte", "FECHA_I", ""},     {"Tipo", "TIPO", "9"}};
    s.add = [&db, business, set](QWidget* o) {
        dr::RegularDocument d;
        d.set = set;
        return document_form(o, db, business, d);
    };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        return document_form(o, db, business, dr::regular_from_row(t));
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return dr::delete_regular_document(db, port, business, dr::regular_from_row(t).code);
    };
    s.actions = {{"Modelo", kDocumentModel, [&db, business](QWidget* o, data::WDBTable& t) {
                      E_FACREG(o, db, business, dr::regular_from_row(t));
                      return false;
                  }}};
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

MasterListScreen* open_regular_sets(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"C_FACREG", kCmdRegularSets, "Conjuntos de Facturas Regulares", "CFAC_REG",
                     "CFAC_REG"};
    s.columns = {{"Conjunto", "CONJUNTO", ""}, {"Descripción", "DESCRIP", ""}};
    s.add = [&db, business](QWidget* o) { return set_form(o, db, business, std::nullopt); };
    s.modify = [&db, business](QWidget* o, data::WDBTable& t) {
        return set_form(o, db, business, dr::set_from_row(t));
    };
    s.remove = [&db, business](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return dr::delete_regular_set(db, port, business, dr::set_from_row(t).code);
    };
    s.actions = {{"Documentos", kSetDocuments,
                  [&db, business](QWidget* o, data::WDBTable& t) {
                      open_regular_documents(o, db, business, dr::set_from_row(t).code);
                      return false;
                  }},
                 {"Vista Previa", kSetPreview, [&db, business](QWidget* o, data::WDBTable& t) {
                      print_regular_preview(o, db, business, dr::set_from_row(t).code);
                      return false;
                  }}};
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

}  // namespace qz::gui
