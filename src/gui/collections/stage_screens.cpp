#include "gui/collections/stage_screens.h"

#include "core/amount.h"
#include "domain/collections/stage_maintenance.h"
#include "gui/collections/stage_authoriser_form.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/setup/code_list.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace {

namespace dl = qz::domain;
using K = FormField::Kind;

const AmountField kDiscountField{"Descuento", 7, 3, false, Decimal(100)};

std::vector<FormField> stage_fields(const dl::StageWorkflow& w, const dl::StageRecord& r,
                                    bool old) {
    using namespace stage_form;
    const dl::Stage& s = r.stage;
    std::vector<FormField> f = {
        field_code(kCode, "Código :", s.code, 4, false),
        {kName, "Descripción :", K::Text, s.name, 40},
        field_check(kHidden, "No mostrar en el árbol", s.hidden),
        field_check(kUncounted, "No contar los documentos", s.uncounted),
        field_check(kAlert, "Alerta sonora", s.alert),
        {kSound, "Sonido (archivo WAV) :", K::Text, s.sound, 60},
        // A new stage approves the credit of what enters it unless told otherwise.
        field_check(kApproves, "Aprobar el crédito al entrar", old ? s.credit_controlled : true),
    };
    if (w.collector) {
        f.push_back(field_check(kProcessing, "Etapa de proceso", s.processing));
        f.push_back(field_check(kSupplier, "Editar proveedor", r.edits_supplier));
        f.push_back(field_check(kAssigns, "Asigna cobrador", r.assigns_collector));
    } else {
        f.push_back(field_check(kToInvoice, "Se puede facturar", s.to_invoice));
    }
    return f;
}

dl::StageRecord stage_of(const FormValues& v) {
    using namespace stage_form;
    const auto on = [&v](int id) { return v.count(id) && v.at(id) == "1"; };
    dl::StageRecord r;
    r.stage.code = v.at(kCode);
    r.stage.name = v.at(kName);
    r.stage.hidden = on(kHidden);
    r.stage.uncounted = on(kUncounted);
    r.stage.alert = on(kAlert);
    r.stage.sound = v.at(kSound);
    r.stage.credit_controlled = on(kApproves);
    r.stage.processing = on(kProcessing);
    r.stage.to_invoice = on(kToInvoice);
    r.edits_supplier = on(kSupplier);
    r.assigns_collector = on(kAssigns);
    return r;
}

bool stage_form_run(QWidget* owner, data::Db& db, const std::string& business,
                    const dl::StageWorkflow& w, const StageScreenNames& names,
                    const std::optional<dl::StageRecord>& old) {
    const auto r = old.value_or(dl::StageRecord{});
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        return dl::save_stage(db, port, w, business, old ? r.stage.code : "", stage_of(v));
    };
    return run_master_form(owner, names.form, old ? "Modificar Etapa" : "Agregar Etapa",
                           stage_fields(w, r, old.has_value()), save);
}

std::vector<FormField> collector_fields(const dl::Collector& c, bool old) {
    using namespace collector_form;
    FormField discount{kDiscount, "Descuento :", K::Number, kDiscountField.show(c.discount)};
    discount.amount = kDiscountField;
    return {field_code(kCode, "Código :", c.code, 4, old),
            {kName, "Nombre :", K::Text, c.name, 40},
            {kAddress, "Dirección :", K::Text, c.address, 60},
            {kPhone, "Teléfono :", K::Text, c.phone, 40},
            discount,
            field_check(kActive, "Activo", c.active)};
}

bool collector_form_run(QWidget* owner, data::Db& db, const std::string& business,
                        const std::optional<dl::Collector>& old) {
    using namespace collector_form;
    const auto c = old.value_or(dl::Collector{});
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        dl::Collector n;
        n.code = v.at(kCode);
        n.name = v.at(kName);
        n.address = v.at(kAddress);
        n.phone = v.at(kPhone);
        n.active = v.at(kActive) == "1";
        return read_form_numbers(port, v, {{&kDiscountField, kDiscount, &n.discount}}) &&
               dl::save_collector(db, port, business, old ? c.code : "", n);
    };
    return run_master_form(owner, "MODI_COB", old ? "Modificar Cobrador" : "Agregar Cobrador",
                           collector_fields(c, old.has_value()), save);
}

}  // namespace

MasterListScreen* open_stages(QWidget* owner, data::Db& db, const std::string& business,
                              const dl::StageWorkflow& w, const StageScreenNames& names) {
    MasterListSpec s{names.list, names.context_id, names.caption, w.stages, w.stage_order};
    s.no_row_text = "No hay etapas a modificar";
    s.columns = {{"Código", "CODIGO", ""},          {"Descripción", "DESCRIP", ""},
                 {"No Mostrar", "NO_MOSTRAR", "9"}, {"No Contar", "NO_CONTAR", "9"},
                 {"Alerta", "ALERTA", "9"},         {"Sonido", "SONIDO", ""}};
    const dl::StageWorkflow* wf = &w;
    const StageScreenNames* n = &names;
    s.add = [&db, business, wf, n](QWidget* o) {
        return stage_form_run(o, db, business, *wf, *n, std::nullopt);
    };
    s.modify = [&db, business, wf, n](QWidget* o, data::WDBTable& t) {
        return stage_form_run(o, db, business, *wf, *n, dl::stage_record_from_row(t));
    };
    s.remove = [&db, business, wf](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return dl::delete_stage(db, port, *wf, business, dl::stage_from_row(t).code);
    };
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

MasterListScreen* open_stage_authorisers(QWidget* owner, data::Db& db, const std::string& business,
                                         const dl::StageWorkflow& w,
                                         const StageScreenNames& names) {
    MasterListSpec s{names.list, names.context_id, names.caption, w.authorisers, w.authorisers};
    s.no_row_text = "No hay autorizadores a modificar";
    s.columns = {{"Código", "CODIGO", ""}, {"Nombre", "NOMBRE", ""}, {"Puesto", "TXT_PUESTO", ""}};
    const dl::StageWorkflow* wf = &w;
    const StageScreenNames* n = &names;
    s.add = [&db, business, wf, n](QWidget* o) {
        return run_stage_authoriser_form(o, db, business, *wf, n->form, std::nullopt);
    };
    s.modify = [&db, business, wf, n](QWidget* o, data::WDBTable& t) {
        return run_stage_authoriser_form(o, db, business, *wf, n->form,
                                         dl::stage_authoriser_from_row(t));
    };
    s.remove = [&db, business, wf](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return dl::delete_stage_authoriser(db, port, *wf, business,
                                           dl::stage_authoriser_from_row(t).code);
    };
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

MasterListScreen* open_collectors(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"DEF_COB", kCmdCollectors, "Cobradores", "COBRADOR"};
    s.no_row_text = "No hay cobradores a modificar";
    s.columns = {{"Código", "CODIGO", ""},
                 {"Nombre", "NOMBRE", ""},
                 {"Teléfono", "TELEFONO", ""},
                 {"Activo", "ACTIVO", ""}};
    return open_list<dl::Collector>(owner, db, business, std::move(s), dl::collector_from_row,
                                    dl::read_collector, collector_form_run, dl::delete_collector);
}

}  // namespace qz::gui
