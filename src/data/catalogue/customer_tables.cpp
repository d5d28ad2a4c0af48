#include "data/catalogue.h"

namespace qz::data {

namespace {

void stamp(TableDef& t) { t.C("USUARIO", 10).C("INFO_USER", 60); }

// Code tables keyed by business and a short code, unique within the business.
void add_code_table(Catalogue& cat, const std::string& name, int code_width) {
    TableDef t(name);
    t.C("NEGOCIO", 15).C("CODIGO", code_width).C("DESCRIP", 60);
    t.order(name, {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(t));
}

// Branches of a customer; most commercial conditions live here. Exactly one has PRINCIPAL "S".
void add_branch_fields(TableDef& br) {
    br.C("NEGOCIO", 15).C("CLIENTE", 15).C("CODIGO", 15).C("PRINCIPAL", 1).C("NOMBRE", 100);
    br.C("SOCIAL", 100).C("JURIDICA", 20).C("DIRECCION", 100).C("APARTADO", 20);
    br.C("ATENCION", 60).C("TELEFONO", 30).C("TELEFONO2", 30).C("TELEFONO3", 30);
    br.C("TELEFONO4", 30).C("FAX", 30).C("FAX2", 30).C("EMAIL", 60);
    br.N("LIMITE", 16, 2).C("MON_LIMITE", 2).N("MAX_DIAS", 4).N("IND_DIAS", 1);
    br.N("DESCUENTO", 7, 3).N("DESC_INCL", 1).C("T_PRECIO", 2).C("SUGIERE_A", 2);
    br.C("SUGIERE_C", 2).C("CATEGORIA", 2).C("ASIENTO1", 15).N("AUT_COBRO", 1).N("F_COBRO", 2);
    br.N("NO_CHECK", 1).C("ID_UNICO", 20).C("N_TARJETA", 20).N("T_ANHO", 4).N("T_MES", 2);
    br.C("COD_ZONA", 4).C("ETAPA_COB", 4).C("C_COSTO", 10).N("PORCE_COMI", 7, 3);
    br.C("G_GENERAL", 60).C("G_FINAN", 60).C("PRESIDENTE", 60).N("T_GARANTIA", 1);
    br.C("D_GARANTIA", 60).M("C_GARANTIA").M("COMENTA");
}

void declare_customers(Catalogue& cat) {
    // Customer header. Names are compared on their first 60 characters, so they may run longer.
    TableDef cli("CLIENTES");
    cli.C("NEGOCIO", 15).C("CODIGO", 15).C("NOMBRE", 100).C("JURIDICA", 20).C("SOCIAL", 100);
    cli.C("SIGLAS", 10).C("CLAS_1", 2).C("CLAS_2", 2).C("CLAS_3", 2).C("CATEGORIA", 2);
    cli.N("ESTADO", 1).D("F_INGRESO").D("F_RETIRO").N("TIPO_ANU", 1).N("LEE_NOM", 1);
    cli.C("COBRA_IMP", 1).N("NO_FACTUR", 1).N("SOLO_CONT", 1).N("COMIS_PREC", 1);
    cli.C("COD_PROVEE", 15).M("COMENTARIO").N("ASOCIADOS", 1);
    cli.order("CLIENTES", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cli.order("CLIENTE2", {kf("NEGOCIO"), kf("NOMBRE")});
    cli.order("CLIENTE4", {kf("NEGOCIO"), kf("CLAS_1")});
    cli.order("CLIENTE5", {kf("NEGOCIO"), kf("CATEGORIA")});
    // Class '1' holds the active customers, '0' the inactive ones: a list of either kind is a
    // scope of these orders, searched by code or by name.
    const KeyPart state = kx("CASE WHEN \"ESTADO\" <> 0 THEN '1' ELSE '0' END", 1);
    cli.order("CLIENTE6", {kf("NEGOCIO"), state, kf("CODIGO")});
    cli.order("CLIENTE7", {kf("NEGOCIO"), state, kf("NOMBRE")});
    cat.add(std::move(cli));

    TableDef br("DET_CLIE");
    add_branch_fields(br);
    br.order("DET_CLIE7", {kf("NEGOCIO"), kf("CLIENTE"), kf("CODIGO")}, true);
    br.order("DET_CLIE", {kf("NEGOCIO"), kf("CLIENTE")});
    br.order("DET_CLIE3", {kf("NEGOCIO"), kf("CLIENTE"), kf("PRINCIPAL")});
    br.order("DET_CLIE8", {kf("NEGOCIO"), kf("CLIENTE"), kf("PRINCIPAL")});
    // Branches paying by standing order, by collection day.
    br.order("DET_CLIE13",
             {kf("NEGOCIO"), kx("CASE WHEN \"AUT_COBRO\" <> 0 THEN '1' ELSE '0' END", 1),
              kn("F_COBRO", 2)});
    br.order("DET_CLIE14", {kf("NEGOCIO"), kf("COD_ZONA"), kf("PRINCIPAL")});
    // Walked when an agent's code changes.
    br.order("DET_CLIE15", {kf("NEGOCIO"), kf("SUGIERE_A")});
    // Walked when a branch classification's code changes.
    br.order("DET_CLIE16", {kf("NEGOCIO"), kf("CATEGORIA")});
    cat.add(std::move(br));

    // The customer editor's private copy of the branches, with each row's source record. Its
    // key is not unique: a repeated branch code is typed first and refused by the validation.
    TableDef work("TMP_CLIE", true);
    add_branch_fields(work);
    work.N("N_REC", 10);
    work.order("DET_CLIE7", {kf("NEGOCIO"), kf("CLIENTE"), kf("CODIGO")});
    cat.add(std::move(work));

    // Referrals, each owned by the clerk who wrote it.
    TableDef ref("DET_CLI2");
    ref.C("NEGOCIO", 15).C("CLIENTE", 15).C("CODIGO", 4).C("NOMBRE", 60).C("TELEFONO", 30);
    ref.C("TELEFONO2", 30).C("EMAIL", 60).C("APARTADO", 20).C("DIGITADOR", 4);
    ref.order("DET_CLI2", {kf("NEGOCIO"), kf("CLIENTE"), kf("CODIGO")});
    cat.add(std::move(ref));

    // Associates (members) of a customer with their membership card.
    TableDef asc("DET_CLI3");
    asc.C("NEGOCIO", 15).C("CLIENTE", 15).C("CODIGO", 15).C("NOMBRE", 60).D("FECHA_NACI");
    asc.C("DIRECCION", 100).N("SEXO", 1).N("RELACION", 2).N("AUTO_CONSU", 1).C("CARNET", 15);
    asc.order("DET_CLI3", {kf("NEGOCIO"), kf("CLIENTE"), kf("CODIGO")});
    asc.order("DET_CLI2", {kf("NEGOCIO"), kf("CODIGO")});
    cat.add(std::move(asc));

    // Further per-customer rows, deleted and re-coded with the customer.
    TableDef more("DET_CLI4");
    more.C("NEGOCIO", 15).C("CLIENTE", 15).C("CODIGO", 15).C("DESCRIP", 60);
    more.order("DET_CLI4", {kf("NEGOCIO"), kf("CLIENTE"), kf("CODIGO")});
    cat.add(std::move(more));

    // Status history: one row per activation or deactivation date.
    TableDef hist("EST_CLIE");
    hist.C("NEGOCIO", 15).C("CODIGO", 15).D("FECHA").N("ESTADO_INI", 1).N("ESTADO_FIN", 1);
    hist.N("TIPO_ANU", 1).D("LIMITE");
    stamp(hist);
    hist.order("EST_CLIE", {kf("NEGOCIO"), kf("CODIGO"), kd("FECHA")});
    hist.order("EST_CLIE2", {kf("NEGOCIO"), kf("CODIGO"), kinv("FECHA")});
    cat.add(std::move(hist));
}

void declare_customer_codes(Catalogue& cat) {
    add_code_table(cat, "CLAS_CLI", 2);
    // Branch classifications.
    add_code_table(cat, "CLAS_CL2", 2);
    add_code_table(cat, "CATEGORS", 2);
    // Collection zones.
    add_code_table(cat, "ZONAS", 4);

    // Sales agents, also the spa's persons in charge.
    TableDef ag("AGENTES");
    ag.C("NEGOCIO", 15).C("CODIGO", 2).C("NOMBRE", 60).C("DIRECCION", 100).C("TELEFONO", 30);
    ag.N("DESCUENTO", 7, 3).C("ACTIVO", 1).N("VER_SPA", 1);
    ag.order("AGENTES", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(ag));

    // National identity registry, shared by every business.
    TableDef pad("PADRON");
    pad.C("CEDULA", 20).C("NOMBRE_C", 100).C("NOMBRE", 30).C("APELLIDO1", 30);
    pad.C("APELLIDO2", 30);
    pad.order("PADRON", {kf("CEDULA")});
    pad.order("PADRON2", {kf("NOMBRE_C")});
    cat.add(std::move(pad));

    // Commission of a customer (as agency) per tour article.
    TableDef com("DET_ART6");
    com.C("NEGOCIO", 15).C("COD_COMI", 15).C("ARTICULO", 15).N("COMISION", 7, 3);
    com.order("DET_ART6", {kf("NEGOCIO"), kf("COD_COMI"), kf("ARTICULO")});
    cat.add(std::move(com));

    // Reservations-module settings read by the customer editor; the tours are the articles of
    // the line LINEA_TOUR.
    TableDef res("F_RESER");
    res.C("NEGOCIO", 15).N("COMISION", 1).C("LINEA_TOUR", 4);
    res.order("F_RESER", {kf("NEGOCIO")}, true);
    cat.add(std::move(res));
}

void declare_credit(Catalogue& cat) {
    // Single-use pre-authorisation of a branch; a seek with VALIDO "1" finds a usable one.
    TableDef aut("AUT_CRED");
    aut.C("NEGOCIO", 15).C("CLIENTE", 15).C("SUCURSAL", 15).N("EXCESO", 1);
    aut.N("M_EXCESO", 16, 2).N("VENCIDO", 1).N("M_VENCIDO", 16, 2).N("VALIDO", 1).D("FECHA");
    aut.T("HORA").C("USUARIO", 10).D("FECHA_EXE").T("HORA_EXE").C("USER_EXE", 10);
    aut.order("AUT_CRED", {kf("NEGOCIO"), kf("CLIENTE"), kf("SUCURSAL"), kn("VALIDO", 1)});
    cat.add(std::move(aut));

    // Remote authorisation requests, the only channel between requester and approver.
    // ESTADO: 0 requested, 1 approved, 2 used, 3 abandoned, 4 rejected.
    TableDef rem("C_REMOTA");
    rem.N("ID", 12).C("NEGOCIO", 15).D("FECHA").T("HORA").C("USUARIO", 10).N("NUM_USER", 4);
    rem.C("INFO_USER", 60).N("MONTO", 16, 2).C("MODULO", 10).C("AUTORIZA", 10).N("ESTADO", 1);
    // Not unique: ID is written after the append, once the record number is known.
    rem.order("C_REMOTA", {kf("NEGOCIO"), kn("ID", 12)});
    rem.order("C_REMOTA2", {kf("NEGOCIO"), kn("ESTADO", 1)});
    cat.add(std::move(rem));

    // Receivables detail of a remote request.
    TableDef rem2("C_REMOT2");
    rem2.N("ID", 12).C("NEGOCIO", 15).C("CUENTA", 20).N("SOBREGIRO", 16, 2);
    rem2.order("C_REMOT2", {kf("NEGOCIO"), kn("ID", 12)});
    cat.add(std::move(rem2));

    // Over-limit amounts that were authorised, by account and month.
    TableDef over("DET_AS4");
    over.C("NEGOCIO", 15).C("CUENTA", 20).D("FECHA").C("TIPO", 2).C("MOVIMIENTO", 15);
    over.N("MES", 2).N("ANO", 4).N("PRESUP", 16, 2).N("SOBREGIRO", 16, 2).C("AUTORIZA", 10);
    over.C("DESCRIP", 100);
    stamp(over);
    over.C("COMENTA", 100).C("DOCUMENTO", 15).C("MODULO", 10);
    over.order("DET_AS4", {kf("NEGOCIO"), kf("CUENTA"), kn("ANO", 4), kn("MES", 2)});
    cat.add(std::move(over));

    // Classification pairs reserved for an agent; at most one block per pair.
    TableDef blq("BLQ_CXC");
    blq.C("NEGOCIO", 15).C("CLAS1", 4).C("CLAS2", 4).C("AGENTE", 2).C("N_DOC", 15);
    blq.C("OBSERVA", 100).N("MOTIVO", 1).C("USER", 10);
    blq.order("BLQ_CXC", {kf("NEGOCIO"), kf("CLAS1"), kf("CLAS2")}, true);
    cat.add(std::move(blq));
}

}  // namespace

void declare_customer_tables(Catalogue& cat) {
    declare_customers(cat);
    declare_customer_codes(cat);
    declare_credit(cat);
}

}  // namespace qz::data
