#include "data/export_csv.h"

#include "core/text.h"
#include "data/table_ops.h"

namespace qz::data {

namespace {

// Only the padding of fixed-width fields goes; leading blanks and line ends inside a memo are
// part of what the user wrote.
std::string without_trailing_blanks(const std::string& s) {
    size_t end = s.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

std::string csv_text(const FieldDef& f, const Value& v) {
    switch (f.kind) {
        case FieldKind::N:
            return std::get<Decimal>(v).to_string(f.decimals);
        case FieldKind::D:
            return std::get<Date>(v).iso();
        case FieldKind::L:
            return std::get<bool>(v) ? "T" : "F";
        default:
            return without_trailing_blanks(std::get<std::string>(v));
    }
}

const TableDef& exportable(Db& db, const std::string& table) {
    const TableDef* def = db.catalogue().find(trim(table));
    // A name with an extension would make a temporary table from a template: never exported.
    if (!def || def->is_template() || table.find('.') != std::string::npos)
        throw ExportUsageError("La tabla " + trim(table) + " no existe");
    return *def;
}

void write_line(std::ostream& out, const std::vector<std::string>& values) {
    std::string line;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i) line += ',';
        line += csv_quote(values[i]);
    }
    line += '\n';
    out << line;
}

}  // namespace

std::string csv_quote(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string q = "\"";
    for (char c : text) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + '"';
}

void export_csv(Db& db, const std::string& table, const std::optional<std::string>& business,
                std::ostream& out) {
    const TableDef& def = exportable(db, table);
    if (business && !def.field("NEGOCIO"))
        throw ExportUsageError("La tabla " + def.name() +
                               " no tiene campo NEGOCIO: no se puede filtrar por empresa");
    UseOptions opts;
    opts.read_only = true;
    auto t = USE(db, def.name(), opts);
    const auto& fields = t->DBStruct();
    std::vector<std::string> values;
    for (const auto& f : fields) values.push_back(f.name);
    write_line(out, values);
    const std::string wanted = business ? trim(*business) : "";
    const int negocio = business ? t->FieldPos("NEGOCIO") : 0;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        if (negocio && trim(std::get<std::string>(t->FieldGet(negocio))) != wanted) continue;
        for (size_t i = 0; i < fields.size(); ++i)
            values[i] = csv_text(fields[i], t->FieldGet(static_cast<int>(i) + 1));
        write_line(out, values);
    }
    KILLTABLA(db, t);
}

}  // namespace qz::data
