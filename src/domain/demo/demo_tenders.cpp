// What the tenders of a sale can be tried with: a card paid through the (not yet connected) card
// terminal, the spa register's quick-tender buttons, a guest in house without credit, a folio
// that already owes something, and master accounts open and closed.
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_rows.h"

namespace qz::domain::demo {

namespace {

// Every register of the point of sale gets the same buttons: F2 cash, F3 card with a voucher,
// F4 cheque, F5 room charge, F6 card through the terminal.
void set_quick_tenders(data::Db& db) {
    struct Button {
        const char* type;
        const char* label;
    };
    const Button buttons[] = {
        {"EF", ""},         {"TC", "Tarjeta"}, {"CH", "Cheque"}, {"HB", "Habitación"},
        {"TE", "Datáfono"}, {"TD", "Credomatic"}, {"", ""}};
    data::Table reg = data::USE(db, "CAJA_ENC", "CAJA_ENC");
    const std::string key = data::business_key(kBiz);
    reg->SetScope(key, key);
    for (reg->GoTop(); !reg->Eof(); reg->Skip()) {
        data::LOCK_FOR_MODIFY(*reg);
        for (int i = 0; i < 7; ++i) {
            reg->FieldPut("DEF_B" + std::to_string(i + 1), buttons[i].type);
            if (i > 0) reg->FieldPut("ROTULO" + std::to_string(i + 1), buttons[i].label);
        }
        reg->FieldPut("LEE_CAMBIO", Decimal(1));
        data::UNLOCK_FOR_MODIFY(*reg);
    }
    data::KILLTABLA(db, reg);
}

// A guest in room 302 whose reservation allows no charges to the room.
void add_guest_without_credit(data::Db& db, const Date& today) {
    RowWriter guests(db, "HUESPEDES");
    guests.add({{"CODIGO", "H-0006"},
                {"NOMBRE", "Carlos"},
                {"APELLIDO1", "Vargas"},
                {"APELLIDO2", "Quesada"}});
    RowWriter res(db, "ENC_RES");
    res.add({{"CODIGO", "RES-0006"},
             {"NOMBRE", "Carlos Vargas Quesada"},
             {"TIPO", "IN"},
             {"MONEDA", kDollars},
             {"ENTRADA", today - 1},
             {"SALIDA", today + 2}});
    RowWriter lines(db, "DET_RES2");
    lines.add({{"COD_RES", "RES-0006"},
               {"COD_HAB", "JRS"},
               {"ITEM_HAB", 1},
               {"ROOM", "302"},
               {"COD_HUESP", "H-0006"},
               {"ESTADO", 1},
               {"ENTRADA", today - 1},
               {"SALIDA", today + 2},
               {"TIENE_CRED", 0}});
    RowWriter folios(db, "ENC_FOL");
    folios.add({{"NUMERO", "FOL-0006"},
                {"COD_RES", "RES-0006"},
                {"ROOM", "302"},
                {"COD_HAB", "JRS"},
                {"ITEM_HAB", 1},
                {"MONEDA", kDollars},
                {"ULTIMO", 1}});
    data::Table room = data::USE(db, "ROOMS", "ROOMS");
    if (room->Seek(data::order_key("ROOMS", "ROOMS", {kBiz, "302"}))) {
        data::LOCK_FOR_MODIFY(*room);
        room->FieldPut("COD_RES", "RES-0006");
        room->FieldPut("ITEM_HAB", Decimal(1));
        data::UNLOCK_FOR_MODIFY(*room);
    }
    data::KILLTABLA(db, room);
}

void add_master_accounts(data::Db& db) {
    RowWriter m(db, "MAESTRAS");
    m.add({{"CODIGO", "CM-CONGRESO"}, {"NOMBRE", "Congreso Médico 2026"}});
    m.add({{"CODIGO", "CM-BODA"}, {"NOMBRE", "Boda Jiménez Soto"}, {"ESTADO", 1}});
    RowWriter folios(db, "ENC_FOL");
    folios.add({{"NUMERO", "FOL-M001"},
                {"COD_RES", "CM-CONGRESO"},
                {"ROOM", "CM-CONGRESO"},
                {"MONEDA", kDollars},
                {"CTA_MAES", 1},
                {"ULTIMO", 1},
                {"CONSECUT", 2}});
    folios.add({{"NUMERO", "FOL-M002"},
                {"COD_RES", "CM-BODA"},
                {"ROOM", "CM-BODA"},
                {"MONEDA", kDollars},
                {"CTA_MAES", 1},
                {"CERRADO", 1},
                {"CONSECUT", 1}});
}

// What the folios already owe: the first guest's dinner and the congress's hall.
void add_folio_lines(data::Db& db, const Date& today) {
    data::Table f = data::USE(db, "ENC_FOL", "ENC_FOL");
    if (f->Seek(data::order_key("ENC_FOL", "ENC_FOL", {kBiz, "FOL-0001"}))) {
        data::LOCK_FOR_MODIFY(*f);
        f->FieldPut("CONSECUT", Decimal(2));
        data::UNLOCK_FOR_MODIFY(*f);
    }
    data::KILLTABLA(db, f);
    RowWriter d(db, "DET_FOL");
    d.add({{"NUMERO", "FOL-0001"},
           {"CONSECUT", 1},
           {"ROOM", "201"},
           {"FECHA", today - 1},
           {"COD_TRANS", "REST"},
           {"COD_TRAN", "REST"},
           {"COMENTA", "Cena restaurante"},
           {"MONEDA", kDollars},
           {"DEBITO", Decimal::parse("180.00")},
           {"ODEBITO", Decimal::parse("180.00")}});
    d.add({{"NUMERO", "FOL-M001"},
           {"CONSECUT", 1},
           {"ROOM", "CM-CONGRESO"},
           {"FECHA", today - 1},
           {"COD_TRANS", "SALA"},
           {"COD_TRAN", "SALA"},
           {"COMENTA", "Alquiler de salón"},
           {"MONEDA", kDollars},
           {"DEBITO", Decimal::parse("2500.00")},
           {"ODEBITO", Decimal::parse("2500.00")}});
    RowWriter tr(db, "TRANSACS");
    tr.add({{"CODIGO", "REST"}, {"DESCRIP", "Restaurante"}});
    tr.add({{"CODIGO", "SALA"}, {"DESCRIP", "Alquiler de Salones"}});
}

}  // namespace

void load_tenders(data::Db& db, const Date& today, Summary& out) {
    RowWriter tm(db, "TIPO_MOV");
    tm.add({{"CODIGO", "TE"},
            {"DESCRIP", "Tarjeta por Datáfono"},
            {"ASIENTO1", "CAJA_TC"},
            {"P_ELECTRO", 1},
            {"SHOW", 1}});
    tm.add({{"CODIGO", "TD"},
            {"DESCRIP", "Tarjeta Credomatic"},
            {"ASIENTO1", "CAJA_TC"},
            {"P_ELECTRO", 2},
            {"SHOW", 1}});
    set_quick_tenders(db);
    add_guest_without_credit(db, today);
    add_master_accounts(db);
    add_folio_lines(db, today);
    out.push_back(
        "Formas de pago: F2 Efectivo, F3 Tarjeta, F4 Cheque, F5 Cargo a Habitación, "
        "F6 Datáfono (Banco Nacional), F7 Credomatic (lector de banda), terminales de la "
        "estación SPA");
    out.push_back(
        "  Cargos: habitación 201 debe 180.00 de 500.00; 302 sin crédito; cuenta "
        "maestra CM-CONGRESO abierta, CM-BODA cerrada");
}

}  // namespace qz::domain::demo
