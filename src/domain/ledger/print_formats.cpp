#include "domain/ledger/print_formats.h"

#include <cmath>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/code_rows.h"
#include "domain/ledger/printable_document.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

constexpr code_rows::CodeTable kFormats{"FORM_DOC", "Formato", kFormatDuplicate};
constexpr const char* kElementTables[] = {"FORM_D2", "FORM_D4"};
constexpr int kFontCount = 14;  // the report fonts, N to HUG

int whole(const data::WDBTable& t, const char* field) {
    return static_cast<int>(t.num(field).to_int());
}
// Positions are layout coordinates, not money: kept in hundredths of a cell.
double cells(const data::WDBTable& t, const char* field) {
    return static_cast<double>(t.num(field).to_scaled(2)) / 100.0;
}
Decimal cells(double v) { return Decimal::from_scaled(std::llround(v * 100), 2); }

std::string format_key(const char* table, const std::string& business, const std::string& code) {
    return data::order_key(table, table, {business, code});
}

FormatElement element_from_row(const data::WDBTable& t) {
    FormatElement e;
    e.field = trim(t.str("CAMPO"));
    e.text = rtrim(t.str("TEXTO"));
    e.row = cells(t, "FILA");
    e.column = cells(t, "COLUMNA");
    e.width = whole(t, "LARGO");
    e.picture = trim(t.str("PICTURE"));
    e.font = whole(t, "LETRA");
    e.align = whole(t, "ALINEA");
    return e;
}

void put_element_row(data::WDBTable& t, const std::string& business, const std::string& code,
                     int index, const FormatElement& e) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", code);
    t.FieldPut("N_INDEX", Decimal(index));
    t.FieldPut("CAMPO", upper_ascii(trim(e.field)));
    t.FieldPut("TEXTO", rtrim(e.text));
    t.FieldPut("FILA", cells(e.row));
    t.FieldPut("COLUMNA", cells(e.column));
    t.FieldPut("LARGO", Decimal(e.width));
    t.FieldPut("PICTURE", trim(e.picture));
    t.FieldPut("LETRA", Decimal(e.font));
    t.FieldPut("ALINEA", Decimal(e.align));
}

std::vector<FormatElement> read_elements(data::Db& db, const char* table,
                                         const std::string& business, const std::string& code) {
    std::vector<FormatElement> out;
    data::Table t = data::USE(db, table, table);
    const std::string key = format_key(table, business, code);
    t->SetScope(key, key);
    // Rows of one format share their key; they come back in the order they were written.
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(element_from_row(*t));
    data::KILLTABLA(db, t);
    return out;
}

FormatPage page_from_row(const data::WDBTable& t) {
    FormatPage p;
    p.lines = whole(t, "LINEAS");
    p.docs_per_page = whole(t, "DOCS_PAG");
    p.no_vertical = whole(t, "NO_IMP_V") == 1;
    p.no_horizontal = whole(t, "NO_IMP_H") == 1;
    p.copies = whole(t, "COPIAS_H");
    p.copy_offset = cells(t, "OFF_COPY");
    return p;
}

void put_page_row(data::WDBTable& t, const std::string& business, const std::string& code,
                  const FormatPage& p) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", code);
    t.FieldPut("LINEAS", Decimal(p.lines));
    t.FieldPut("DOCS_PAG", Decimal(p.docs_per_page));
    t.FieldPut("NO_IMP_V", Decimal(p.no_vertical ? 1 : 0));
    t.FieldPut("NO_IMP_H", Decimal(p.no_horizontal ? 1 : 0));
    t.FieldPut("COPIAS_H", Decimal(p.copies));
    t.FieldPut("OFF_COPY", cells(p.copy_offset));
}

void put_format_row(data::WDBTable& t, const std::string& business, const PrintFormat& f) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(f.code));
    t.FieldPut("DESCRIP", trim(f.name));
    t.FieldPut("OFFSET", cells(f.offset));
    t.FieldPut("OFFSET_H", cells(f.offset_h));
    t.FieldPut("ANCHO", cells(f.columns));
    t.FieldPut("NT", Decimal(f.nt));
    t.FieldPut("LETRAS_BR", Decimal(f.letters_br));
    t.FieldPut("U_LINEA", Decimal(f.last_line));
}

