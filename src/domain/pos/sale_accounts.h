#pragma once
// Where an article's sale posts when the article itself names no account: the sales and cost
// accounts of its sub-line, of its brand (MARCAS) or of the register's sales group (SL_VENTA),
// and the article's own distribution rows: fixed amounts per unit (DET_ART9), percentage shares
// (DET_ART2) and suppliers' commissions (DET_ART8 with the supplier's LIGA_COM).
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "data/db.h"
#include "data/wdbtable.h"
#include "domain/pos/articles.h"

namespace qz::domain::pos {

// Sales links of taxed and exempt lines, for debit and for credit concepts, and cost of sales.
struct SalesAccounts {
    std::string sales, sales_credit;    // ASIENTO1, ASIENTO1_D
    std::string exempt, exempt_credit;  // ASIENTO6, ASIENTO6_D
    std::string cost;                   // ASIENTO2 (sub-lines and brands only)

    // The link of a line: exempt lines go to the exempt account when it is defined.
    std::string sales_link(bool credit_concept, bool exempt_line) const;
};

struct Brand {
    std::string code, name;  // CODIGO, DESCRIP
    SalesAccounts accounts;
};

// A register's sales group accounts for one line and sub-line.
struct SalesGroupRow {
    std::string group, line, subline;  // DEF_VENT, LINEA, SUBLINEA
    SalesAccounts accounts;
};

// One distribution row of an article: a link with a fixed value per unit (DET_ART9) or a
// percentage of what is left (DET_ART2).
struct ArticleShare {
    std::string link;  // LIGA
    Decimal value;     // VALOR or PORCENT
};

// A supplier's commission per unit sold, posted through the supplier's commission link.
struct ArticleCommission {
    std::string supplier, link;  // DET_ART8 PROVEEDOR, PROVEE LIGA_COM
    Decimal amount;              // M_COMIS
};

SalesAccounts accounts_of(const Subline& s);
Brand brand_from_row(const data::WDBTable& t);
SalesGroupRow sales_group_from_row(const data::WDBTable& t);

std::optional<Brand> read_brand(data::Db& db, const std::string& business, const std::string& code);
std::optional<SalesGroupRow> read_sales_group(data::Db& db, const std::string& business,
                                              const std::string& group, const std::string& line,
                                              const std::string& subline);
std::vector<ArticleShare> article_fixed_values(data::Db& db, const std::string& business,
                                               const std::string& article);
std::vector<ArticleShare> article_percent_shares(data::Db& db, const std::string& business,
                                                 const std::string& article);
// The rows naming a supplier; rows without one carry no commission.
std::vector<ArticleCommission> article_commissions(data::Db& db, const std::string& business,
                                                   const std::string& article);

}  // namespace qz::domain::pos
