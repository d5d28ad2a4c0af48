#pragma once
// Duplicating a document from the viewer: a copy under a new number of its concept's series,
// dated today and due today with its whole amount open, for the same customer, branch, name,
// concept, currency, agent, register, commission and description. Its lines come along, the
// stock of stocked articles moving by the concept's direction (TIPO2), and when the ledger is
// posted the copy posts as an invoice does: the receivable against the sales of each line, its
// discounts and the tax. Concepts whose numbers are typed by hand cannot be duplicated: nobody
// would be there to type the copy's. Everything is written in one transaction.
#include <optional>
#include <string>

#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

// After the user confirms: the number of the copy, told with "Documento Duplicado con Éxito";
// none after telling the user why not (nothing is written then). `ini` is the workstation's
// settings, for concepts numbered from a series of the workstation (null: none).
std::optional<std::string> duplicate_document(data::Db& db, UserPort& port,
                                              const std::string& business,
                                              const std::string& number,
                                              const IniFile* ini = nullptr);

inline constexpr const char* kManualNumbersDuplicate =
    "No se pueden duplicar documentos con consecutivos manuales";
inline constexpr const char* kDuplicated = "Documento Duplicado con Éxito";
inline constexpr const char* kDuplicateFailed =
    "No se pudo duplicar el documento.  Por favor vuelva a intentar...";
// The question before anything is written; the document's number follows it.
inline constexpr const char* kDuplicateAsk = "Desea duplicar el documento ";

}  // namespace qz::domain
