// The guarantee deposits' set-up: a colones bank account with its balance and the bank-book
// concept its deposits are booked with, the deposits' series and three concepts (booked into the
// bank, against an accounting counterpart, charged to a card); and reservations still to come,
// one of them a group whose first room has already checked in, so applying a deposit can be
// tried on a line that takes it and on one that must refuse it.
#include <algorithm>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_rows.h"

namespace qz::domain::demo {

namespace {

constexpr const char* kBank = "BCR";
constexpr const char* kBankAccount = "001-0123456-7";
constexpr const char* kDepositSeries = "DEP_GARANTIA";

void load_bank_book(data::Db& db) {
    RowWriter ledger(db, "CUENTAS");
    ledger.add({{"CUENTA", "1-01-03"}, {"DESCRIP", "Bancos - BCR Cuenta Corriente Colones"}});
    ledger.add({{"CUENTA", "2-01-10"}, {"DESCRIP", "Depósitos de Garantía de Huéspedes"}});
    ledger.add({{"CUENTA", "1-01-04"}, {"DESCRIP", "Bancos - Cuenta en el Exterior Dólares"}});
    ledger.add({{"CUENTA", "5-01-11"}, {"DESCRIP", "Diferencias por Redondeo"}});
    // What the hotel owes the payers of deposits, and where rounding of typed percentages goes.
    RowWriter links(db, "LIGAS");
    links.add({{"CODIGO", "PREPAGOS"},
               {"DESCRIP", "Depósitos de Garantía (Pre-Pagos)"},
               {"CUENTA", "2-01-10"},
               {"CUENTA2", "2-01-10"},
               {"TIPO", 0},
               {"TIPO2", 0}});
    links.add({{"CODIGO", "REDONDEO"},
               {"DESCRIP", "Redondeo de Depósitos"},
               {"CUENTA", "5-01-11"},
               {"CUENTA2", "5-01-11"},
               {"TIPO", 1},
               {"TIPO2", 1}});
    RowWriter series(db, "SERIALES");
    series.add({{"CODIGO", "LIB_BCR"},
                {"DESCRIP", "Movimientos Libro de Bancos BCR"},
                {"MODULO", "00"},
                {"NUMERO", 0},
                {"PREFIJO", "LB"},
                {"INDENT", 8}});
    series.add({{"CODIGO", kDepositSeries},
                {"DESCRIP", "Depósitos de Garantía"},
                {"MODULO", "03"},
                {"NUMERO", 0},
                {"PREFIJO", "DG"},
                {"INDENT", 8}});
    RowWriter accounts(db, "CUEN_LIB");
    accounts.add({{"BANCO", kBank},
                  {"CUENTA", kBankAccount},
                  {"DESCRIP", "Banco de Costa Rica - Cuenta Corriente Colones"},
                  {"MONEDA", kColones},
                  {"SERLIB_IMP", "LIB_BCR"},
                  {"CUENTA_CON", "1-01-03"},
                  {"SALDO", Decimal::parse("2500000.00")}});
    RowWriter concepts(db, "CONCEPT5");
    concepts.add({{"CODIGO", "DG"}, {"DESCRIP", "Depósito de Garantía de Huéspedes"}, {"TIPO", 1}});
}

void load_concepts(data::Db& db) {
    RowWriter c(db, "CON_HLIB");
    c.add({{"CONCEPTO", "01"},
           {"DESCRIP", "Depósito Bancario en Colones"},
           {"SERIAL", kDepositSeries},
           {"TIPO_MOV", 0},
           {"APLICA_RES", 1},
           {"VISIBLE", 1},
           {"IMP_COMP", 1},
           {"BANCO", kBank},
           {"CUENTA", kBankAccount},
           {"CONCEP_LIB", "DG"}});
    // The counterpart of a transfer to the hotel's account abroad is typed with the deposit.
    c.add({{"CONCEPTO", "02"},
           {"DESCRIP", "Transferencia con Contrapartida Contable"},
           {"SERIAL", kDepositSeries},
           {"TIPO_MOV", 1},
           {"TIPO", 1},
           {"NO_MAYORES", 1},
           {"CAMB_RES", 1},
           {"TIP_RES", "GA"},
           {"VISIBLE", 1}});
    c.add({{"CONCEPTO", "03"},
           {"DESCRIP", "Depósito con Tarjeta (Credomatic)"},
           {"SERIAL", kDepositSeries},
           {"TIPO_MOV", 1},
           {"TIPO", 1},
           {"CAMB_RES", 1},
           {"TIP_RES", "GA"},
           {"VISIBLE", 1},
           {"P_ELECTRO", 2},
           {"IMP_COMP", 1}});
    RowWriter who(db, "HECHOPOR");
    who.add({{"CODIGO", "AGEN"}, {"NOMBRE", "Agencia Viajes Tropicales"}});
    who.add({{"CODIGO", "HUES"}, {"NOMBRE", "El propio huésped"}});
    who.add({{"CODIGO", "EMPR"}, {"NOMBRE", "Empresa del huésped"}});
    RowWriter pay(db, "T_PAGO");
    pay.add({{"CODIGO", "DG"}, {"DESCRIP", "Depósito de Garantía"}, {"DEPOSITO", 1}});
}

struct Line {
    const char* room_type;
    long item;
    const char* room;  // blank until a room is assigned
    const char* guest;
    long arrival, departure;  // days from today
    bool in_house;
};

void add_reservation(data::Db& db, const Date& today, const char* code, const char* name,
                     const char* type, const char* nightly, std::initializer_list<Line> lines) {
    RowWriter det(db, "DET_RES2");
    Decimal total;
    long first = lines.begin()->arrival, last = lines.begin()->departure;
    for (const Line& l : lines) {
        total = total + Decimal::parse(nightly) * Decimal(l.departure - l.arrival);
        first = std::min(first, l.arrival);
        last = std::max(last, l.departure);
        det.add({{"COD_RES", code},
                 {"COD_HAB", l.room_type},
                 {"ITEM_HAB", l.item},
                 {"ROOM", l.room},
                 {"COD_HUESP", l.guest},
                 {"ESTADO", l.in_house ? 1 : 0},
                 {"ENTRADA", today + l.arrival},
                 {"SALIDA", today + l.departure},
                 {"TIENE_CRED", 1},
                 {"MONTO_CRED", Decimal::parse("500.00")}});
    }
    RowWriter res(db, "ENC_RES");
    res.add({{"CODIGO", code},
             {"NOMBRE", name},
             {"TIPO", type},
             {"MONEDA", kDollars},
             {"ENTRADA", today + first},
             {"SALIDA", today + last},
             {"TOTAL", total},
             {"TOTAL4", total}});
}

// The first room of the group arrived today: the guest is in house in 203 with an open folio.
void check_in_group_room(data::Db& db) {
    RowWriter guests(db, "HUESPEDES");
    guests.add({{"CODIGO", "H-0007"},
                {"NOMBRE", "Mariana"},
                {"APELLIDO1", "Castro"},
                {"APELLIDO2", "Jiménez"},
                {"TELEFONO", "8890-1122"}});
    RowWriter folios(db, "ENC_FOL");
    folios.add({{"NUMERO", "FOL-0007"},
                {"COD_RES", "RES-0007"},
                {"ROOM", "203"},
                {"COD_HAB", "SUP"},
                {"ITEM_HAB", 1},
                {"MONEDA", kDollars},
                {"ULTIMO", 1}});
    data::Table room = data::USE(db, "ROOMS", "ROOMS");
    if (room->Seek(data::order_key("ROOMS", "ROOMS", {kBiz, "203"}))) {
        data::LOCK_FOR_MODIFY(*room);
        room->FieldPut("COD_RES", "RES-0007");
        room->FieldPut("ITEM_HAB", Decimal(1));
        data::UNLOCK_FOR_MODIFY(*room);
    }
    data::KILLTABLA(db, room);
}

void load_reservations(data::Db& db, const Date& today) {
    add_reservation(db, today, "RES-0007", "Grupo Familia Castro Jiménez", "GA", "165.00",
                    {{"SUP", 1, "203", "H-0007", 0, 4, true}, {"SUP", 2, "", "", 1, 4, false}});
    check_in_group_room(db);
    add_reservation(db, today, "RES-0008", "Congreso Médico - Dra. Elena Rojas", "RE", "120.00",
                    {{"STD", 1, "", "", 10, 13, false}, {"STD", 2, "", "", 10, 13, false}});
}

}  // namespace

void load_deposits(data::Db& db, const Date& today, Summary& out) {
    load_bank_book(db);
    load_concepts(db);
    load_reservations(db, today);
    out.push_back(std::string("Depósitos de garantía: cuenta ") + kBank + " " + kBankAccount +
                  " (colones), conceptos 01 banco, 02 contrapartida, 03 tarjeta; serial " +
                  kDepositSeries + "; reservaciones por llegar RES-0005, RES-0007 (grupo, " +
                  "habitación 203 ya en casa) y RES-0008");
}

}  // namespace qz::domain::demo
