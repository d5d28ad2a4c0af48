#include "domain/ledger/auto_collection_file.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/text.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

constexpr const char* kEnd = "\r\n";

// Amounts and rates never carry a sign here: what is charged is positive.
std::string figure(const Decimal& v, size_t width, int places) {
    return pad_left(v.to_string(places), width, '0');
}

std::string text(const std::string& s, size_t width) { return pad_right(s, width); }

std::string header(const std::string& business, const Date& day, size_t rows) {
    return "H" + text(business, 15) + day.dtos() + pad_left(std::to_string(rows), 6, '0');
}

std::string rate_record(const PaymentRate& r) {
    return "T" + text(r.currency, 2) + figure(r.rate, 14, 5);
}

std::string row_record(const CollectionRow& r) {
    return "D" + text(r.customer, 15) + text(r.branch, 15) + text(r.document, 15) +
           text(r.concept_code, 2) + text(r.currency, 2) + figure(r.charge(), 16, 2) +
           figure(r.principal, 16, 2) + figure(r.interest, 16, 2) + figure(r.balance, 16, 2) +
           text(r.charge_code, 10) + text(r.name, 60);
}

}  // namespace

std::string collection_file_text(const std::string& business, const Date& day,
                                 const std::vector<CollectionRow>& rows,
                                 const std::vector<PaymentRate>& rates) {
    std::string out = header(business, day, rows.size()) + kEnd;
    for (const auto& r : rates) out += rate_record(r) + kEnd;
    for (const auto& r : rows) out += row_record(r) + kEnd;
    return out;
}

std::string collection_file_name(const Date& day) { return "COBROS" + day.dtos() + ".TXT"; }

std::optional<std::string> write_collection_file(UserPort& port, const AutoCollection& list,
                                                 const std::string& directory, const Date& day,
                                                 const std::vector<PaymentRate>& rates) {
    std::vector<CollectionRow> rows;
    for (size_t i : list.marked()) rows.push_back(list.rows()[i]);
    if (rows.empty()) {
        refuse(port, kNothingMarked);
        return std::nullopt;
    }
    if (day.empty()) {
        refuse(port, "Fecha inválida");
        return std::nullopt;
    }
    const std::filesystem::path path = std::filesystem::path(directory) / collection_file_name(day);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << collection_file_text(list.business(), day, rows, rates);
    out.close();
    if (!out) {
        refuse(port, "No se pudo crear el archivo: " + path.string());
        return std::nullopt;
    }
    return path.string();
}

std::string default_collection_directory() {
    if (std::filesystem::is_directory("C:")) return "C:";
    const char* home = std::getenv("HOME");
    return home && *home ? home : ".";
}

}  // namespace qz::domain
