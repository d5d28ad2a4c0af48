#pragma once
// Prices, discount limits and totals of the service lines of a spa reservation.
#include <optional>
#include <string>
#include <vector>

#include "core/amount.h"
#include "core/ini_file.h"
#include "data/db.h"
#include "domain/pos/sale_figures.h"
#include "domain/spa/reservations/reservation_record.h"

namespace qz::domain::spa {

struct ArticleInfo {
    std::string code, description;
    Decimal tax;                          // IMP_ART
    std::optional<Decimal> discount_cap;  // authorised discount, when one is checked
};

// The article or service of DEF_ART, with the discount limit that applies to it: its own
// (CHECK_D1) or else its sub-line's (SUB_LIN.CHECK_D1). Nullopt when there is no such article.
std::optional<ArticleInfo> find_article(data::Db& db, const std::string& business,
                                        const std::string& code);

// The spa register: settings-file section F_SPA, key business + "SPA_CAJA".
std::string spa_register(const IniFile& ini, const std::string& business);
// The default customer (DEF_CLIEN) of that register in CAJA_ENC; blank without one.
std::string spa_default_customer(data::Db& db, const std::string& business,
                                 const std::string& register_code);

// "El Descuento es mayor al autorizado. Artículo: " + code + ":" + description
std::string discount_refusal(const ArticleInfo& a);

using Totals = pos::LineFigures;
// The terms of one line, each rounded to 2 decimals, as the point of sale computes them.
Totals line_terms(const SpaLine& line);
// The sum of the lines' terms; deleted lines do not count.
Totals line_totals(const std::vector<SpaLine>& lines);

// The amounts a user types on a line, each kept in its SPA_RESD field.
enum class LineAmount { Quantity, Price, Discount };
// That field's picture and bounds: none may be negative, a discount is at most 100 percent.
const AmountField& line_field(LineAmount which);
// What a line's total and the reservation's total must fit: they become the amount of the
// invoice (DOCUMENT.MONTO).
AmountField total_field(std::string label);

}  // namespace qz::domain::spa
