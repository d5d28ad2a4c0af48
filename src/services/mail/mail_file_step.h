#pragma once
// The rules of the e-mail step of reports and grid exports that need no window: the sender's
// business unit, the default recipient, the checks of the LEE_EMAIL dialog and the renamed PDF.
#include <filesystem>
#include <optional>
#include <string>

#include "data/db.h"

namespace qz::services {

inline constexpr const char* kFileMailSubject = "QUARTZEN Software ENVIO AUTOMATICO DE ARCHIVO";

// DESCRIP of the business in NEGOCIOS; nullopt when the code is empty.
std::optional<std::string> business_unit_name(data::Db& db, const std::string& business);
// EMAIL of the user in USUARIOS (order USUARIO3); empty when there is none.
std::string user_email(data::Db& db, const std::string& business, std::optional<long> user);

// What the dialog's OK refuses: "" when the file exists and the address is valid.
std::string check_mail_target(const std::string& folder, const std::string& file,
                              const std::string& address);

// The PDF's name once renamed: document name + " (" + ticks + ")" + ".PDF", same folder.
// nullopt when the rename failed.
std::optional<std::filesystem::path> rename_pdf(const std::filesystem::path& file,
                                                const std::string& document_name, long long ticks);
// Milliseconds of the monotonic clock (the tick count of the names).
long long tick_count();

}  // namespace qz::services
