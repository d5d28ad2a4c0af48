#include "domain/ledger/document_reads.h"

#include <filesystem>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/ledger/statement_tables.h"

namespace qz::domain {

namespace {

DocumentHeader header_from_row(const data::WDBTable& t) {
    DocumentHeader h;
    h.number = trim(t.str("DOCUMENTO"));
    h.concept_code.code = trim(t.str("CONCEPTO"));
    h.customer = trim(t.str("CLIENTE"));
    h.branch = trim(t.str("SUBCLIENTE"));
    h.name = trim(t.str("NOM_CLIENT"));
    if (h.name.empty()) h.name = trim(t.str("NOMBRE"));
    h.legal_id = trim(t.str("CEDULA"));
    h.date = t.date("FECHA");
    h.time = trim(t.str("HORA"));
    h.due = t.date("VENCE");
    h.currency.code = trim(t.str("MONEDA"));
    h.gross = t.num("BRUTO");
    h.amount = t.num("MONTO");
    h.balance = t.num("SALDO");
    h.rate = t.num("TC_DIFF");
    h.diff_type = trim(t.str("COD_DIFF"));
    h.normal_interest = t.num("I_NORMAL");
    h.late_interest = t.num("I_MORA");
    h.interest = t.num("INTERES");
    h.instalment = t.num("CUOTA");
    h.agent.code = trim(t.str("AGENTE"));
    h.cash_register = trim(t.str("CAJA"));
    h.module = trim(t.str("MODULO"));
    h.description = trim(t.str("DESCRIP"));
    h.annulled_by = trim(t.str("ANULADO"));
    h.annulled_on = t.date("F_ANULA");
    h.annulled_at = trim(t.str("H_ANULA"));
    h.used = static_cast<int>(t.num("UTILIZADO").to_int());
    h.used_info = trim(t.str("INFO_UTIL"));
    h.user = trim(t.str("USUARIO"));
    h.user_info = trim(t.str("INFO_USER"));
    return h;
}

std::vector<DocumentLine> read_lines(data::Db& db, const std::string& business,
                                     const std::string& number) {
    UsedTable t(db, "DET_DOC", "DET_DOC");
    const std::string key = data::order_key("DET_DOC", "DET_DOC", {business, number});
    t->SetScope(key, key);
    std::vector<DocumentLine> out;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        DocumentLine l;
        l.index = static_cast<int>(t->num("N_INDEX").to_int());
        l.code = trim(t->str("CODIGO"));
        l.description = trim(t->str("SPEC_FAC"));
        l.quantity = t->num("CANTIDAD");
        l.price = t->num("PRECIO");
        l.discount_pct = t->num("DESCUENTO");
        l.tax_pct = t->num("IMPUESTO");
        l.amounts = line_amounts(l.quantity, l.price, l.discount_pct, l.tax_pct);
        out.push_back(std::move(l));
    }
    for (auto& l : out)
        if (l.description.empty())
            l.description = named_code(db, "DEF_ART", "DESCRIP", business, l.code).name;
    return out;
}

std::optional<DocumentExtra> read_extra(data::Db& db, const std::string& business,
                                        const std::string& number) {
    UsedTable t(db, "ENC_DOC2", "ENC_DOC2");
    if (!t->Seek(data::order_key("ENC_DOC2", "ENC_DOC2", {business, number}))) return std::nullopt;
    const auto s = [&t](const char* field) { return trim(t->str(field)); };
    DocumentExtra e;
    e.attention = s("ATENCION");
    e.phone = s("TELEFONO");
    e.fax = s("FAX");
    e.address = s("DIRECCION");
    e.name2 = s("NOMBRE2");
    e.attention2 = s("ATEN2");
    e.phone2 = s("TELE2");
    e.fax2 = s("FAX2");
    e.address2 = s("DIREC2");
    e.transport = s("TRANSPORTE");
    e.plate = s("PLACA");
    e.driver = s("CHOFER");
    e.driver_id = s("CEDULA");
    e.credit_value = t->num("VAL_DOC");
    e.payment_terms = s("CPAGO");
    e.credit_notes = s("CRED_OBS");
    e.credit_approved = t->num("APROB_CRED") == 1;
    e.image = s("IMAGEN");
    return e;
}

LineAmounts added_up(const std::vector<DocumentLine>& lines) {
    LineAmounts sum;
    for (const auto& l : lines) {
        sum.gross += l.amounts.gross;
        sum.discount += l.amounts.discount;
        sum.tax += l.amounts.tax;
    }
    return sum;
}

}  // namespace

