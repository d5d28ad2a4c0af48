#pragma once
// The application-wide settings of a session: the variables every subsystem reads, with the
// values they hold before anything is loaded, and the rules that fill them from the settings
// table F_SYS, the mail settings table DEFMAIL and the font list FONTS.
//
// Installations differ in which settings fields their tables have, so every field is looked up
// before it is read and a missing one leaves its variable alone (except where a rule says what
// absence means). The rules read a record through RecordView so they can be exercised on a
// record made up in memory as well as on an open table.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/decimal.h"
#include "data/value.h"

namespace qz::data {
class Db;
class WDBTable;
}  // namespace qz::data

namespace qz::domain {

// XTEMPPATH: whether this session's temporary files go to a workstation-local path, and which.
struct TempPath {
    int local = 0;
    std::string path;  // as the settings write it, "C:\QZTEMP" or "/var/tmp/qz"
    bool operator==(const TempPath&) const = default;
};

// XDBACCESS: the alternate data set chosen at login.
struct DbAccess {
    std::string directory;            // sub-directory of BASES
    std::optional<std::string> code;  // its two-character code
    bool operator==(const DbAccess&) const = default;
};

using Rgb = std::array<int, 3>;

struct AppSettings {
    std::string EXT_MODULO = "XXX";
    int XIDIOMA = 1;
    DbAccess XDBACCESS;
    TempPath XTEMPPATH;

    long XMAXCOMMIT = 0;
    std::array<long, 2> XMULTITASK{1, 3};  // call counter, period
    int XINMULTITASK = 0;
    int XFEC_HORA_LOCAL = 0;

    // Idle limit in milliseconds; the product of a minutes field can pass 2^31.
    long long XAPP_MAX_MESSAGETIME = 300000;
    int XAPP_MESSAGE_NOCHECK = 0;

    int XGRAYED = 1;
    Rgb XO_COLOUR{192, 192, 192};
    Rgb XH_COLOUR{200, 0, 0};
    int XNUMCOLORS = 256;
    long XDLGSIZE = 0;
    long XDGROUPLIMIT = 10000;
    int XBUTTON_STYLE = 3;
    int XFLAT_SHOW = 1;
    int XSIM_PRINT = 1;
    int XREFRESH_BROWSE = 1;
    std::optional<std::string> XSEL_DATE;

    std::string XPRINT_FONT = "Times New Roman";
    std::optional<std::string> XGLOBAL_FONT_NAME;
    int XGLOBAL_FONT_SIZE = 8;
    std::vector<std::string> XAVAILABLE_FONTS{
        "Arial",   "Arial Black", "Arial Narrow", "AvantGarde", "Century",         "Courier",
        "Calibri", "Cambria",     "Eurostyle",    "Tahoma",     "Times New Roman", "Helvetica"};
    // Font of the data grids (F_SYS T_FONT and T_SIZE, "Fuente Despliegue de Datos").
    std::string data_font;
    Decimal data_font_size{8};

    long XWS_SOCKET = 4129;
    int XMANEJO_TC = 0;
    long XFIESTAHOUSECOUNT = 0;

    std::string XEMAILHOST, XEMAILNAME, XEMAILADDR;
    std::string XEMAIL_ID = "Desconocido";
    std::string XEMAILDEST;
    int XEMAILSEND = 0;
    int XEMAILAUTH = 0;
    std::string XEMAIL_AU, XEMAIL_AP, XEMAIL_CC1, XEMAIL_CC2;
    int XEMAIL_IMAP = 0;
    std::optional<long> XEMAIL_SMTP_PORT, XEMAIL_POP3_PORT;

    std::string XLOGOFILE, XLOGO2;
    int MIN_C4WKB = 61, MAX_C4WKB = 74;
    int XCOUNT_FH = 1000;
    int XREMOTE_SESSION = 0;
    int XDOTRANSPARENCY = 1;
    int XMEDIATOR = 0;

    bool operator==(const AppSettings&) const = default;
};

// One record as the settings rules see it.
class RecordView {
public:
    virtual ~RecordView() = default;
    virtual bool has(const std::string& field) const = 0;
    // Asked only for fields has() reported.
    virtual data::Value get(const std::string& field) const = 0;
};

// The current record of an open table (at end of file, the blank record).
class TableRecord : public RecordView {
public:
    explicit TableRecord(const data::WDBTable& table) : m_table(table) {}
    bool has(const std::string& field) const override;
    data::Value get(const std::string& field) const override;

private:
    const data::WDBTable& m_table;
};

// Which pair of colour triples of F_SYS applies: RGB1..RGB6 are meant for displays of 20 colours
// or fewer, RGB7..RGB12 for every other display.
enum class ColourDisplay { UpTo20Colours, Rich };

// Start-up reading of F_SYS.
void load_f_sys(AppSettings& s, const RecordView& f_sys, ColourDisplay display);
void load_f_sys(AppSettings& s, data::Db& db, ColourDisplay display = ColourDisplay::Rich);

// DEFMAIL into the mail variables; a field the table lacks gives an empty text or 0.
void load_defmail(AppSettings& s, const RecordView& defmail);
void load_defmail(AppSettings& s, data::Db& db);

// FONTS replaces the list of fonts offered when it has rows.
void load_fonts(AppSettings& s, data::Db& db);

// The three tables in the order the main window reads them.
void load_settings(AppSettings& s, data::Db& db, ColourDisplay display = ColourDisplay::Rich);

// What saving the dialogs SYS_DB and SYS_FONT changes at once, given the record just saved.
void apply_sys_db_save(AppSettings& s, const RecordView& f_sys, ColourDisplay display);
void apply_sys_font_save(AppSettings& s, const RecordView& f_sys);

// The FEC_HORA choice: the workstation clock for the rest of the session, or the server's.
void set_fec_hora_local(AppSettings& s, Clock& clock, bool local);

}  // namespace qz::domain
