#include "domain/collections/stage_maintenance.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/code_rows.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

bool has(const data::WDBTable& t, const char* field) { return t.def().field(field) != nullptr; }
bool flag(const data::WDBTable& t, const char* field) { return has(t, field) && t.num(field) != 0; }
Decimal bit(bool b) { return Decimal(b ? 1 : 0); }
void put_flag(data::WDBTable& t, const char* field, bool b) {
    if (has(t, field)) t.FieldPut(field, bit(b));
}

void put_stage(data::WDBTable& t, const std::string& business, const StageRecord& r) {
    const Stage& s = r.stage;
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(s.code));
    t.FieldPut("DESCRIP", trim(s.name));
    put_flag(t, "NO_MOSTRAR", s.hidden);
    put_flag(t, "NO_CONTAR", s.uncounted);
    put_flag(t, "ALERTA", s.alert);
    t.FieldPut("SONIDO", trim(s.sound));
    t.FieldPut("CTRL_CRED", bit(!s.credit_controlled));
    put_flag(t, "PROCESAR", s.processing);
    put_flag(t, "PEDI_FACT", s.to_invoice);
    put_flag(t, "ED_PROVEE", r.edits_supplier);
    put_flag(t, "ASIGNA_COB", r.assigns_collector);
}

// The rows that stand in a stage are found through an order led by the business and the stage:
// documents by their valid ones (an annulled document no longer moves), orders and proformas by
// every one.
struct Standing {
    std::string order, key;
};
Standing standing_in(const StageWorkflow& w, const std::string& business,
                     const std::string& stage) {
    if (std::string(w.documents) == "DOCUMENT")
        return {"DOCUMEN24", data::order_key("DOCUMENT", "DOCUMEN24", {business, "", stage})};
    return {"DOCUMEN21", data::order_key(w.documents, "DOCUMEN21", {business, stage})};
}

bool rows_stand_in(data::Db& db, const StageWorkflow& w, const std::string& business,
                   const std::string& stage) {
    const Standing s = standing_in(w, business, stage);
    data::Table t = data::USE(db, w.documents, s.order);
    const bool found = t->Seek(s.key);
    data::KILLTABLA(db, t);
    return found;
}

