#pragma once
// "Cobros Automáticos" (PAG_AUTO) and its windows: "Generar Abonos" (PAG_AUT2), "Ver Totales"
// (PAG_AUT3), "Generar Archivo Plano" (PAG_AUT4) and "Cambiar Datos". The work list and its
// rules are the domain's (auto_collection.h); the payments are auto_collection_payments.h.
#include <optional>
#include <string>

#include "core/ini_file.h"
#include "data/db.h"
#include "domain/ledger/auto_collection.h"
#include "domain/ledger/auto_collection_payments.h"

class QWidget;

namespace qz::gui {

class WDIAG;

WDIAG* open_auto_collection(QWidget* owner, data::Db& db, const std::string& business,
                            const IniFile* workstation);

// PAG_AUT2: what the run needs; none when cancelled.
std::optional<domain::CollectionRun> collection_run_dialog(QWidget* owner, data::Db& db,
                                                           const domain::AutoCollection& list);
// PAG_AUT3.
void collection_totals_dialog(QWidget* owner, const domain::CollectionTotals& totals);
// PAG_AUT4: writes the file of the marked rows.
void collection_file_dialog(QWidget* owner, data::Db& db, const domain::AutoCollection& list);
// "Cambiar Datos" of the row `index`; true when changed.
bool change_row_dialog(QWidget* owner, domain::AutoCollection& list, size_t index);

namespace pag_auto_ids {
// PAG_AUTO
enum : int { kDay = 101, kConcepts = 102, kGrid = 500 };
enum : int { kRefresh = 201, kChange = 202, kTotals = 203, kGenerate = 204, kFile = 205 };
// PAG_AUT2
enum : int { kMethod = 101, kBlock, kRegister, kPassCode, kClerk, kDate, kRates, kPrint };
// PAG_AUT3
enum : int { kApplied = 101, kAppliedRows, kPending, kPendingRows };
// PAG_AUT4
enum : int { kPath = 101, kFileDate = 102 };
// "Cambiar Datos"
enum : int { kChargeCode = 101, kPrincipal = 102, kInterest = 103 };
}  // namespace pag_auto_ids

}  // namespace qz::gui
