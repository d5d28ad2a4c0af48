// What a user can get wrong in a concept, its print bindings and its term plan, checked in the
// order the editor shows the fields; the first problem stops the save before anything is written.
#include <set>
#include <tuple>

#include "core/text.h"
#include "data/amount_field.h"
#include "domain/session/code_rows.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/payment_setup.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

using Problem = ConceptProblem;

// A code of another table the concept names; blank is allowed, a code given must exist.
struct Reference {
    const char* field;  // of CONCEPT1
    const char* table;  // keyed NEGOCIO + its code in the order of its own name
    const char* what;   // how the refusal names it
    std::string DocumentConcept::*member;
};

bool defined(data::Db& db, const char* table, const std::string& business,
             const std::string& code) {
    return key_exists(db, table, table, {business, normal_code(code)});
}

std::string missing(const std::string& what, const std::string& code) {
    return what + " " + normal_code(code) + " no existe...";
}

// "" when the whole number or amount fits the field and is not negative.
std::string fits(const char* table, const char* field, const char* label, const Decimal& v) {
    return data::amount_field(table, field, label).check(v);
}

Problem check_header(data::Db& db, const std::string& business, const DocumentConcept& c) {
    const std::string code = normal_code(c.code);
    if (code.empty()) return {"CONCEPTO", "El Código es requerido..."};
    if (auto p = code_width_problem("El Código", code, "CONCEPT1", "CONCEPTO"); !p.empty())
        return {"CONCEPTO", p};
    if (trim(c.name).empty()) return {"DESCRIP", "La Descripción es requerida..."};
    if (auto p = fits("CONCEPT1", "PLAZO", "Plazo", Decimal(c.term_days)); !p.empty())
        return {"PLAZO", p};
    // The opposite may be the concept itself (a document annulled by another of its kind).
    for (const auto& [field, value] :
         {std::pair{"OPUESTO", c.opposite}, std::pair{"PROF_C_FAC", c.proforma_concept}}) {
        const std::string v = normal_code(value);
        if (!v.empty() && v != code && !defined(db, "CONCEPT1", business, v))
            return {field, missing("El Concepto", v)};
    }
    for (size_t i = 0; i < kConceptLinks.size(); ++i)
        if (!trim(c.links[i]).empty() && !defined(db, "LIGAS", business, c.links[i]))
            return {kConceptLinks[i],
                    missing(std::string("La Liga Contable ") + kConceptLinkLabels[i], c.links[i])};
    if (auto p = fits("CONCEPT1", "I_MORA", "Interés Moratorio", c.late_rate); !p.empty())
        return {"I_MORA", p};
    if (auto p = fits("CONCEPT1", "MAX_LINEAS", "Número Maximo de Líneas", Decimal(c.max_lines));
        !p.empty())
        return {"MAX_LINEAS", p};
    return {};
}

Problem check_references(data::Db& db, const std::string& business, const DocumentConcept& c) {
    static const Reference refs[] = {
        {"COD_DIFF", "COD_DIFF", "El Tipo de Diferencial", &DocumentConcept::diff_type},
        {"ABONO_DEF", "CONCEPT2", "El Concepto de Abono", &DocumentConcept::payment_concept},
        {"ABONO_DEF2", "CONCEPT2", "El Concepto de Ingreso", &DocumentConcept::income_concept},
        {"ABONO_BLO", "T_RECIBO", "El Block de Recibos", &DocumentConcept::receipt_block},
        {"T_MOV_DEF", "TIPO_MOV", "La Forma de Pago", &DocumentConcept::payment_method},
        {"MON_REP", "MONEDAS", "La Moneda para Reporte", &DocumentConcept::report_currency},
    };
    for (const auto& [field, value] :
         {std::pair{"SERIAL", c.series}, std::pair{"SERIAL2", c.pending_series}})
        if (!normal_code(value).empty() && !code_rows::business_series_exists(db, business, value))
            return {field, missing("El Serial", value)};
    for (const auto& r : refs) {
        const std::string& v = c.*r.member;
        if (!normal_code(v).empty() && !defined(db, r.table, business, v))
            return {r.field, missing(r.what, v)};
    }
    // A payment applies only to documents of its class: a default payment concept of the
    // other class would refuse every document of this concept at payment time.
    if (const auto pay = read_payment_concept(db, business, c.payment_concept);
        pay && pay->applies_to != c.stock_entry)
        return {"ABONO_DEF", "El Concepto Abono x Defecto " + pay->code +
                                 " no corresponde al Tipo de Transacción del concepto..."};
    return {};
}

Problem check_bindings(data::Db& db, const std::string& business,
                       const std::vector<ConceptBinding>& rows) {
    std::set<std::pair<std::string, int>> seen;
    for (const auto& b : rows) {
        const std::string cur = normal_code(b.currency);
        if (cur.empty()) return {"DET_CON1", "La Moneda de la impresión es requerida..."};
        if (!defined(db, "MONEDAS", business, cur)) return {"DET_CON1", missing("La Moneda", cur)};
        if (!trim(b.format).empty() && !defined(db, "FORM_DOC", business, b.format))
            return {"DET_CON1", missing("El Formato de Impresión", b.format)};
        for (const auto& p : {b.printer, b.printer2})
            if (!trim(p).empty() && !defined(db, "PREDET_P", business, p))
                return {"DET_CON1", missing("La Impresora Compartida", p)};
        for (const auto& [field, label, v] :
             {std::tuple{"N_COPIA", "Copias", b.copies}, std::tuple{"TICKET", "Tiquete", b.ticket},
              std::tuple{"TIPO_DOC", "Tipo Documento", b.doc_type}})
            if (auto p = fits("DET_CON1", field, label, Decimal(v)); !p.empty())
                return {"DET_CON1", p};
        if (!seen.insert({cur, b.doc_type}).second)
            return {"DET_CON1", "La Moneda " + cur + " ya tiene una impresión del Tipo " +
                                    std::to_string(b.doc_type) + "..."};
    }
    return {};
}

Problem check_plan(const DocumentConcept& c, const std::vector<TermRow>& plan) {
    Decimal total;
    for (const auto& r : plan) {
        if (auto p = fits("DET_CON2", "PLAZO", "Plazo", Decimal(r.days)); !p.empty())
            return {"DET_CON2", p};
        if (auto p = data::percent_field("DET_CON2", "PORCENTAJE", "Porcentaje").check(r.percent);
            !p.empty())
            return {"DET_CON2", p};
        if (auto p = fits("DET_CON2", "INTERES", "Interés", r.interest); !p.empty())
            return {"DET_CON2", p};
        total = total + r.percent;
    }
    // Each instalment of a document is its share of the amount: together they must be all of it.
    if (c.flag("CUOTAS") && total != Decimal(100))
        return {"CUOTAS", "Los porcentajes de los Plazos de Pago deben sumar 100 (suman " +
                              total.to_string(3) + ")..."};
    return {};
}

}  // namespace

ConceptProblem check_document_concept(data::Db& db, const std::string& business,
                                      const DocumentConcept& c,
                                      const std::vector<ConceptBinding>& bindings,
                                      const std::vector<TermRow>& plan) {
    if (auto p = check_header(db, business, c); !p.empty()) return p;
    if (auto p = check_references(db, business, c); !p.empty()) return p;
    if (auto p = check_bindings(db, business, bindings); !p.empty()) return p;
    return check_plan(c, plan);
}

}  // namespace qz::domain