std::string NamedCode::shown() const { return name.empty() ? code : code + " - " + name; }

NamedCode named_code(data::Db& db, const char* table, const char* field,
                     const std::string& business, const std::string& code) {
    NamedCode out{code, ""};
    if (code.empty()) return out;
    UsedTable t(db, table, table);
    if (t->Seek(data::order_key(table, table, {business, code}))) out.name = trim(t->str(field));
    return out;
}

std::optional<DocumentHeader> read_document_header(data::Db& db, const std::string& business,
                                                   const std::string& number) {
    std::optional<DocumentHeader> h;
    {
        UsedTable t(db, "DOCUMENT", "DOCUMENT");
        if (!t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {business, trim(number)}))) return h;
        h = header_from_row(*t);
    }
    h->concept_code = named_code(db, "CONCEPT1", "DESCRIP", business, h->concept_code.code);
    h->sign = LedgerNames(db, business).sign(h->concept_code.code);
    h->currency = named_code(db, "MONEDAS", "DESCRIP", business, h->currency.code);
    h->agent = named_code(db, "AGENTES", "NOMBRE", business, h->agent.code);
    return h;
}

std::optional<DocumentData> read_document_data(data::Db& db, const std::string& business,
                                               const std::string& number) {
    auto header = read_document_header(db, business, number);
    if (!header) return std::nullopt;
    DocumentData d;
    d.header = std::move(*header);
    d.lines = read_lines(db, business, d.header.number);
    d.totals = added_up(d.lines);
    d.extra = read_extra(db, business, d.header.number);
    d.instalments = document_instalments(db, business, d.header.number);
    return d;
}

std::vector<AppliedMovement> document_movements(data::Db& db, const std::string& business,
                                                const std::string& document) {
    std::vector<AppliedMovement> out;
    {
        UsedTable det(db, "DET_MOVE", "DET_MOV2"), enc(db, "ENC_MOVE", "ENC_MOVE");
        const std::string key = data::order_key("DET_MOVE", "DET_MOV2", {business, trim(document)});
        det->SetScope(key, key);
        for (det->GoTop(); !det->Eof(); det->Skip()) {
            AppliedMovement m;
            m.movement = trim(det->str("MOVIMIENTO"));
            m.date = det->date("FECHA");
            m.concept_code.code = trim(det->str("CONCEPTO"));
            m.description = trim(det->str("DESCRIP"));
            m.amount = det->num("MONTO");
            m.interest = det->num("INTERES");
            m.late_interest = det->num("MORA");
            m.balance_before = det->num("SALDO_ANT");
            m.balance_after = det->num("SALDO");
            if (enc->Seek(data::order_key("ENC_MOVE", "ENC_MOVE", {business, m.movement}))) {
                m.date = enc->date("FECHA");
                m.annulled_by = trim(enc->str("ANULADO"));
            }
            out.push_back(std::move(m));
        }
    }
    for (auto& m : out)
        m.concept_code = named_code(db, "CONCEPT2", "DESCRIP", business, m.concept_code.code);
    return out;
}

DocumentImage document_image(data::Db& db, const std::string& business,
                             const std::string& document) {
    DocumentImage out;
    const auto extra = read_extra(db, business, trim(document));
    if (!extra || extra->image.empty()) return out;
    std::filesystem::path path(extra->image);
    if (path.is_relative() && !db.home().empty()) path = std::filesystem::path(db.home()) / path;
    out.path = path.string();
    std::error_code ec;
    out.state = std::filesystem::is_regular_file(path, ec) ? DocumentImage::State::Found
                                                           : DocumentImage::State::Missing;
    return out;
}

}  // namespace qz::domain
