#include "domain/session/error_info.h"

#include <array>
#include <string_view>

#include "core/decimal.h"
#include "core/text.h"

namespace qz::domain {

namespace {

bool contains_nocase(std::string_view text, std::string_view part) {
    return lower_ascii(text).find(lower_ascii(part)) != std::string::npos;
}

// How SQLite and PostgreSQL say that someone else holds what was asked for.
bool engine_busy(std::string_view text) {
    constexpr std::array kBusy{"database is locked",
                               "database table is locked",
                               "database schema is locked",
                               "could not obtain lock",
                               "lock timeout",
                               "deadlock detected",
                               "could not serialize access"};
    for (const char* b : kBusy)
        if (contains_nocase(text, b)) return true;
    return false;
}

std::optional<int> engine_harmless(std::string_view text) {
    if (contains_nocase(text, "cannot commit - no transaction is active"))
        return kSubCommitWithoutTransaction;
    if (contains_nocase(text, "cannot rollback - no transaction is active"))
        return kSubRollbackWithoutTransaction;
    return std::nullopt;
}

std::string engine_name(std::optional<data::Dialect> engine) {
    if (!engine) return "DATOS";
    return *engine == data::Dialect::SQLite ? "SQLITE" : "POSTGRESQL";
}

// The table layer gives up on contention inside a transaction with one of its own messages.
void describe_abort(ErrorInfo& info) {
    static const std::string kLocked = "El dato se encuentra bloqueado: ";
    static const std::string kOpen = "No se puede abrir archivo: ";
    if (starts_with(info.description, kLocked)) {
        info.gen_code = kGenAppendLock;
    } else if (starts_with(info.description, kOpen)) {
        info.gen_code = kGenOpen;
        info.os_code = kOsSharingViolation;
        info.filename = info.description.substr(kOpen.size());
    }
}

}  // namespace

SystemError::SystemError(ErrorInfo info, std::source_location where)
    : std::runtime_error(info.description), m_info(std::move(info)) {
    m_info.calls.insert(m_info.calls.begin(), call_frame(where));
}

CallFrame call_frame(const std::source_location& where) {
    std::string_view name = where.function_name();
    name = name.substr(0, name.find('('));
    if (size_t blank = name.rfind(' '); blank != std::string_view::npos)
        name = name.substr(blank + 1);
    return {std::string(name), where.line()};
}

ErrorInfo describe(const std::exception& e, std::optional<data::Dialect> engine) {
    if (const auto* se = dynamic_cast<const SystemError*>(&e)) return se->info();
    ErrorInfo info;
    info.description = e.what();
    info.can_default = true;
    if (const auto* db_error = dynamic_cast<const data::DbError*>(&e)) {
        info.subsystem = engine_name(engine);
        info.can_retry = true;
        if (dynamic_cast<const data::TransactionAborted*>(&e)) {
            describe_abort(info);
        } else if (db_error->contention() || engine_busy(info.description)) {
            info.sub_code = kSubFileBusy;
            info.os_code = kOsSharingViolation;
        } else {
            info.sub_code = engine_harmless(info.description);
        }
        return info;
    }
    info.subsystem = "BASE";
    if (dynamic_cast<const DecimalError*>(&e) && info.description == "división por cero")
        info.gen_code = kGenZeroDiv;
    return info;
}

ErrorClass classify(const ErrorInfo& info) {
    if (info.gen_code == kGenZeroDiv) return ErrorClass::Absorb;
    bool shared_open = info.gen_code == kGenOpen && info.os_code == kOsSharingViolation;
    bool busy = info.sub_code == kSubFileBusy && info.os_code == kOsSharingViolation;
    bool append_lock = info.gen_code == kGenAppendLock;
    if ((shared_open || busy || append_lock) && info.can_default) return ErrorClass::Retry;
    if (info.sub_code == kSubCommitWithoutTransaction ||
        info.sub_code == kSubRollbackWithoutTransaction)
        return ErrorClass::Absorb;
    return ErrorClass::Window;
}

ErrorClass classify(const std::exception& e) { return classify(describe(e)); }

std::string error_message(const ErrorInfo& info) {
    std::string m = info.severity > kSeverityWarning ? "Error " : "Warning ";
    m += info.subsystem.empty() ? "???" : info.subsystem;
    m += "/" + (info.sub_code ? std::to_string(*info.sub_code) : std::string("???"));
    if (!info.description.empty()) m += "  " + info.description;
    if (!info.filename.empty())
        m += ": " + info.filename;
    else if (!info.operation.empty())
        m += ": " + info.operation;
    return m;
}

std::string error_detail(const ErrorInfo& info) {
    std::string d = "File: " + info.filename + " GenCode: " + std::to_string(info.gen_code) +
                    " OsCode: " + std::to_string(info.os_code);
    for (const auto& c : info.calls)
        if (c.line != 0)
            d += kCrLf + ("Called from " + c.procedure + "(" + std::to_string(c.line) + ")");
    return d;
}

}  // namespace qz::domain
