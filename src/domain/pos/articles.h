#pragma once
// What the point of sale knows of an article: its master row (DEF_ART), its stock in each
// warehouse (ARTICULO), the checks of its sub-line (SUB_LIN) and its bar codes (BARRAS). These
// are the one place that reads and writes those rows; every screen, sale and posting goes
// through the mappers and readers below.
#include <optional>
#include <string>

#include "core/decimal.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain::pos {

// An article or service of the master. The first fields are those a spa service carries; the
// rest are what the point of sale and the inventory add.
struct Article {
    std::string code;                         // CODIGO
    std::string name;                         // DESCRIP
    Decimal tax;                              // IMP_ART, percent
    std::string line, subline;                // LINEA, SUBLINEA (a SUB_LIN of that line)
    bool check_discount = false;              // CHECK_D1: the article's own discount limit applies
    Decimal max_discount;                     // CHECK_D2
    bool ticket = false;                      // IMP_T: tickets are printed for each unit sold
    std::string alt_code;                     // COD_ALT, found by the alternative-code order
    std::string brand;                        // MARCA
    bool stocked = false;                     // TIPO 1: the sale moves its warehouse stock
    Decimal suggested_quantity = Decimal(1);  // CANT_SUG: quantity of a new sale line
    Decimal average_cost;                     // COSTO_PROM
    std::string invoice_text;                 // SPEC_FAC: text of the line on the invoice
    bool read_text = false;                   // LEE_SPEC: ask for the line's text when sold
    bool read_price = false;                  // LEE_PRECIO: the cashier may type its price
    bool no_stock_check = false;              // CHECK_N_E: never refused for lack of stock
    bool post_sales = false;                  // HAB_V: sales to its own account ASIENTO_V
    bool post_split = false;                  // HAB_DET: sales split by DET_ART9 / DET_ART2
    bool post_discount = false;               // HAB_D: discount to ASIENTO_D
    bool post_tax = false;                    // HAB_I: tax to ASIENTO_I
    std::string sales_link, discount_link, tax_link;  // ASIENTO_V, ASIENTO_D, ASIENTO_I
};

// An article's row in one warehouse.
struct ArticleStock {
    std::string article, warehouse;  // ARTICULO, BODEGA
    Decimal quantity;                // CANTIDAD: on hand
    Decimal reserved;                // BLOQUEO: held back by open orders
    Decimal average_cost;            // COSTO_PROM of the units in this warehouse
    bool active = true;              // ACTIVE not 0: the article may be sold here
};

// A sub-line with the checks it puts on the sale lines of its articles and its accounts.
struct Subline {
    std::string line, code, name;  // LINEA, CODIGO, DESCRIP
    bool check_discount = false;   // CHECK_D1: the sub-line's discount limit applies
    Decimal max_discount;          // CHECK_D2
    bool check_stock = false;      // CHECK_E: a sale may not take more than the stock
    bool no_lower_price = false;   // CHECK_P1: the price may not go below the proposed one
    bool no_raise_price = false;   // CHECK_P2: the price may not go above the proposed one
    // Sales accounts of taxed and exempt lines (debit and credit concepts), cost of sales.
    std::string sales_link, sales_credit_link;    // ASIENTO1, ASIENTO1_D
    std::string exempt_link, exempt_credit_link;  // ASIENTO6, ASIENTO6_D
    std::string cost_link;                        // ASIENTO2
};

// A bar code that names an article (BARRAS).
struct BarCode {
    std::string code, article;  // CODIGO, ARTICULO
};

Article article_from_row(const data::WDBTable& t);
void put_article_row(data::WDBTable& t, const std::string& business, const Article& a);
ArticleStock stock_from_row(const data::WDBTable& t);
void put_stock_row(data::WDBTable& t, const std::string& business, const ArticleStock& s);
Subline subline_from_row(const data::WDBTable& t);
void put_subline_row(data::WDBTable& t, const std::string& business, const Subline& s);
BarCode bar_code_from_row(const data::WDBTable& t);
void put_bar_code_row(data::WDBTable& t, const std::string& business, const BarCode& b);

// Keys of those rows in their main orders.
std::string article_key(const std::string& business, const std::string& code);
std::string stock_key(const std::string& business, const std::string& article,
                      const std::string& warehouse);

// How a typed or scanned code named the article.
enum class ArticleMatch { Code, BarCode, AlternativeCode };

struct FoundArticle {
    Article article;
    ArticleMatch match = ArticleMatch::Code;
};

// The article of a code as the cashier types or scans it: its own code first, then a bar code,
// then the alternative code. Nothing for a blank code or when none names an article.
std::optional<FoundArticle> find_article(data::Db& db, const std::string& business,
                                         const std::string& typed);
// The article of exactly that code.
std::optional<Article> read_article(data::Db& db, const std::string& business,
                                    const std::string& code);
// The article's row in the warehouse; nothing when the warehouse keeps none.
std::optional<ArticleStock> read_article_stock(data::Db& db, const std::string& business,
                                               const std::string& warehouse,
                                               const std::string& article);
std::optional<Subline> read_subline(data::Db& db, const std::string& business,
                                    const std::string& line, const std::string& code);

// Whether a sale of the article is refused beyond its stock: its sub-line checks stock and the
// article is not exempt from that check.
bool stock_checked(const Article& a, const std::optional<Subline>& s);

}  // namespace qz::domain::pos
