#include "domain/collections/stage_chain.h"

#include <algorithm>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"

namespace qz::domain {

namespace {

bool has(const data::WDBTable& t, const char* field) { return t.def().field(field) != nullptr; }

bool flag(const data::WDBTable& t, const char* field) { return has(t, field) && t.num(field) != 0; }

}  // namespace

Stage stage_from_row(const data::WDBTable& t) {
    Stage s;
    s.code = trim(t.str("CODIGO"));
    s.name = trim(t.str("DESCRIP"));
    s.hidden = flag(t, "NO_MOSTRAR");
    s.uncounted = flag(t, "NO_CONTAR");
    s.alert = flag(t, "ALERTA");
    s.sound = trim(t.str("SONIDO"));
    s.credit_controlled = t.num("CTRL_CRED") == 0;
    s.processing = flag(t, "PROCESAR");
    s.to_invoice = flag(t, "PEDI_FACT");
    return s;
}

const Stage* StageChain::find(const std::string& code) const {
    const auto it = std::find_if(m_stages.begin(), m_stages.end(),
                                 [&](const Stage& s) { return s.code == trim(code); });
    return it == m_stages.end() ? nullptr : &*it;
}

const Stage* StageChain::next(const std::string& code) const {
    const auto it = std::find_if(m_stages.begin(), m_stages.end(),
                                 [&](const Stage& s) { return s.code > trim(code); });
    return it == m_stages.end() ? nullptr : &*it;
}

const Stage* StageChain::previous(const std::string& code) const {
    const auto it = std::find_if(m_stages.rbegin(), m_stages.rend(),
                                 [&](const Stage& s) { return s.code < trim(code); });
    return it == m_stages.rend() ? nullptr : &*it;
}

StageChain read_stage_chain(data::Db& db, const StageWorkflow& w, const std::string& business) {
    std::vector<Stage> out;
    data::Table t = data::USE(db, w.stages, w.stage_order);
    const std::string key = data::order_key(w.stages, w.stage_order, {business});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(stage_from_row(*t));
    data::KILLTABLA(db, t);
    return StageChain(std::move(out));
}

std::string stage_tag(const std::string& code) { return "[" + trim(code) + "]"; }

bool stage_listed(const std::string& list, const std::string& code) {
    return list.find(stage_tag(code)) != std::string::npos;
}

std::vector<std::string> listed_stages(const std::string& list) {
    std::vector<std::string> out;
    for (size_t at = list.find('['); at != std::string::npos; at = list.find('[', at + 1)) {
        const size_t end = list.find(']', at);
        if (end == std::string::npos) break;
        out.push_back(list.substr(at + 1, end - at - 1));
    }
    return out;
}

std::string stage_list(const std::vector<std::string>& codes) {
    std::string out;
    for (const auto& c : codes) out += stage_tag(c);
    return out;
}

}  // namespace qz::domain
