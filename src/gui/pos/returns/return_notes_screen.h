#pragma once
// FAC_POS2 ("Notas de Devolución"): the business's return notes on top; below, the open note's
// price type, currency and lines, a code typed into the empty last row bringing the article in.
// "Nueva Nota" and "Aceptar" save the open note; an applied note is shown read-only.
#include <string>

#include "data/db.h"

class QWidget;

namespace qz::gui {

enum ReturnNotesControl {
    kReturnList = 500,
    kReturnTitle = 501,
    kReturnPriceType = 502,
    kReturnCurrency = 503,
    kReturnLines = 504,
    kReturnNew = 201,
    kReturnDelete = 202,
};

// The grid's columns; code and quantity are typed, the rest come from the article.
enum ReturnLineColumn { kCodeCol, kNameCol, kQuantityCol, kPriceCol, kCostCol, kTaxCol };

inline constexpr int kCmdReturnNotes = 6670;

class ReturnNotesScreen;

ReturnNotesScreen* open_return_notes(QWidget* owner, data::Db& db, const std::string& business);
// The screen on a new note returning the article lines of the document `number`; when the
// document has none the user is told so and nothing opens.
ReturnNotesScreen* open_return_of_document(QWidget* owner, data::Db& db,
                                           const std::string& business, const std::string& number);

}  // namespace qz::gui
