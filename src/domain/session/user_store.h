#pragma once
// The user records as the login and the password changes read and write them. Reads return
// snapshots; every write goes to one record by its number and belongs to the caller's
// transaction.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "data/db.h"

namespace qz::domain::users {

struct UserRecord {
    long recno = 0;
    long CODIGO = 0;
    std::string NOMBRE, USUARIO, ABREVIA;
    bool has_abrevia = true;
    int ADASIPA = 0;
    std::string PASSWORD, PWD_HASH;
    int SUPERVISOR = 0, BLOQUEADO = 0, NO_SALIR = 0, PERMISO1 = 0;
    int IDIOMA = 0, BUTTONSTYL = 0, NO_CHAT = 0;
    Date F_CLAVE;
    std::optional<long> DIAS_CLAVE;  // absent in installations without password ageing
    long SIZE_CLAVE = 0, SOBREVENTA = 0;
    int PRECIO_ESP = 0, T_SESION = 0;
    std::string SUBBASE, USERNAME, USERADDR, EMAIL;
    std::string INFO_ENTER, INFO_BLOQ, INFO_CLAVE;  // last entry, block and password change

    bool supervisor() const { return SUPERVISOR == 1; }
    bool password_matches(const std::string& typed) const;
};

// The one reading of a USUARIOS row: the login, the password changes and the users screen all
// start from it. The record number is the caller's to fill, as only it knows the cursor.
UserRecord user_from_row(const data::WDBTable& t);

// The user of a business by login name (order USUARIOS) or by number (order USUARIO3).
std::optional<UserRecord> find_by_name(data::Db& db, const std::string& business,
                                       const std::string& login_name);
std::optional<UserRecord> find_by_number(data::Db& db, const std::string& business, long number);

// The business record (NEGOCIOS) as the session reads it: its name and the settings the login
// and the password rules read.
struct BusinessRules {
    bool found = false;
    std::string DESCRIP;  // the business's name, without padding
    long INTENTOS = 0;
    std::optional<long> DIAS_CLAVE;
    long SIZE_CLAVE = 0;
    int MANEJO_TC = 0;
};
BusinessRules business_rules(data::Db& db, const std::string& business);

// A legacy password of the business ready to be replaced by its hash. The hashes are made
// before the transaction opens: argon2id is slow on purpose and must not hold other
// workstations back.
struct PendingHash {
    long recno = 0;
    int form = 0;          // the ADASIPA it was read with
    std::string password;  // the PASSWORD it was read with
    std::string hash;
};
std::vector<PendingHash> legacy_passwords(data::Db& db, const std::string& business);
// Stores the hashes (ADASIPA 2, PASSWORD blank). A record changed meanwhile by someone else is
// left alone.
void store_hashes(data::Db& db, const std::vector<PendingHash>& pending);

// Blocks the account (BLOQUEADO 1) and stamps INFO_BLOQ.
void block_account(data::Db& db, long recno);

// A new password: the hash, the date and time of the change and who made it.
void store_new_password(data::Db& db, long recno, const std::string& hash);

// LOG_PASSWORD: one ADASIPA record per password change. The passwords themselves stay out of
// the log; only who, when, from where and through which screen (origin 1 forced, 2 voluntary).
void LOG_PASSWORD(data::Db& db, const UserRecord& user, int origin);

}  // namespace qz::domain::users
