#include "gui/ledger/viewer/viewer_forms.h"

#include "core/text.h"
#include "data/amount_field.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/document_edits.h"
#include "domain/ledger/document_recode.h"
#include "domain/ledger/manual_receipt.h"
#include "domain/session/master_rows.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace {

namespace dc = qz::domain::customers;
using K = FormField::Kind;
using Choices = std::vector<std::pair<std::string, std::string>>;

// The codes of a code table with what they stand for, after `blank` (nothing chosen) when given.
Choices code_choices(const ViewerDesk& d, const char* table, const char* name_field,
                     const char* blank = nullptr) {
    Choices out;
    if (blank) out.push_back({"", blank});
    domain::for_business_rows(d.db, table, d.business, [&](const data::WDBTable& t) {
        const std::string code = trim(t.str("CODIGO"));
        out.push_back({code, code + " - " + trim(t.str(name_field))});
    });
    return out;
}

FormField choice(int id, const char* label, const std::string& value, Choices choices) {
    FormField f{id, label, K::Choice, value};
    f.choices = std::move(choices);
    return f;
}

// Runs a form whose save hands the values to `rule` with a port over the form.
bool run(QWidget* owner, const char* dlg, const char* caption, std::vector<FormField> fields,
         const std::function<bool(UserPort&, const FormValues&)>& rule) {
    return run_master_form(owner, dlg, caption, std::move(fields), [&](const FormValues& v) {
        QtUserPort port(owner);
        return rule(port, v);
    });
}

std::string caption_of(const domain::ViewedDocument& doc) { return "Documento: " + doc.number; }

}  // namespace

bool branch_form(QWidget* owner, const ViewerDesk& d, const domain::ViewedDocument& doc) {
    Choices branches;
    for (const auto& s : dc::customer_branches(d.db, d.business, doc.customer))
        branches.push_back({s.branch.code, s.branch.code + " - " + s.branch.name});
    return run(owner, "CAMBIA_SUC", "Cambio de Sucursal",
               {{kFormOldNumber, "Documento:", K::Text, doc.number, 0, true},
                choice(kFormBranch, "Sucursal:", doc.branch, branches)},
               [&](UserPort& port, const FormValues& v) {
                   return domain::change_document_branch(d.db, port, d.business, doc.number,
                                                         v.at(kFormBranch));
               });
}

bool diff_type_form(QWidget* owner, const ViewerDesk& d, const domain::ViewedDocument& doc) {
    return run(owner, "MOV_DIFF", "Tipo de Diferencial Cambiario",
               {{kFormOldNumber, "Documento:", K::Text, doc.number, 0, true},
                choice(kFormDiffType, "Diferencial:", doc.diff_type,
                       code_choices(d, "COD_DIFF", "DESCRIP", ""))},
               [&](UserPort& port, const FormValues& v) {
                   return domain::change_document_diff_type(d.db, port, d.business, doc.number,
                                                            v.at(kFormDiffType));
               });
}

bool labels_form(QWidget* owner, const ViewerDesk& d, const domain::ViewedDocument& doc) {
    return run(owner, "ED_DESCRIP", caption_of(doc).c_str(),
               {{kFormDescription, "Descripción:", K::Memo, doc.description},
                choice(kFormClas1, "Clasificación #1:", doc.clas1,
                       code_choices(d, "D_CLAS1", "DESCRIP", "")),
                choice(kFormClas2, "Clasificación #2:", doc.clas2,
                       code_choices(d, "D_CLAS2", "DESCRIP", "")),
                {kFormClas3, "Clasificación #3:", K::Text, doc.clas3, 4}},
               [&](UserPort& port, const FormValues& v) {
                   return domain::edit_document_labels(d.db, port, d.business, doc.number,
                                                       {v.at(kFormDescription), v.at(kFormClas1),
                                                        v.at(kFormClas2), v.at(kFormClas3)});
               });
}

bool agent_form(QWidget* owner, const ViewerDesk& d, const domain::ViewedDocument& doc) {
    return run(
        owner, "CAMBIA_AGENTE", "Cambio de Agente",
        {{kFormOldNumber, "Documento:", K::Text, doc.number, 0, true},
         choice(kFormAgent, "Agente:", doc.agent, code_choices(d, "AGENTES", "NOMBRE", "Ninguno"))},
        [&](UserPort& port, const FormValues& v) {
            return domain::change_document_agent(d.db, port, d.business, doc.number,
                                                 v.at(kFormAgent));
        });
}

bool recode_form(QWidget* owner, const ViewerDesk& d, const domain::ViewedDocument& doc) {
    Choices concepts;
    for (const auto& c : domain::business_document_concepts(d.db, d.business))
        concepts.push_back({c.code, c.code + " - " + c.name});
    return run(owner, "RECODE_DOC", "Recodificar Documento",
               {{kFormOldNumber, "Número Actual:", K::Text, doc.number, 0, true},
                {kFormNewNumber, "Número Nuevo:", K::Text, doc.number, 15},
                choice(kFormConcept, "Concepto:", doc.concept_code, concepts)},
               [&](UserPort& port, const FormValues& v) {
                   return domain::recode_document(
                       d.db, port, d.business,
                       {doc.number, v.at(kFormNewNumber), v.at(kFormConcept)});
               });
}

bool manual_receipt_form(QWidget* owner, const ViewerDesk& d, const domain::ViewedDocument& doc) {
    Choices currencies = {{"", ""}}, concepts = {{"", "Concepto por defecto"}};
    for (const auto& c : domain::business_currencies(d.db, d.business))
        currencies.push_back({c.code, c.code + " - " + c.name});
    for (const auto& c : code_choices(d, "CONCEPT2", "DESCRIP")) concepts.push_back(c);
    const Date today = d.db.clock().XDATE();
    FormField amount{kRcpAmount, "Monto:", K::Number, "0"};
    amount.amount = data::amount_field("ENC_MOVE", "MONTO", "Monto");
    return run(owner, "MOD_DOC2", "Recibo Manual",
               {choice(kRcpBlock, "Block:", "", code_choices(d, "T_RECIBO", "DESCRIP", "")),
                choice(kRcpCurrency, "Moneda:", doc.currency, currencies),
                {kRcpNumber, "#Recibo:", K::Text, "", 15},
                choice(kRcpConcept, "Concepto:", "", concepts),
                {kRcpDate, "Fecha :", K::Text, today.dtoc4(), 10},
                amount,
                {kRcpDescription, "Comentario:", K::Text, "", 100}},
               [&](UserPort& port, const FormValues& v) {
                   domain::ManualReceipt r;
                   r.document = doc.number;
                   r.block = v.at(kRcpBlock);
                   r.currency = v.at(kRcpCurrency);
                   r.number = v.at(kRcpNumber);
                   r.payment_concept = v.at(kRcpConcept);
                   r.date = typed_date(v.at(kRcpDate)).value_or(Date());
                   r.description = v.at(kRcpDescription);
                   Decimal typed;
                   if (!read_form_numbers(port, v, {{&*amount.amount, kRcpAmount, &typed}}))
                       return false;
                   r.amount = typed;
                   const dc::LogWriter who{d.user, d.db.clock().now()};
                   return !domain::MOD_DOC2(d.db, port, d.business, r, d.rights, who).empty();
               });
}

}  // namespace qz::gui
