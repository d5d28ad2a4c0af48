#include "gui/shell/menu_def.h"

#include <map>

namespace qz::gui {

namespace {

using K = MenuItem::Kind;

MenuItem cmd(const std::string& caption, int id) { return {K::Command, caption, id, {}}; }
MenuItem sep() { return {K::Separator, "", 0, {}}; }
MenuItem sub(const std::string& caption, std::vector<MenuItem> children) {
    return {K::Submenu, caption, 0, std::move(children)};
}

MenuItem archivo() {
    MenuItem mant =
        sub("Mantenimientos",
            {cmd("Meses Activos Módulos", 2915),
             cmd("Impresoras Predeterminadas", 2782),
             sep(),
             cmd("Perfiles de Usuario", 2000),
             cmd("Cambio de Clave de Acceso", 2904),
             cmd("Acceso Fecha/Hora", 4660),
             cmd("Cambio email Usuario", 4696),
             sep(),
             cmd("Fuente Despliegue de Datos", 2152),
             cmd("Parámetros Manipulación DB", 2539),
             {K::NoAction, "Definición de Tipos de Letras", 0, {}},
             sep(),
             cmd("Definición de Revisión de Tipos de Cambio", 2905),
             cmd("Definición de Monedas", 2783),
             cmd("Definición de Tipos de Cambio ", 2901),
             sep(),
             cmd("Definición de Seriales", 2841),
             sep(),
             cmd("Optimización de Archivo", 3814),
             sep(),
             cmd("Log de Errores Registrados", 2588),
             cmd("Log de Entradas Registradas", 2590),
             cmd("Log de Rollbacks Transaccionales", 4146),
             cmd("Log Envío de emails", 6282),
             cmd("Información ADS Connections", 6361),
             sep(),
             sub("E-Mails", {cmd("Parámetros Globales", 2987)}),
             sep(),
             sub("Credit Card Interfaces",
                 {cmd("Configuración de Estaciones", 6190), cmd("Asignación Estación a PC", 6194),
                  sub("Cierres", {cmd("Cierre Banco Nacional Costa Rica", 6195),
                                  sub("Cierres Credomatic", {cmd("Pre-Cierre Credomatic", 6196),
                                                             cmd("Cierre Credomatic", 6197)})}),
                  cmd("Log de Transacciones con Tarjeta", 6198)})});
    return sub("&Archivo", {mant, {K::Exit, "Salir", 0, {}}});
}

std::vector<MenuItem> spa_menus() {
    return {
        sub("Spa", {cmd("Agenda", 6415), cmd("Reservas Registradas", 6429), sep(),
                    cmd("Punto de Venta", 6645)}),
        sub("Depósitos",
            {cmd("Registro de Depósitos", 6705), cmd("Consulta de Depósitos", 6707), sep(),
             cmd("Personas que Depositan", 6706), cmd("Conceptos de Depósito", 6700),
             cmd("Reservaciones del Hotel", 6701), sep(),
             sub("Reportes de Depósitos",
                 {cmd("Depósitos por Fecha", 6708), cmd("Depósitos por Reservación", 6709),
                  cmd("Depósitos Pendientes de Aplicar", 6710)})}),
        sub("Reportes", {cmd("Agenda Spa", 6436), cmd("Agenda Spa por Encargado", 6437)}),
        sub("Servicios Adicionales",
            {cmd("Parámetros Generales", 6427), cmd("Definición de Salas", 6416), sep(),
             sub("Cajas",
                 {cmd("Definición de Cajas", 2839), cmd("Autorización Cajas x Estación", 4098),
                  sep(), cmd("Cajas de Recepción", 6640), cmd("Turnos de Meseros", 6641), sep(),
                  cmd("Cierre de Caja", 6650), cmd("Cancelación de Facturas", 6660),
                  cmd("Notas de Devolución", 6670)}),
             sep(), cmd("Definición de Agentes         ", 2831), sep(),
             sub("Servicios y Precios",
                 {cmd("Servicios y Artículos", 6450), cmd("Sublíneas de Servicios", 6451), sep(),
                  cmd("Tipos de Precio", 6452), cmd("Listas de Precios", 6453),
                  cmd("Precios Especiales por Cliente", 6454)}),
             sub("Inventario", {cmd("Bodegas", 6460), cmd("Existencias por Bodega", 6461),
                                cmd("Conceptos de Inventario", 6462), sep(),
                                cmd("Entrada / Ajuste de Inventario", 6463),
                                cmd("Movimientos de Inventario", 6464)}),
             sep(),
             sub("Clientes/Clasificaciones",
                 {cmd("Definición de Clientes        ", 2833),
                  cmd("Clasificaciones de Clientes", 6570),
                  cmd("Clasificaciones de Sucursales", 6571), cmd("Categorías de Clientes", 6572),
                  cmd("Zonas de Cobro", 6573), cmd("Autorizaciones de Crédito", 6588),
                  cmd("Bloqueos de Clasificaciones", 6589), cmd("Autorizaciones Remotas", 6590),
                  cmd("Claves de Autorización de Crédito", 6591)})}),
    };
}

// The receivables ledger's own menu; its set-up of months, currencies, rates and series sits
// under "Archivo › Mantenimientos".
MenuItem ledger_menu() {
    return sub(
        "Cuentas por Cobrar",
        {sub("Documentos",
             {cmd("Conceptos de Documentos", 6514), cmd("Formatos de Impresión", 6515), sep(),
              cmd("Consulta de Documentos", 6505), sep(), cmd("Anulación de Documentos", 6519),
              cmd("Anulación de Factura en Blanco", 6564)}),
         sub("Pagos",
             {cmd("Conceptos de Abono", 6502), cmd("Formas de Pago", 6503),
              cmd("Blocks de Recibos", 6504), sep(), cmd("Registro de Abonos", 6509),
              cmd("Anulación de Movimientos", 6517), sep(), cmd("Cobros Automáticos", 6518)}),
         sub("Consultas", {cmd("Consultas Clientes / CxC", 6508)}),
         sub("Gestión de Cobro",
             {cmd("Facturas por Etapa de Cobro", 6720), sep(), cmd("Etapas de Cobro", 6721),
              cmd("Autorizadores de Cobro", 6722), cmd("Cobradores", 6723)}),
         sub("Facturas Regulares",
             {cmd("Generación de Facturas Regulares", 6680), sep(),
              cmd("Conjuntos de Facturas Regulares", 6690), cmd("Documentos Regulares", 6691),
              cmd("Plantillas de Facturas Regulares", 6693),
              cmd("Vista Previa de Facturas Regulares", 6692)}),
         sub("Contabilidad", {cmd("Catálogo de Cuentas", 6510), cmd("Ligas Contables", 6511),
                              cmd("Clases de Asiento", 6512), cmd("Período Contable", 6516), sep(),
                              cmd("Consulta de Asientos", 6513)}),
         sub("Diferencial Cambiario", {cmd("Tipos de Diferencial Cambiario", 6506),
                                       cmd("Reporte de Diferencial Cambiario", 6507)})});
}

// Orders and proformas: their stage chains and the people who authorise their moves.
MenuItem pedidos_menu() {
    return sub("Pedidos",
               {cmd("Etapas de Pedidos", 6741), cmd("Autorizadores de Pedidos", 6742), sep(),
                cmd("Etapas de Proformas", 6743), cmd("Autorizadores de Proformas", 6744)});
}

MenuItem ventanas() {
    return sub("Ventanas", {{K::Window, "Cascada", kCmdCascade, {}},
                            {K::Window, "Comparativo", kCmdTile, {}},
                            {K::Window, "Acomodar Iconos", kCmdArrangeIcons, {}},
                            {K::Window, "Cerrar Todos", kCmdCloseAll, {}}});
}

MenuItem acerca() {
    return sub("Acerca de", {{K::Window, "Acerca &de", kCmdAbout, {}},
                             {K::Window, "ADS Config.", kCmdAdsConfig, {}}});
}

void collect(const std::vector<MenuItem>& items, std::vector<int>& out) {
    for (const auto& m : items) {
        if (m.kind == K::Command && m.id) out.push_back(m.id);
        collect(m.children, out);
    }
}

}  // namespace

std::vector<MenuItem> spa_menu_bar(bool with_login) {
    std::vector<MenuItem> bar;
    if (with_login) {
        bar.push_back(archivo());
        bar.push_back(sub("Editar", {}));
    }
    for (auto& m : spa_menus()) bar.push_back(std::move(m));
    bar.push_back(ledger_menu());
    bar.push_back(pedidos_menu());
    bar.push_back(ventanas());
    bar.push_back(acerca());
    return bar;
}

const std::vector<ContextItem>& context_items(int context_id) {
    static const std::map<int, std::vector<ContextItem>> table = {
        {6429,
         {{"Agregar", 6430, "ADD_RESERVA"},
          {"Modificar", 6431, "MOD_RESERVA"},
          {"Consultar", 6432, "MOD_RESERVA"},
          {"Anular", 6433, "CANCEL_RESERVA"},
          {"", 0, ""},
          {"Reenviar Email", 6444, "SEND_CONFIRM"},
          {"", 0, ""},
          {"Facturar", 6435, "FACTURAR"},
          {"Anular Factura", 6434, "ANL_FACTCXC"}}},
        {2588, {{"Limpiar Log de Errores", 2589, "LIMPIAR_LOG"}}},
        {6505,
         {{"Cambiar Sucursal", 6610, "CAMBIA_SUC"},
          {"Trasladar a otro Cliente", 6611, "MOV_CLIENTE"},
          {"Cambiar Tipo de Diferencial", 6612, "MOV_DIFF"},
          {"Modificar Descripción y Clasificación", 6613, "ED_DESCRIP"},
          {"Cambiar Agente", 6614, "CAMBIA_AGENTE"},
          {"Recodificar Documento", 6615, "RECODE_DOC"},
          {"", 0, ""},
          {"Marcar como Entregado", 6616, "MARCA_ENTREGA"},
          {"Marcar como No Entregado", 6617, "DESMARCA_ENTREGA"},
          {"Reporte de Documentos Entregados", 6618, "REP_ENTREGADOS"},
          {"Reporte de Documentos No Entregados", 6619, "REP_NO_ENTREGADOS"},
          {"", 0, ""},
          {"Recalcular Monto", 6620, "RECALC_MONTO"},
          {"Modificar Saldo/Cuota/Interés", 6621, "MOD_DOC"},
          {"Re-aplicar Saldos", 6622, "FIX_SAL"},
          {"", 0, ""},
          {"Bloquear Documento", 6623, "BLOQ_DOC"},
          {"Reimprimir", 6624, "REIMPRIMIR"},
          {"", 0, ""},
          {"Datos del Documento", 6628, "DATOS_DOC"},
          {"Movimientos Aplicados", 6629, "V_AB_FAC"},
          {"Últimos Abonos del Cliente", 6630, "ULT_ABONOS"},
          {"", 0, ""},
          {"Anular Documento", 6625, "ANULA_DOC_VIEW"},
          {"Duplicar Documento", 6626, "DUPLICA_DOC"},
          {"Plan de Pagos", 6627, "ED2_DOC"},
          {"", 0, ""},
          {"Crear Nota de Devolución", 6672, "CREA_DEV"}}},
        {6502,
         {{"Agregar Concepto", 6520, "ADD_CONCEPT2"},
          {"Modificar Concepto", 6521, "MOD_CONCEPT2"},
          {"Borrar Concepto", 6522, "DEL_CONCEPT2"}}},
        {6700,
         {{"Agregar Concepto", 6702, "ADD_CON_HLIB"},
          {"Modificar Concepto", 6703, "MOD_CON_HLIB"},
          {"Borrar Concepto", 6704, "DEL_CON_HLIB"}}},
        {6721,
         {{"Agregar Etapa", 6724, "ADD_ETAPAS_B"},
          {"Modificar Etapa", 6725, "MOD_ETAPAS_B"},
          {"Borrar Etapa", 6726, "DEL_ETAPAS_B"}}},
        {6722,
         {{"Agregar Autorizador", 6727, "ADD_AUTO_COB"},
          {"Modificar Autorizador", 6728, "MOD_AUTO_COB"},
          {"Borrar Autorizador", 6729, "DEL_AUTO_COB"}}},
        {6741,
         {{"Agregar Etapa", 6745, "ADD_ETAPAS_P"},
          {"Modificar Etapa", 6746, "MOD_ETAPAS_P"},
          {"Borrar Etapa", 6747, "DEL_ETAPAS_P"}}},
        {6742,
         {{"Agregar Autorizador", 6748, "ADD_AUTO_PED"},
          {"Modificar Autorizador", 6749, "MOD_AUTO_PED"},
          {"Borrar Autorizador", 6750, "DEL_AUTO_PED"}}},
        {6743,
         {{"Agregar Etapa", 6751, "ADD_ETAP_PRO"},
          {"Modificar Etapa", 6752, "MOD_ETAP_PRO"},
          {"Borrar Etapa", 6753, "DEL_ETAP_PRO"}}},
        {6744,
         {{"Agregar Autorizador", 6754, "ADD_AUTO_PRO"},
          {"Modificar Autorizador", 6755, "MOD_AUTO_PRO"},
          {"Borrar Autorizador", 6756, "DEL_AUTO_PRO"}}},
        {6723,
         {{"Agregar Cobrador", 6730, "ADD_COBRADOR"},
          {"Modificar Cobrador", 6731, "MOD_COBRADOR"},
          {"Borrar Cobrador", 6732, "DEL_COBRADOR"}}},
        {6706,
         {{"Agregar Persona", 6711, "ADD_HECHOPOR"},
          {"Modificar Persona", 6712, "MOD_HECHOPOR"},
          {"Borrar Persona", 6713, "DEL_HECHOPOR"}}},
        {6514,
         {{"Agregar Concepto", 6546, "ADD_CONCEPT1"},
          {"Modificar Concepto", 6547, "MOD_CONCEPT1"},
          {"Borrar Concepto", 6548, "DEL_CONCEPT1"}}},
        {6515,
         {{"Agregar Formato", 6550, "ADD_FORM_DOC"},
          {"Modificar Formato", 6551, "MOD_FORM_DOC"},
          {"Borrar Formato", 6552, "DEL_FORM_DOC"},
          {"Diseñar Formato", 6553, "DIS_FORM_DOC"}}},
        {6503,
         {{"Agregar Forma de Pago", 6523, "ADD_TIPO_MOV"},
          {"Modificar Forma de Pago", 6524, "MOD_TIPO_MOV"},
          {"Borrar Forma de Pago", 6525, "DEL_TIPO_MOV"}}},
        {2783,
         {{"Agregar Moneda", 6540, "ADD_MONEDAS"},
          {"Modificar Moneda", 6541, "MOD_MONEDAS"},
          {"Borrar Moneda", 6542, "DEL_MONEDAS"}}},
        {6506,
         {{"Agregar Tipo de Diferencial", 6543, "ADD_COD_DIFF"},
          {"Modificar Tipo de Diferencial", 6544, "MOD_COD_DIFF"},
          {"Borrar Tipo de Diferencial", 6545, "DEL_COD_DIFF"}}},
        {2841,
         {{"Agregar Serial", 6555, "ADD_SERIALES"},
          {"Modificar Serial", 6556, "MOD_SERIALES"},
          {"Borrar Serial", 6557, "DEL_SERIALES"}}},
        {2901,
         {{"Agregar Tipo de Cambio", 6558, "ADD_T_CAMBIO"},
          {"Modificar Tipo de Cambio", 6559, "MOD_T_CAMBIO"},
          {"Borrar Tipo de Cambio", 6560, "DEL_T_CAMBIO"},
          {"", 0, ""},
          {"Agregar Relación de Monedas", 6561, "ADD_DET_MON"},
          {"Modificar Relación de Monedas", 6562, "MOD_DET_MON"},
          {"Borrar Relación de Monedas", 6563, "DEL_DET_MON"}}},
        {6510,
         {{"Agregar Cuenta", 6530, "ADD_CUENTAS"},
          {"Modificar Cuenta", 6531, "MOD_CUENTAS"},
          {"Borrar Cuenta", 6532, "DEL_CUENTAS"}}},
        {6511,
         {{"Agregar Liga", 6533, "ADD_LIGAS"},
          {"Modificar Liga", 6534, "MOD_LIGAS"},
          {"Borrar Liga", 6535, "DEL_LIGAS"},
          {"", 0, ""},
          {"Distribución de la Liga", 6539, "DIS_LIGAS"}}},
        {6512,
         {{"Agregar Clase", 6536, "ADD_CLAS_CON"},
          {"Modificar Clase", 6537, "MOD_CLAS_CON"},
          {"Borrar Clase", 6538, "DEL_CLAS_CON"}}},
        {6504,
         {{"Agregar Block", 6526, "ADD_T_RECIBO"},
          {"Modificar Block", 6527, "MOD_T_RECIBO"},
          {"Borrar Block", 6528, "DEL_T_RECIBO"}}},
        {6416,
         {{"Agregar", 6417, "ADD_SPA_SALA"},
          {"Modificar", 6418, "MOD_SPA_SALA"},
          {"Eliminar", 6419, "DEL_SPA_SALA"}}},
        {2788,
         {{"Crear Caja", 2301, "ADD_CAJA"},
          {"Modificar Caja", 2302, "MOD_CAJA"},
          {"Borrar Caja", 2303, "DEL_CAJA"},
          {"", 0, ""},
          {"Agregar Cierre Manual", 2918, "ADD_DETALLE"},
          {"Modificar Cierre", 2919, "MOD_DETALLE"},
          {"Borrar Cierre", 2920, "DEL_DETALLE"}}},
        {2831,
         {{"Agregar Agente", 2336, "ADD_AGENTE"},
          {"Modificar Agente", 2337, "MOD_AGENTE"},
          {"Borrar Agente", 2338, "DEL_AGENTE"}}},
        {6570,
         {{"Agregar Clasificación", 6574, "ADD_CLAS_CLI"},
          {"Modificar Clasificación", 6575, "MOD_CLAS_CLI"},
          {"Borrar Clasificación", 6576, "DEL_CLAS_CLI"}}},
        {6571,
         {{"Agregar Clasificación", 6577, "ADD_CLAS_CL2"},
          {"Modificar Clasificación", 6578, "MOD_CLAS_CL2"},
          {"Borrar Clasificación", 6579, "DEL_CLAS_CL2"}}},
        {6572,
         {{"Agregar Categoría", 6580, "ADD_CATEGORS"},
          {"Modificar Categoría", 6581, "MOD_CATEGORS"},
          {"Borrar Categoría", 6582, "DEL_CATEGORS"}}},
        {6573,
         {{"Agregar Zona", 6583, "ADD_ZONAS"},
          {"Modificar Zona", 6584, "MOD_ZONAS"},
          {"Borrar Zona", 6585, "DEL_ZONAS"}}},
        {6588,
         {{"Agregar Autorización", 6592, "ADD_AUT_CRED"},
          {"Modificar Autorización", 6593, "MOD_AUT_CRED"},
          {"Borrar Autorización", 6594, "DEL_AUT_CRED"}}},
        {6589,
         {{"Agregar Bloqueo", 6595, "ADD_BLQ"},
          {"Modificar Bloqueo", 6596, "MOD_BLQ"},
          {"Quitar Bloqueo", 6597, "DEL_BLQ"}}},
        {6590, {{"Aprobar Solicitud", 6598, "APROBAR"}, {"Rechazar Solicitud", 6599, "RECHAZAR"}}},
        {3428,
         {{"Agregar Bitácora", 3429, "ADD_ITEM"},
          {"Modificar Bitácora", 3430, "MOD_ITEM"},
          {"Borrar Bitácora", 3431, "DEL_ITEM"}}},
        {2833,
         {{"Agregar Cliente", 2342, "ADD_CLIENTE"},
          {"Modificar Cliente", 2343, "MOD_CLIENTE"},
          {"Borrar Cliente", 2344, "DEL_CLIENTE"},
          {"Referencias", 3624, "VER_REFERIDOS"},
          {"Asociados", 4365, "VER_ASOCIADOS"},
          {"", 0, ""},
          {"Listados de Clientes", 2519, "PRINT_CLIENTES"},
          {"", 0, ""},
          {"Actualizar Nombres", 2652, "ACT_NAME"},
          {"", 0, ""},
          {"Generar Documentos", 2725, "CREA_DOCS"},
          {"", 0, ""},
          {"Copiar Bitacora", 3757, "COPIAR_BITACORA"},
          {"", 0, ""},
          {"Rutina para Ligar Asociados", 4541, "RECALC_ASOCIADOS"},
          {"", 0, ""},
          {"Exportar Datos de Clientes a Excel", 4971, "EXPORTAR_XLS"},
          {"", 0, ""},
          {"Control de Crédito", 6586, "LIM_CREDITO"},
          {"Probar Autorización de Crédito", 6587, "PRUEBA_CREDITO"},
          {"", 0, ""},
          {"Comisiones por Tour", 6600, "ED_COMISION"},
          {"Quitar Comisiones", 6601, "QUITAR_COMIS"},
          {"Ver Tours", 6602, "VER_TOURS"}}},
    };
    static const std::vector<ContextItem> none;
    auto it = table.find(context_id);
    return it == table.end() ? none : it->second;
}

std::vector<int> all_command_ids(const std::vector<MenuItem>& bar) {
    std::vector<int> ids;
    collect(bar, ids);
    return ids;
}

}  // namespace qz::gui
