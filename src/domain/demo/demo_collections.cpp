// The collection stages: four stages from issue to return, two collectors and an authoriser who
// may move documents out of every stage. The business's open documents start in the first
// stage, so handing a few invoices to a collector can be tried at once.
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/collections/stage_chain.h"
#include "domain/demo/demo_rows.h"
#include "domain/session/pass_code.h"

namespace qz::domain::demo {

namespace {

constexpr const char* kEntryStage = "C010";

struct DemoStage {
    const char* code;
    const char* name;
    int credit;  // CTRL_CRED: 0 approves the credit of a document entering
};
constexpr DemoStage kStages[] = {{kEntryStage, "Facturas Emitidas", 1},
                                 {"C020", "Entregadas al Cobrador", 0},
                                 {"C030", "En Poder del Cliente", 0},
                                 {"C040", "Devueltas sin Cobrar", 1}};

void load_stages_and_people(data::Db& db) {
    RowWriter stages(db, "ETAPAS_B");
    std::vector<std::string> codes;
    for (const DemoStage& s : kStages) {
        stages.add({{"CODIGO", s.code}, {"DESCRIP", s.name}, {"CTRL_CRED", s.credit}});
        codes.push_back(s.code);
    }
    RowWriter collectors(db, "COBRADOR");
    collectors.add({{"CODIGO", "LM"},
                    {"NOMBRE", "Luis Mora Jiménez"},
                    {"TELEFONO", "8812-3344"},
                    {"ACTIVO", "S"}});
    collectors.add({{"CODIGO", "AV"},
                    {"NOMBRE", "Ana Vargas Solís"},
                    {"TELEFONO", "8899-1122"},
                    {"ACTIVO", "S"}});
    data::Table a = data::USE(db, "AUTO_COB", "AUTO_COB");
    data::ADD_NEW_REC(*a);
    a->FieldPut("NEGOCIO", kBiz);
    a->FieldPut("CODIGO", std::string("JEF"));
    a->FieldPut("NOMBRE", std::string("Jefatura de Cobros"));
    a->FieldPut("TXT_PUESTO", std::string("Jefe de Crédito y Cobro"));
    a->FieldPut("ETAPAS_MOD", stage_list(codes));
    a->FieldPut("ETAPAS_AUT", stage_list(codes));
    put_pass_code(*a, "CLAVE", "COBROS");
    data::UNLOCK_NEW_REC(*a);
    data::KILLTABLA(db, a);
}

void set_entry_stage(data::Db& db) {
    data::Table f = data::USE(db, "F_FAC", "F_FAC");
    if (f->Seek(data::business_key(kBiz))) {
        data::LOCK_FOR_MODIFY(*f);
        f->FieldPut("ETAPA_COB", std::string(kEntryStage));
        data::UNLOCK_FOR_MODIFY(*f);
    }
    data::KILLTABLA(db, f);
}

// The demonstration's documents were written before the stages existed.
long place_open_documents(data::Db& db) {
    long placed = 0;
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMENT");
    const std::string key = data::business_key(kBiz);
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        if (!trim(t->str("ANULADO")).empty() || t->num("SALDO") == Decimal(0)) continue;
        data::LOCK_FOR_MODIFY(*t);
        t->FieldPut("ETAPA_COB", std::string(kEntryStage));
        data::UNLOCK_FOR_MODIFY(*t);
        ++placed;
    }
    data::KILLTABLA(db, t);
    return placed;
}

}  // namespace

void load_collection_stages(data::Db& db, Summary& out) {
    load_stages_and_people(db);
    set_entry_stage(db);
    const long placed = place_open_documents(db);
    out.push_back("Gestión de cobro: " + std::to_string(placed) +
                  " documentos abiertos en la etapa " + kEntryStage +
                  "; autorizador JEF, clave COBROS; cobradores LM y AV.");
}

}  // namespace qz::domain::demo