// Removes every row of the format from `table`; the caller holds the transaction.
void delete_rows(data::Db& db, const char* table, const std::string& business,
                 const std::string& code) {
    data::Table t = data::USE(db, table, table);
    const std::string key = format_key(table, business, code);
    while (t->Seek(key)) {
        data::LOCK_FOR_MODIFY(*t);
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

void write_page_and_elements(data::Db& db, const std::string& business, const PrintFormat& f) {
    const std::string code = normal_code(f.code);
    delete_rows(db, "FORM_D3", business, code);
    data::Table page = data::USE(db, "FORM_D3", "FORM_D3");
    data::ADD_NEW_REC(*page);
    put_page_row(*page, business, code, f.page);
    data::UNLOCK_NEW_REC(*page);
    data::KILLTABLA(db, page);
    for (const char* table : kElementTables) {
        delete_rows(db, table, business, code);
        const auto& elements = table == kElementTables[0] ? f.header : f.lines;
        data::Table t = data::USE(db, table, table);
        int index = 0;
        for (const auto& e : elements) {
            data::ADD_NEW_REC(*t);
            put_element_row(*t, business, code, ++index, e);
            data::UNLOCK_NEW_REC(*t);
        }
        data::KILLTABLA(db, t);
    }
}

// The concepts whose print bindings name the format, as a refusal names them.
std::string bound_by(data::Db& db, const std::string& business, const std::string& code) {
    std::string found;
    for_business_rows(db, "DET_CON1", business, [&](const data::WDBTable& t) {
        if (found.empty() && trim(t.str("FORM_DOC")) == code)
            found = trim(t.str("CONCEPTO")) + " (" + trim(t.str("MONEDA")) + ")";
    });
    return found;
}

std::string check_element(const FormatElement& e, double columns, const char* where) {
    const std::string what = std::string(where) + " " + (e.field.empty() ? e.text : e.field);
    if (e.field.empty() && trim(e.text).empty())
        return std::string("Hay un texto vacío en ") + where + "...";
    if (e.row < 0 || e.row >= kFormatRows)
        return what + ": la fila debe estar entre 0 y " + std::to_string(kFormatRows - 1) + "...";
    if (e.column < 0 || e.column >= columns)
        return what + ": la columna está fuera del ancho del formato...";
    if (e.width < 0 || e.column + e.width > columns + 0.001)
        return what + ": el largo sobrepasa el ancho del formato...";
    if (e.font < 0 || e.font >= kFontCount) return what + ": letra inválida...";
    if (e.align < 0 || e.align > 2) return what + ": alineación inválida...";
    return "";
}

}  // namespace

std::vector<FormatEntry> list_formats(data::Db& db, const std::string& business) {
    return business_rows<FormatEntry>(db, "FORM_DOC", business, [](const data::WDBTable& t) {
        return FormatEntry{trim(t.str("CODIGO")), trim(t.str("DESCRIP"))};
    });
}

std::optional<PrintFormat> load_format(data::Db& db, const std::string& business,
                                       const std::string& code) {
    auto f =
        read_code_row<PrintFormat>(db, "FORM_DOC", business, code, [](const data::WDBTable& t) {
            PrintFormat f;
            f.code = trim(t.str("CODIGO"));
            f.name = trim(t.str("DESCRIP"));
            f.offset = cells(t, "OFFSET");
            f.offset_h = cells(t, "OFFSET_H");
            f.columns = cells(t, "ANCHO");
            f.nt = whole(t, "NT");
            f.letters_br = whole(t, "LETRAS_BR");
            f.last_line = whole(t, "U_LINEA");
            return f;
        });
    if (!f) return f;
    if (f->columns <= 0) f->columns = kFormatColumns;
    data::Table page = data::USE(db, "FORM_D3", "FORM_D3");
    if (page->Seek(format_key("FORM_D3", business, f->code))) f->page = page_from_row(*page);
    data::KILLTABLA(db, page);
    f->header = read_elements(db, "FORM_D2", business, f->code);
    f->lines = read_elements(db, "FORM_D4", business, f->code);
    return f;
}

std::string check_format(const PrintFormat& f) {
    if (auto p = code_rows::check_code_and_name(kFormats, f.code, f.name); !p.empty()) return p;
    if (f.columns < 20 || f.columns > 320) return "El Ancho debe estar entre 20 y 320...";
    if (f.offset < -10 || f.offset > 60 || f.offset_h < -10 || f.offset_h > 100)
        return "El desplazamiento del formato está fuera de la hoja...";
    if (f.page.lines < 1 || f.page.lines > kFormatRows)
        return "Las Líneas de detalle deben estar entre 1 y " + std::to_string(kFormatRows) + "...";
    if (f.page.copies < 1 || f.page.copies > 4) return "Las Copias por hoja deben ser de 1 a 4...";
    if (f.page.copies > 1 && f.page.copy_offset <= 0)
        return "Debe indicar las filas entre copias (OFF_COPY)...";
    if (f.page.docs_per_page < 1) return "Los Documentos por página deben ser al menos 1...";
    for (const auto& e : f.header) {
        const PrintableField* known = printable_field(e.field);
        if (!e.field.empty() && e.field != kRuleField && (!known || known->line))
            return "El campo " + e.field + " no se puede imprimir en el encabezado...";
        if (auto p = check_element(e, f.columns, "el encabezado:"); !p.empty()) return p;
    }
    for (const auto& e : f.lines) {
        const PrintableField* known = printable_field(e.field);
        if (!known || !known->line)
            return "Las columnas del detalle deben ser campos de línea: " + e.field + "...";
        if (auto p = check_element(e, f.columns, "el detalle:"); !p.empty()) return p;
        if (e.row < 1 || e.row + f.page.lines > kFormatRows)
            return "El detalle no cabe en la hoja: revise la fila y las Líneas...";
    }
    // The last copy on the sheet must fit as the first one does.
    const double shift = (f.page.copies - 1) * f.page.copy_offset;
    for (const auto* block : {&f.header, &f.lines})
        for (const auto& e : *block)
            if (e.row + shift >= kFormatRows) return "Las copias no caben en la hoja...";
    return "";
}

bool add_format(data::Db& db, UserPort& port, const std::string& business, const std::string& code,
                const std::string& name) {
    PrintFormat f;
    f.code = normal_code(code);
    f.name = name;
    if (auto p = code_rows::check_code_and_name(kFormats, f.code, f.name); !p.empty())
        return refuse(port, p);
    if (code_rows::exists(db, kFormats, business, f.code)) return refuse(port, kFormatDuplicate);
    data::Transaction tx(db);
    insert_format(db, business, f);
    tx.commit();
    return true;
}

void insert_format(data::Db& db, const std::string& business, const PrintFormat& f) {
    data::Table t = data::USE(db, "FORM_DOC", "FORM_DOC");
    data::ADD_NEW_REC(*t);
    put_format_row(*t, business, f);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    write_page_and_elements(db, business, f);
}

bool rename_format(data::Db& db, UserPort& port, const std::string& business,
                   const std::string& old_code, const std::string& new_code,
                   const std::string& name) {
    const std::string old_c = normal_code(old_code), new_c = normal_code(new_code);
    if (auto p = code_rows::check_code_and_name(kFormats, new_c, name); !p.empty())
        return refuse(port, p);
    const bool recode = old_c != new_c;
    if (recode && code_rows::exists(db, kFormats, business, new_c))
        return refuse(port, kFormatDuplicate);
    const std::string gone = "El Formato " + old_c + " ya no existe...";
    auto wait = recode ? port.wait(kFormatRecoding) : nullptr;
    try {
        data::Transaction tx(db);
        data::Table t = data::USE(db, "FORM_DOC", "FORM_DOC");
        if (!lock_at_key(*t, format_key("FORM_DOC", business, old_c))) {
            data::KILLTABLA(db, t);
            tx.commit();  // nothing was written
            return refuse(port, gone);
        }
        t->FieldPut("CODIGO", new_c);
        t->FieldPut("DESCRIP", trim(name));
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        if (recode) {
            for (const char* table : {"FORM_D2", "FORM_D3", "FORM_D4"}) {
                if (wait) wait->put_text(std::string(kFormatRecoding) + " " + table);
                recode_by_order(db, table, table, {business, old_c}, "CODIGO", new_c, wait.get());
            }
            if (wait) wait->put_text(std::string(kFormatRecoding) + " DET_CON1");
            recode_in_scope(db, "DET_CON1", "DET_CON1", business, "FORM_DOC", old_c, new_c);
        }
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

bool delete_format(data::Db& db, UserPort& port, const std::string& business,
                   const std::string& code) {
    const std::string c = normal_code(code);
    if (const std::string user = bound_by(db, business, c); !user.empty())
        return refuse(port, "No se puede borrar: el Formato " + c +
                                " está asignado al Concepto de Documento " + user + ".");
    if (!port.confirm("Advertencia", kFormatDeleteAsk)) return false;
    try {
        data::Transaction tx(db);
        for (const char* table : {"FORM_D2", "FORM_D3", "FORM_D4", "FORM_DOC"})
            delete_rows(db, table, business, c);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

bool save_format(data::Db& db, UserPort& port, const std::string& business, const PrintFormat& f) {
    if (auto p = check_format(f); !p.empty()) return refuse(port, p);
    const std::string code = normal_code(f.code);
    try {
        data::Transaction tx(db);
        data::Table t = data::USE(db, "FORM_DOC", "FORM_DOC");
        if (!lock_at_key(*t, format_key("FORM_DOC", business, code))) {
            data::KILLTABLA(db, t);
            tx.commit();  // nothing was written
            return refuse(port, "El Formato " + code + " ya no existe...");
        }
        put_format_row(*t, business, f);
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        write_page_and_elements(db, business, f);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

}  // namespace qz::domain
