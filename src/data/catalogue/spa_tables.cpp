#include "data/catalogue.h"

namespace qz::data {

namespace {

constexpr int kBiz = 15;
constexpr int kNum = 15;   // reservation, folio, deposit and bank-book numbers
constexpr int kRoom = 15;  // hotel room or master account
constexpr int kRoomType = 4;
constexpr int kCode2 = 2;  // concept, currency, agent, price type, payment type
constexpr int kCode4 = 4;  // spa room, register, operator, hotel transaction
constexpr int kBank = 10;
constexpr int kArt = 15;
constexpr int kBankAcct = 20;
constexpr int kAccount = 20;  // ledger account
constexpr int kUser = 10;
constexpr int kInfo = 60;
constexpr int kName = 60;

void money(TableDef& t, const char* name) { t.N(name, 16, 2); }
void rate(TableDef& t, const char* name) { t.N(name, 14, 5); }
void pct(TableDef& t, const char* name) { t.N(name, 7, 3); }
void flag(TableDef& t, const char* name) { t.N(name, 1); }
void stamp(TableDef& t) { t.C("USUARIO", kUser).C("INFO_USER", kInfo); }
void card_answer(TableDef& t) {
    t.C("PE_TARJ", 20).C("PE_REFNO", 12).C("PE_AUTID", 12).C("PE_TRACE_N", 12);
    flag(t, "PE_TIPO");
}

// Accounting lines of a deposit, as typed on its screen and as stored.
void counterpart(TableDef& t) {
    t.C("CUENTA_CON", kAccount);
    money(t, "DEBITO");
    money(t, "CREDITO");
    pct(t, "DEB_PORC");
    pct(t, "CRED_PORC");
}

TableDef settings(const char* name) {
    TableDef t(name);
    t.C("NEGOCIO", kBiz);
    return t;
}

void add_settings(Catalogue& cat, TableDef t) {
    t.order(t.name(), {kf("NEGOCIO")}, true);
    cat.add(std::move(t));
}

void declare_hotel_settings(Catalogue& cat) {
    TableDef h = settings("F_HOTEL");
    h.C("NOMBRE", kName).C("MONEDA_RES", kCode2).D("CIERRE_DIA");
    money(h, "DIF_PREPAG");  // rounding tolerance of deposit applications
    flag(h, "CHECK_CAJA");
    add_settings(cat, std::move(h));

    TableDef h3 = settings("F_HOTEL3");
    money(h3, "MARGEN_DEP");
    add_settings(cat, std::move(h3));

    TableDef h4 = settings("F_HOTEL4");
    flag(h4, "M_PREPA");  // 0 = deposits compare with ENC_RES.TOTAL, else with TOTAL4
    add_settings(cat, std::move(h4));
}

void declare_hotel_stays(Catalogue& cat) {
    // A room, with the reservation and room line of the guest in house (blank when empty).
    TableDef r("ROOMS");
    r.C("NEGOCIO", kBiz).C("CODIGO", kRoom).C("DESCRIP", kName).C("COD_HAB", kRoomType);
    r.C("COD_RES", kNum).N("ITEM_HAB", 4);
    r.order("ROOMS", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(r));

    TableDef g("HUESPEDES");
    g.C("NEGOCIO", kBiz).C("CODIGO", kNum).C("NOMBRE", kName).C("APELLIDO1", 30);
    g.C("APELLIDO2", 30).C("TELEFONO", 40).C("EMAIL", 100);
    g.order("HUESPEDES", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(g));

    TableDef e("ENC_RES");  // hotel reservation header
    e.C("NEGOCIO", kBiz).C("CODIGO", kNum).C("NOMBRE", kName).C("TIPO", kCode2);
    e.C("MONEDA", kCode2).D("ENTRADA").D("SALIDA");
    e.C("MAESTRA", kRoom);  // the master account a group's charges go to, if any
    money(e, "TOTAL");
    money(e, "TOTAL4");
    e.order("ENC_RES", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(e));

    // One room line of a reservation. ESTADO: 0 booked, 1 in house, 2 checked out; the spa
    // lists in-house rooms by seeking the state digit "1" and the room.
    TableDef d("DET_RES2");
    d.C("NEGOCIO", kBiz).C("COD_RES", kNum).C("COD_HAB", kRoomType).N("ITEM_HAB", 4);
    d.C("ROOM", kRoom).C("COD_HUESP", kNum).N("ESTADO", 1).D("ENTRADA").D("SALIDA");
    flag(d, "TIENE_CRED");
    money(d, "MONTO_CRED");
    for (int i = 1; i <= 8; ++i) d.C("FIRMA" + std::to_string(i), kName);  // signature files
    d.order("DET_RES2", {kf("NEGOCIO"), kf("COD_RES"), kf("COD_HAB"), kn("ITEM_HAB", 4)});
    d.order("DET_RS30", {kf("NEGOCIO"), kn("ESTADO", 1), kf("ROOM")});
    cat.add(std::move(d));

    TableDef m("MAESTRAS");  // master accounts
    m.C("NEGOCIO", kBiz).C("CODIGO", kRoom).C("NOMBRE", kName);
    flag(m, "ESTADO");  // 1 = closed
    m.order("MAESTRAS", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(m));
}

void declare_folios(Catalogue& cat) {
    // A folio of a reservation room line or of a master account (CTA_MAES = 1, COD_RES then
    // holds the master account). A room charge looks for the open folio (CERRADO 0) and
    // prefers the one marked last (ULTIMO 1), which the last class character sorts first.
    TableDef f("ENC_FOL");
    f.C("NEGOCIO", kBiz).C("NUMERO", kNum).C("COD_RES", kRoom).C("ROOM", kRoom);
    f.C("COD_HAB", kRoomType).N("ITEM_HAB", 4).C("MONEDA", kCode2).N("CONSECUT", 10);
    for (const char* b : {"CTA_MAES", "CERRADO", "ULTIMO"}) flag(f, b);
    KeyPart last_first = kx("CASE WHEN \"ULTIMO\" <> 0 THEN '0' ELSE '1' END", 1);
    f.order("ENC_FOL", {kf("NEGOCIO"), kf("NUMERO")}, true);
    f.order("ENC_FOL2", {kf("NEGOCIO"), kf("COD_RES"), kf("ROOM"), kf("COD_HAB"), kn("ITEM_HAB", 4),
                         kn("CERRADO", 1), last_first});
    f.order("ENC_FOL3", {kf("NEGOCIO"), kf("COD_RES"), kf("ROOM"), kn("CERRADO", 1), last_first});
    f.order("ENC_FOL4", {kf("NEGOCIO"), kn("CTA_MAES", 1), kf("COD_RES")});
    cat.add(std::move(f));

    // Folio lines; the O* fields keep the amount in the currency it was charged in.
    TableDef d("DET_FOL");
    d.C("NEGOCIO", kBiz).C("NUMERO", kNum).N("CONSECUT", 10).C("ROOM", kRoom);
    d.C("HAB_ORIGEN", kRoom).D("FECHA").T("HORA").C("COD_TRANS", kCode4).C("COD_TRAN", kCode4);
    d.C("DOCUMEN", kNum).C("COMENTA", 100).C("MONEDA", kCode2).C("OMONEDA", kCode2);
    for (const char* b : {"VOID", "ANULA", "SI_IMP"}) flag(d, b);
    rate(d, "T_CAMBIO");
    rate(d, "OCAMBIO");
    for (const char* a : {"DEBITO", "CREDITO", "ODEBITO", "OCREDITO"}) money(d, a);
    d.D("CIERRE_DIA").D("FECHA_O").C("USUARIO", kUser);
    d.order("DET_FOL", {kf("NEGOCIO"), kf("NUMERO"), kn("CONSECUT", 10)});
    cat.add(std::move(d));

    TableDef a("DET_FOL2");  // articles of the sales charged to a folio
    a.C("NEGOCIO", kBiz).C("NUMERO", kNum).C("DOCUMENTO", kNum).C("CODIGO", kArt);
    a.C("DESCRIP", kName).N("CANTIDAD", 12, 3);
    money(a, "PRECIO");
    pct(a, "DESCUENTO");
    pct(a, "IMPUESTO");
    a.D("FECHA").T("HORA");
    a.order("DET_FOL2", {kf("NEGOCIO"), kf("NUMERO")});
    cat.add(std::move(a));

    TableDef t("TRANSACS");  // hotel transaction codes
    t.C("NEGOCIO", kBiz).C("CODIGO", kCode4).C("DESCRIP", kName);
    flag(t, "TIPO");  // 1 = credit
    flag(t, "IMP_INCLU");
    t.order("TRANSACS", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(t));

    TableDef i("DET_IMP");  // taxes of a hotel transaction
    i.C("NEGOCIO", kBiz).C("TRANSAC", kCode4).C("COD_IMP", kCode2);
    flag(i, "CHECK1");
    i.order("DET_IMP", {kf("NEGOCIO"), kf("TRANSAC"), kf("COD_IMP")});
    cat.add(std::move(i));

    TableDef s("DET_TRAN");  // sub-transactions that share a transaction's amount
    s.C("NEGOCIO", kBiz).C("TRANSAC", kCode4).C("SUB_TRAN", kCode4);
    pct(s, "PORCENTAJE");
    s.order("DET_TRAN", {kf("NEGOCIO"), kf("TRANSAC"), kf("SUB_TRAN")});
    cat.add(std::move(s));
}

void declare_bank_book(Catalogue& cat) {
    TableDef a("CUEN_LIB");  // bank accounts with their balance and movement series
    a.C("NEGOCIO", kBiz).C("BANCO", kBank).C("CUENTA", kBankAcct).C("DESCRIP", kName);
    a.C("MONEDA", kCode2).C("SERLIB_IMP", kNum).C("CUENTA_CON", kAccount);
    money(a, "SALDO");
    a.order("CUEN_LIB", {kf("NEGOCIO"), kf("BANCO"), kf("CUENTA")}, true);
    cat.add(std::move(a));

    TableDef c("CONCEPT5");  // bank-book concepts: TIPO 0 takes money out, 1 puts it in
    c.C("NEGOCIO", kBiz).C("CODIGO", kCode2).C("DESCRIP", kName);
    flag(c, "TIPO");
    c.order("CONCEPT5", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(c));

    TableDef h("ENC_LIB");
    h.C("NEGOCIO", kBiz).C("CONSOLIDA", 1).C("MOVIMIENTO", kNum).C("BANCO", kBank);
    h.C("CUENTA", kBankAcct).C("CONCEPTO", kCode2).C("HECHO_POR", kCode4).C("DESCRIP", 100);
    money(h, "SALDO");
    money(h, "MONTO");
    rate(h, "CAMBIO");
    h.D("FECHA").C("DOCUMENTO", 20).C("MOV_HOTEL", kNum);
    stamp(h);
    h.order("ENC_LIB", {kf("NEGOCIO"), kf("BANCO"), kf("CUENTA"), kf("MOVIMIENTO")});
    h.order("ENC_LIB2", {kf("NEGOCIO"), kf("MOV_HOTEL")});
    cat.add(std::move(h));

    // The three line tables of a bank-book movement; DET_LIB4 is also read by ledger account.
    auto lines = [](const char* name) {
        TableDef d(name);
        d.C("NEGOCIO", kBiz).C("BANCO", kBank).C("CUENTA", kBankAcct).C("MOVIMIENTO", kNum);
        d.C("CUENTA_CON", kAccount).C("DESCRIP", kName).D("FECHA");
        money(d, "DEBITO");
        money(d, "CREDITO");
        d.order(name, {kf("NEGOCIO"), kf("BANCO"), kf("CUENTA"), kf("MOVIMIENTO")});
        return d;
    };
    cat.add(lines("DET_LIB"));
    cat.add(lines("DET_LIB3"));
    TableDef l4 = lines("DET_LIB4");
    l4.order("DET_LIB42", {kf("NEGOCIO"), kf("CUENTA_CON"), kd("FECHA")});
    cat.add(std::move(l4));

    TableDef m("MES_LIB4");  // monthly totals per ledger account
    m.C("NEGOCIO", kBiz).C("CUENTA", kAccount).N("ANHO", 4).N("MES", 2);
    money(m, "DEBITO");
    money(m, "CREDITO");
    m.order("MES_LIB4", {kf("NEGOCIO"), kf("CUENTA"), kn("ANHO", 4), kn("MES", 2)}, true);
    cat.add(std::move(m));
}

void declare_deposits(Catalogue& cat) {
    // Deposit concepts. TIPO_MOV: 0 bank-book deposit, 1 accounting counterpart adding up to
    // the amount, 2 counterpart balancing to zero.
    TableDef c("CON_HLIB");
    c.C("NEGOCIO", kBiz).C("CONCEPTO", kCode2).C("DESCRIP", kName).C("SERIAL", kNum);
    for (const char* f : {"TIPO_MOV", "TIPO", "APLICA_RES", "NO_MAYORES", "CAMB_RES", "VISIBLE",
                          "P_ELECTRO", "IMP_COMP"})
        flag(c, f);
    c.C("TIP_RES", kCode2).C("BANCO", kBank).C("CUENTA", kBankAcct).C("CONCEP_LIB", kCode2);
    c.order("CON_HLIB", {kf("NEGOCIO"), kf("CONCEPTO")}, true);
    cat.add(std::move(c));

    // A guarantee deposit. SALDO is what is not yet applied to reservations; VER drops to 0
    // once nothing is left, which takes it off the pending list.
    TableDef h("ENC_HLIB");
    h.C("NEGOCIO", kBiz).C("MOVIMIENTO", kNum).C("CONCEPTO", kCode2).C("MONEDA", kCode2);
    h.D("FECHA").C("NUM_DEP", 20).C("TXT_NOMBRE", 30).C("TXT_APELL1", 30);
    h.C("NOMBRE", 61).D("ENTRADA").D("SALIDA").C("COMENTARIO", 100);  // surname + " " + name
    for (const char* a : {"MONTO", "SALDO", "SALDO_IN"}) money(h, a);
    rate(h, "CAMBIO_RES");
    rate(h, "CAMBIO_CON");
    h.D("F_CREACION").T("H_CREACION").C("CAJA", kCode4).C("HECHO_POR", kCode4);
    h.C("COD_RES", kNum);
    flag(h, "VER");
    flag(h, "INCLUIDO");
    card_answer(h);
    h.C("ANULADO", 20).D("F_ANULA").T("H_ANULA");
    // Where its money was booked and, once voided, where that was undone: the journal voucher
    // and the bank-book movement.
    h.C("ASIENTO", kNum).C("MOV_LIB", kNum).C("ASIENTO_AN", kNum).C("MOV_LIB_AN", kNum);
    stamp(h);
    h.order("ENC_HLIB", {kf("NEGOCIO"), kf("MOVIMIENTO")}, true);
    h.order("ENC_HLIB2", {kf("NEGOCIO"), kn("VER", 1), kd("FECHA")});
    h.order("ENC_HLIB3", {kf("NEGOCIO"), kf("COD_RES")});
    h.order("ENC_HLIB4", {kf("NEGOCIO"), kd("FECHA"), kf("MOVIMIENTO")});
    h.order("ENC_HLIB5", {kf("NEGOCIO"), kf("CONCEPTO")});
    cat.add(std::move(h));

    TableDef who("HECHOPOR");  // the people who bring deposits to the desk
    who.C("NEGOCIO", kBiz).C("CODIGO", kCode4).C("NOMBRE", kName);
    who.order("HECHOPOR", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(who));

    TableDef d("DET_HLIB");  // accounting counterpart of a deposit
    d.C("NEGOCIO", kBiz).C("MOVIMIENTO", kNum);
    counterpart(d);
    d.order("DET_HLIB", {kf("NEGOCIO"), kf("MOVIMIENTO")});
    cat.add(std::move(d));

    // What a deposit paid of one reservation room line.
    TableDef a("DET_RES8");
    a.C("NEGOCIO", kBiz).C("COD_RES", kNum).C("COD_HAB", kRoomType).N("ITEM_HAB", 4);
    a.C("DOC_PAGO", 20).D("FECHA_CREA").C("MOVIMIENTO", kNum).C("TIP_PAGO", kCode2);
    money(a, "MONTO_PAGO");
    stamp(a);
    a.order("DET_RES8", {kf("NEGOCIO"), kf("COD_RES"), kf("COD_HAB"), kn("ITEM_HAB", 4)});
    a.order("DET_RES82", {kf("NEGOCIO"), kf("MOVIMIENTO")});
    cat.add(std::move(a));

    TableDef p("T_PAGO");  // hotel payment types; DEPOSITO marks those that take deposits
    p.C("NEGOCIO", kBiz).C("CODIGO", kCode2).C("DESCRIP", kName);
    flag(p, "DEPOSITO");
    p.order("T_PAGO", {kf("NEGOCIO"), kf("CODIGO")}, true);
    p.order("T_PAGO3", {kf("NEGOCIO"), kn("DEPOSITO", 1), kf("CODIGO")});
    cat.add(std::move(p));

    TableDef w2("TMP_HLI2", true);  // counterpart typed on the deposit screen
    counterpart(w2);
    cat.add(std::move(w2));

    TableDef w3("TMP_HLI3", true);  // room lines the deposit is applied to
    w3.C("COD_RES", kNum).C("COD_HAB", kRoomType).N("CODIGO", 4);  // CODIGO: the room line
    w3.C("ROOM", kRoom);
    w3.C("NOMBRE", kName);
    money(w3, "MONTO");
    cat.add(std::move(w3));
}

void declare_spa(Catalogue& cat) {
    TableDef r("SPA_SALA");  // treatment rooms; a blocked room is offered no more
    r.C("NEGOCIO", kBiz).C("CODIGO", kCode4).C("DESCRIP", kName).N("CAPAC_MAX", 4);
    flag(r, "BLOQUEADO");
    r.order("SPA_SALA", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(r));

    // A spa reservation. ESTADO 1 active, 2 invoiced, 3 cancelled; times are "HH:MM".
    TableDef s("SPA_RESE");
    s.C("NEGOCIO", kBiz).C("CODIGO", kNum).N("ESTADO", 1).D("FECHA").C("HORA_INI", 5);
    s.C("HORA_FIN", 5).C("COD_SALA", kCode4).C("ENCARGADO", kCode2).C("COD_ROOM", kRoom);
    s.C("A_NOMBRE", kName).N("NUM_PERSON", 4).C("TELEFONOS", 40).C("EMAIL", 100);
    s.M("OBSERVAC").C("T_PRECIO", kCode2).C("MOV_CXC", kNum);
    s.C("USER_REG", kUser).D("FECHA_REG").T("HORA_REG");
    s.C("USER_ANUL", kUser).D("FECHA_ANUL").T("HORA_ANUL").C("INFO_ANUL", kInfo);
    s.order("SPA_RESE", {kf("NEGOCIO"), kf("CODIGO")}, true);
    s.order("SPA_RESE10", {kf("NEGOCIO"), kn("ESTADO", 1), kf("COD_SALA"), kd("FECHA")});
    s.order("SPA_RESE12", {kf("NEGOCIO"), kf("COD_SALA"), kd("FECHA")});
    // The reservation an invoice was made from, freed when the invoice is annulled.
    s.order("SPA_RESE13", {kf("NEGOCIO"), kf("MOV_CXC")});
    // The registered-reservations grid scopes on business, person in charge, state or both,
    // and sorts each scope by code, date, name or state: SPA_H + scope + column.
    const std::pair<char, std::vector<KeyPart>> scopes[] = {
        {'T', {kf("NEGOCIO")}},
        {'E', {kf("NEGOCIO"), kf("ENCARGADO")}},
        {'S', {kf("NEGOCIO"), kn("ESTADO", 1)}},
        {'X', {kf("NEGOCIO"), kn("ESTADO", 1), kf("ENCARGADO")}},
    };
    const std::pair<char, std::vector<KeyPart>> columns[] = {
        {'C', {kf("CODIGO")}},
        {'F', {kd("FECHA"), kf("HORA_INI")}},
        {'N', {kup("A_NOMBRE")}},
        {'S', {kn("ESTADO", 1), kf("CODIGO")}},
    };
    for (const auto& [scope, prefix] : scopes)
        for (const auto& [column, suffix] : columns) {
            bool by_state = scope == 'S' || scope == 'X';
            if (column == 'S' && by_state) continue;  // one state: same as by code
            std::vector<KeyPart> key = prefix;
            key.insert(key.end(), suffix.begin(), suffix.end());
            s.order(std::string("SPA_H") + scope + column, std::move(key));
        }
    cat.add(std::move(s));

    // Services of a reservation. PREC_ESP: 0 price list, 1 customer price, 3 typed by hand.
    TableDef d("SPA_RESD");
    d.C("NEGOCIO", kBiz).C("COD_RESER", kNum).N("CONSECU", 4).C("CODIGO", kArt);
    d.N("CANTIDAD", 12, 3);
    money(d, "PRECIO");
    flag(d, "PREC_ESP");
    pct(d, "DESCUENTO");
    pct(d, "IMPUESTO");
    d.order("SPA_RESD", {kf("NEGOCIO"), kf("COD_RESER")});
    cat.add(std::move(d));

    // The day agenda: one row per slot, one text and state (0 free, 1 taken, 2 full) per room.
    TableDef a("T_AG_RE2", true);
    a.C("HORA", 5);
    for (int i = 1; i <= 15; ++i) {
        a.C("SALA" + std::to_string(i), 254);
        flag(a, ("ESTADO" + std::to_string(i)).c_str());
    }
    a.order("T_AG_RE2", {kf("HORA")});
    cat.add(std::move(a));
}

}  // namespace

void declare_spa_tables(Catalogue& cat) {
    declare_hotel_settings(cat);
    declare_hotel_stays(cat);
    declare_folios(cat);
    declare_bank_book(cat);
    declare_deposits(cat);
    declare_spa(cat);
}

}  // namespace qz::data
