#pragma once
// The inventory's screens of "Servicios Adicionales › Inventario": warehouses, the articles
// each warehouse keeps, inventory concepts, the movements by date with their lines, the receipt
// or adjustment typed by hand, and an article's bar codes.
#include <string>

#include "data/db.h"

class QWidget;

namespace qz::gui {

class MasterListScreen;

// "Bodegas" (BODEGAS, form BODEGAS_F).
MasterListScreen* open_warehouses(QWidget* owner, data::Db& db, const std::string& business);
// "Existencias por Bodega" (ARTICULO_B, form ARTICULO_F): stock, reserved units, average cost
// and whether the article may be sold there; the quantities only move through movements.
MasterListScreen* open_stock(QWidget* owner, data::Db& db, const std::string& business);
// "Conceptos de Inventario" (CONCEPT4, form CONCEPT4_F).
MasterListScreen* open_inventory_concepts(QWidget* owner, data::Db& db,
                                          const std::string& business);
// "Movimientos de Inventario" (ENC_INV_L): by date, read only; "Detalle" shows the lines
// (DET_INV_L) and "Agregar" types a receipt or adjustment.
MasterListScreen* open_inventory_movements(QWidget* owner, data::Db& db,
                                           const std::string& business);
// "Entrada / Ajuste de Inventario" (MOV_INV_F): one article into or out of a warehouse under a
// concept. True when the movement was written.
bool manual_movement_form(QWidget* owner, data::Db& db, const std::string& business);
// The bar codes of one article (BARRAS_L, form BARRAS_F).
MasterListScreen* open_bar_codes(QWidget* owner, data::Db& db, const std::string& business,
                                 const std::string& article);

// Field ids of the forms.
enum InventoryField {
    kIvCode = 501,
    kIvName,
    kIvLink,
    kIvSerial,
    kIvEntry,
    kIvArticle,
    kIvWarehouse,
    kIvActive,
    kIvConcept,
    kIvDocument,
    kIvQuantity,
    kIvCost,
};

// The movement list's button beside "Eliminar" that shows the chosen movement's lines.
inline constexpr int kIvDetail = 204;

}  // namespace qz::gui
