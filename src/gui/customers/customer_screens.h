#pragma once
// The customer master's screens: the customer list CLIENTE with its editor, and the list screens
// of the code tables customers and branches are classified by.
#include <string>

#include "data/db.h"
#include "domain/customers/customer_codes.h"

class QWidget;

namespace qz::gui {

class MasterListScreen;

// "Clasificaciones de Clientes" (6570, CLASCLIE), "Clasificaciones de Sucursales" (6571,
// CLASCL2), "Categorías de Clientes" (6572, CATEGORS) and "Zonas de Cobro" (6573, DEF_ZONA).
MasterListScreen* open_code_list(QWidget* owner, data::Db& db, const std::string& business,
                                 domain::customers::CodeKind kind);

// Field ids of the code forms.
enum CustomerCodeField { kFCodeCode = 501, kFCodeDescription };

}  // namespace qz::gui
