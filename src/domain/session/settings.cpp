#include "domain/session/settings.h"

#include "core/text.h"
#include "data/db.h"
#include "data/table_ops.h"
#include "data/wdbtable.h"

namespace qz::domain {

namespace {

std::optional<Decimal> num_field(const RecordView& r, const std::string& field) {
    if (!r.has(field)) return std::nullopt;
    data::Value v = r.get(field);
    if (const auto* d = std::get_if<Decimal>(&v)) return *d;
    // Older installations keep some switches as logical fields.
    if (const auto* b = std::get_if<bool>(&v)) return Decimal(*b ? 1 : 0);
    return Decimal(0);
}

std::optional<long long> int_field(const RecordView& r, const std::string& field) {
    auto d = num_field(r, field);
    if (!d) return std::nullopt;
    return d->to_int();
}

// Text of a character field without the blanks that pad it to its width.
std::optional<std::string> text_field(const RecordView& r, const std::string& field) {
    if (!r.has(field)) return std::nullopt;
    data::Value v = r.get(field);
    if (const auto* s = std::get_if<std::string>(&v)) return rtrim(*s);
    return std::string();
}

std::optional<std::string> font_or_none(const std::string& name) {
    std::string t = trim(name);
    if (t.empty()) return std::nullopt;
    return t;
}

// A triple that is all zeros means "not configured", so the built-in colour stays.
void take_triple(Rgb& colour, const RecordView& r, int first) {
    Rgb t{};
    for (int i = 0; i < 3; ++i)
        t[i] = static_cast<int>(int_field(r, "RGB" + std::to_string(first + i)).value_or(0));
    if (t != Rgb{0, 0, 0}) colour = t;
}

void apply_colours(AppSettings& s, const RecordView& r, ColourDisplay display) {
    if (!r.has("RGB1")) return;
    int first = display == ColourDisplay::UpTo20Colours ? 1 : 7;
    take_triple(s.XO_COLOUR, r, first);
    take_triple(s.XH_COLOUR, r, first + 3);
}

// MAXTIMEOUT is in minutes; what 0 stands for differs between start-up and the dialog.
void apply_idle_limit(AppSettings& s, const RecordView& r, long long when_zero) {
    Decimal minutes = num_field(r, "MAXTIMEOUT").value_or(Decimal(0));
    s.XAPP_MAX_MESSAGETIME =
        minutes.is_zero() ? when_zero : (minutes * Decimal(60 * 1000)).to_int();
    if (auto v = int_field(r, "NO_TIMEOUT")) s.XAPP_MESSAGE_NOCHECK = static_cast<int>(*v);
}

void apply_socket(AppSettings& s, const RecordView& r) {
    if (auto v = int_field(r, "WS_SOCKET"); v && *v != 0) s.XWS_SOCKET = *v;
}

}  // namespace

bool TableRecord::has(const std::string& field) const { return m_table.FieldPos(field) != 0; }

data::Value TableRecord::get(const std::string& field) const { return m_table.FieldGet(field); }

void load_f_sys(AppSettings& s, const RecordView& r, ColourDisplay display) {
    if (auto v = text_field(r, "T_FONT")) s.data_font = trim(*v);
    s.data_font_size = num_field(r, "T_SIZE").value_or(Decimal(8));
    // The two blank-font fallbacks differ on purpose: start-up prefers Calibri, the dialog
    // falls back to the built-in printing font.
    if (auto v = text_field(r, "P_FONT")) s.XPRINT_FONT = font_or_none(*v).value_or("Calibri");
    if (auto v = text_field(r, "D_FONT")) s.XGLOBAL_FONT_NAME = font_or_none(*v);
    if (auto v = int_field(r, "FIESTA1")) s.XFIESTAHOUSECOUNT = *v;
    if (int_field(r, "NO_DATE") == 1) s.XSEL_DATE = "NO";
    if (int_field(r, "REFRESH_B") == 1) s.XREFRESH_BROWSE = 0;
    apply_socket(s, r);
    if (auto v = int_field(r, "MAXCOMMIT")) s.XMAXCOMMIT = *v;
    if (auto v = int_field(r, "GRAYED")) s.XGRAYED = static_cast<int>(*v);
    if (auto v = int_field(r, "MULTITASK")) s.XMULTITASK[1] = *v;
    if (auto v = int_field(r, "DLGSIZE")) s.XDLGSIZE = *v;
    if (auto v = int_field(r, "DGROUP")) s.XDGROUPLIMIT = *v == 0 ? 6000 : *v;
    if (int_field(r, "NOFLATBUTT") == 1) s.XFLAT_SHOW = 0;
    if (int_field(r, "NO_SIM_P") == 1) s.XSIM_PRINT = 0;
    if (auto on = int_field(r, "LOCAL_TEMP"))
        s.XTEMPPATH = {static_cast<int>(*on), trim(text_field(r, "LOCAL_PATH").value_or(""))};
    apply_colours(s, r, display);
    apply_idle_limit(s, r, 600000);
}

void load_f_sys(AppSettings& s, data::Db& db, ColourDisplay display) {
    data::Table t = data::USE(db, "F_SYS");
    load_f_sys(s, TableRecord(*t), display);
    data::KILLTABLA(db, t);
}

void load_defmail(AppSettings& s, const RecordView& r) {
    auto text = [&](const char* field) { return text_field(r, field).value_or(""); };
    auto flag = [&](const char* field) {
        return static_cast<int>(int_field(r, field).value_or(0));
    };
    s.XEMAIL_SMTP_PORT = int_field(r, "SMTP_PORT").value_or(0);
    s.XEMAIL_POP3_PORT = int_field(r, "POP3_PORT").value_or(0);
    s.XEMAILHOST = text("HOST");
    s.XEMAILNAME = text("USERNAME");
    s.XEMAILADDR = text("USERADDR");
    s.XEMAIL_ID = text("ID_NAME");
    s.XEMAILDEST = text("DESTINO");
    s.XEMAILSEND = flag("SENDMAIL");
    s.XEMAILAUTH = flag("AUTORIZA");
    s.XEMAIL_AU = text("AUTH_USER");
    s.XEMAIL_AP = text("AUTH_PASS");
    s.XEMAIL_CC1 = text("CC_CONF1");
    s.XEMAIL_CC2 = text("CC_CONF2");
}

void load_defmail(AppSettings& s, data::Db& db) {
    data::Table t = data::USE(db, "DEFMAIL");
    load_defmail(s, TableRecord(*t));
    data::KILLTABLA(db, t);
}

void load_fonts(AppSettings& s, data::Db& db) {
    data::Table t = data::USE(db, "FONTS", "FONTS");
    std::vector<std::string> names;
    for (; !t->Eof(); t->Skip()) names.push_back(trim(t->str("T_FONT")));
    data::KILLTABLA(db, t);
    if (!names.empty()) s.XAVAILABLE_FONTS = std::move(names);
}

void load_settings(AppSettings& s, data::Db& db, ColourDisplay display) {
    load_defmail(s, db);
    load_f_sys(s, db, display);
    load_fonts(s, db);
}

void apply_sys_db_save(AppSettings& s, const RecordView& r, ColourDisplay display) {
    if (auto v = int_field(r, "GRAYED")) s.XGRAYED = static_cast<int>(*v);
    apply_colours(s, r, display);
    if (auto v = int_field(r, "DLGSIZE")) s.XDLGSIZE = *v;
    apply_socket(s, r);
    // Unlike start-up, the dialog can also clear the box, so both ways are applied.
    if (auto v = int_field(r, "NOFLATBUTT")) s.XFLAT_SHOW = *v == 1 ? 0 : 1;
    apply_idle_limit(s, r, 300000);
}

void apply_sys_font_save(AppSettings& s, const RecordView& r) {
    if (auto v = text_field(r, "P_FONT"))
        s.XPRINT_FONT = font_or_none(*v).value_or("Times New Roman");
    if (auto v = text_field(r, "D_FONT")) s.XGLOBAL_FONT_NAME = font_or_none(*v);
}

void set_fec_hora_local(AppSettings& s, Clock& clock, bool local) {
    s.XFEC_HORA_LOCAL = local ? 1 : 0;
    clock.set_local_only(local);
}

}  // namespace qz::domain
