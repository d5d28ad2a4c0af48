#include "domain/cash/closing_csv.h"

#include <initializer_list>

#include "data/export_csv.h"

namespace qz::domain::cash {

namespace {

std::string row(std::initializer_list<std::string> cells) {
    std::string line;
    for (const auto& cell : cells) line += (line.empty() ? "" : ",") + data::csv_quote(cell);
    return line + "\n";
}

}  // namespace

std::string closing_csv(const Closing& c, bool detail) {
    std::string out =
        "registro,codigo,descripcion,fecha,hora,movimiento,cliente,referencia,"
        "moneda,monto\n";
    for (const auto& t : c.types) {
        if (t.total.is_zero()) continue;
        if (detail)
            for (const auto& l : t.lines)
                out += row({"linea", t.code, t.description, l.date.iso(), l.time, l.receipt,
                            l.customer, l.reference, l.symbol, l.amount.to_string(2)});
        out += row(
            {"tipo", t.code, t.description, "", "", "", "", "", c.symbol, t.total.to_string(2)});
    }
    const std::pair<const char*, const char*> names[] = {{"GRAVADO", "Gran Total Gravado"},
                                                         {"EXENTO", "Gran Total Exento"},
                                                         {"IMPUESTOS", "Gran Total Impuestos"},
                                                         {"GENERAL", "Gran Total"},
                                                         {"RECAUDADO", "Gran Total Recaudado"}};
    const Decimal values[] = {c.taxed, c.exempt, c.tax, c.grand_total, c.collected};
    for (size_t i = 0; i < 5; ++i)
        out += row({"total", names[i].first, names[i].second, "", "", "", "", "", c.symbol,
                    values[i].to_string(2)});
    return out;
}

}  // namespace qz::domain::cash
