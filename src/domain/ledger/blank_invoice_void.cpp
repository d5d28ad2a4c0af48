// ANULA_D2: voiding an invoice number that was never used. The number becomes a document of
// amount 0 for no customer, annulled on the day by its "-A" mirror of the opposite concept, as
// any annulled document is, so the series shows no gap and the number cannot be issued again.
#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/annulment_steps.h"
#include "domain/ledger/document_annulment.h"
#include "domain/ledger/serials.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

// A series may have handed out numbers typed by hand before: those are spent and the next one
// taken, up to this many.
constexpr int kMaxTakenNumbers = 100;

struct Voiding {
    DocumentConcept concept_row, opposite;
    std::string currency;  // F_FAC MONEDA: the invoicing currency of the business
};

AnnulmentResult refused(UserPort& port, const std::string& message) {
    refuse(port, message);
    AnnulmentResult r;
    r.message = message;
    return r;
}

std::string mirror_of(const std::string& number) {
    return annulment::mirror_number(number, data::field_width("DOCUMENT", "DOCUMENTO"));
}

bool taken(data::Db& db, const std::string& business, const std::string& number) {
    return key_exists(db, "DOCUMENT", "DOCUMENT", {business, number}) ||
           key_exists(db, "DOCUMENT", "DOCUMENT", {business, mirror_of(number)});
}

// The refusal of a typed number; "" when it may be voided.
std::string typed_number_problem(data::Db& db, const std::string& business,
                                 const std::string& number) {
    if (auto problem =
            code_width_problem("El número de documento", number, "DOCUMENT", "DOCUMENTO");
        !problem.empty())
        return problem;
    if (key_exists(db, "DOCUMENT", "DOCUMENT", {business, number}))
        return "Este número de documento ya existe: " + number;
    if (key_exists(db, "DOCUMENT", "DOCUMENT", {business, mirror_of(number)}))
        return "Ya existe un documento con el número de anulación " + mirror_of(number) +
               ". No se puede anular...";
    return "";
}

std::string invoicing_currency(data::Db& db, const std::string& business) {
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    std::string currency;
    if (t->Seek(data::order_key("F_FAC", "F_FAC", {business}))) currency = trim(t->str("MONEDA"));
    data::KILLTABLA(db, t);
    return currency;
}

// The next number of the concept's series no document has; "" when the series is missing or
// every number tried was taken.
std::string draw_number(data::Db& db, const std::string& business, const std::string& series) {
    for (int i = 0; i < kMaxTakenNumbers; ++i) {
        const std::string n = trim(GET_NXSERIAL(db, business, series));
        if (is_no_serial(n) || n.empty()) return "";
        if (!taken(db, business, n)) return n;
    }
    return "";
}

void write_voided(data::Db& db, const annulment::Stamp& s, const Voiding& v,
                  const std::string& number) {
    const std::string mirror = mirror_of(number);
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMENT");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", s.business);
    t->FieldPut("DOCUMENTO", number);
    t->FieldPut("CONCEPTO", v.concept_row.code);
    t->FieldPut("NOM_CLIENT", std::string("FACTURA EN BLANCO"));
    t->FieldPut("MODULO", std::string("4"));
    t->FieldPut("FECHA", s.date);
    t->FieldPut("HORA", s.at.time);
    t->FieldPut("VENCE", s.date);
    t->FieldPut("MONEDA", v.currency);
    t->FieldPut("COD_DIFF", v.concept_row.diff_type);
    t->FieldPut("DESCRIP", std::string("Factura en blanco"));
    t->FieldPut("USUARIO", s.user);
    t->FieldPut("INFO_USER", s.info);
    annulment::append_mirror(db, s, *t, v.opposite.code, mirror);
    annulment::mark_annulled(*t, s, mirror);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    data::Table p = data::USE(db, "DOC_PARC", "DOC_PARC");
    data::ADD_NEW_REC(*p);
    p->FieldPut("NEGOCIO", s.business);
    p->FieldPut("DOCUMENTO", number);
    p->FieldPut("FECHA", s.date);
    data::UNLOCK_NEW_REC(*p);
    data::KILLTABLA(db, p);
}

}  // namespace

AnnulmentResult void_blank_invoice(data::Db& db, UserPort& port, const BlankInvoiceRequest& r) {
    const auto concept_row = read_document_concept(db, r.business, r.concept_code);
    if (!concept_row) return refused(port, "Debe seleccionar el concepto del documento");
    const auto opposite = read_document_concept(db, r.business, concept_row->opposite);
    if (!opposite)
        return refused(port,
                       "El concepto de Anulación " + concept_row->opposite + " no está definido");
    const annulment::Rules rules = annulment::read_rules(db, r.business);
    if (auto problem = annulment::date_problem(r.date, r.date, rules); !problem.empty())
        return refused(port, problem);
    const std::string typed = trim(r.number);
    if (typed.empty() && concept_row->series.empty())
        return refused(port,
                       "El Concepto " + concept_row->name + " no tiene consecutivo asignado!");
    if (!typed.empty())
        if (auto problem = typed_number_problem(db, r.business, typed); !problem.empty())
            return refused(port, problem);
    const std::string asked = typed.empty() ? "el siguiente número de " + concept_row->name : typed;
    if (!port.confirm("Advertencia", "Desea anular en blanco " + asked + "?")) {
        AnnulmentResult declined;
        declined.status = AnnulmentStatus::Declined;
        return declined;
    }
    const Voiding v{*concept_row, *opposite, invoicing_currency(db, r.business)};
    const annulment::Stamp s{r.business, r.user, info_user(db.clock().now()), r.date,
                             db.clock().now()};
    std::string number = typed;
    try {
        data::Transaction tx(db, data::kTransDocCancel);
        if (number.empty()) number = draw_number(db, r.business, concept_row->series);
        if (number.empty()) {
            tx.commit();  // nothing written; the numbers tried stay spent
            return refused(port,
                           "El Concepto " + concept_row->name + " no tiene consecutivo asignado!");
        }
        write_voided(db, s, v, number);
        tx.commit();
    } catch (const data::DbError&) {
        port.message(MsgStyle::Error, "Error", kAnnulmentFailed);
        AnnulmentResult failed;
        failed.status = AnnulmentStatus::Failed;
        failed.message = kAnnulmentFailed;
        return failed;
    }
    port.message(MsgStyle::Aviso, "Aviso", kAnnulled + std::string(": ") + number);
    AnnulmentResult out;
    out.status = AnnulmentStatus::Annulled;
    out.mirror = mirror_of(number);
    out.message = kAnnulled;
    return out;
}

}  // namespace qz::domain
