#include "domain/regular/regular_maintenance_model.h"

#include "core/text.h"
#include "data/transaction.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/line_amounts.h"
#include "domain/pos/articles.h"
#include "domain/session/master_rows.h"

namespace qz::domain::regular {

Model regular_model(data::Db& db, const std::string& business, const RegularDocument& d) {
    if (auto m = read_model(db, kRegularModels, business, d.model_number())) return *m;
    Model m;
    m.header.number = d.model_number();
    m.header.customer = d.customer;
    m.header.branch = d.branch;
    m.header.name = d.name;
    m.header.description = d.description;
    return m;
}

void work_out_totals(Model& m) {
    Decimal gross, discount, tax;
    for (const ModelLine& l : m.lines) {
        const LineAmounts a = line_amounts(l.quantity, l.price, l.discount, l.tax);
        gross += a.gross;
        discount += a.discount;
        tax += a.tax;
    }
    m.header.gross = gross;
    m.header.amount = (gross - discount + tax + m.header.freight + m.header.load).round(2);
    m.header.balance = m.header.amount;
}

std::string check_model(data::Db& db, const std::string& business, const Model& m) {
    if (!read_document_concept(db, business, m.header.concept_code)) return kModelConceptMissing;
    for (const ModelLine& l : m.lines) {
        if (!pos::read_article(db, business, l.code)) return kModelArticleMissing + l.code;
        if (l.quantity <= Decimal(0)) return kModelBadQuantity + l.code;
    }
    if (m.instalments.empty()) return "";
    Decimal planned;
    for (const ModelInstalment& i : m.instalments) planned += i.principal;
    return planned == m.header.amount ? "" : kModelPlanMismatch;
}

bool save_model(data::Db& db, UserPort& port, const ModelTables& f, const std::string& business,
                Model m) {
    work_out_totals(m);
    if (const std::string why = check_model(db, business, m); !why.empty())
        return refuse(port, why);
    write_model(db, f, business, m);
    return true;
}

std::optional<Model> new_template(data::Db& db, UserPort& port, const std::string& business,
                                  const std::string& code, const std::string& description) {
    const std::string number = upper_ascii(trim(code));
    const char* refusal = number.empty()                                 ? kTemplateCodeBlank
                          : read_model(db, kTemplates, business, number) ? kTemplateTaken
                                                                         : nullptr;
    if (refusal) {
        refuse(port, refusal);
        return std::nullopt;
    }
    Model m;
    m.header.number = number;
    m.header.description = description;
    return m;
}

bool delete_template(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& code) {
    if (!port.confirm("Confirmación", kAskDeleteTemplate)) return false;
    data::Transaction tx(db);
    for (const RegularSet& s : regular_sets(db, business))
        for (const RegularDocument& d : set_documents(db, business, s.code))
            if (d.kind == 1 && d.template_code == code) return refuse(port, kTemplateInUse);
    delete_model(db, kTemplates, business, code);
    tx.commit();
    return true;
}

}  // namespace qz::domain::regular
