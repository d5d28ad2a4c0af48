// Two return notes typed through the return-notes desk, so the screen shows both states: an
// open one that may still be changed and one already applied, which may only be looked at.
#include <stdexcept>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_rows.h"
#include "domain/pos/return_note_desk.h"

namespace qz::domain::demo {

namespace {

const char* const kReturnSeries = "DEVOLUCION";
const char* const kPublicType = "01";

void set_return_settings(data::Db& db) {
    RowWriter ser(db, "SERIALES");
    ser.add({{"CODIGO", kReturnSeries},
             {"MODULO", "02"},  // invoicing, where the series list files it
             {"DESCRIP", "Notas de Devolución"},
             {"PREFIJO", "DV"},
             {"INDENT", 6}});
    data::Table f = data::USE(db, "F_FAC", "F_FAC");
    if (f->Seek(data::business_key(kBiz))) {
        data::LOCK_FOR_MODIFY(*f);
        f->FieldPut("SERIAL_DEV", std::string(kReturnSeries));
        f->FieldPut("DEV_TP", std::string(kPublicType));
        data::UNLOCK_FOR_MODIFY(*f);
    }
    data::KILLTABLA(db, f);
}

std::string typed_note(pos::ReturnNoteDesk& desk,
                       std::initializer_list<std::pair<const char*, int>> lines) {
    if (!desk.new_note()) throw std::logic_error("nota de devolución de demostración rechazada");
    size_t row = 0;
    for (const auto& [code, quantity] : lines) {
        desk.set_code(row, code);
        desk.set_quantity(row++, Decimal(quantity));
    }
    if (!desk.save()) throw std::logic_error("nota de devolución de demostración no guardada");
    return desk.note().number;
}

void mark_applied(data::Db& db, const std::string& number) {
    data::Table t = data::USE(db, "ENC_DEV", "ENC_DEV");
    if (t->Seek(pos::return_note_key(kBiz, number))) {
        data::LOCK_FOR_MODIFY(*t);
        t->FieldPut("PASADO", std::string("S"));
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

}  // namespace

void load_return_notes(data::Db& db, Summary& out) {
    set_return_settings(db);
    pos::ReturnNoteDesk desk(db, db.port(), kBiz);
    const std::string applied = typed_note(desk, {{"ACE001", 1}, {"PAN001", 2}});
    const std::string open = typed_note(desk, {{"CRE002", 1}});
    mark_applied(db, applied);
    out.push_back("  Notas de Devolución (serie " + std::string(kReturnSeries) + ", precio " +
                  kPublicType + "): " + open + " abierta y " + applied + " ya aplicada");
}

}  // namespace qz::domain::demo
