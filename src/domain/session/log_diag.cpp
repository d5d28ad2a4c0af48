#include "domain/session/log_diag.h"

#include <algorithm>
#include <array>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/log_record.h"

namespace qz::domain {

namespace {

constexpr std::array kNotLogged{"XLOGINUSR", "CHECK_DB", "OBSEARCH",    "WAIT",
                                "PSETGEN",   "VER_ARTI", "WHILE_PRINT", "PREVIEW800"};

// A record without a date counts as old: it can only be left over from a damaged write.
bool recyclable(const data::WDBTable& log, const Date& today) {
    Date written = log.date("FECHA");
    return written.empty() || today - written > kScreenLogDays;
}

// Takes the oldest record for reuse when it is old enough and nobody holds it. The record is
// read again once locked: another workstation may have recycled it a moment ago.
bool take_oldest(data::WDBTable& log, const Date& today) {
    log.GoTop();
    if (log.Eof() || !recyclable(log, today)) return false;
    if (!log.RLock()) return false;
    log.Skip(0);
    if (recyclable(log, today)) return true;
    log.UnlockRecord(log.RecNo());
    return false;
}

}  // namespace

bool screen_log_excluded(const std::string& dialog_name) {
    std::string name = upper_ascii(trim(dialog_name));
    return std::find(kNotLogged.begin(), kNotLogged.end(), name) != kNotLogged.end();
}

bool NEW_LOG_DIAG(data::Db& db, const SessionStamp& who, int& id_menu,
                  const std::string& dialog_name) {
    if (screen_log_excluded(dialog_name)) return false;
    DateTime now = db.clock().now();
    data::Table log = data::USE(db, "LOG_DIAG", "LOG_DIA2");
    if (!take_oldest(*log, now.date)) data::ADD_NEW_REC(*log);
    // Every field is written, even the empty ones, so a recycled record keeps nothing of the
    // screen it used to describe.
    log->FieldPut("NEGOCIO", who.negocio);
    log->FieldPut("ID_DIAG", Decimal(id_menu));
    log->FieldPut("USUARIO", who.usuario);
    log->FieldPut("INFO_USER", info_user(now));
    log->FieldPut("DIALOGO", dialog_name);
    log->FieldPut("FECHA", now.date);
    log->FieldPut("HORA", now.time);
    log->FieldPut("MODULO", who.modulo);
    data::UNLOCK_FOR_MODIFY(*log);
    data::KILLTABLA(db, log);
    id_menu = 0;
    return true;
}

std::vector<ScreenUseRow> screen_usage(data::Db& db, const std::string& negocio, int id_diag,
                                       const std::optional<std::string>& usuario) {
    data::Table log = data::USE(db, "LOG_DIAG", "LOG_DIAG");
    const std::string key =
        data::order_key("LOG_DIAG", "LOG_DIAG", {negocio, static_cast<long long>(id_diag)});
    log->SetScope(key, key);
    std::vector<ScreenUseRow> rows;
    for (log->GoTop(); !log->Eof(); log->Skip()) {
        ScreenUseRow r{log->RecNo(),
                       log->date("FECHA"),
                       text_of(*log, "HORA"),
                       text_of(*log, "USUARIO"),
                       text_of(*log, "INFO_USER"),
                       text_of(*log, "DIALOGO"),
                       text_of(*log, "MODULO")};
        if (!usuario || iequals(r.usuario, trim(*usuario))) rows.push_back(std::move(r));
    }
    data::KILLTABLA(db, log);
    // Recycled records keep their old record numbers, so only the moment orders them.
    std::sort(rows.begin(), rows.end(), [](const ScreenUseRow& a, const ScreenUseRow& b) {
        if (a.fecha != b.fecha) return a.fecha > b.fecha;
        if (a.hora != b.hora) return a.hora > b.hora;
        return a.recno > b.recno;
    });
    return rows;
}

void copy_screen_usage(data::Db& db, const std::string& negocio, int id_diag,
                       const std::optional<std::string>& usuario, data::WDBTable& copy) {
    const auto rows = screen_usage(db, negocio, id_diag, usuario);
    data::Table log = data::USE(db, "LOG_DIAG", "LOG_DIAG");
    data::Transaction tx(db);
    for (copy.GoTop(); !copy.Eof(); copy.GoTop()) copy.Delete();
    for (const ScreenUseRow& r : rows) {
        log->GoTo(r.recno);
        data::ADD_NEW_REC(copy);
        for (int f = 1; f <= copy.FCount(); ++f) copy.FieldPut(f, log->FieldGet(f));
        data::UNLOCK_NEW_REC(copy);
    }
    tx.commit();
    data::KILLTABLA(db, log);
}

std::vector<ScreenUser> screen_usage_users(data::Db& db, const std::string& negocio,
                                           const std::vector<ScreenUseRow>& rows) {
    std::vector<ScreenUser> users;
    data::Table usr = data::USE(db, "USUARIOS", "USUARIO4");
    for (const auto& r : rows) {
        bool known = std::any_of(users.begin(), users.end(),
                                 [&](const ScreenUser& u) { return u.usuario == r.usuario; });
        if (known) continue;
        std::string label;
        if (usr->Seek(data::order_key("USUARIOS", "USUARIO4", {negocio, r.usuario})))
            label = text_of(*usr, "USUARIO");
        users.push_back({r.usuario, label.empty() ? r.usuario : label});
    }
    data::KILLTABLA(db, usr);
    return users;
}

}  // namespace qz::domain
