#include "data/catalogue.h"

namespace qz::data {

namespace {

// Code widths shared with the other groups: a seek pads the typed code to the width of the key
// part, so a code kept in two tables must have the same width in both.
constexpr int kBiz = 15;     // business
constexpr int kNum = 15;     // document, movement and series numbers
constexpr int kCust = 15;    // customer
constexpr int kBranch = 15;  // customer branch (SUBCLIENTE)
constexpr int kArt = 15;     // article or service
constexpr int kCode2 = 2;    // concept, currency, agent, warehouse, price type, tax, receipt book
constexpr int kCode4 = 4;    // stage, register, operator, sales centre, line, sub-line, brand
constexpr int kLink = 15;    // ledger link ("liga")
constexpr int kUser = 10;    // user short code
constexpr int kInfo = 60;    // user stamp text
constexpr int kName = 60;
constexpr int kSpec = 100;  // invoice text of a line

void money(TableDef& t, const char* name) { t.N(name, 16, 2); }
// Unit prices after a currency conversion and average costs need more than cents.
void price(TableDef& t, const char* name) { t.N(name, 16, 4); }
void cost(TableDef& t, const char* name) { t.N(name, 16, 4); }
void qty(TableDef& t, const char* name) { t.N(name, 12, 3); }
void pct(TableDef& t, const char* name) { t.N(name, 7, 3); }
void flag(TableDef& t, const char* name) { t.N(name, 1); }
void stamp(TableDef& t) { t.C("USUARIO", kUser).C("INFO_USER", kInfo); }

// Header of a sale document other than the receivable itself (orders, proformas, models of
// regular invoices and their templates): the fields the point-of-sale save writes, so one save
// path fills any of them.
void sale_header(TableDef& t) {
    t.C("NEGOCIO", kBiz).C("DOCUMENTO", kNum).C("CONCEPTO", kCode2).C("CLIENTE", kCust);
    t.C("SUBCLIENTE", kBranch).C("NOM_CLIENT", 100).C("NOMBRE", kName).C("CEDULA", 20);
    t.D("FECHA").T("HORA").D("VENCE").C("MONEDA", kCode2).C("T_PRECIO", kCode2);
    t.C("BODEGA", kCode2).C("AGENTE", kCode2).C("CAJA", kCode4).C("DIGITADOR", kCode4);
    t.C("C_VENTA", kCode4).C("C_COSTO", 10);
    // BRUTO is the unrounded sum of quantity times price, as on the receivable.
    t.N("BRUTO", 18, 7);
    for (const char* f : {"MONTO", "SALDO", "SALDO_ORIG", "OTROS1", "OTROS2", "CUOTA"}) money(t, f);
    t.N("PLAZOS", 4);
    pct(t, "I_NORMAL");
    pct(t, "I_MORA");
    t.N("TC_DIFF", 14, 5).C("COD_DIFF", kCode2);
    t.C("PEDIDO", kNum).C("COMPRA", kNum).C("REMISION", kNum).C("CONTRATO", kNum);
    t.C("CONCURSO", kNum).C("MOV_INV", kNum).C("FACTURA", kNum).M("DESCRIP");
    t.C("CLAS1", kCode4).C("CLAS2", kCode4).C("CLAS3", kCode4).C("REFERIDO", kCode4);
    t.C("ETAPA", kCode4).C("ETAPA_COB", kCode4).C("MODULO", 1);
    // Annulment: the document's own number + "-A" does not fit in 15 characters.
    t.C("ANULADO", 20).D("F_ANULA").T("H_ANULA");
    stamp(t);
}

// Lines of those documents, laid out like the receivable's lines.
void sale_lines(TableDef& t) {
    t.C("NEGOCIO", kBiz).C("DOCUMENTO", kNum).N("N_INDEX", 4).C("CODIGO", kArt);
    qty(t, "CANTIDAD");
    price(t, "PRECIO");
    price(t, "PRECIO_ANT");
    flag(t, "PRE_MANUAL");
    flag(t, "P_ESP");
    pct(t, "DESCUENTO");
    pct(t, "IMPUESTO");
    cost(t, "COSTO");
    money(t, "OTROS1");
    money(t, "OTROS2");
    t.C("T_PRECIO", kCode2).C("BODEGA", kCode2).C("CAJA", kCode4).C("CLIENTE", kCust);
    t.C("COD_PROVEE", kCust).C("SPEC_FAC", kSpec).D("FECHA").T("HORA");
    qty(t, "INV_TOT");
}

// Instalment model of a regular invoice: days after the document date instead of a due date.
void plan_lines(TableDef& t) {
    t.C("NEGOCIO", kBiz).C("DOCUMENTO", kNum).N("DIAS", 4);
    money(t, "MONTO");
    money(t, "INTERES");
}

void add_sale_document(Catalogue& cat, const char* header, const char* second, const char* lines,
                       bool staged) {
    TableDef h(header);
    sale_header(h);
    if (staged) h.C("NOTAS1", kName).C("NOTAS2", kName).C("NOTAS3", kName);
    h.order(header, {kf("NEGOCIO"), kf("DOCUMENTO")}, true);
    if (staged) {
        // The stage browse: by number, date and customer, for every sales point or for one.
        h.order("DOCUMEN21", {kf("NEGOCIO"), kf("ETAPA"), kf("DOCUMENTO")});
        h.order("DOCUMEN22", {kf("NEGOCIO"), kf("ETAPA"), kd("FECHA")});
        h.order("DOCUMEN23", {kf("NEGOCIO"), kf("ETAPA"), kf("CLIENTE")});
        h.order("DOCUMEN24", {kf("NEGOCIO"), kf("ETAPA"), kf("C_VENTA"), kf("DOCUMENTO")});
        h.order("DOCUMEN25", {kf("NEGOCIO"), kf("ETAPA"), kf("C_VENTA"), kd("FECHA")});
        h.order("DOCUMEN26", {kf("NEGOCIO"), kf("ETAPA"), kf("C_VENTA"), kf("CLIENTE")});
    }
    cat.add(std::move(h));

    // Delivery, contact and credit data, as the receivable's second header.
    TableDef s(second);
    s.C("NEGOCIO", kBiz).C("DOCUMENTO", kNum).C("ATENCION", kName).C("TELEFONO", 40);
    s.C("FAX", 40).C("DIRECCION", 100).C("NOMBRE2", kName).C("ATEN2", kName).C("TELE2", 40);
    s.C("FAX2", 40).C("DIREC2", 100).C("TRANSPORTE", kName).C("PLACA", 20);
    s.C("CHOFER", kName).C("CEDULA", 20).C("CPAGO", kName).M("CRED_OBS");
    money(s, "VAL_DOC");
    flag(s, "APROB_CRED");
    s.order("ENC_DOC2", {kf("NEGOCIO"), kf("DOCUMENTO")}, true);
    cat.add(std::move(s));

    TableDef l(lines);
    sale_lines(l);
    l.order("DET_DOC", {kf("NEGOCIO"), kf("DOCUMENTO")});
    cat.add(std::move(l));
}

void declare_articles(Catalogue& cat) {
    // Article and service master.
    TableDef a("DEF_ART");
    a.C("NEGOCIO", kBiz).C("CODIGO", kArt).C("COD_ALT", kArt).C("DESCRIP", kName);
    a.C("LINEA", kCode4).C("SUBLINEA", kCode4).C("MARCA", kCode4);
    flag(a, "TIPO");  // 1 = kept in stock
    qty(a, "CANT_SUG");
    pct(a, "IMP_ART");
    cost(a, "COSTO_PROM");
    a.C("SPEC_FAC", kSpec);
    for (const char* f : {"LEE_SPEC", "LEE_PRECIO", "CHECK_N_E", "CHECK_D1", "IMP_T", "HAB_V",
                          "HAB_DET", "HAB_D", "HAB_I"})
        flag(a, f);
    pct(a, "CHECK_D2");
    a.C("ASIENTO_V", kLink).C("ASIENTO_D", kLink).C("ASIENTO_I", kLink);
    a.order("DEF_ART", {kf("NEGOCIO"), kf("CODIGO")}, true);
    a.order("DEF_ART2", {kf("NEGOCIO"), kf("COD_ALT")});
    a.order("DEF_ART3", {kf("NEGOCIO"), kup("DESCRIP")});
    cat.add(std::move(a));

    // Stock of an article in one warehouse; BLOQUEO is what open orders hold back.
    TableDef s("ARTICULO");
    s.C("NEGOCIO", kBiz).C("ARTICULO", kArt).C("BODEGA", kCode2);
    qty(s, "CANTIDAD");
    qty(s, "BLOQUEO");
    cost(s, "COSTO_PROM");
    flag(s, "ACTIVE");
    s.order("ARTIC1", {kf("NEGOCIO"), kf("ARTICULO"), kf("BODEGA")}, true);
    s.order("ARTIC2", {kf("NEGOCIO"), kf("BODEGA"), kf("ARTICULO")});
    cat.add(std::move(s));

    TableDef b("BARRAS");
    b.C("NEGOCIO", kBiz).C("CODIGO", kArt).C("ARTICULO", kArt);
    b.order("BARRAS", {kf("NEGOCIO"), kf("CODIGO")}, true);
    b.order("BARRAS2", {kf("NEGOCIO"), kf("ARTICULO"), kf("CODIGO")});
    cat.add(std::move(b));

    TableDef w("BODEGAS");
    w.C("NEGOCIO", kBiz).C("CODIGO", kCode2).C("DESCRIP", kName).C("ASIENTO1", kLink);
    w.order("BODEGAS", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(w));

    TableDef ln("LINEAS");
    ln.C("NEGOCIO", kBiz).C("CODIGO", kCode4).C("DESCRIP", kName);
    ln.order("LINEAS", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(ln));

    // Sub-lines carry the price, stock and discount checks and the sales accounts of their
    // articles; brands carry the same accounts when the business posts by brand.
    TableDef sl("SUB_LIN");
    sl.C("NEGOCIO", kBiz).C("LINEA", kCode4).C("CODIGO", kCode4).C("DESCRIP", kName);
    for (const char* f : {"CHECK_E", "CHECK_P1", "CHECK_P2", "CHECK_D1"}) flag(sl, f);
    pct(sl, "CHECK_D2");
    TableDef br("MARCAS");
    br.C("NEGOCIO", kBiz).C("CODIGO", kCode4).C("DESCRIP", kName);
    for (TableDef* t : {&sl, &br})
        for (const char* f : {"ASIENTO1", "ASIENTO1_D", "ASIENTO6", "ASIENTO6_D", "ASIENTO2"})
            t->C(f, kLink);
    sl.order("SUB_LIN", {kf("NEGOCIO"), kf("LINEA"), kf("CODIGO")}, true);
    br.order("MARCAS", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(sl));
    cat.add(std::move(br));

    TableDef pv("PROVEE");
    pv.C("NEGOCIO", kBiz).C("CODIGO", kCust).C("NOMBRE", kName).C("LIGA_COM", kLink);
    pv.order("PROVEE", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(pv));

    // Per-article accounting: sales split by percentage (DET_ART2), supplier commissions
    // (DET_ART8) and fixed amounts per unit (DET_ART9).
    TableDef d2("DET_ART2");
    d2.C("NEGOCIO", kBiz).C("ARTICULO", kArt).C("LIGA", kLink);
    pct(d2, "PORCENT");
    d2.order("DET_ART2", {kf("NEGOCIO"), kf("ARTICULO")});
    cat.add(std::move(d2));
    TableDef d8("DET_ART8");
    d8.C("NEGOCIO", kBiz).C("ARTICULO", kArt).C("PROVEEDOR", kCust);
    money(d8, "M_COMIS");
    d8.order("DET_ART8", {kf("NEGOCIO"), kf("ARTICULO")});
    cat.add(std::move(d8));
    TableDef d9("DET_ART9");
    d9.C("NEGOCIO", kBiz).C("ARTICULO", kArt).C("LIGA", kLink);
    money(d9, "VALOR");
    d9.order("DET_ART9", {kf("NEGOCIO"), kf("ARTICULO")});
    cat.add(std::move(d9));
}

void declare_inventory(Catalogue& cat) {
    TableDef f("F_INV");
    f.C("NEGOCIO", kBiz).C("M_LOCAL", kCode2);
    flag(f, "PREC_AUTO");
    f.order("F_INV", {kf("NEGOCIO")}, true);
    cat.add(std::move(f));

    // Inventory movement concepts; the sale's issue takes its number from SERIAL.
    TableDef c("CONCEPT4");
    c.C("NEGOCIO", kBiz).C("CODIGO", kCode2).C("DESCRIP", kName).C("SERIAL", kNum);
    flag(c, "TIPO");
    c.order("CONCEPT4", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(c));

    // Movement numbers come from each concept's own series, so the number alone may repeat.
    TableDef h("ENC_INV");
    h.C("NEGOCIO", kBiz).C("MOVIMIENTO", kNum).C("CONCEPTO", kCode2).C("BODEGA", kCode2);
    h.C("NOMBRE", kName).C("PROVEEDOR", kCust).C("DOCUMENTO", kNum).D("FECHA").T("HORA");
    h.D("F_LIMITE").T("H_LIMITE");
    stamp(h);
    h.order("ENC_INV", {kf("NEGOCIO"), kf("MOVIMIENTO")});
    h.order("ENC_INV2", {kf("NEGOCIO"), kd("FECHA")});
    cat.add(std::move(h));

    TableDef d("DET_INV");
    d.C("NEGOCIO", kBiz).C("MOVIMIENTO", kNum).N("N_INDEX", 4).C("CODIGO", kArt);
    d.C("BODEGA", kCode2);
    qty(d, "CANTIDAD");
    qty(d, "INV_TOT");
    for (const char* c : {"FOB", "CIF", "COSTO", "COSTO_PROM"}) cost(d, c);
    d.D("FECHA").T("HORA").D("F_LIMITE").T("H_LIMITE");
    d.order("DET_INV", {kf("NEGOCIO"), kf("MOVIMIENTO")});
    d.order("DET_INV2", {kf("NEGOCIO"), kf("CODIGO"), kd("FECHA")});
    cat.add(std::move(d));
}

void declare_prices(Catalogue& cat) {
    // Price types: the currency of their list, whether the list includes tax, cost pricing.
    TableDef p("ENC_PREC");
    p.C("NEGOCIO", kBiz).C("CODIGO", kCode2).C("DESCRIP", kName).C("MONEDA", kCode2);
    flag(p, "IMP_INCL");
    flag(p, "SOLO_COSTO");
    p.order("ENC_PREC", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(p));

    // Special prices with ten quantity tiers: per article, or (blank article) per line and
    // sub-line. The class character puts the rules with a date window ("1") apart from the
    // permanent ones ("0"), in the order the price lookup tries them.
    TableDef e("PRE_ESP1");
    e.C("NEGOCIO", kBiz).C("ARTICULO", kArt).C("T_PRECIO", kCode2).C("LINEA", kCode4);
    e.C("SUBLINEA", kCode4).D("FECHA_INI").D("FECHA_FIN");
    flag(e, "TIPO_PREC");  // 2 = the tier value is a percentage
    for (int i = 1; i <= 20; ++i) qty(e, ("CANT_" + std::to_string(i)).c_str());
    for (int i = 1; i <= 10; ++i) money(e, ("PRECIO_" + std::to_string(i)).c_str());
    e.order("PRE_ESP1",
            {kf("NEGOCIO"),
             kx("CASE WHEN \"FECHA_INI\" <> '' THEN '1' WHEN \"FECHA_FIN\" <> '' THEN '1' "
                "ELSE '0' END",
                1),
             kf("ARTICULO"), kf("T_PRECIO"), kf("LINEA"), kf("SUBLINEA")});
    cat.add(std::move(e));

    // A customer's own prices: kept up by every sale and offered first by the spa form.
    TableDef c("PRE_CLIE");
    c.C("NEGOCIO", kBiz).C("CLIENTE", kCust).C("ARTICULO", kArt).C("T_PRECIO", kCode2);
    money(c, "PRECIO");
    c.D("FECHA").C("DOCUMENTO", kNum);
    c.order("PRE_CLIE", {kf("NEGOCIO"), kf("CLIENTE"), kf("ARTICULO"), kf("T_PRECIO")}, true);
    cat.add(std::move(c));

    TableDef t("TIPO_IMP");
    t.C("NEGOCIO", kBiz).C("CODIGO", kCode2).C("DESCRIP", kName);
    pct(t, "MONTO");
    t.order("TIPO_IMP", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(t));
}

void declare_sales_settings(Catalogue& cat) {
    TableDef v("DEF_VENT");  // sales centres
    v.C("NEGOCIO", kBiz).C("CODIGO", kCode4).C("DESCRIP", kName);
    v.order("DEF_VENT", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(v));

    // Sales accounts of a sales centre per line and sub-line; they override the sub-line's.
    TableDef s("SL_VENTA");
    s.C("NEGOCIO", kBiz).C("DEF_VENT", kCode4).C("LINEA", kCode4).C("SUBLINEA", kCode4);
    for (const char* f : {"ASIENTO1", "ASIENTO1_D", "ASIENTO6", "ASIENTO6_D"}) s.C(f, kLink);
    s.order("SL_VENTA", {kf("NEGOCIO"), kf("DEF_VENT"), kf("LINEA"), kf("SUBLINEA")}, true);
    cat.add(std::move(s));

    TableDef r("F_VENTAS");  // restaurant sales-point settings
    r.C("NEGOCIO", kBiz);
    flag(r, "NO_LINEA");
    flag(r, "TURNO_MESE");
    r.order("F_VENTAS", {kf("NEGOCIO")}, true);
    cat.add(std::move(r));

    // Document classifications #1 and #2; a #1 entry may belong to a group (D_CLAS4) that
    // allows its pair to be shared by CANTIDAD documents.
    TableDef c1("D_CLAS1");
    c1.C("NEGOCIO", kBiz).C("CODIGO", kCode4).C("DESCRIP", kName).C("GRUPO", kCode4);
    c1.order("D_CLAS1", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(c1));
    TableDef c2("D_CLAS2");
    c2.C("NEGOCIO", kBiz).C("CODIGO", kCode4).C("DESCRIP", kName);
    c2.order("D_CLAS2", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(c2));
    TableDef c4("D_CLAS4");
    c4.C("NEGOCIO", kBiz).C("CODIGO", kCode4).C("DESCRIP", kName);
    flag(c4, "DISPONIBLE");
    c4.N("CANTIDAD", 10);
    c4.order("D_CLAS4", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(c4));

    TableDef w("ENC_WO");  // work orders invoiced from the point of sale
    w.C("NEGOCIO", kBiz).C("CODIGO", kNum).C("CLIENTE", kCust).C("DESCRIP", kName);
    w.D("FECHA").C("MOV_CXC", kNum).C("MOV_INV", kNum).C("INFO_PROC", kInfo);
    w.C("ETAPA", kCode4).C("AUT_CXC", kUser).D("FEC_CXC");
    flag(w, "PROCESADO");
    w.order("ENC_WO", {kf("NEGOCIO"), kf("CODIGO")}, true);
    w.order("ENC_WO2", {kf("NEGOCIO"), kf("MOV_CXC")});
    cat.add(std::move(w));
}

// Orders saved as pending and not yet processed, laid out like orders; they follow their
// customer when its code or name changes, so each has an order by customer.
void declare_pending_orders(Catalogue& cat) {
    TableDef h("PENC_PED");
    sale_header(h);
    h.C("NOTAS1", kName).C("NOTAS2", kName).C("NOTAS3", kName);
    h.order("PENC_PED", {kf("NEGOCIO"), kf("DOCUMENTO")}, true);
    h.order("PENC_PED2", {kf("NEGOCIO"), kf("CLIENTE")});
    cat.add(std::move(h));

    TableDef l("PDET_PED");
    sale_lines(l);
    l.order("DET_DOC", {kf("NEGOCIO"), kf("DOCUMENTO")});
    l.order("DET_DOC8", {kf("NEGOCIO"), kf("CLIENTE"), kf("CODIGO")});
    cat.add(std::move(l));
}

void declare_regular_invoices(Catalogue& cat) {
    TableDef s("CFAC_REG");
    s.C("NEGOCIO", kBiz).C("CONJUNTO", kCode4).C("DESCRIP", kName);
    s.order("CFAC_REG", {kf("NEGOCIO"), kf("CONJUNTO")}, true);
    cat.add(std::move(s));

    // A regular document; its model header is ENC_REG numbered CODIGO with zeros to 10.
    TableDef r("FAC_REG");
    r.C("NEGOCIO", kBiz).N("CODIGO", 10).C("CONJUNTO", kCode4).C("DESCRIP", kName);
    r.C("CLIENTE", kCust).C("NOM_CLIENT", 100).C("SUBCLIENTE", kBranch);
    flag(r, "TIPO");  // 0 copy of the model document, 1 built from a template
    r.C("TEMPLATE", kNum).D("FECHA_I");
    flag(r, "AJUSTAR_D");
    r.N("DIA_AJUSTE", 2);
    flag(r, "M_ANTERIOR");
    flag(r, "DO_RANGOS");
    r.N("RANGO1", 2).N("RANGO2", 2);
    flag(r, "DATOS_ADIC");
    qty(r, "HORAS");
    qty(r, "DIAS");
    r.order("FAC_REG", {kf("NEGOCIO"), kf("CONJUNTO"), kn("CODIGO", 10)});
    r.order("FAC_REG2", {kf("NEGOCIO"), kn("CODIGO", 10)}, true);
    r.order("FAC_REG3", {kf("NEGOCIO"), kf("CLIENTE"), kf("SUBCLIENTE")});
    cat.add(std::move(r));

    for (const char* header : {"ENC_REG", "ENC_TMPL"}) {
        TableDef h(header);
        sale_header(h);
        h.order(header, {kf("NEGOCIO"), kf("DOCUMENTO")}, true);
        cat.add(std::move(h));
    }
    for (const char* lines : {"DET_REG", "DET_TMPL"}) {
        TableDef l(lines);
        sale_lines(l);
        l.order(lines, {kf("NEGOCIO"), kf("DOCUMENTO")});
        cat.add(std::move(l));
    }
    for (const char* plan : {"RF_PLAZO", "TF_PLAZO"}) {
        TableDef p(plan);
        plan_lines(p);
        p.order(plan, {kf("NEGOCIO"), kf("DOCUMENTO")});
        cat.add(std::move(p));
    }
}

void declare_return_notes(Catalogue& cat) {
    TableDef h("ENC_DEV");
    h.C("NEGOCIO", kBiz).C("DOCUMENTO", kNum).D("FECHA").T("HORA").C("TIPO_PREC", kCode2);
    h.C("MONEDA", kCode2).C("PASADO", 1);
    h.order("ENC_DEV", {kf("NEGOCIO"), kf("DOCUMENTO")}, true);
    h.order("ENC_DEV2", {kf("NEGOCIO"), kd("FECHA")});
    cat.add(std::move(h));

    auto note_line = [](TableDef& t) {
        t.C("DOCUMENTO", kNum).C("CODIGO", kArt);
        qty(t, "CANTIDAD");
        money(t, "PRECIO");
        cost(t, "COSTO");
        t.C("T_PRECIO", kCode2);
        pct(t, "IMPUESTO");
        pct(t, "DESCUENTO");
    };
    TableDef d("DET_DEV");
    d.C("NEGOCIO", kBiz);
    note_line(d);
    d.order("DET_DEV", {kf("NEGOCIO"), kf("DOCUMENTO")});
    cat.add(std::move(d));

    // The lines being edited; RECNO is the DET_DEV record they came from, 0 for new ones.
    TableDef e("E_DEVS2", true);
    note_line(e);
    e.C("DESCRIP", kName).N("RECNO", 10);
    cat.add(std::move(e));
}

void declare_sale_work_tables(Catalogue& cat) {
    // Lines of the sale on screen.
    TableDef e("EDIT2", true);
    e.C("CODIGO", kArt).C("DESCRIP", kName);
    price(e, "PRECIO");
    price(e, "PRECIO_INV");
    qty(e, "CANTIDAD");
    pct(e, "DESCUENTO");
    pct(e, "IMP_ART");
    pct(e, "SAVE_IMP");
    money(e, "PRECIO_TOT");
    e.C("T_PRECIO", kCode2);
    for (const char* f : {"LEE_PRECIO", "PRE_MANUAL", "PRE_MAN2", "P_ESP"}) flag(e, f);
    cost(e, "COSTO");
    money(e, "FLETE");
    money(e, "CARGA");
    e.C("SPEC_FAC", kSpec).C("COD_PROVEE", kCust).C("NOM_PROVEE", kName);
    e.C("DOCUMENTO", kNum).C("FIRST", 1);
    cat.add(std::move(e));

    // Tenders of the sale, with what the card terminal answered.
    TableDef p("F_PAGO", true);
    p.C("CODIGO", kCode2).C("DESCRIP", kName);
    money(p, "MONTO");
    p.C("ROOM", 15).C("COD_RES", kNum).C("VOUCHER", 20).C("COD_AUTORI", 20).C("FIRMA1", kName);
    p.C("PE_TARJ", 20).C("PE_REFNO", 12).C("PE_AUTID", 12).C("PE_TRACE_N", 12);
    flag(p, "PE_TIPO");
    cat.add(std::move(p));

    // Instalment plan of the sale; DIAS counts from the document date.
    TableDef f("F_PLAZOS", true);
    f.N("DIAS", 4);
    money(f, "MONTO");
    money(f, "PRINCIPAL");
    money(f, "INTERESES");
    cat.add(std::move(f));
}

}  // namespace

void declare_pos_tables(Catalogue& cat) {
    declare_articles(cat);
    declare_inventory(cat);
    declare_prices(cat);
    declare_sales_settings(cat);
    add_sale_document(cat, "ENC_PED", "ENC_PED2", "DET_PED", true);
    add_sale_document(cat, "ENC_PROF", "ENC_PRO2", "DET_PROF", true);
    declare_pending_orders(cat);
    declare_regular_invoices(cat);
    declare_return_notes(cat);
    declare_sale_work_tables(cat);
}

}  // namespace qz::data
