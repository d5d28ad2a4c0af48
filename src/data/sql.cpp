#include "data/sql.h"

namespace qz::data {

bool DbError::contention() const {
    return m_code == "sqlite:5" || m_code == "sqlite:6" || m_code == "pg:55P03" ||
           m_code == "pg:40P01" || m_code == "pg:40001";
}

std::optional<std::string> Connection::scalar(const std::string& sql) {
    auto st = prepare(sql);
    if (!st->step() || st->is_null(0)) return std::nullopt;
    return st->text_at(0);
}

std::string quote_ident(const std::string& name) {
    std::string r = "\"";
    for (char c : name) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + "\"";
}

std::string quote_literal(const std::string& text) {
    std::string r = "'";
    for (char c : text) {
        if (c == '\'') r += '\'';
        r += c;
    }
    return r + "'";
}

}  // namespace qz::data
