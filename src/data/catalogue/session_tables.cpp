#include "data/catalogue.h"

namespace qz::data {

namespace {

// The trace every audited record carries: who wrote it and from which workstation.
void stamp(TableDef& t) { t.C("USUARIO", 10).C("INFO_USER", 60); }

void declare_business_and_users(Catalogue& cat) {
    TableDef neg("NEGOCIOS");
    neg.C("CODIGO", 15).C("DESCRIP", 60).C("MONEDA_CON", 2).C("MONEDA_D", 2).N("DOBLE_MON", 1);
    neg.N("MANEJO_TC", 1).N("CHECK_MON", 1).N("CANT_MON", 4);
    neg.N("INTENTOS", 4).N("DIAS_CLAVE", 4).N("SIZE_CLAVE", 4);
    neg.C("LOGO", 60).C("LOGO2", 60);
    neg.C("FORMATO", 30).C("FORMATO2", 30).C("FORMATO3", 30).C("FORMATO4", 30);
    for (const char* flag :
         {"TREE_OFF", "VIEW_CAT", "PRINT_TC", "NOSHOW", "PARTIDA", "A_PARTIDAS", "MAYORIZA",
          "FLUJO", "EJE", "C_COSTO", "P_BANCOS", "FISCAL", "LEE_COM", "LEE_C_ANA", "DEFAULT_CH"})
        neg.N(flag, 1);
    // Number series of the journals "01" to "09".
    for (int i = 1; i <= 9; ++i) neg.C("DIARIO" + std::to_string(i), 15);
    neg.order("NEGOCIOS", {kf("CODIGO")}, true);
    cat.add(std::move(neg));

    // The user number is written with 4 digits in USUARIO3 and F_BROWSE keys, so it has 4.
    // USUARIO is the identifier the session log shows; ABREVIA the short code stamped on records.
    TableDef usr("USUARIOS");
    usr.C("NEGOCIO", 15).N("CODIGO", 4).C("NOMBRE", 10).C("USUARIO", 20).C("ABREVIA", 10);
    usr.C("PASSWORD", 10).N("ADASIPA", 1).N("SUPERVISOR", 1).N("BLOQUEADO", 1).C("INFO_BLOQ", 60);
    usr.D("F_CLAVE").T("H_CLAVE").C("INFO_CLAVE", 60).N("DIAS_CLAVE", 4).N("SIZE_CLAVE", 4);
    usr.N("NO_SALIR", 1).C("SUBBASE", 2).N("PERMISO1", 1).N("IDIOMA", 1).N("BUTTONSTYL", 1);
    usr.N("NO_CHAT", 1).C("USERNAME", 60).C("USERADDR", 60).C("EMAIL", 60).N("SOBREVENTA", 4);
    usr.N("PRECIO_ESP", 1).N("T_SESION", 1).C("INFO_ENTER", 60);
    // argon2id hash of the password (ADASIPA 2); PASSWORD keeps only legacy plain or scrambled
    // values until their first login replaces them.
    usr.M("PWD_HASH");
    usr.order("USUARIOS", {kf("NEGOCIO"), kf("NOMBRE")}, true);
    usr.order("USUARIO3", {kf("NEGOCIO"), kn("CODIGO", 4)}, true);
    usr.order("USUARIO4", {kf("NEGOCIO"), kf("ABREVIA")});
    usr.order("USUARIO5", {kf("NEGOCIO"), kn("ADASIPA", 1)});
    cat.add(std::move(usr));

    // Alternate data sets a user may be bound to.
    TableDef sub("SUBBASES");
    sub.C("CODIGO", 2).C("DESCRIP", 60).C("DIRECTORIO", 60);
    sub.order("SUBBASES", {kf("CODIGO")}, true);
    cat.add(std::move(sub));

    // Password changes, with both scrambled passwords.
    TableDef pwd("ADASIPA");
    pwd.C("USUARIO", 20).C("NOMBRE", 10).C("P1", 10).C("P2", 10).D("FECHA").T("HORA");
    pwd.C("INFO_USER", 60).N("ORIGEN", 1);
    pwd.order("ADASIPA", {kf("USUARIO"), kd("FECHA"), kf("HORA")});
    cat.add(std::move(pwd));
}

void declare_rights(Catalogue& cat) {
    // Rights granted per user number and menu command id.
    TableDef menus("MENUS");
    menus.C("NEGOCIO", 15).N("CODIGO", 8).N("ID", 8).L("CHECK_ID");
    menus.order("MENUS", {kf("NEGOCIO"), kn("CODIGO", 8), kn("ID", 8)});
    cat.add(std::move(menus));

    TableDef prof("PERFILES");
    prof.C("NEGOCIO", 15).N("CODIGO", 8).C("DESCRIP", 60);
    prof.order("PERFILES", {kf("NEGOCIO"), kn("CODIGO", 8)}, true);
    cat.add(std::move(prof));

    // Rights of a profile, laid out like MENUS.
    TableDef det("DET_PERF");
    det.C("NEGOCIO", 15).N("CODIGO", 8).N("ID", 8).L("CHECK_ID");
    det.order("DET_PERF", {kf("NEGOCIO"), kn("CODIGO", 8), kn("ID", 8)});
    cat.add(std::move(det));

    // Catalogue of rights shown as a tree: MODULO on top-level entries, POINTER on children.
    TableDef der("DERECHOS");
    der.N("N_ID", 10).C("DESCRIP", 60).C("MODULO", 2).N("POINTER", 10);
    der.order("DERECHO2", {kf("MODULO"), kn("POINTER", 10)});
    cat.add(std::move(der));

    // Per-user rows of another module, removed together with the user.
    TableDef tra("DET_TRA2");
    tra.C("NEGOCIO", 15).N("CODIGO", 8).C("DESCRIP", 60);
    tra.order("DET_TRA2", {kf("NEGOCIO"), kn("CODIGO", 8)});
    cat.add(std::move(tra));

    // Caption translations of a business.
    TableDef trad("TRADUCT");
    trad.C("NEGOCIO", 15).C("SEQUENCE1", 60).C("SEQUENCE2", 60).N("INCRUSTADO", 1);
    trad.order("TRADUCT", {kf("NEGOCIO")});
    cat.add(std::move(trad));
}

void declare_settings(Catalogue& cat) {
    // System settings, one record read at start-up.
    TableDef sys("F_SYS");
    sys.C("T_FONT", 40).N("T_SIZE", 3, 1).C("P_FONT", 40).C("D_FONT", 40).N("FIESTA1", 10);
    sys.N("NO_DATE", 1).N("REFRESH_B", 1).N("WS_SOCKET", 6).N("MAXCOMMIT", 8);
    sys.N("IDLECOMMIT", 8).N("GARBAGE", 8).N("GRAYED", 1).N("MULTITASK", 4).N("MULTIPLE", 1);
    sys.N("DLGSIZE", 3).N("DGROUP", 5).N("NOFLATBUTT", 1).N("NO_SIM_P", 1).N("SOLO_IND", 1);
    sys.N("LOCAL_TEMP", 1).C("LOCAL_PATH", 100);
    for (int i = 1; i <= 12; ++i) sys.N("RGB" + std::to_string(i), 3);
    sys.N("MAXTIMEOUT", 6).N("NO_TIMEOUT", 1).N("BLOQUEADO", 1);
    for (int i = 1; i <= 12; ++i) {
        std::string m = "MS_M" + std::to_string(i);
        sys.N(m + "_MIN", 3).N(m + "_MAX", 3);
    }
    cat.add(std::move(sys));

    // Mail settings, one record.
    TableDef mail("DEFMAIL");
    mail.C("HOST", 60).N("SMTP_PORT", 6).N("POP3", 1).N("POP3_PORT", 6).C("USERNAME", 60);
    mail.C("USERADDR", 60).C("ID_NAME", 60).C("DESTINO", 60).N("SENDMAIL", 1).N("AUTORIZA", 1);
    mail.C("AUTH_USER", 60).C("AUTH_PASS", 60).C("CC_CONF1", 60).C("CC_CONF2", 60);
    mail.C("D_STUNNEL", 100).C("NEGOCIO", 15).C("NEGOCIO_H", 15).C("CLASE_HOT", 10);
    mail.C("CLASE_HOT2", 10).C("CLASE_ROT1", 10).C("CLASE_ROT2", 10);
    mail.order("DEFMAIL", {kf("NEGOCIO")});
    cat.add(std::move(mail));

    // Font names offered to the user.
    TableDef fonts("FONTS");
    fonts.C("T_FONT", 40);
    fonts.order("FONTS", {kf("T_FONT")});
    cat.add(std::move(fonts));

    // Tables that feed the word index, with the field holding each record's document key.
    TableDef txt("F_TXT_S");
    txt.C("TABLA", 15).C("DOCUMENTO", 10);
    txt.order("T_TXT_S", {kf("TABLA")});
    cat.add(std::move(txt));

    // Words of indexed texts. A freed row has NEGOCIO full of "X" and is reused before appending.
    TableDef words("TXT_SRCH");
    words.C("NEGOCIO", 15).C("TABLA", 10).C("DOCUMENTO", 15).N("ID", 10).C("T_ITEM", 40);
    words.order("TXT_SRCH4", {kf("NEGOCIO"), kf("TABLA"), kf("DOCUMENTO"), kf("T_ITEM")});
    words.order("TXT_SRCH5", {kf("NEGOCIO"), kf("TABLA"), kf("T_ITEM")});
    cat.add(std::move(words));

    // A user's preferred font for one grid of one screen.
    TableDef brw("F_BROWSE");
    brw.C("NEGOCIO", 15).C("DIALOGO", 20).N("CODIGO", 4).N("ID_BROWSE", 4).C("T_FONT", 40);
    brw.N("T_SIZE", 3);
    brw.order("F_BROWSE", {kf("NEGOCIO"), kf("DIALOGO"), kn("CODIGO", 4), kn("ID_BROWSE", 4)},
              true);
    cat.add(std::move(brw));

    // Shared print destinations of a business; which printer each means is a workstation setting.
    TableDef pre("PREDET_P");
    pre.C("NEGOCIO", 15).C("CODIGO", 2).C("DESCRIP", 60).C("COMANDA", 2).C("RUNNER", 2);
    pre.order("PREDET_P", {kf("NEGOCIO"), kf("CODIGO")}, true);
    cat.add(std::move(pre));
}

void declare_logs(Catalogue& cat) {
    // One record per session: entry, last sign of life, exit and a fatal error.
    TableDef es("LOG_E_S");
    es.D("FECHA").T("HORA").C("USUARIO", 20).C("INFO_USER", 60).C("WS_HOST", 30);
    es.C("MODULO", 10).C("ID_USUARIO", 10).D("POLL_F").T("POLL_H").D("FECHA_SAL").T("HORA_SAL");
    es.M("DESC_ERR").C("ERR_CHECK", 1).N("SEQUENCIA", 10);
    es.order("LOG_E_S", {kd("FECHA"), kf("HORA")});
    cat.add(std::move(es));

    // Screens opened, recycled oldest first, so LOG_DIA2 spans every business.
    TableDef diag("LOG_DIAG");
    diag.C("NEGOCIO", 15).N("ID_DIAG", 10).C("DIALOGO", 20);
    stamp(diag);
    diag.D("FECHA").T("HORA").C("MODULO", 10);
    diag.order("LOG_DIAG", {kf("NEGOCIO"), kn("ID_DIAG", 10)});
    diag.order("LOG_DIA2", {kd("FECHA"), kf("HORA")});
    cat.add(std::move(diag));

    // Rolled-back transactions; NEGOCIO is written empty, so the key is the moment.
    TableDef roll("LOG_ROLL");
    roll.C("NEGOCIO", 15).D("FECHA").T("HORA");
    stamp(roll);
    roll.M("MOTIVO").N("TRANS_ID", 4);
    roll.order("LOG_ROLL", {kd("FECHA"), kf("HORA")});
    cat.add(std::move(roll));

    // Run-time errors recorded by the error handler.
    TableDef err("ERROR");
    err.D("FECHA").T("HORA").M("DESCRIP").M("DETALLE").M("INFO");
    err.order("ERROR", {kd("FECHA"), kf("HORA")});
    cat.add(std::move(err));

    // Notes about a customer. INVERSO is four numbers of 10 digits (days to 2090, then the time
    // counted down) so an ascending walk lists the newest note first; blank until computed.
    TableDef bita("BITACORA");
    bita.C("NEGOCIO", 15).C("CLIENTE", 15).C("DOCUMENTO", 15).D("FECHA").T("HORA");
    bita.C("USUARIO", 10).M("DESCRIP").C("DESCRIP2", 60).C("INFO_USER", 60).C("INVERSO", 40);
    bita.D("ULT_FECHA").T("ULT_HORA").C("ULT_USUARI", 10).C("ULT_INFO", 60);
    bita.order("BITACORA", {kf("NEGOCIO"), kf("CLIENTE")});
    bita.order("BITACORA1", {kf("NEGOCIO"), kf("CLIENTE")});
    bita.order("BITACORA4", {kf("NEGOCIO"), kf("CLIENTE"), kf("INVERSO")});
    bita.order("BITA_INV", {kf("INVERSO")});
    cat.add(std::move(bita));
}

}  // namespace

void declare_session_tables(Catalogue& cat) {
    declare_business_and_users(cat);
    declare_rights(cat);
    declare_settings(cat);
    declare_logs(cat);
}

}  // namespace qz::data
