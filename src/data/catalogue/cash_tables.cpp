#include "data/catalogue.h"

namespace qz::data {

namespace {

constexpr int kBiz = 15;
constexpr int kCode2 = 2;     // concept, currency, agent, warehouse, price type, tender
constexpr int kRegister = 4;  // register code; the workstation shows "????" without one
constexpr int kOperator = 4;  // operator ("digitador") and waiter codes
constexpr int kCentre = 4;    // sales centre
constexpr int kCust = 15;
constexpr int kUser = 10;
constexpr int kInfo = 60;
constexpr int kName = 60;

void flag(TableDef& t, const char* name) { t.N(name, 1); }

// What every register family shares: the workstation's open-register check reads only this.
void register_core(TableDef& t) {
    t.C("NEGOCIO", kBiz).C("CODIGO", kRegister).C("DESCRIP", kName).C("PASSWORD", kPassCodeWidth);
    t.C("ESTADO", 1);  // "A" open, "C" closed
}

// A point-of-sale register with the defaults and locks it imposes on the sale screen. The
// restaurant's registers (VCAJAS) stand in for these in restaurant mode, so they share it.
TableDef pos_register(const char* name) {
    TableDef t(name);
    register_core(t);
    t.C("DEF_CLIEN", kCust).C("DEF_CONC", kCode2).C("DEF_MONEDA", kCode2).C("DEF_PREC", kCode2);
    t.C("DEF_VENT", kCentre).C("DEF_AGENTE", kCode2).C("DEF_BODEGA", kCode2);
    for (int i = 1; i <= 7; ++i) t.C("DEF_B" + std::to_string(i), kCode2);
    for (int i = 2; i <= 7; ++i) t.C("ROTULO" + std::to_string(i), 20);
    for (const char* f :
         {"POS", "REST_CL", "REST_CON", "REST_MON", "REST_PRE", "REST_AGE", "REST_BOD",
          "DO_CONTADO", "LEER_PAGO", "LEE_CAMBIO", "NO_CONC1", "REQ_CAP_DA", "RESET1"})
        flag(t, f);
    for (int i = 1; i <= 10; ++i) flag(t, ("BLOQUEO" + std::to_string(i)).c_str());
    t.C("MON_CIERRE", kCode2).C("TIP_RECIBO", kCode2);
    t.order(name, {kf("NEGOCIO"), kf("CODIGO")}, true);
    return t;
}

// A shift ("apertura"): the running one has an empty end date, which is how it is found.
void shift_core(TableDef& t) {
    t.C("NEGOCIO", kBiz).C("CAJA", kRegister).C("AGENTE", kOperator);
    t.D("FECHA_INI").T("HORA_INI").D("FECHA_FIN").T("HORA_FIN").N("MONTO_INI", 16, 2);
}

void declare_registers(Catalogue& cat) {
    cat.add(pos_register("CAJA_ENC"));
    cat.add(pos_register("VCAJAS"));

    TableDef d("CAJA_DET");
    shift_core(d);
    for (int i = 1; i <= 5; ++i) {
        std::string n = std::to_string(i);
        d.C("MONEDA" + n, kCode2).N("CAMBIO" + n, 14, 5).N("OTROS" + n, 16, 2);
    }
    d.order("CAJA_DET", {kf("NEGOCIO"), kf("CAJA"), kd("FECHA_INI"), kf("HORA_INI")});
    d.order("CAJA_DE2", {kf("NEGOCIO"), kf("CAJA"), kd("FECHA_FIN")});
    cat.add(std::move(d));

    // Front-desk registers: closing kind and whether a cash count may be taken.
    TableDef h("ENC_HCAJ");
    register_core(h);
    flag(h, "TIP_CIERRE");
    flag(h, "ARQUEO_AD");
    h.order("ENC_HCAJ", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(h));

    // Front-desk shifts also record who closed them and from which workstation.
    TableDef hd("DET_HCAJ");
    shift_core(hd);
    hd.D("LIMITE").T("H_LIMITE").C("CTRL_USR", kUser).C("CTRL_COMP", kName).T("CTRL_HORA");
    hd.D("CTRL_FECHA").C("CTRL_WIN_U", kName);
    hd.order("DET_HCAJ", {kf("NEGOCIO"), kf("CAJA"), kd("FECHA_INI"), kf("HORA_INI")});
    hd.order("DET_HCAJ2", {kf("NEGOCIO"), kf("CAJA"), kd("FECHA_FIN")});
    cat.add(std::move(hd));

    // The cash count of a front-desk shift: what was counted per payment type, as last typed.
    TableDef a("ARQ_HCAJ");
    a.C("NEGOCIO", kBiz).C("CAJA", kRegister).D("FECHA_INI").T("HORA_INI").C("TIPO_MOV", kCode2);
    a.N("MONTO", 16, 2).C("USUARIO", kUser).D("FECHA").T("HORA");
    a.order("ARQ_HCAJ",
            {kf("NEGOCIO"), kf("CAJA"), kd("FECHA_INI"), kf("HORA_INI"), kf("TIPO_MOV")}, true);
    cat.add(std::move(a));

    // Receipt registers and the other family: only their open/closed state is read here.
    for (const char* name : {"ENC_RCAJ", "ENC_TCAJ"}) {
        TableDef t(name);
        register_core(t);
        t.order(name, {kf("NEGOCIO"), kf("CODIGO")}, true);
        cat.add(std::move(t));
    }
}

void declare_waiters(Catalogue& cat) {
    TableDef w("DEF_MESE");
    w.C("NEGOCIO", kBiz).C("CODIGO", kOperator).C("NOMBRE", kName).C("CLAVE", kPassCodeWidth);
    w.C("ACTIVO", 1).D("FECHA_INI").T("HORA_INI").D("FECHA_FIN").T("HORA_FIN");
    // A waiter may identify by typing the password alone; the codes are salted hashes, so no
    // order can find one: the business's waiters are verified one by one instead.
    w.order("DEF_MESE", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(w));

    TableDef s("DET_MESE");  // waiter shifts, the running one with an empty end
    s.C("NEGOCIO", kBiz).C("MESERO", kOperator).D("FECHA_INI").T("HORA_INI");
    s.D("FECHA_FIN").T("HORA_FIN");
    s.order("DET_MESE", {kf("NEGOCIO"), kf("MESERO"), kd("FECHA_FIN")});
    cat.add(std::move(s));
}

void declare_card_terminals(Catalogue& cat) {
    // A card terminal of a workstation ("station") for one network and currency. Provider 1
    // reads merchant, merchant number and terminal from PARAM1..3; provider 2 its terminal
    // from PARAM1.
    TableDef p("P_ELECT");
    p.C("NEGOCIO", kBiz).C("CODIGO", 15).C("BANCO", 2).C("MONEDA", kCode2).C("DESCRIP", kName);
    p.C("PARAM1", 20).C("PARAM2", 20).C("PARAM3", 20);
    p.order("P_ELECT", {kf("NEGOCIO"), kf("CODIGO"), kf("BANCO"), kf("MONEDA")}, true);
    p.order("P_ELECT2",
            {kf("NEGOCIO"), kf("CODIGO"), kf("BANCO"), kf("PARAM1"), kf("PARAM2"), kf("PARAM3")});
    cat.add(std::move(p));

    // Every purchase or void sent to a terminal, approved or not.
    TableDef l("LOG_P_EL");
    l.C("NEGOCIO", kBiz);
    flag(l, "PE_TIPO");
    flag(l, "TIPO_OP");  // 1 purchase, 2 void
    l.C("PE_TARJ", 20).C("PE_REFNO", 12).C("PE_AUTID", 12).C("PE_TRACE_N", 12);
    l.C("DESCRIP", kName).D("FECHA").T("HORA").C("INFO_USER", kInfo);
    l.order("LOG_P_EL", {kf("NEGOCIO"), kd("FECHA"), kf("HORA")});
    cat.add(std::move(l));
}

}  // namespace

void declare_cash_tables(Catalogue& cat) {
    declare_registers(cat);
    declare_waiters(cat);
    declare_card_terminals(cat);
}

}  // namespace qz::data