// Each row moved leaves the scope, so the first one left is always the next to move.
void move_standing_rows(data::Db& db, const StageWorkflow& w, const std::string& business,
                        const std::string& from, const std::string& to) {
    const Standing s = standing_in(w, business, from);
    data::Table t = data::USE(db, w.documents, s.order);
    while (lock_at_key(*t, s.key)) {
        t->FieldPut(w.stage_field, to);
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

std::string replaced(std::string list, const std::string& from, const std::string& to) {
    const std::string old_tag = stage_tag(from);
    const std::string new_tag = to.empty() ? std::string() : stage_tag(to);
    for (size_t at = list.find(old_tag); at != std::string::npos;
         at = list.find(old_tag, at + new_tag.size()))
        list.replace(at, old_tag.size(), new_tag);
    return list;
}

// Rewrites "[from]" as "[to]" (or takes it out when `to` is empty) in both lists of every
// authoriser of the business.
void retag_authorisers(data::Db& db, const StageWorkflow& w, const std::string& business,
                       const std::string& from, const std::string& to) {
    data::Table t = data::USE(db, w.authorisers, w.authorisers);
    const std::string key = data::business_key(business);
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        const std::string mod = t->str("ETAPAS_MOD"), aut = t->str("ETAPAS_AUT");
        if (!stage_listed(mod, from) && !stage_listed(aut, from)) continue;
        data::LOCK_FOR_MODIFY(*t);
        t->FieldPut("ETAPAS_MOD", replaced(t->str("ETAPAS_MOD"), from, to));
        t->FieldPut("ETAPAS_AUT", replaced(t->str("ETAPAS_AUT"), from, to));
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

std::string stage_key(const StageWorkflow& w, const std::string& business,
                      const std::string& code) {
    return data::order_key(w.stages, w.stage_order, {business, normal_code(code)});
}

bool stage_exists(data::Db& db, const StageWorkflow& w, const std::string& business,
                  const std::string& code) {
    return key_exists(db, w.stages, w.stage_order, {business, normal_code(code)});
}

std::string stage_refusal(data::Db& db, const StageWorkflow& w, const std::string& business,
                          const std::string& old_code, const Stage& s) {
    const std::string code = normal_code(s.code);
    if (code.empty()) return kBlankCode;
    if (auto p = code_width_problem("El Código", code, w.stages, "CODIGO"); !p.empty()) return p;
    if (trim(s.name).empty()) return kBlankName;
    if (code != normal_code(old_code) && stage_exists(db, w, business, code))
        return kStageDuplicate;
    return "";
}

}  // namespace

StageRecord stage_record_from_row(const data::WDBTable& t) {
    return {stage_from_row(t), flag(t, "ED_PROVEE"), flag(t, "ASIGNA_COB")};
}

std::optional<StageRecord> read_stage(data::Db& db, const StageWorkflow& w,
                                      const std::string& business, const std::string& code) {
    std::optional<StageRecord> out;
    data::Table t = data::USE(db, w.stages, w.stage_order);
    if (t->Seek(stage_key(w, business, code))) out = stage_record_from_row(*t);
    data::KILLTABLA(db, t);
    return out;
}

bool save_stage(data::Db& db, UserPort& port, const StageWorkflow& w, const std::string& business,
                const std::string& old_code, const StageRecord& s) {
    if (auto p = stage_refusal(db, w, business, old_code, s.stage); !p.empty())
        return refuse(port, p);
    const std::string code = normal_code(s.stage.code), old_c = normal_code(old_code);
    try {
        data::Transaction tx(db);
        data::Table t = data::USE(db, w.stages, w.stage_order);
        if (old_c.empty()) {
            data::ADD_NEW_REC(*t);
        } else if (!lock_at_key(*t, stage_key(w, business, old_c))) {
            data::KILLTABLA(db, t);
            tx.commit();  // nothing was written
            return refuse(port, "La etapa " + old_c + " ya no existe...");
        }
        put_stage(*t, business, s);
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        if (!old_c.empty() && old_c != code) {
            retag_authorisers(db, w, business, old_c, code);
            move_standing_rows(db, w, business, old_c, code);
        }
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

bool delete_stage(data::Db& db, UserPort& port, const StageWorkflow& w, const std::string& business,
                  const std::string& code) {
    const std::string c = normal_code(code);
    if (rows_stand_in(db, w, business, c))
        return refuse(port, "No se puede borrar: la Etapa " + c + " tiene documentos.");
    if (!port.confirm("Atencion", kAskDeleteStage)) return false;
    try {
        data::Transaction tx(db);
        retag_authorisers(db, w, business, c, "");
        data::Table t = data::USE(db, w.stages, w.stage_order);
        const bool found = lock_at_key(*t, stage_key(w, business, c));
        if (found) {
            t->Delete();
            data::UNLOCK_FOR_MODIFY(*t);
        }
        data::KILLTABLA(db, t);
        tx.commit();
        return found;
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
}

bool delete_stage_authoriser(data::Db& db, UserPort& port, const StageWorkflow& w,
                             const std::string& business, const std::string& code) {
    if (!port.confirm("Atencion", "Desea borrar el Autorizador?")) return false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, w.authorisers, w.authorisers);
    const bool found = lock_at_key(
        *t, data::order_key(w.authorisers, w.authorisers, {business, normal_code(code)}));
    if (found) {
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return found;
}

std::string collection_entry_stage(data::Db& db, const std::string& business) {
    std::string stage;
    data::Table f = data::USE(db, "F_FAC", "F_FAC");
    if (f->Seek(data::business_key(business))) stage = trim(f->str("ETAPA_COB"));
    data::KILLTABLA(db, f);
    return stage;
}

namespace {

constexpr code_rows::CodeTable kCollectors{"COBRADOR", "Cobrador", kCollectorDuplicate, "CODIGO",
                                           kAskDeleteCollector};

// DOCUMENT has no order led by the collector; the valid documents are found stage by stage
// (and those with no stage) through the order the collections screen lists them by.
std::string first_document_of(data::Db& db, const std::string& business,
                              const std::string& collector) {
    std::vector<std::string> stages{""};
    const StageChain chain = read_stage_chain(db, kCollectionWorkflow, business);
    for (const Stage& s : chain.stages()) stages.push_back(s.code);
    std::string found;
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMEN22");
    for (const auto& stage : stages)
        if (found.empty() &&
            t->Seek(data::order_key("DOCUMENT", "DOCUMEN22", {business, "", stage, collector})))
            found = "el Documento " + trim(t->str("DOCUMENTO"));
    data::KILLTABLA(db, t);
    return found;
}

}  // namespace

Collector collector_from_row(const data::WDBTable& t) {
    Collector c;
    c.code = trim(t.str("CODIGO"));
    c.name = trim(t.str("NOMBRE"));
    c.address = trim(t.str("DIRECCION"));
    c.phone = trim(t.str("TELEFONO"));
    c.discount = t.num("DESCUENTO");
    c.active = trim(t.str("ACTIVO")) != "N";
    return c;
}

std::optional<Collector> read_collector(data::Db& db, const std::string& business,
                                        const std::string& code) {
    return read_code_row<Collector>(db, "COBRADOR", business, code, collector_from_row);
}

std::vector<Collector> active_collectors(data::Db& db, const std::string& business) {
    std::vector<Collector> out;
    for (auto& c : business_rows<Collector>(db, "COBRADOR", business, collector_from_row))
        if (c.active) out.push_back(std::move(c));
    return out;
}

bool save_collector(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& old_code, const Collector& c) {
    if (normal_code(c.code).empty()) return refuse(port, kBlankCode);
    if (auto p = code_width_problem("El Código", normal_code(c.code), "COBRADOR", "CODIGO");
        !p.empty())
        return refuse(port, p);
    if (trim(c.name).empty()) return refuse(port, kBlankName);
    return code_rows::write(db, port, kCollectors, business, old_code, c.code,
                            [&](data::WDBTable& t) {
                                t.FieldPut("NEGOCIO", business);
                                t.FieldPut("CODIGO", normal_code(c.code));
                                t.FieldPut("NOMBRE", trim(c.name));
                                t.FieldPut("DIRECCION", trim(c.address));
                                t.FieldPut("TELEFONO", trim(c.phone));
                                t.FieldPut("DESCUENTO", c.discount);
                                t.FieldPut("ACTIVO", std::string(c.active ? "S" : "N"));
                            });
}

bool delete_collector(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& code) {
    const std::string c = normal_code(code);
    return code_rows::remove(db, port, kCollectors, business, c,
                             {first_document_of(db, business, c)});
}

}  // namespace qz::domain
