// BROW_BLQ and its editor BLOQ_CXC: the classification pairs reserved for a sales agent. The
// editor also opens on its own for a new block of a given document.
#include "core/text.h"
#include "domain/customers/credit_blocks.h"
#include "domain/session/master_rows.h"
#include "gui/customers/credit_screens.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

namespace {

namespace dc = qz::domain::customers;
using K = FormField::Kind;
using Choices = std::vector<std::pair<std::string, std::string>>;

// The codes of a code table with what they stand for, after a blank entry: nothing chosen.
Choices code_choices(data::Db& db, const std::string& business, const std::string& table,
                     const char* name_field) {
    Choices out = {{"", ""}};
    domain::for_business_rows(db, table, business, [&](const data::WDBTable& t) {
        const std::string code = trim(t.str("CODIGO"));
        out.push_back({code, code + " - " + trim(t.str(name_field))});
    });
    return out;
}

bool block_form(QWidget* owner, data::Db& db, const std::string& business,
                const std::string& user, const dc::Block& old) {
    const Choices reasons = {{"0", dc::block_reason_name(dc::kPreSale)},
                             {"1", dc::block_reason_name(dc::kReserved)}};
    std::vector<FormField> fields = {
        {kBlqAgent, "Agente:", K::Choice, old.agent},
        {kBlqClass1, "Clase 1:", K::Choice, old.clas1},
        {kBlqClass2, "Clase 2:", K::Choice, old.clas2},
        {kBlqDocument, "N° Doc:", K::Text, old.document, 15},
        {kBlqObservation, "Observaciones:", K::Text, old.observation, 100},
        {kBlqReason, "Motivo:", K::Choice, std::to_string(old.reason)},
    };
    fields[0].choices = code_choices(db, business, "AGENTES", "NOMBRE");
    fields[1].choices = code_choices(db, business, "D_CLAS1", "DESCRIP");
    fields[2].choices = code_choices(db, business, "D_CLAS2", "DESCRIP");
    fields[5].choices = reasons;
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        dc::Block b = old;
        b.agent = v.at(kBlqAgent);
        b.clas1 = v.at(kBlqClass1);
        b.clas2 = v.at(kBlqClass2);
        b.document = trim(v.at(kBlqDocument));
        b.observation = trim(v.at(kBlqObservation));
        b.reason = v.at(kBlqReason) == "1" ? dc::kReserved : dc::kPreSale;
        if (auto refusal = dc::save_block(db, business, b, user)) {
            MESSAGE_BOX(owner, *refusal, "Atencion", kMbOk | kMbIconExclamation);
            return false;
        }
        return true;
    };
    const std::string caption = old.recno ? "Modificar Bloqueo" : "Agregar Bloqueo";
    return run_master_form(owner, "BLOQ_CXC", caption, std::move(fields), save);
}

}  // namespace

bool add_block(QWidget* owner, data::Db& db, const std::string& business, const std::string& user,
               const std::string& document) {
    dc::Block b;
    b.document = document;
    return block_form(owner, db, business, user, b);
}

MasterListScreen* open_blocks(QWidget* owner, data::Db& db, const std::string& business,
                              const std::string& user) {
    MasterListSpec s;
    s.dlg_name = "BROW_BLQ";
    s.context_id = 6589;
    s.caption = "Bloqueos de Clasificaciones";
    s.table = s.order = "BLQ_CXC";
    s.columns = {{"Clas#1", "CLAS1", ""},      {"Clas#2", "CLAS2", ""},
                 {"Agente", "AGENTE", ""},     {"#Doc", "N_DOC", ""},
                 {"Observación", "OBSERVA", ""}, {"Usuario", "USER", ""}};
    s.add = [&db, business, user](QWidget* o) { return add_block(o, db, business, user); };
    s.modify = [&db, business, user](QWidget* o, data::WDBTable& t) {
        return block_form(o, db, business, user, dc::block_from_row(t));
    };
    s.remove = [&db](QWidget* o, data::WDBTable& t) {
        if (!QtUserPort(o).confirm("Advertencia", dc::kDeleteBlock)) return false;
        dc::delete_block(db, t.RecNo());
        return true;
    };
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

}  // namespace qz::gui
