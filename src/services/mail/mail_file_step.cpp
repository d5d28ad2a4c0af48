#include "services/mail/mail_file_step.h"

#include <chrono>

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/session/keys.h"
#include "domain/session/user_store.h"
#include "services/mail/mail_engine.h"

namespace qz::services {

namespace fs = std::filesystem;

std::optional<std::string> business_unit_name(data::Db& db, const std::string& business) {
    if (trim(business).empty()) return std::nullopt;
    return domain::users::business_rules(db, business).DESCRIP;
}

std::string user_email(data::Db& db, const std::string& business, std::optional<long> user) {
    if (!user) return {};
    data::Table t = data::USE(db, "USUARIOS", "USUARIO3");
    std::string mail;
    if (t->Seek(domain::keys::user_by_number(business, *user))) mail = trim(t->str("EMAIL"));
    data::KILLTABLA(db, t);
    return mail;
}

std::string check_mail_target(const std::string& folder, const std::string& file,
                              const std::string& address) {
    std::error_code ec;
    if (trim(file).empty() || !fs::is_regular_file(fs::path(trim(folder)) / trim(file), ec))
        return "Archivo no se encuentra en la dirección indicada";
    if (!valid_email(address)) return "email inválido";
    return {};
}

std::optional<fs::path> rename_pdf(const fs::path& file, const std::string& document_name,
                                   long long ticks) {
    const fs::path target =
        file.parent_path() / (trim(document_name) + " (" + std::to_string(ticks) + ").PDF");
    std::error_code ec;
    fs::rename(file, target, ec);
    if (ec) return std::nullopt;
    return target;
}

long long tick_count() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace qz::services
