#pragma once
// Inventory movements: a numbered header (ENC_INV) with one line per article (DET_INV) and the
// warehouse stock (ARTICULO) moved by it, written inside the caller's transaction so that a
// sale, its document and its stock are kept or lost together. Every stock row is locked before
// it is judged; a movement that is refused writes nothing. Reserved quantities of orders move
// the same way.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain::pos {

// The picture stock figures are shown with in messages.
inline constexpr const char* kStockPicture = "999,999,999.99";

struct InventoryLine {
    std::string article;
    Decimal quantity;  // above zero; the direction is the movement's
    Decimal cost;      // unit cost; zero takes the article's average cost
};

// Which way the stock moves: the inventory concept's own direction, or the caller's (a sale
// takes it from its document concept).
enum class StockDirection { ByConcept, Out, In };

struct InventoryMovement {
    std::string business, warehouse;
    std::string concept_code;  // CONCEPT4: numbers the movement and gives its direction
    StockDirection direction = StockDirection::ByConcept;
    std::string document;  // DOCUMENTO: the document that moved the stock
    std::string name;      // NOMBRE: customer or supplier name
    std::string supplier;  // PROVEEDOR
    Date date;
    std::string time;        // "HH:MM:SS"
    std::string user, info;  // USUARIO, INFO_USER
    std::vector<InventoryLine> lines;
    // Whether stock going out is refused beyond what is on hand, for articles whose sub-line
    // checks stock. Off for what must go through whatever the stock (lines of a document
    // brought from another one).
    bool check_stock = true;
};

struct MovementResult {
    bool posted = false;
    std::string message;                // why it was refused
    std::string article;                // the article of the refused line
    std::string movement;               // number of the movement written
    std::vector<Decimal> stock_before;  // per line: the warehouse stock before it (INV_TOT)
    // Stocked articles the warehouse keeps no row for: their stock could not move.
    std::vector<std::string> warnings;
};

// The messages of the refusals a sale meets at the counter too.
inline constexpr const char* kNoStockRow = "Este artículo NO tiene Bodega Definida";
inline constexpr const char* kUnknownArticle = "Este Código no se encuentra.";
std::string short_stock_message(const Decimal& stock);  // "No hay suficientes existencias..."
std::string inactive_in_warehouse(const std::string& article);  // "Este Código no es permitido..."

// Writes the movement; the caller holds the transaction (throws std::logic_error otherwise)
// and ends it. Refused (nothing written; the stock rows stay locked until the transaction ends)
// when the concept, the warehouse or an article is unknown, a quantity is not above zero, the
// concept has no series, or stock going out is short or may not leave that warehouse.
MovementResult post_inventory_movement(data::Db& db, const InventoryMovement& m);

// A movement typed by hand (a receipt or an adjustment), its articles named by code, bar code
// or alternative code: its own transaction, refusals shown through `port`.
MovementResult post_manual_movement(data::Db& db, UserPort& port, const InventoryMovement& m);

// Adds `quantity` to the units the article's row in the warehouse holds back for orders
// (BLOQUEO); a negative quantity releases them, never below zero. Under the row's lock, inside
// the caller's transaction. The reserved quantity after it; nothing when there is no row.
std::optional<Decimal> reserve_stock(data::Db& db, const std::string& business,
                                     const std::string& warehouse, const std::string& article,
                                     const Decimal& quantity);

// How the invoicing settings (F_FAC) of a business issue the stock of a sale.
struct SaleInventorySettings {
    bool generate = false;     // GENERA_INV
    std::string concept_code;  // CON_INV: the default inventory concept
    std::string supplier;      // FAC_PROV: written on the movement
};
SaleInventorySettings read_sale_inventory_settings(data::Db& db, const std::string& business);

}  // namespace qz::domain::pos
