#pragma once
// The code tables of the inventory and their maintenance rules: warehouses (BODEGAS), inventory
// movement concepts (CONCEPT4), bar codes of articles (BARRAS) and the rows that open an article
// in a warehouse (ARTICULO). Stock quantities are never typed here: they move only through
// inventory movements, so every unit on hand has a movement that put it there.
#include <optional>
#include <string>

#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"
#include "domain/pos/articles.h"

namespace qz::domain::pos {

struct Warehouse {
    std::string code, name;  // CODIGO, DESCRIP
    std::string link;        // ASIENTO1: the inventory account of its cost
};

struct InventoryConcept {
    std::string code, name;  // CODIGO, DESCRIP
    std::string serial;      // SERIAL: the series that numbers its movements
    bool entry = false;      // TIPO 1: stock comes in; 0: stock goes out
};

Warehouse warehouse_from_row(const data::WDBTable& t);
void put_warehouse_row(data::WDBTable& t, const std::string& business, const Warehouse& w);
InventoryConcept inventory_concept_from_row(const data::WDBTable& t);
void put_inventory_concept_row(data::WDBTable& t, const std::string& business,
                               const InventoryConcept& c);

std::optional<Warehouse> read_warehouse(data::Db& db, const std::string& business,
                                        const std::string& code);
std::optional<InventoryConcept> read_inventory_concept(data::Db& db, const std::string& business,
                                                       const std::string& code);

// Adds (`is_new`) or rewrites; codes are kept by stock rows and movements, so they are fixed.
bool save_warehouse(data::Db& db, UserPort& port, const std::string& business, bool is_new,
                    const Warehouse& w);
// Refused while an article still has a row in the warehouse.
bool delete_warehouse(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& code);
bool save_inventory_concept(data::Db& db, UserPort& port, const std::string& business, bool is_new,
                            const InventoryConcept& c);
// Refused while the invoicing settings issue the sales' stock under it.
bool delete_inventory_concept(data::Db& db, UserPort& port, const std::string& business,
                              const std::string& code);

// A bar code names one article, and never the code of another one (the article's own code is
// tried first, so such a bar code could never be read).
bool save_bar_code(data::Db& db, UserPort& port, const std::string& business, const BarCode& b);
bool delete_bar_code(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& code);

// Opens the article in the warehouse with no stock, active.
bool add_stock_row(data::Db& db, UserPort& port, const std::string& business,
                   const std::string& article, const std::string& warehouse);
// Whether the article may be sold from the warehouse (ACTIVE).
bool set_stock_active(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& article, const std::string& warehouse, bool active);
// Refused while the row holds stock or reserved units.
bool delete_stock_row(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& article, const std::string& warehouse);

// What keeps an article from being deleted (stock or reserved units in a warehouse); "" when
// nothing does.
std::string article_delete_problem(data::Db& db, const std::string& business,
                                   const std::string& code);
// Deletes the article's bar codes and warehouse rows; the caller holds the transaction.
void delete_article_inventory(data::Db& db, const std::string& business, const std::string& code);
// What is wrong with an article's inventory fields (alternative code taken by another article,
// negative cost or suggested quantity); "" when nothing.
std::string check_article_inventory(data::Db& db, const std::string& business, const Article& a);

}  // namespace qz::domain::pos
