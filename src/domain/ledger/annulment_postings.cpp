// The postings of an annulled document reversed. Whatever the document posted (sales per
// article, discounts, taxes, commissions, costs, the receivable and its complement, the tenders
// of a cash sale) is in the journal lines that carry its number, whichever link, voucher or day
// they went to; each is posted again, same account, currency and rate, on the other side. That
// reverses exactly what was posted, also what a later rule or setting would post differently.
#include <array>
#include <utility>
#include <vector>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/annulment_steps.h"
#include "domain/ledger/journal.h"

namespace qz::domain::annulment {

namespace {

struct PostedLine {
    std::string voucher, account, currency, description;
    Decimal debit, credit, rate;
    long index = 0;  // INDEX_N: the analysis lines detailing it (0: none are told apart)
    LineTags tags;
};

struct AnalysisLine {
    std::string dimension, value;
    Decimal debit, credit;
};

std::vector<PostedLine> posted_lines(data::Db& db, const std::string& business,
                                     const std::string& reference) {
    std::vector<PostedLine> out;
    data::Table t = data::USE(db, "DET_AS", "DET_AS6");
    const std::string key = data::order_key("DET_AS", "DET_AS6", {business, reference});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip())
        out.push_back({trim(t->str("MOVIMIENTO")), trim(t->str("CUENTA")), trim(t->str("MONEDA")),
                       trim(t->str("DESCRIP")), t->num("DEBITO"), t->num("CREDITO"),
                       t->num("T_CAMBIO"), static_cast<long>(t->num("INDEX_N").to_int()),
                       LineTags{trim(t->str("C_COSTO")), trim(t->str("EJE")),
                                trim(t->str("PARTIDA")), trim(t->str("DESCRIP2"))}});
    data::KILLTABLA(db, t);
    return out;
}

std::vector<AnalysisLine> analysis_lines(data::Db& db, const std::string& business,
                                         const PostedLine& line) {
    std::vector<AnalysisLine> out;
    if (line.index == 0) return out;
    data::Table t = data::USE(db, "DET_AS2", "DET_AS2");
    const std::string key =
        data::order_key("DET_AS2", "DET_AS2", {business, line.voucher, line.index});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip())
        out.push_back({trim(t->str("C_ANALIZA")), trim(t->str("CODIGO")), t->num("DEBITO"),
                       t->num("CREDITO")});
    data::KILLTABLA(db, t);
    return out;
}

void reverse_reference(data::Db& db, ContaTransaction& c, const std::string& business,
                       const std::string& reference) {
    for (const PostedLine& line : posted_lines(db, business, reference)) {
        const long index = c.post_line(line.account, line.credit, line.debit, line.currency,
                                       line.rate, reversal_label(line.description), line.tags);
        for (const AnalysisLine& a : analysis_lines(db, business, line))
            c.post_analysis(a.dimension, a.value, a.credit, a.debit, index);
    }
}

}  // namespace

// The reversal of a line whose text begins with one of the posting's own tags reads with the
// reversal's tag; the rest of the text (number, name, voucher) stays. Any other line is marked
// "Rev " before its text.
std::string reversal_label(const std::string& label) {
    static const std::array<std::pair<const char*, const char*>, 10> kTags = {{
        {"(T)CxC: ", "Rev (T)CxC: "},
        {"CxC: ", "Rev CxC: "},
        {"(C)CxC: ", "(C)CxC: "},
        {"(T)Impuesto: ", "Rev. (T)Imp: "},
        {"(T)Imp: ", "Rev. (T)Imp: "},
        {"(T)Descuento: ", "Rev. (T)Desc: "},
        {"(T)Desc: ", "Rev. (T)Desc: "},
        {"Descuento: ", "Descuento: "},
        {"Ingreso (D): ", "Rev. Ingreso (D): "},
        {"Ingreso: ", "Rev. Ingreso (D): "},
    }};
    for (const auto& [tag, reversed] : kTags)
        if (label.rfind(tag, 0) == 0) return reversed + label.substr(std::string(tag).size());
    if (label.rfind("NC: ", 0) == 0 || label.rfind("ND: ", 0) == 0) return label;
    return "Rev " + label;
}

std::string reverse_postings(data::Db& db, const Stamp& s, const Doc& d,
                             const DocumentConcept& concept_row, const std::string& mirror,
                             const std::vector<PaymentMirror>& payments) {
    ContaTransaction c(db, s.business, "02", s.date, mirror, {s.user, s.info},
                       static_cast<Books>(concept_row.books));
    if (!c.ok()) return c.error();
    reverse_reference(db, c, s.business, d.number);
    // A cash sale's tenders were posted under its payment: their reversal goes under the
    // payment's mirror, where that payment's annulment would have put it.
    for (const PaymentMirror& p : payments) {
        c.set_document(p.mirror);
        reverse_reference(db, c, s.business, p.number);
    }
    c.close();
    return "";
}

}  // namespace qz::domain::annulment
