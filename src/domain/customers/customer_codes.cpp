#include "domain/customers/customer_codes.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/code_rows.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

namespace {

// A code table with the field that uses its codes, on an order beginning NEGOCIO + that field.
struct KindDef {
    code_rows::CodeTable table;
    const char* user_table;
    const char* user_order;
    const char* user_field;
    const char* user_name;  // how a user is named in a refusal
};

const KindDef& def(CodeKind kind) {
    static const KindDef defs[] = {
        {{"CLAS_CLI", "código de clasificación", "Código de clasificación ya definido...", "CODIGO",
          "Desea borrar la clasificación?"},
         "CLIENTES",
         "CLIENTE4",
         "CLAS_1",
         "el cliente"},
        {{"CLAS_CL2", "código de clasificación", "Código de clasificación ya definido...", "CODIGO",
          "Desea borrar la clasificación?"},
         "DET_CLIE",
         "DET_CLIE16",
         "CATEGORIA",
         "una sucursal del cliente"},
        {{"CATEGORS", "código de categoría", "Código de categoría ya definido...", "CODIGO",
          "¿Desea borrar la categoría ?"},
         "CLIENTES",
         "CLIENTE5",
         "CATEGORIA",
         "el cliente"},
        {{"ZONAS", "código de zona", "Código de zona ya definido...", "CODIGO",
          "¿Desea borrar este item?"},
         "DET_CLIE",
         "DET_CLIE14",
         "COD_ZONA",
         "una sucursal del cliente"},
    };
    return defs[static_cast<int>(kind)];
}

// The customer that first uses a code, for a refusal; "" when none does.
std::string first_user(data::Db& db, const KindDef& d, const std::string& business,
                       const std::string& code) {
    data::Table t = data::USE(db, d.user_table, d.user_order);
    std::string found;
    if (t->Seek(data::order_key(d.user_table, d.user_order, {business, code})))
        found = std::string(d.user_name) + " " +
                trim(t->str(std::string(d.user_table) == "CLIENTES" ? "CODIGO" : "CLIENTE"));
    data::KILLTABLA(db, t);
    return found;
}

bool write_entry(data::Db& db, UserPort& port, CodeKind kind, const std::string& business,
                 const std::string& old_code, const CodeEntry& e) {
    const KindDef& d = def(kind);
    if (auto p = code_rows::check_code_and_name(d.table, e.code, e.description); !p.empty())
        return refuse(port, p);
    const auto put = [&](data::WDBTable& t) {
        t.FieldPut("NEGOCIO", business);
        t.FieldPut("CODIGO", normal_code(e.code));
        t.FieldPut("DESCRIP", trim(e.description));
    };
    const auto recode = [&](WaitWindow* wait, const std::string& from, const std::string& to) {
        recode_by_order(db, d.user_table, d.user_order, {business, from}, d.user_field, to, wait);
    };
    return code_rows::write(db, port, d.table, business, old_code, e.code, put, recode);
}

}  // namespace

const char* code_table(CodeKind kind) { return def(kind).table.table; }

std::vector<CodeEntry> code_entries(data::Db& db, CodeKind kind, const std::string& business) {
    return business_rows<CodeEntry>(db, code_table(kind), business, [](const data::WDBTable& t) {
        return CodeEntry{trim(t.str("CODIGO")), trim(t.str("DESCRIP"))};
    });
}

std::vector<CodeEntry> choices(data::Db& db, const std::string& table, const std::string& business,
                               const std::string& code_field, const std::string& name_field) {
    return business_rows<CodeEntry>(db, table, business, [&](const data::WDBTable& t) {
        return CodeEntry{trim(t.str(code_field)), trim(t.str(name_field))};
    });
}

long code_users(data::Db& db, CodeKind kind, const std::string& business, const std::string& code) {
    const KindDef& d = def(kind);
    data::Table t = data::USE(db, d.user_table, d.user_order);
    const std::string key = data::order_key(d.user_table, d.user_order, {business, code});
    t->SetScope(key, key);
    const long n = t->KeyCount();
    data::KILLTABLA(db, t);
    return n;
}

bool add_code(data::Db& db, UserPort& port, CodeKind kind, const std::string& business,
              const CodeEntry& entry) {
    return write_entry(db, port, kind, business, "", entry);
}

bool modify_code(data::Db& db, UserPort& port, CodeKind kind, const std::string& business,
                 const std::string& old_code, const CodeEntry& entry) {
    return write_entry(db, port, kind, business, old_code, entry);
}

bool delete_code(data::Db& db, UserPort& port, CodeKind kind, const std::string& business,
                 const std::string& code) {
    const std::string c = normal_code(code);
    return code_rows::remove(db, port, def(kind).table, business, c,
                             {first_user(db, def(kind), business, c)});
}

}  // namespace qz::domain::customers
