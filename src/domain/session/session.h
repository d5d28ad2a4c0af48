#pragma once
// Who is working and where: the state of one interactive session, handed to whoever needs it
// instead of living in globals, and the table of modules the main window may be built as.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/date.h"
#include "domain/session/log_stamp.h"
#include "domain/session/register_state.h"
#include "domain/session/rights.h"
#include "domain/session/settings.h"

namespace qz::domain {

// One row of the module table: what the main window of a module is called, the module code
// (EXT_MODULO: extension of the session's temporary tables, stamped on the logs), whether a
// login is required and which menu commands it sends itself once it is up.
struct ModuleInfo {
    std::string id;
    std::string title;
    std::string EXT_MODULO;
    bool login = true;
    std::vector<int> start;  // in the order they are sent; empty = nothing opens
    bool minimised = false;  // the window starts minimised (services of the suite)
    bool own_start = false;  // the module runs its own start routine instead of a command
};

// The row of a module id. An unknown id keeps the caption the window was created with and the
// module code "XXX"; it still asks for a login, so no unknown module runs without one.
ModuleInfo module_info(std::string_view id, std::string_view caption = "");
// Every known module, in table order.
const std::vector<ModuleInfo>& module_table();

// This executable is the spa module.
inline constexpr std::string_view kSpaModule = "SPA";

// The idle lock: XAPP_IN_MESSAGETIME while the lock dialog is up and the moment it was last
// released (XAPP_LAST_MESSAGETIME), in milliseconds of the caller's monotonic clock.
struct SessionLock {
    int XAPP_IN_MESSAGETIME = 0;
    long long XAPP_LAST_MESSAGETIME = 0;
};

struct Session {
    std::string XID_MODULO{kSpaModule};
    std::string EXT_MODULO{kSpaModule};

    bool logged_in = false;
    std::string XU_COMP;               // business code, without padding
    std::optional<long> XUSER_NUMBER;  // USUARIOS.CODIGO
    std::string XUSER_ABREVIA;         // short code stamped on records
    std::string USER_NAME;             // login name (USUARIOS.NOMBRE), upper case
    std::string user_identifier;       // USUARIOS.USUARIO, written to the session log
    int XSUPERACCESS = 0;              // 1 = supervisor
    int XNO_SALIR = 0;                 // non-zero = exempt from forced exit
    std::optional<long> XREC_E_S;      // this session's LOG_E_S record
    Date XFECHA_CLAVE;                 // last password change; empty = unknown
    DbAccess XDBACCESS;                // alternate data set of the user
    int XDO_CHAT = 0;

    Rights rights;
    SessionLock lock;
    WorkstationRegisters registers;  // the register this workstation has open
};

// What the usage logs are stamped with, as of now (it changes with the business).
inline SessionStamp session_stamp(const Session& s) {
    return SessionStamp{s.XU_COMP, s.XUSER_ABREVIA, s.EXT_MODULO};
}

}  // namespace qz::domain
