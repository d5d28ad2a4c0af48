#include "data/catalogue.h"

namespace qz::data {

namespace {

// Open documents (a balance other than zero) have class '0'; settled and annulled ones '1'.
// The credit check, the aging analysis and the statements walk class '0' only.
const char* const kOpenClass = "CASE WHEN \"SALDO\" <> 0 THEN '0' ELSE '1' END";
// The document viewer's states: '2' annulled, '0' open, '1' settled (no balance, not annulled).
const char* const kStateClass =
    "CASE WHEN \"ANULADO\" <> '' THEN '2' WHEN \"SALDO\" <> 0 THEN '0' ELSE '1' END";

void stamp(TableDef& t) { t.C("USUARIO", 10).C("INFO_USER", 60); }

// Code tables keyed by business and a short code.
void add_code_table(Catalogue& cat, const std::string& name, int code_width) {
    TableDef t(name);
    t.C("NEGOCIO", 15).C("CODIGO", code_width).C("DESCRIP", 60);
    t.order(name, {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(t));
}

TableDef document_table() {
    TableDef t("DOCUMENT");
    t.C("NEGOCIO", 15).C("DOCUMENTO", 15).C("CONCEPTO", 2).C("CLIENTE", 15).C("SUBCLIENTE", 15);
    t.C("NOMBRE", 60).C("NOM_CLIENT", 100).C("CEDULA", 20);
    t.D("FECHA").T("HORA").D("VENCE").D("FECHAENT").D("FECHA_ENT").D("FECHA_AD1").D("OLD_FECHA");
    t.D("F_ANULA").T("H_ANULA");
    t.N("MONTO", 16, 2).N("SALDO", 16, 2).N("SALDO_ORIG", 16, 2).N("OLD_SALDO", 16, 2);
    // BRUTO keeps the unrounded sum of quantity (3 decimals) times price (4 decimals).
    t.N("BRUTO", 18, 7).N("INTERES", 16, 2).N("I_NORMAL", 7, 3).N("I_MORA", 7, 3);
    t.N("CUOTA", 16, 2).N("PLAZOS", 4).N("ENTREGADO", 16, 2).N("MONTO_AD1", 16, 2);
    for (int i = 1; i <= 4; ++i) t.N("OTROS" + std::to_string(i), 16, 2);
    t.N("SALDO_TARJ", 16, 2).N("TC_DIFF", 14, 5).C("COD_DIFF", 2).C("MONEDA", 2);
    t.C("REFERENCIA", 15).C("COMPRA", 15).C("PEDIDO", 15).C("REMISION", 15).C("CONTRATO", 15);
    t.C("CONTRA", 20).C("MOV_INV", 15).C("COD_RES", 15).C("INFO_HOTEL", 60);
    t.C("CONVERTIDO", 60).C("MODULO", 1);
    t.C("AGENTE", 2).C("COBRADOR", 4).C("DIGITADOR", 4).C("USUARIO", 10).C("CAJA", 4);
    t.C("BODEGA", 2).C("C_COSTO", 10).C("C_VENTA", 4).C("COD_AREA", 4);
    t.C("CLAS1", 4).C("CLAS2", 4).C("CLAS3", 4).C("OCLAS1", 4).C("OCLAS2", 4).C("OCLAS3", 4);
    t.C("T_PRECIO", 2).N("P_COMISION", 7, 3).C("REFERIDO", 4).C("CONCURSO", 15).C("ETAPA", 4);
    t.C("ETAPA_COB", 4).N("UTILIZADO", 1).C("INFO_UTIL", 60).N("NO_PROCESA", 1);
    t.C("ANULADO", 20).M("DESCRIP").C("INFO_USER", 60);

    const KeyPart open = kx(kOpenClass, 1);
    t.order("DOCUMENT", {kf("NEGOCIO"), kf("DOCUMENTO")}, true);
    t.order("DOCUMEN3", {kf("NEGOCIO"), kf("CLIENTE"), kd("FECHA")});
    t.order("DOCUMEN4", {kf("NEGOCIO"), kd("FECHA"), kf("HORA")});
    t.order("DOCUMEN5", {kf("NEGOCIO"), kd("VENCE")});
    t.order("DOCUMEN6", {kf("NEGOCIO"), kf("CAJA"), kd("FECHA"), kf("HORA")});
    t.order("DOCUMEN8", {kf("NEGOCIO"), open, kf("CLIENTE")});
    t.order("DOCUMEN9", {kf("NEGOCIO"), kf("CONCEPTO"), kd("FECHA")});
    t.order("DOCUMEN11", {kf("NEGOCIO"), kf("AGENTE"), kd("FECHA")});
    t.order("DOCUMEN12", {kf("NEGOCIO"), open, kf("CLIENTE"), kf("SUBCLIENTE")});
    t.order("DOCUMEN13", {kf("NEGOCIO"), open, kf("CLIENTE")});
    t.order("DOCUMEN14", {kf("NEGOCIO"), kf("REFERIDO")});
    t.order("DOCUMEN15", {kf("NEGOCIO"), kf("CLIENTE"), kf("SUBCLIENTE"), kd("FECHA")});
    // The classification pair that may belong to one document only.
    t.order("DOCUMEN16", {kf("NEGOCIO"), kf("CLAS1"), kf("CLAS2")});
    t.order("DOCUMEN17", {kf("NEGOCIO"), kf("PEDIDO")});
    t.order("DOCUMEN18", {kf("NEGOCIO"), kd("F_ANULA")});
    t.order("DOCUMEN19", {kf("NEGOCIO"), kf("CLIENTE"), kf("CONCEPTO")});
    t.order("DOCUMEN20", {kf("NEGOCIO"), open, kf("CLIENTE")});
    // Collection stages: sought with a blank annulment reference, so only valid documents.
    t.order("DOCUMEN21",
            {kf("NEGOCIO"), kf("ANULADO"), kf("ETAPA_COB"), kf("COBRADOR"), kd("FECHA")});
    t.order("DOCUMEN22",
            {kf("NEGOCIO"), kf("ANULADO"), kf("ETAPA_COB"), kf("COBRADOR"), kf("DOCUMENTO")});
    t.order("DOCUMEN23", {kf("NEGOCIO"), kf("ANULADO"), kf("ETAPA_COB"), kd("FECHA")});
    t.order("DOCUMEN24", {kf("NEGOCIO"), kf("ANULADO"), kf("ETAPA_COB"), kf("DOCUMENTO")});
    t.order("DOCUMEN32", {kf("NEGOCIO"), kf("REFERENCIA")});
    t.order("DOCUMEN42", {kf("NEGOCIO"), kf("COMPRA")});
    t.order("DOCUMEN25",
            {kf("NEGOCIO"), kx(kStateClass, 1), kf("CLIENTE"), kf("SUBCLIENTE"), kd("FECHA")});
    // The annulment screen browses the valid documents (blank ANULADO) by number and customer.
    t.order("DOCUMEN27", {kf("NEGOCIO"), kf("ANULADO"), kf("DOCUMENTO")});
    t.order("DOCUMEN28", {kf("NEGOCIO"), kf("ANULADO"), kf("CLIENTE"), kd("FECHA")});
    return t;
}

TableDef document_lines_table() {
    TableDef t("DET_DOC");
    t.C("NEGOCIO", 15).C("DOCUMENTO", 15).N("N_INDEX", 4).C("CODIGO", 15);
    // Unit prices come from rate conversions and tax-inclusive divisions, so they keep 4 places.
    t.N("CANTIDAD", 12, 3).N("PRECIO", 16, 4).N("PRECIO_ANT", 16, 4).N("PRE_MANUAL", 1);
    t.N("P_ESP", 1).N("DESCUENTO", 7, 3).N("IMPUESTO", 7, 3).N("COSTO", 16, 4);
    t.N("OTROS1", 16, 2).N("OTROS2", 16, 2).C("T_PRECIO", 2).C("BODEGA", 2).C("CAJA", 4);
    t.C("CLIENTE", 15).C("COD_AREA", 4).C("COD_PROVEE", 15).N("INV_TOT", 12, 3);
    t.C("RECETAS", 15).C("SPEC_FAC", 100).D("FECHA").T("HORA");
    t.order("DET_DOC", {kf("NEGOCIO"), kf("DOCUMENTO")});
    t.order("DET_DOC2", {kf("NEGOCIO"), kf("CODIGO")});
    t.order("DET_DOC3", {kf("NEGOCIO"), kf("CODIGO"), kd("FECHA")});
    t.order("DET_DOC5", {kf("NEGOCIO"), kd("FECHA")});
    t.order("DET_DOC8", {kf("NEGOCIO"), kf("CLIENTE"), kf("CODIGO")});
    return t;
}

void declare_documents(Catalogue& cat) {
    TableDef doc = document_table();
    // Pending documents share the layout; they become documents when processed.
    cat.add(doc.renamed("PDOCUMEN"));
    cat.add(std::move(doc));

    TableDef det = document_lines_table();
    cat.add(det.renamed("PDET_DOC"));
    cat.add(std::move(det));

    // Further rows per document line (components of composite lines in DET_DOC5); they follow
    // the document when its number is re-coded.
    for (const char* name : {"DET_DOC2", "DET_DOC4", "DET_DOC5"}) {
        TableDef t(name);
        t.C("NEGOCIO", 15).C("DOCUMENTO", 15).N("N_INDEX", 4).C("CODIGO", 15);
        t.N("CANTIDAD", 12, 3).N("COSTO", 16, 4).C("BODEGA", 2).C("DESCRIP", 60);
        t.order(name, {kf("NEGOCIO"), kf("DOCUMENTO")});
        cat.add(std::move(t));
    }

    // Delivery, contact and credit data of a document.
    TableDef enc2("ENC_DOC2");
    enc2.C("NEGOCIO", 15).C("DOCUMENTO", 15).C("ATENCION", 60).C("TELEFONO", 30).C("FAX", 30);
    enc2.C("DIRECCION", 100).C("NOMBRE2", 60).C("ATEN2", 60).C("TELE2", 30).C("FAX2", 30);
    enc2.C("DIREC2", 100).C("TRANSPORTE", 60).C("PLACA", 15).C("CHOFER", 60).C("CEDULA", 20);
    enc2.N("VAL_DOC", 16, 2).M("CPAGO").M("CRED_OBS").N("APROB_CRED", 1).N("AUT_COBRO", 1);
    enc2.N("F_COBRO", 2).C("ID_UNICO", 20).C("N_TARJETA", 20).D("F_INICIO").D("F_FINAL");
    enc2.N("MES", 2).N("ANHO", 4).C("IMAGEN", 100);
    enc2.order("ENC_DOC2", {kf("NEGOCIO"), kf("DOCUMENTO")}, true);
    cat.add(std::move(enc2));

    // Instalments of a document, walked by due date.
    TableDef parc("DOC_PARC");
    parc.C("NEGOCIO", 15).C("DOCUMENTO", 15).D("FECHA").N("MONTO", 16, 2).N("INTERES", 16, 2);
    parc.order("DOC_PARC", {kf("NEGOCIO"), kf("DOCUMENTO"), kd("FECHA")});
    cat.add(std::move(parc));

    // Exchange-difference revaluations of a document; DET_DOC3 lists the newest first.
    TableDef diff("DET_DOC3");
    diff.C("NEGOCIO", 15).C("DOCUMENTO", 15).C("MOVIMIENTO", 15).D("FECHA").T("HORA");
    diff.C("HORA_INV", 8).D("LIMITE").N("TC_ANT", 14, 5).N("TC_NUEVO", 14, 5);
    diff.N("MONTO", 16, 2).N("FACTOR", 1).N("SALDO_ANT", 16, 2).N("SALDO", 16, 2);
    diff.N("M_AJUSTE", 16, 2);
    diff.order("DET_DOC3", {kf("NEGOCIO"), kf("DOCUMENTO"), kinv("FECHA"), kf("HORA_INV")});
    cat.add(std::move(diff));
}

void declare_payments(Catalogue& cat) {
    // Payment (receipt) headers.
    TableDef enc("ENC_MOVE");
    enc.C("NEGOCIO", 15).C("MOVIMIENTO", 15).D("FECHA").T("HORA").C("CLIENTE", 15);
    enc.C("NOM_CLIENT", 100).N("MONTO", 16, 2).C("MONEDA", 2).C("CAJA", 4).C("DIGITADOR", 4);
    enc.C("BLOCK", 2).C("DESCRIP", 100).C("NOTA_CRED", 15).C("DEPOSITO", 15);
    enc.C("DEP_BANCO", 10).C("DEP_CUENTA", 20).D("F_LIMITE").N("YA_CONTA", 1);
    enc.C("ANULADO", 20).D("F_ANULA").T("H_ANULA");
    stamp(enc);
    enc.order("ENC_MOVE", {kf("NEGOCIO"), kf("MOVIMIENTO")}, true);
    enc.order("ENC_MOV2", {kf("NEGOCIO"), kf("CLIENTE"), kd("FECHA")});
    enc.order("ENC_MOV3", {kf("NEGOCIO"), kd("FECHA")});
    enc.order("ENC_MOV5", {kf("NEGOCIO"), kf("DEP_BANCO"), kf("DEP_CUENTA"), kf("DEPOSITO")});
    enc.order("ENC_MOV6", {kf("NEGOCIO"), kf("CLIENTE")});
    enc.order("ENC_MOV7", {kf("NEGOCIO"), kf("CAJA"), kd("FECHA"), kf("HORA")});
    enc.order("ENC_MOV8", {kf("NEGOCIO"), kd("FECHA")});
    // The credit note an over-payment created.
    enc.order("ENC_MOV11", {kf("NEGOCIO"), kf("NOTA_CRED")});
    enc.order("ENC_MOV12", {kf("NEGOCIO"), kf("DIGITADOR"), kd("FECHA")});
    enc.order("ENC_MOVE7", {kf("NEGOCIO"), kf("ANULADO")});

    // Application of a payment to documents, with each document's balance before and after.
    TableDef det("DET_MOVE");
    det.C("NEGOCIO", 15).C("MOVIMIENTO", 15).C("DOCUMENTO", 15).C("CONCEPTO", 2);
    det.N("MONTO", 16, 2).N("SALDO_ANT", 16, 2).N("SALDO", 16, 2).N("INTERES", 16, 2);
    det.N("MORA", 16, 2).C("DESCRIP", 100).D("FECHA").T("HORA");
    det.order("DET_MOVE", {kf("NEGOCIO"), kf("MOVIMIENTO")});
    det.order("DET_MOV2", {kf("NEGOCIO"), kf("DOCUMENTO"), kf("MOVIMIENTO")});
    det.order("DET_MOV3", {kf("NEGOCIO"), kf("CONCEPTO"), kd("FECHA")});
    det.order("DET_MOV5", {kf("NEGOCIO"), kf("DOCUMENTO"), kd("FECHA")});

    // Tenders of a payment, with the card terminal's answer.
    TableDef ten("DET_MOV2");
    ten.C("NEGOCIO", 15).C("MOVIMIENTO", 15).C("DOCUMENTO", 15).C("CODIGO", 2);
    ten.N("MONTO", 16, 2).C("CUENTA", 20).C("DESCRIP", 100).C("VOUCHER", 20);
    ten.C("COD_AUTORI", 20).C("MOV_BANCO", 15).C("ROOM", 15).C("RESERVA", 15).C("FIRMA1", 60);
    ten.N("PE_TIPO", 1).C("PE_TARJ", 20).C("PE_AUTID", 12).C("PE_REFNO", 12);
    ten.C("PE_TRACE_N", 12);
    ten.order("DET_MOV2", {kf("NEGOCIO"), kf("MOVIMIENTO")});
    ten.order("DET_MOV3", {kf("NEGOCIO"), kf("MOVIMIENTO"), kf("CODIGO")});
    ten.order("DET_MOV4", {kf("NEGOCIO"), kf("DOCUMENTO")});

    // Rates a payment used, one per currency against the accounting currency.
    TableDef rates("DET_MOV3");
    rates.C("NEGOCIO", 15).C("MOVIMIENTO", 15).C("MONEDA_1", 2).C("MONEDA_2", 2);
    rates.N("CAMBIO", 14, 5).N("MONTO", 16, 2);
    rates.order("DET_MOV3", {kf("NEGOCIO"), kf("MOVIMIENTO"), kf("MONEDA_1")});
    cat.add(std::move(rates));

    // Pending payments share the layouts of posted ones.
    cat.add(enc.renamed("PENC_MOV"));
    cat.add(det.renamed("PDET_MOV"));
    cat.add(ten.renamed("PDET_MV2"));
    cat.add(std::move(enc));
    cat.add(std::move(det));
    cat.add(std::move(ten));

    // Bank deposits of collected money.
    TableDef dep("DEPOSITO");
    dep.C("NEGOCIO", 15).C("CODIGO", 15).C("BANCO", 10).C("CUENTA", 20).D("FECHA").T("HORA");
    dep.N("MONTO", 16, 2).N("ABONOS", 16, 2).N("ENTREGADO", 1).N("CONCILIADO", 1);
    dep.D("FECHA_ENT").D("FECHA_LIM").T("HORA_ENT").C("NOM_ENT", 60).C("LUGAR", 60);
    dep.C("POR", 60).C("ASIENTO", 15).C("LIB_BANCO", 15).C("COD_AJUSTE", 2);
    dep.C("DESC_AJUST", 60).N("M_AJUSTE", 16, 2);
    stamp(dep);
    dep.C("USUARIO_P", 10).C("INFO_PROC", 60);
    dep.order("DEPOSITO", {kf("NEGOCIO"), kf("CODIGO")}, true);
    dep.order("DEPOS2", {kf("NEGOCIO"), kf("BANCO"), kf("CUENTA"), kf("CODIGO")});
    dep.order("DEPOS3", {kf("NEGOCIO")});
    dep.order("DEPOS4", {kf("NEGOCIO"), kd("FECHA")});
    cat.add(std::move(dep));
}

void declare_currencies(Catalogue& cat) {
    TableDef mon("MONEDAS");
    mon.C("NEGOCIO", 15).C("CODIGO", 2).C("DESCRIP", 60).C("SIGLAS", 10).C("SIMBOLO", 5);
    mon.C("EQUIVAL", 2).N("CAMBIO_MIN", 14, 5).N("NEGATIVO", 1).N("SAL_CXC", 16, 2);
    mon.N("SAL_CXP", 16, 2);
    mon.order("MONEDAS", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(mon));

    // Currency pairs with their daily projected increment.
    TableDef pair("DET_MON");
    pair.C("NEGOCIO", 15).C("MONEDA_1", 2).C("MONEDA_2", 2).C("DESCRIP", 60);
    pair.N("PROYECTA", 14, 5);
    pair.order("DET_MON", {kf("NEGOCIO"), kf("MONEDA_1"), kf("MONEDA_2")}, true);
    cat.add(std::move(pair));

    // Dated rates: one unit of MONEDA1 is worth CAMBIO units of MONEDA2 from FECHA on.
    TableDef rate("T_CAMBIO");
    rate.C("NEGOCIO", 15).C("MONEDA1", 2).C("MONEDA2", 2).D("FECHA").D("LIMITE");
    rate.N("CAMBIO", 14, 5);
    for (int i = 2; i <= 5; ++i) rate.N("CAMBIO" + std::to_string(i), 14, 5);
    stamp(rate);
    rate.order("T_CAMBIO", {kf("NEGOCIO"), kf("MONEDA1"), kf("MONEDA2"), kd("FECHA")});
    // The rate lookup: a soft seek with the day's distance to 2090 lands on the newest rate
    // dated on or before that day.
    rate.order("T_CAMB2", {kf("NEGOCIO"), kf("MONEDA1"), kf("MONEDA2"), kinv("FECHA")});
    rate.order("T_CAMB3", {kf("NEGOCIO"), kd("FECHA")});
    rate.order("T_CAMB4", {kf("NEGOCIO"), kf("MONEDA2"), kd("FECHA")});
    cat.add(std::move(rate));

    // Exchange-difference types.
    TableDef cod("COD_DIFF");
    cod.C("NEGOCIO", 15).C("CODIGO", 2).C("DESCRIP", 60).C("LIGA_DIFF", 15).N("AJUSTAR", 1);
    cod.order("COD_DIFF", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(cod));
}

void add_binding_fields(TableDef& t) {
    t.C("NEGOCIO", 15).C("CONCEPTO", 2).C("MONEDA", 2).C("FORM_DOC", 2).C("PREDET_P", 2);
    t.C("PREDET_P2", 2).N("N_COPIA", 2).N("TICKET", 1).N("TIPO_DOC", 1).N("NO_IMP_LOG", 1);
}

// Document concepts: nature, numbering, ledger links, behaviour flags and ticket texts.
void declare_document_concepts(Catalogue& cat) {
    TableDef t("CONCEPT1");
    t.C("NEGOCIO", 15).C("CONCEPTO", 2).C("DESCRIP", 60).N("PLAZO", 4).C("OPUESTO", 2);
    t.N("TIPO", 1).N("TIPO2", 1).N("PROC_CONTA", 1);
    for (const char* link : {"ASIENTO2", "ASIENTO3", "ASIENTO4", "ASIENTO5", "ASIENTO6",
                             "CXC_COMPL", "COSTO_VEN", "INVENTARIO"})
        t.C(link, 15);
    t.C("MOV_INVENT", 2).C("C_VENTA", 4).C("COD_DIFF", 2).N("I_MORA", 7, 3);
    t.C("SERIAL", 15).C("SERIAL2", 15).C("ABONO_DEF", 2).C("ABONO_DEF2", 2).C("ABONO_BLO", 2);
    t.C("T_MOV_DEF", 2).C("MON_REP", 2).N("MAX_LINEAS", 4);
    for (const char* flag :
         {"DETALLE",    "LEE_SERIAL", "SERI_LOCAL", "MOD_SERIAL", "PROYECTA",  "SHOW",
          "CANCELA",    "INTERES",    "CUOTAS",     "C_C_VENTA",  "NO_VENTA",  "V_COSTO",
          "NO_CXC",     "COMPLEMENT", "DO_REGULAR", "CLAS1",      "CLAS2",     "UNICO_1_2",
          "LEE_CONTRA", "POSFECHADO", "IMP_CIERRE", "ADIC_INFO",  "P_DESCRIP", "SHOW_COMI",
          "ADD_PROVEE", "IMP_AGENTE"})
        t.N(flag, 1);
    t.C("PROF_C_FAC", 2).C("ETAPA_COB", 4);
    for (int i = 1; i <= 5; ++i) t.C("TEXTO" + std::to_string(i), 60);
    t.C("T_DESC", 60);
    for (int i = 1; i <= 5; ++i) t.C("TITULO_TQ" + std::to_string(i), 60);
    t.C("TITULO_T12", 60);
    for (int i = 1; i <= 8; ++i) t.C("FINAL_TIQ" + std::to_string(i), 60);
    t.C("TXT_AGENTE", 20);
    t.order("CONCEPT1", {kf("NEGOCIO"), kf("CONCEPTO")}, true);
    t.order("CONCEP12", {kf("NEGOCIO"), kn("TIPO", 1), kf("CONCEPTO")});
    cat.add(std::move(t));

    // Print bindings of a concept, one row per currency.
    TableDef bind("DET_CON1");
    add_binding_fields(bind);
    bind.order("DET_CON1", {kf("NEGOCIO"), kf("CONCEPTO"), kf("MONEDA")});
    cat.add(std::move(bind));

    // The concept editor's private copy of the bindings, with each row's source record (0 for
    // a row added in the editor), so saving knows the new, changed and deleted rows.
    TableDef work("TMP_CON1", true);
    add_binding_fields(work);
    work.N("N_REC", 10);
    work.order("TMP_CON1", {kf("MONEDA"), kn("TIPO_DOC", 1)});
    cat.add(std::move(work));

    // Payment-term plan of a concept.
    TableDef plan("DET_CON2");
    plan.C("NEGOCIO", 15).C("CONCEPTO", 2).N("PLAZO", 4).N("PORCENTAJE", 7, 3);
    plan.N("INTERES", 7, 3);
    plan.order("DET_CON2", {kf("NEGOCIO"), kf("CONCEPTO")});
    cat.add(std::move(plan));

    // Concept sets used by reports, and their members.
    add_code_table(cat, "ENC_CCON", 10);
    TableDef mem("DET_CCON");
    mem.C("NEGOCIO", 15).C("ENCABEZADO", 10).C("CONCEPTO", 2);
    mem.order("DET_CCON", {kf("NEGOCIO"), kf("ENCABEZADO")});
    cat.add(std::move(mem));
}

// Page print formats of documents and their elements.
void declare_print_formats(Catalogue& cat) {
    TableDef fmt("FORM_DOC");
    fmt.C("NEGOCIO", 15).C("CODIGO", 2).C("DESCRIP", 60).N("OFFSET", 6, 2);
    fmt.N("OFFSET_H", 6, 2).N("ANCHO", 6, 2).N("NT", 1).N("LETRAS_BR", 1).N("U_LINEA", 4);
    fmt.order("FORM_DOC", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(fmt));

    // Positioned elements of a format: a field or text at a row and column in a font. FORM_D2
    // holds what is printed once per document, FORM_D4 the columns of its lines; ALINEA is the
    // alignment inside LARGO (0 left, 1 centred, 2 right) so amounts line up on their last digit.
    for (const char* name : {"FORM_D2", "FORM_D4"}) {
        TableDef t(name);
        t.C("NEGOCIO", 15).C("CODIGO", 2).N("N_INDEX", 4).C("CAMPO", 10).C("TEXTO", 60);
        t.N("FILA", 6, 2).N("COLUMNA", 6, 2).N("LARGO", 4).C("PICTURE", 30).N("LETRA", 2);
        t.N("ALINEA", 1);
        t.order(name, {kf("NEGOCIO"), kf("CODIGO")});
        cat.add(std::move(t));
    }

    TableDef page("FORM_D3");
    page.C("NEGOCIO", 15).C("CODIGO", 2).N("LINEAS", 4).N("DOCS_PAG", 2).N("NO_IMP_V", 1);
    page.N("NO_IMP_H", 1).N("COPIAS_H", 2).N("OFF_COPY", 6, 2);
    page.order("FORM_D3", {kf("NEGOCIO"), kf("CODIGO")});
    cat.add(std::move(page));
}

void declare_payment_codes(Catalogue& cat) {
    // Payment methods (forms of payment).
    TableDef tm("TIPO_MOV");
    tm.C("NEGOCIO", 15).C("CODIGO", 2).C("DESCRIP", 60).N("TIPO", 1).C("BANCO", 10);
    tm.C("CUENTA", 20).C("CARGO", 4).C("CARGO2", 4).C("ASIENTO1", 15).C("CONC_ANULA", 2);
    tm.C("CONC_DEP", 2).C("OPUESTO", 2).N("LEN_NTAR", 2).N("N_COLUMNA", 2).C("N_CONCEPTO", 2);
    tm.N("P_ELECTRO", 1);
    for (const char* flag : {"CREA_DEP", "DEPOSITA", "DB_IND", "EJECUTIVA", "SOLO_EJECT",
                             "INDIVIDUAL", "EXIGE_NTAR", "LEE_CAMBIO", "NO_CIERRE", "NO_INCLUIR",
                             "ANULACION", "SHOW", "SHOW_FIRMA", "TO_HOTEL", "TO_NOMINA"})
        tm.N(flag, 1);
    tm.order("TIPO_MOV", {kf("NEGOCIO"), kf("CODIGO")}, true);
    tm.order("TIPO_MOV2", {kf("NEGOCIO"), kn("TIPO", 1), kf("CODIGO")});
    cat.add(std::move(tm));

    // Payment concepts: how an application moves a document's balance and the available amount.
    TableDef c2("CONCEPT2");
    c2.C("NEGOCIO", 15).C("CODIGO", 2).C("DESCRIP", 60).N("TIPO", 1).N("TIPO_DISP", 1);
    c2.N("ES_ANULA", 1).C("OPUESTO", 2).N("PERMITIDO", 1).N("SHOW", 1).N("OK_CIERRE1", 1);
    c2.N("OK_CIERRE2", 1);
    c2.order("CONCEPT2", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(c2));

    // Receipt blocks and the series they number from.
    TableDef rec("T_RECIBO");
    rec.C("NEGOCIO", 15).C("CODIGO", 2).C("DESCRIP", 60).C("SERIAL", 15).C("SERIAL2", 15);
    rec.N("LEE_SERIAL", 1).N("LONG_MIN", 4);
    rec.order("T_RECIBO", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(rec));

    // Data-entry clerks and register operators.
    TableDef dig("DIGITA");
    dig.C("NEGOCIO", 15).C("CODIGO", 4).C("NOMBRE", 60).C("CLAVE", kPassCodeWidth);
    dig.N("CIERRE", 1).N("HECHOPOR", 1);
    dig.order("DIGITA", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(dig));
}

void declare_numbering(Catalogue& cat) {
    // Number series. USUARIO is the owner's login name, blank for a series of the whole business.
    TableDef ser("SERIALES");
    ser.C("NEGOCIO", 15).C("USUARIO", 10).C("CODIGO", 15).C("DESCRIP", 60).C("MODULO", 2);
    ser.N("NUMERO", 10).N("NUMERO2", 10).C("PREFIJO", 10).C("POSFIJO", 10).N("INDENT", 2);
    ser.N("JUSTIFICA", 1).C("MUTUO", 2).N("INACTIVO", 1).C("CURRENT_N", 15);
    ser.order("SERIALES", {kf("NEGOCIO"), kf("USUARIO"), kf("CODIGO")}, true);
    ser.order("SERIAL2", {kf("NEGOCIO"), kf("MUTUO")});
    ser.order("SERIAL3", {kf("NEGOCIO"), kf("MODULO"), kf("USUARIO"), kf("CODIGO")});
    ser.order("SERIAL4", {kf("NEGOCIO"), kf("CODIGO")});
    cat.add(std::move(ser));

    // Numbers given back out of order, so the gaps can be accounted for.
    TableDef bad("BAD_SRLS");
    bad.C("USUARIO", 10).C("CODIGO", 15).C("SERIAL", 15);
    bad.order("BAD_SRLS", {kf("CODIGO"), kf("SERIAL")});
    cat.add(std::move(bad));
}

void declare_accounting(Catalogue& cat) {
    // Ledger links: one account in the principal books and one in the replicated books.
    TableDef liga("LIGAS");
    liga.C("NEGOCIO", 15).C("CODIGO", 15).C("DESCRIP", 60).C("CUENTA", 20).C("CUENTA2", 20);
    liga.N("TIPO", 1).N("TIPO2", 1).C("GRUPO", 2);
    liga.order("LIGAS", {kf("NEGOCIO"), kf("CODIGO")}, true);
    liga.order("LIGAS2", {kf("NEGOCIO"), kf("GRUPO"), kf("CODIGO")});
    cat.add(std::move(liga));

    // Percentage distribution of a link over analysis dimensions.
    TableDef dl("DET_LIGA");
    dl.C("NEGOCIO", 15).C("LIGA", 15).C("C_ANALIZA", 10).C("CODIGO", 10).N("PORCENT", 7, 3);
    dl.order("DET_LIGA", {kf("NEGOCIO"), kf("LIGA")});
    cat.add(std::move(dl));

    // Journal classes beyond "01".."09", with the series of their vouchers.
    TableDef cls("CLAS_CON");
    cls.C("NEGOCIO", 15).C("CODIGO", 2).C("DESCRIP", 60).C("SERIAL", 15);
    cls.order("CLAS_CON", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(cls));

    // Chart of accounts.
    TableDef cta("CUENTAS");
    cta.C("NEGOCIO", 15).C("CUENTA", 20).C("DESCRIP", 60).N("MAYOR", 1).N("BLOQUEADO", 1);
    cta.order("CUENTAS", {kf("NEGOCIO"), kf("CUENTA")}, true);
    cat.add(std::move(cta));

    // Ledger balances per month; the last key of a business is its current period.
    TableDef sal("SALDOS");
    sal.C("NEGOCIO", 15).C("CUENTA", 20).N("ANO", 4).N("MES", 2).N("DEBITO", 16, 2);
    sal.N("CREDITO", 16, 2).N("SALDO", 16, 2);
    sal.order("SALDOS", {kf("NEGOCIO"), kn("ANO", 4), kn("MES", 2), kf("CUENTA")});
    cat.add(std::move(sal));

    // Cost centres.
    add_code_table(cat, "DET_CC", 10);

    // Journal vouchers. Numbers come from one series per journal, so only the journal makes
    // a number unique.
    TableDef enc("ENC_AS");
    enc.C("NEGOCIO", 15).C("MOVIMIENTO", 15).C("TIPO", 2).D("FECHA").T("HORA");
    enc.N("AUTORIZADO", 1).N("CERRADO", 1).N("CIERRA", 1).C("USUARIO_C", 10);
    enc.C("INFO_USERC", 60).D("FECHA_MOD").T("HORA_MOD");
    enc.order("ENC_AS1", {kf("NEGOCIO"), kf("MOVIMIENTO")});
    enc.order("ENC_AS4", {kf("NEGOCIO"), kf("TIPO"), kd("FECHA")});
    cat.add(std::move(enc));

    TableDef det("DET_AS");
    det.C("NEGOCIO", 15).C("MOVIMIENTO", 15).N("INDEX_N", 10).C("CUENTA", 20);
    det.C("C_COSTO", 10).C("EJE", 10).C("PARTIDA", 10).N("DEBITO", 16, 2).N("CREDITO", 16, 2);
    det.C("MONEDA", 2).N("T_CAMBIO", 14, 5).N("T_CAMBIO2", 14, 5).C("DESCRIP", 100);
    det.C("DESCRIP2", 60).C("DOCUMENTO", 15).D("FECHA").C("PROCESADO", 1);
    det.order("DET_AS1", {kf("NEGOCIO"), kf("MOVIMIENTO")});
    det.order("DET_AS3", {kf("NEGOCIO"), kf("CUENTA"), kd("FECHA")});
    det.order("DET_AS5", {kf("NEGOCIO"), kf("MOVIMIENTO"), kn("INDEX_N", 10)});
    // What one document posted, whatever voucher and day it went to: an annulment reverses it.
    det.order("DET_AS6", {kf("NEGOCIO"), kf("DOCUMENTO")});
    cat.add(std::move(det));

    // Analysis lines detailing a voucher line.
    TableDef ana("DET_AS2");
    ana.C("NEGOCIO", 15).C("MOVIMIENTO", 15).N("INDEX_N", 10).C("CODIGO", 10);
    ana.C("C_ANALIZA", 10).N("DEBITO", 16, 2).N("CREDITO", 16, 2);
    ana.order("DET_AS2", {kf("NEGOCIO"), kf("MOVIMIENTO"), kn("INDEX_N", 10)});
    cat.add(std::move(ana));
}

void declare_prices(Catalogue& cat) {
    // Scheduled price changes: applied once their date and time have come.
    TableDef enc("ENC_PPRE");
    enc.C("NEGOCIO", 15).C("CODIGO", 15).C("T_PRECIO", 2).N("PENDIENTE", 1).D("F_APLICA");
    enc.T("H_APLICA").D("F_PROCESA").T("H_PROCESA");
    enc.order("ENC_PPRE", {kf("NEGOCIO"), kf("CODIGO")}, true);
    enc.order("ENC_PPR2", {kf("NEGOCIO"), kn("PENDIENTE", 1)});
    cat.add(std::move(enc));

    TableDef det("DET_PPRE");
    det.C("NEGOCIO", 15).C("CODIGO", 15).C("ARTICULO", 15).N("PRECIO", 16, 2);
    det.order("DET_PPRE", {kf("NEGOCIO"), kf("CODIGO")});
    cat.add(std::move(det));

    // Price lists: CODIGO is the price type.
    TableDef lst("DET_PREC");
    lst.C("NEGOCIO", 15).C("CODIGO", 2).C("ARTICULO", 15).N("PRECIO", 16, 2);
    lst.order("DET_PRC1", {kf("NEGOCIO"), kf("CODIGO"), kf("ARTICULO")});
    cat.add(std::move(lst));
}

// Invoicing and receivables settings of a business, one record each.
void declare_invoicing_settings(Catalogue& cat) {
    TableDef t("F_FAC");
    t.C("NEGOCIO", 15).N("MES", 2).N("ANHO", 4).C("MONEDA", 2).C("MONEDA_TIQ", 2);
    t.C("M_LIMITE", 2).C("MON_COMIS", 2).C("COD_SUC", 15).C("PR_S_COSTO", 2).C("DEV_TP", 2);
    t.C("CON_INV", 2).C("FAC_PROV", 15).C("IMP_T", 2);
    for (const char* series :
         {"SER_CARNET", "SERIAL_PED", "SERIAL_PRO", "SERIAL_DEV", "SPA_SERIAL"})
        t.C(series, 15);
    for (const char* stage : {"ETAPA_COB", "ETAP_FACT", "ETAP_FACT2", "ETAP_ANUL", "ETAP_ANUL2",
                              "PROF_PED", "PROF_FACT", "PROF_ANUL"})
        t.C(stage, 4);
    t.C("LIGA_AI", 15).C("LIGA_CXP", 15);
    for (const char* key : {"PASSWRD1", "PASSWRD2", "PASSWRD3"}) t.C(key, kPassCodeWidth);
    t.N("MARGEN_SAL", 16, 2).N("R_INICIO", 4).N("R_FINAL", 4).N("D_GRACIA", 4);
    t.N("SUMA_ANO", 4).N("SUMA_MES", 4).N("SUMA_DIA", 4);
    // Exchange-rate columns 1 to 5 used by the point of sale.
    t.N("TC_FAC", 1).N("TC_FAC2", 1).N("TC_FAC_PRE", 1);
    t.N("TIPO_INT_X", 1).N("TIPO_ROUND", 1).N("LIN_MARCA", 1).N("SPA_H_AGEN", 1);
    for (const char* flag :
         {"AFECTA_CON", "ACT_INACT",  "ANULA_MES",  "OBLIGA_MES", "LEE_CAMBIO", "LEE_FECHA",
          "FACPOS_BIG", "FEC_LOCAL",  "LEE_DATE",   "DET_OTROS",  "CANT_FLETE", "RECICLA_C",
          "ROUND_C",    "LEE_PRECIO", "LEE_LINEA",  "GENERA_INV", "COSTEO_INV", "NO_PCIERRE",
          "AUT_CAJA",   "PLAZO_CL",   "GRABA_SPEC", "GRABA_ENC2", "NO_CHK_CR",  "TXT_REGULA",
          "CLIENTE_M",  "SPA_A_MAIL", "SP_VAL_CAJ", "DIZIVO1"})
        t.N(flag, 1);
    t.M("SPA_I_MAIL").C("HI_AGE_RES", 5).C("HF_AGE_RES", 5);
    t.order("F_FAC", {kf("NEGOCIO")}, true);
    cat.add(std::move(t));
}

// Work tables of the payment window, copied per screen.
void declare_payment_templates(Catalogue& cat) {
    // Documents being paid, with the balance read when each was added, checked again at save.
    TableDef docs("E_DOCS", true);
    docs.C("DOCUMENTO", 15).C("CONCEPTO", 2).C("DESCRIP", 100).D("FECHA").C("MONEDA", 2);
    docs.N("CAMBIO", 14, 5).N("MONTO", 16, 2).N("INTERES", 16, 2).N("MORA", 16, 2);
    docs.N("SALDO_ANT", 16, 2).N("SALDO", 16, 2).N("SALDO_ORIG", 16, 2).N("NOTA_CRED", 1);
    docs.order("E_DOCS", {kf("DOCUMENTO")});
    cat.add(std::move(docs));

    // Tenders being typed.
    TableDef ten("E_DOCS2", true);
    ten.C("CODIGO", 2).C("DESCRIP", 60).N("MONTO", 16, 2).C("CUENTA", 20).C("DOCUMENTO", 15);
    ten.C("VOUCHER", 20).C("COD_AUTORI", 20);
    cat.add(std::move(ten));

    // Rates of the payment, one per currency against the accounting currency.
    TableDef mon("TMP_MON", true);
    mon.C("MONEDA", 2).C("DESCRIP", 60).N("CAMBIO", 14, 5);
    mon.order("TMP_MON", {kf("MONEDA")});
    cat.add(std::move(mon));
}

}  // namespace

void declare_ledger_tables(Catalogue& cat) {
    declare_documents(cat);
    declare_payments(cat);
    declare_currencies(cat);
    declare_document_concepts(cat);
    declare_print_formats(cat);
    declare_payment_codes(cat);
    declare_numbering(cat);
    declare_accounting(cat);
    declare_prices(cat);
    declare_invoicing_settings(cat);
    declare_payment_templates(cat);
}

}  // namespace qz::data
