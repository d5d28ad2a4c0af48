#include "data/catalogue.h"

namespace qz::data {

namespace {

constexpr int kBiz = 15;
constexpr int kNum = 15;  // document and reservation numbers
constexpr int kCust = 15;
constexpr int kBranch = 15;
constexpr int kCode2 = 2;  // concept, currency, agent
constexpr int kStage = 4;  // stage, collector and authoriser codes
constexpr int kName = 60;
constexpr int kCustName = 100;
constexpr int kAddress = 100;
constexpr int kMail = 100;  // one mail address, a subject, a file or folder path

void money(TableDef& t, const char* name) { t.N(name, 16, 2); }
void flag(TableDef& t, const char* name) { t.N(name, 1); }

void declare_mail_queue(Catalogue& cat) {
    // One outgoing mail. MAIL is the date as YYYYMMDD and a tick count in 10 positions. The
    // body is BODY or, for HTML mail, the file HTML_FILE of the send folder; HTML_EMBED and
    // HTML_ATTCH are comma-separated file names, HTML_D_ATT the attachments' folder and
    // HTML_DEL_A whether they are deleted once sent. The mail service sends the rows that are
    // LISTO and not ENVIADO, and counts its failures in ERR_COUNT with the last in ERR_TEXT.
    TableDef m("E_MSGS");
    m.C("NEGOCIO", kBiz).C("MAIL", 18).D("FECHA").T("HORA").C("TO_USER", kMail);
    m.C("CC1", kMail).C("CC2", kMail).C("SUBJECT", kMail).M("BODY").C("USERNAME", kName);
    m.C("USERADDR", kMail).C("COD_RES", kNum).N("CR_TIPO", 2);
    flag(m, "HTML");
    m.C("HTML_FILE", kMail).M("HTML_EMBED").M("HTML_ATTCH").C("HTML_D_ATT", kMail);
    for (const char* f : {"HTML_DEL_A", "LISTO", "ENVIADO"}) flag(m, f);
    m.D("F_ENVIO").T("H_ENVIO").N("ERR_COUNT", 4).M("ERR_TEXT");
    // The service's queue runs across businesses, oldest first within the unsent rows.
    m.order("E_MSGS", {kn("ENVIADO", 1), kd("FECHA"), kf("HORA")});
    // "Was it sent yet?": business + "1" + recipient + date + subject.
    m.order("E_MSGS8",
            {kf("NEGOCIO"), kn("ENVIADO", 1), kf("TO_USER"), kd("FECHA"), kf("SUBJECT")});
    cat.add(std::move(m));
}

// The fields every stage chain shares (collection, order and proforma stages). The chain
// order is the code order.
TableDef stage_table(const char* name) {
    TableDef t(name);
    t.C("NEGOCIO", kBiz).C("CODIGO", kStage).C("DESCRIP", 40);
    for (const char* f : {"NO_MOSTRAR", "NO_CONTAR", "ALERTA", "CTRL_CRED"}) flag(t, f);
    t.C("SONIDO", kMail);  // wave file of the WAV folder
    return t;
}

// Authorisers: ETAPAS_AUT and ETAPAS_MOD hold "[" + stage + "]" for every stage chosen.
TableDef authoriser_table(const char* name) {
    TableDef t(name);
    t.C("NEGOCIO", kBiz).C("CODIGO", kStage).C("NOMBRE", kName).C("CLAVE", kPassCodeWidth);
    t.C("FIRMA", kMail).C("TXT_PUESTO", kName).M("ETAPAS_MOD").M("ETAPAS_AUT");
    return t;
}

void declare_collection_stages(Catalogue& cat) {
    TableDef s = stage_table("ETAPAS_B");
    for (const char* f : {"ED_PROVEE", "PROCESAR", "ASIGNA_COB"}) flag(s, f);
    s.order("ETAPAS_B1", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(s));

    TableDef a = authoriser_table("AUTO_COB");
    a.order("AUTO_COB", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(a));

    TableDef c("COBRADOR");
    c.C("NEGOCIO", kBiz).C("CODIGO", kStage).C("NOMBRE", kName).C("DIRECCION", kAddress);
    c.C("TELEFONO", 40).N("DESCUENTO", 7, 3).C("ACTIVO", 1);
    c.order("COBRADOR", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(c));

    // Documents handed to a collector in one forward move, for the receipt.
    TableDef w("TMP_COB", true);
    w.C("ETAPA_COB", kStage).C("COD_CLIEN", kCust).C("NOMB_CLIEN", kCustName).D("FECHA");
    money(w, "MONTO");
    w.C("DOCUMENTO", kNum).C("COBRADOR", kStage);
    w.order("TMP_COB", {kf("DOCUMENTO")});
    cat.add(std::move(w));
}

void declare_order_stages(Catalogue& cat) {
    // ETAPAS_P2 puts the stages of each credit-control kind together, in code order, so the
    // first stage of a kind is one seek away.
    TableDef s = stage_table("ETAPAS_P");
    flag(s, "PEDI_FACT");  // orders in this stage may become an invoice
    s.order("ETAPAS_P1", {kf("NEGOCIO"), kf("CODIGO")}, true);
    s.order("ETAPAS_P2", {kf("NEGOCIO"), kn("CTRL_CRED", 1), kf("CODIGO")});
    cat.add(std::move(s));

    // Order authorisers also carry how far overdue a customer they may let through is.
    TableDef a = authoriser_table("AUTO_PED");
    a.N("DIAS_PERMI", 5);
    money(a, "CRED_PERMI");
    a.order("AUTO_PED", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(a));

    // Proforma stages; a new proforma starts in the first one marked INICIAL.
    TableDef p = stage_table("ETAP_PRO");
    flag(p, "INICIAL");
    p.order("ETAP_PRO1", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(p));

    TableDef pa = authoriser_table("AUTO_PRO");
    pa.order("AUTO_PRO", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(pa));
}

// Every move of a document, order or proforma between stages: who authorised it, when, from
// where to where, and why when it went back. TIPO: "C" collections, "P" orders, "R" proformas.
void declare_stage_history(Catalogue& cat) {
    TableDef h("HIST_ETAP");
    h.C("NEGOCIO", kBiz).C("TIPO", 1).C("DOCUMENTO", kNum).D("FECHA").C("HORA", 8);
    h.C("DE_ETAPA", kStage).C("A_ETAPA", kStage).C("MOVIDA", 1);  // MOVIDA: S, A, P, F, N
    h.C("AUTORIZA", kStage).C("NOM_AUTO", kName).C("COBRADOR", kStage).C("MOTIVO", kMail);
    h.C("USUARIO", 10).C("INFO_USER", 60);
    h.order("HIST_ETAP", {kf("NEGOCIO"), kf("TIPO"), kf("DOCUMENTO"), kd("FECHA"), kf("HORA")});
    cat.add(std::move(h));
}

void declare_report_work_tables(Catalogue& cat) {
    // Aging: one row per document kept, with its balance at the cut-off date.
    TableDef d("TMP_RC5", true);
    d.C("CLIENTE", kCust).C("SUBCLIENTE", kBranch).C("DOCUMENTO", kNum).C("MONEDA", kCode2);
    d.D("FECHA").D("FECHA_DOC");
    for (const char* a : {"MONTO_DOC", "SALDO_DOC", "SALDO"}) money(d, a);
    d.C("CONCEPTO", kCode2);
    d.order("TMP_1", {kf("DOCUMENTO")});
    cat.add(std::move(d));

    // Aging: one row per customer with the six age buckets.
    TableDef c("TMP_RC2", true);
    c.C("CLIENTE", kCust).C("NOM_CLIENT", kCustName);
    for (int i = 1; i <= 6; ++i) money(c, ("TOTAL_" + std::to_string(i)).c_str());
    money(c, "SALDO");
    money(c, "SAL_VENC");
    c.C("TELEFONO", 40).C("FAX", 40).C("SUGIERE_A", kCode2);
    money(c, "LIMITE");
    c.N("MAX_DIAS", 4);
    // Amount keys put credits (negative) before debits, then order by whole units.
    auto amount = [](const char* field) {
        std::string f = std::string("\"") + field + "\"";
        return std::vector<KeyPart>{kx("CASE WHEN " + f + " < 0 THEN '0' ELSE '1' END", 1),
                                    kn(field, 16)};
    };
    const std::vector<KeyPart> keys[] = {
        {kf("CLIENTE")}, {kup("NOM_CLIENT"), kf("CLIENTE")}, amount("SALDO"), amount("SAL_VENC")};
    // Keys cannot run backwards: I_5..I_8 repeat I_1..I_4 and the report reads them from the
    // bottom up, so each sort has its own tag as the report names it.
    for (int i = 0; i < 4; ++i) {
        c.order("I_" + std::to_string(i + 1), keys[i]);
        c.order("I_" + std::to_string(i + 5), keys[i]);
    }
    c.order("TMP_3", {kf("CLIENTE")});
    cat.add(std::move(c));

    // Aging: the lines of the collections file for the bank (about 220 characters each).
    TableDef p("TMP_PAGA", true);
    p.C("HILERA", 254);
    cat.add(std::move(p));

    // Instalment statement: what is still due of each instalment, with its age.
    TableDef s("TMP_CXP2", true);
    s.C("DOCUMENTO", kNum);
    for (const char* a : {"INTERES", "INTS2", "MONTO"}) money(s, a);
    s.D("FECHA").N("REC", 10).N("DIAS", 6).N("DIAS2", 6);
    cat.add(std::move(s));
}

}  // namespace

void declare_collection_tables(Catalogue& cat) {
    declare_mail_queue(cat);
    declare_collection_stages(cat);
    declare_order_stages(cat);
    declare_stage_history(cat);
    declare_report_work_tables(cat);
}

}  // namespace qz::data
