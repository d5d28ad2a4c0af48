#pragma once
// The rows of table PREDET_P and what saving the profile form does: validate, write the row,
// then write the workstation's keys.
#include <optional>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "data/db.h"
#include "services/print/printer_profiles.h"

namespace qz::services {

struct PredetRow {
    std::string CODIGO, DESCRIP, COMANDA, RUNNER;
    long recno = 0;  // 0 = not stored yet
};

// The profiles of the business in code order (a walk over its scope of order PREDET_P).
std::vector<PredetRow> list_predet(data::Db& db, const std::string& business);
std::optional<PredetRow> find_predet(data::Db& db, const std::string& business,
                                     const std::string& code);

// Why a profile form cannot be saved, in the words and title the user is shown.
struct PredetProblem {
    std::string title, text;
};

// The form's checks in order: code, description, a code already taken (when adding), then the
// printer unless it is found by name parts or is the workstation's default printer.
std::optional<PredetProblem> check_predet(data::Db& db, const std::string& business,
                                          const PredetRow& row, const PrinterProfileKeys& keys,
                                          const PrinterPort& printers, bool adding);

// Checks, writes the row (one transaction), then the keys. The problem when something failed.
std::optional<PredetProblem> save_predet(data::Db& db, IniFile& ini, const std::string& business,
                                         PredetRow& row, const PrinterProfileKeys& keys,
                                         const PrinterPort& printers, bool adding);

void delete_predet(data::Db& db, const std::string& business, const std::string& code);

}  // namespace qz::services
