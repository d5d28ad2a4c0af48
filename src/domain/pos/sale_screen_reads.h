#pragma once
// What the sale screen reads besides the sale itself: the codes its header lists offer, the next
// document number it previews while the cashier types, and the order stages this workstation
// listens to.
#include <optional>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "data/db.h"
#include "domain/ledger/concepts.h"
#include "domain/pos/sale_kind.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

// LOAD_DATOS: the five pick lists of the header, each in code order.
struct SaleChoices {
    std::vector<CodeName> concepts, agents, currencies, warehouses, price_types;
};
SaleChoices LOAD_DATOS(data::Db& db, const std::string& business);

// The series the next number comes from: orders SERIAL_PED, proformas SERIAL_PRO, invoice-like
// sales their concept's (SERIAL, or the workstation's with SERI_LOCAL). Blank when the number
// is typed or nothing numbers the sale.
std::string sale_series(data::Db& db, const std::string& business, const SaleMode& mode,
                        const std::optional<DocumentConcept>& concept_def, const IniFile* ini);
// The number the save would take now, shown without taking it; blank when there is none.
std::string preview_number(data::Db& db, const std::string& business, const SaleMode& mode,
                           const std::optional<DocumentConcept>& concept_def, const IniFile* ini);

// The sound files (SONIDO) of the order stages the workstation follows (settings section
// ETAPAS_P, key business + stage = "1") that hold at least one order now.
std::vector<std::string> stages_calling(data::Db& db, const std::string& business,
                                        const IniFile* ini);

}  // namespace qz::domain::pos
