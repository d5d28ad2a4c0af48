#include "card_fixture.h"

#include <cstdlib>

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "support/record_edit.h"

namespace qz::test {

std::filesystem::path card_sim_dir() { return QZ_CARD_SIM_DIR; }

std::optional<services::terminals::CardReading> ScriptedReader::READ_TCCARD(const std::string& s,
                                                                            const Decimal& a) {
    ++asked;
    symbol = s;
    amount = a;
    if (!number) return std::nullopt;
    services::terminals::CardReading r;
    r.number = *number;
    r.name = "PRUEBA/ANA";
    r.expiry = "2812";
    r.track = "%B" + *number + "^PRUEBA/ANA^2812101000000?";
    return r;
}

void ScriptedPrinter::print_voucher(const services::terminals::Voucher& v) {
    if (fail) throw std::runtime_error("sin papel");
    printed.push_back(v);
}

void CardFixture::SetUp() {
    // Time-outs answer at once here; one test sets its own delay.
    setenv("QZ_CARD_SIM_DELAY", "0", 1);
    unsetenv("QZ_CARD_SIM_CARD");
    inst = std::make_unique<TestInstall>(Engine::SQLite);
    inst->clock.freeze(DateTime{Date(2026, 5, 20), "09:30:00"});
    db = inst->open();
    domain::install_demo_data(*db);
    inst->port.messages.clear();
    ini_path = std::filesystem::path(inst->home()) / "QUARTZEN.INI";
    ini = std::make_unique<IniFile>(ini_path);
    ini->set("ESTACION_CREDIT", kCardBiz, "CAJA1");
    ini->set("PAGO_ELECTRONICO", "MODO", "ENTRENAMIENTO");
    libraries = services::terminals::card_libraries(*ini, card_sim_dir());
    add_terminal("CAJA1", "01", "CO", "Datáfono BNCR", "SPA QUARTZEN", "100200300", "T0001");
    add_terminal("CAJA1", "02", "CO", "Credomatic caja 1", "CR000123");
    service = std::make_unique<services::terminals::CardService>(*db, inst->port, *ini, libraries,
                                                                 reader, printer);
}

void CardFixture::TearDown() { unsetenv("QZ_CARD_SIM_CARD"); }

void CardFixture::add_terminal(const std::string& station, const std::string& bank,
                               const std::string& currency, const std::string& description,
                               const std::string& p1, const std::string& p2,
                               const std::string& p3) {
    add_record(*db, "P_ELECT",
               {{"NEGOCIO", kCardBiz},
                {"CODIGO", station},
                {"BANCO", bank},
                {"MONEDA", currency},
                {"DESCRIP", description},
                {"PARAM1", p1},
                {"PARAM2", p2},
                {"PARAM3", p3}});
}

domain::pos::CardAnswer CardFixture::charge(int provider, const char* amount,
                                            const std::string& currency) {
    domain::pos::CardRequest q;
    q.provider = provider;
    q.operation = domain::pos::kCardPurchase;
    q.amount = Decimal::parse(amount);
    q.business = kCardBiz;
    q.currency = currency;
    return service->PAGO_ELECTRONICO(q);
}

domain::pos::CardAnswer CardFixture::void_of(int provider, const domain::pos::CardAnswer& p,
                                             const char* amount) {
    domain::pos::CardRequest q;
    q.provider = provider;
    q.operation = domain::pos::kCardVoid;
    q.amount = Decimal::parse(amount);
    q.business = kCardBiz;
    q.currency = "CO";
    q.card = p.card;
    q.reference = p.reference;
    q.authorisation = p.authorisation;
    q.trace = p.trace;
    return service->PAGO_ELECTRONICO(q);
}

std::vector<LoggedAttempt> CardFixture::logged() {
    std::vector<LoggedAttempt> out;
    data::Table t = data::USE(*db, "LOG_P_EL");
    for (t->GoTop(); !t->Eof(); t->Skip())
        out.push_back({static_cast<int>(t->num("PE_TIPO").to_int()),
                       static_cast<int>(t->num("TIPO_OP").to_int()), trim(t->str("PE_TARJ")),
                       trim(t->str("PE_REFNO")), trim(t->str("PE_AUTID")),
                       trim(t->str("PE_TRACE_N")), trim(t->str("DESCRIP")),
                       trim(t->str("INFO_USER"))});
    data::KILLTABLA(*db, t);
    return out;
}

std::vector<std::string> CardFixture::log_texts() {
    std::vector<std::string> out;
    data::Table t = data::USE(*db, "LOG_P_EL");
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        std::string row;
        for (int i = 1; i <= t->FCount(); ++i)
            row += data::value_text(t->DBStruct()[size_t(i - 1)], t->FieldGet(i)) + "|";
        out.push_back(row);
    }
    data::KILLTABLA(*db, t);
    return out;
}

bool CardFixture::told(const std::string& text) const {
    for (const auto& m : inst->port.messages)
        if (m.find(text) != std::string::npos) return true;
    return false;
}

}  // namespace qz::test
