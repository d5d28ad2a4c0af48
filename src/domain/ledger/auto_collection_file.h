#pragma once
// "Procesar Archivo" of the automatic collections (PAG_AUT4, "Generar Archivo Plano"): the rows
// marked to apply, written as a fixed-width text file for the bank that charges the standing
// orders, with the rates of "Cambio monetario". The layout is told in README.md ("Automatic
// collections file"): a header record, one record per rate, one per row, every record CR LF
// ended, text in UTF-8 padded by characters, amounts zero-filled with two decimals.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/user_port.h"
#include "domain/ledger/auto_collection.h"
#include "domain/ledger/payment_draft.h"

namespace qz::domain {

// The file's contents.
std::string collection_file_text(const std::string& business, const Date& day,
                                 const std::vector<CollectionRow>& rows,
                                 const std::vector<PaymentRate>& rates);

// "COBROS" + YYYYMMDD + ".TXT".
std::string collection_file_name(const Date& day);

// Writes the marked rows of `list` into `directory`; the path written, or none after telling
// the user why (nothing marked, no date, a directory that cannot be written).
std::optional<std::string> write_collection_file(UserPort& port, const AutoCollection& list,
                                                 const std::string& directory, const Date& day,
                                                 const std::vector<PaymentRate>& rates);

// "Path:" starts as "C:", the drive the bank's program reads; where there is no such directory
// (any installation but Windows) it starts as the user's home directory.
std::string default_collection_directory();

}  // namespace qz::domain
