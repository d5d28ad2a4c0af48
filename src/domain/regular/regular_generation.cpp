#include "domain/regular/regular_generation.h"

#include <algorithm>
#include <exception>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/cash/register_rows.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/pos/sale_documents.h"
#include "domain/regular/regular_template.h"
#include "domain/regular/regular_writer.h"

namespace qz::domain::regular {

namespace {

int whole(const data::WDBTable& t, const char* f) { return static_cast<int>(t.num(f).to_int()); }

bool from_template(const RunRequest& r, const RegularDocument& d) {
    return d.kind == 1 || !trim(r.template_code).empty();
}

// Whether the regular document's customer may be billed; inactive ones are passed over
// silently, as the run has always done.
bool customer_active(data::Db& db, const std::string& business, const RegularDocument& d) {
    const auto c = customers::read_customer(db, business, d.customer);
    return !c || c->active;  // a missing customer is told by the generator
}

}  // namespace

RegularSettings read_regular_settings(data::Db& db, const std::string& business) {
    RegularSettings s;
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    if (t->Seek(data::order_key("F_FAC", "F_FAC", {business}))) {
        s.advance = {whole(*t, "SUMA_ANO"), whole(*t, "SUMA_MES"), whole(*t, "SUMA_DIA")};
        s.append_description = whole(*t, "TXT_REGULA") == 1;
        s.customer_name = whole(*t, "CLIENTE_M") != 0;
    }
    data::KILLTABLA(db, t);
    return s;
}

std::vector<RegularDocument> chosen_documents(data::Db& db, const std::string& business,
                                              const RunRequest& r) {
    std::vector<RegularDocument> out;
    if (r.mode == RunMode::Customer) {
        for (RegularDocument& d : customer_documents(db, business, r.customer))
            if (trim(r.branch).empty() || trim(d.branch) == trim(r.branch))
                out.push_back(std::move(d));
        return out;
    }
    for (RegularDocument& d : set_documents(db, business, r.set))
        if (r.mode == RunMode::WholeSet ||
            std::find(r.marked.begin(), r.marked.end(), d.code) != r.marked.end())
            out.push_back(std::move(d));
    return out;
}

RunPreview preview_run(data::Db& db, const std::string& business, const RunRequest& r) {
    RunPreview p;
    for (const RegularDocument& d : chosen_documents(db, business, r)) {
        if (!customer_active(db, business, d)) continue;
        const bool tmpl = from_template(r, d);
        const std::string number =
            !tmpl ? d.model_number()
                  : (trim(r.template_code).empty() ? trim(d.template_code) : trim(r.template_code));
        const auto m = read_model(db, tmpl ? kTemplates : kRegularModels, business, number);
        ++p.count;
        if (m) p.per_emission += m->header.amount;
    }
    return p;
}

std::string CHECK_CAJA(data::Db& db, const std::string& business, const std::string& register_code,
                       const std::string& operator_code) {
    const auto reg = cash::read_register(db, cash::kPosRegisters, business, register_code);
    if (!reg) return "Debe seleccionar la caja de los documentos";
    if (!cash::read_operator(db, business, operator_code)) return "Falta seleccionar el digitador";
    return "";
}

RunResult PROCESAR(data::Db& db, UserPort& port, const std::string& business, const RunRequest& r) {
    RunResult out;
    Generation g{db,
                 port,
                 business,
                 r,
                 read_ledger_settings(db, business),
                 read_regular_settings(db, business),
                 pos::local_currency(db, business)};
    if (g.ledger.posts && !check_mayorizar(db, port, business, r.application)) {
        out.stopped = true;
        return out;
    }
    const std::vector<RegularDocument> chosen = chosen_documents(db, business, r);
    auto wait = port.wait("Procesando Documentos...");
    long done = 0;
    for (const RegularDocument& d : chosen) {
        if (wait && wait->cancelled()) {
            out.stopped = true;
            break;
        }
        if (wait) {
            wait->put_text("Cliente: " + d.name);
            wait->progress(done++, static_cast<long>(chosen.size()));
        }
        port.breathe();
        if (!customer_active(db, business, d)) {
            ++out.skipped;
            continue;
        }
        try {
            auto made = from_template(r, d) ? PASAFAC2(g, d) : PASAFAC1(g, d);
            if (made)
                out.documents.push_back(std::move(*made));
            else
                ++out.skipped;
        } catch (const std::exception& e) {
            out.stopped = true;
            out.failure = e.what();
            port.message(MsgStyle::Error, "Error",
                         "Documento Regular: " + d.description + "\n" + e.what());
            break;
        }
    }
    return out;
}

}  // namespace qz::domain::regular
