#include "domain/session/session.h"

namespace qz::domain {

namespace {

ModuleInfo row(const char* id, const char* title, const char* ext, bool login,
               std::vector<int> start = {}, bool minimised = false) {
    return ModuleInfo{id, title, ext, login, std::move(start), minimised, false};
}

std::vector<ModuleInfo> build_table() {
    std::vector<ModuleInfo> t = {
        row("PL_CFG", "Configuracion Nómina", "PCFG", true),
        row("INV", "Inventario Quartzen", "INV", true),
        row("CXC", "Cuentas x Cobrar Quartzen", "CXC", true),
        row("CHK", "Bancos/Cheques Quartzen", "CHK", true),
        row("CXP", "Cuentas x Pagar Quartzen", "CXP", true),
        row("CNT", "Contabilidad Quartzen", "CNT", true),
        row("PLA", "Nómina Quartzen", "PLA", true),
        row("ACT", "Activos Fijos Quartzen", "ACT", true),
        row("TEL", "Teléfonos Quartzen", "TEL", true, {3636}),
        row("C_TEL", "Central Quartzen", "TL2", false, {4369}),
        row("MAILSERVER", "MailServer Quartzen", "MLS", false, {2984}, true),
        row("MAILING", "Mailing Quartzen", "MAI", true),
        row("HMONITOR", "Estadísticas Hotel", "HMN", true),
        row("C_R_TEL", "Central Quartzen", "CEN", false, {4369}),
        row("HOTEL", "Recepción Quartzen", "HOT", true),
        row("JS_SERVER", "Servidor Base de Datos ISAM", "JSS", false),
        row("VENTAS", "POS Restaurante", "VEN", true),
        row("TIME_SHARE", "Intercambio de Semanas", "SHR", true),
        row("IMPORTAR", "Importación de Datos", "IMP", true),
        row("INTERFAZ", "PROCOM-Quartzen", "IFZ", false, {3532}, true),
        row("WEBSERV", "Web-Server Quartzen", "WEB", false, {3686}, true),
        row("CONFIGURA", "Configuración Hotelería", "CNF", true),
        row("PDA_REST", "POS", "PDA", false, {3764}),
        row("CONTROL", "Control Central Telefónica", "CCT", true, {3727}),
        row("SOPORTE", "Soporte a Clientes", "SOP", true),
        row("STATSERV", "Stat-Server", "SSV", true, {3956}, true),
        row("RES", "Reservaciones Tours", "RES", true),
        row("DEPO", "Depósitos Reservaciones", "DPO", true),
        row("FICH", "Fichas Técnicas", "FCH", true),
        row("G_S", "Guest Services", "G_S", true),
        row("HOT_1", "Reservaciones Quartzen", "HT1", true),
        row("HOT_2", "Recepción Quartzen", "HT2", true),
        row("AVAYA", "AVAYA Interface", "AVA", true),
        row("UPDATE", "Update Quartzen", "UPD", true),
        row("GETUP", "GetUp Automáticos", "GUP", false, {4607}, true),
        row("HANDPUNCH", "HandPunch Quartzen", "HP", false, {4562}, true),
        row("PUNTOS", "Puntos Quartzen", "PTO", true),
        row("RELOJ", "Reloj Marcador Quartzen", "RLJ", true),
        row("MDE", "RORUVAD Server", "MDE", false, {4735}, true),
        row("EXCHANGE", "EXCHANGE Server Quartzen", "EXCHANGE", false, {5342}, true),
        row("EX_CLIENT", "EXCHANGE Client Quartzen", "EX_CLIENT", false, {5343}, true),
        row("TIGER", "TIGER Interface Quartzen", "TIGER", false, {4735}, true),
        row("CARGOS", "Cargos a Folio Quartzen", "CARGOS", true),
        row("JAZZ", "JAZZ Interface Quartzen", "JAZZ", true, {4804}, true),
        row("CHICA", "Caja Chica Quartzen", "CCH", true),
        row("C_CENTER", "Call Center Quartzen", "CCE", true),
        row("CASINO", "Casinos Quartzen", "CAS", true),
        row("T_SHARE", "Time Share Quartzen", "SHA", true),
        row("OPERA", "Interfaz Opera", "OPE", false, {5873}, true),
        row("EX_RENTAL", "Interfaz Rental", "REN", false, {5926}, true),
        row("EX_RUNTRIZ", "Interfaz RUNTRIZ", "REN", false, {6125}, true),
        row("EX_REST", "Interfaz RESTAURANT", "RST", false, {6256}, true),
        row("EX_HOTEL", "Interfaz HOTEL", "EXH", false, {6360}, true),
        row("EX_ASEC", "Interfaz ASECCSS", "RST", false, {6357}, true),
        row("EX_BAF", "Interfaz BAF", "BAF", false, {6264, 6265}, true),
        row("EX_KPI", "Interfaz KPI", "KPI", false, {5939}, true),
        row("EVENTOS", "Administración de Eventos Quartzen", "EVT", true),
        row("CRM", "CRM Quartzen", "CRM", true),
        row("EX_SABRE", "SABRE Interface", "SABRE", false, {5917}, true),
        // The spa agenda opens as soon as the window is up.
        row("SPA", "SPA Quartzen", "SPA", true, {6415}),
    };
    for (auto& m : t)
        if (m.id == "VENTAS") m.own_start = true;
    return t;
}

}  // namespace

const std::vector<ModuleInfo>& module_table() {
    static const std::vector<ModuleInfo> table = build_table();
    return table;
}

ModuleInfo module_info(std::string_view id, std::string_view caption) {
    for (const auto& m : module_table())
        if (m.id == id) return m;
    return ModuleInfo{std::string(id), std::string(caption), "XXX", true, {}, false, false};
}

}  // namespace qz::domain
