#include "services/mail/mail_queue.h"

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/text.h"
#include "data/table_ops.h"

namespace qz::services {

namespace fs = std::filesystem;

namespace {

// A plain page for installations without the notification template.
constexpr const char* kNotificationPage =
    "<html><head><meta charset=\"UTF-8\"></head><body>\r\n"
    "<h2>XHOTEL</h2>\r\n<h3>XTITULO2</h3>\r\n<p><b>XTITULO1</b></p>\r\n"
    "<p><b>XROTULO1</b> XINFO1</p>\r\n<p>XUSUARIO - XFECHA</p>\r\n</body></html>\r\n";

std::string ticks10() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return pad_left(std::to_string(ms % 10000000000LL), 10, '0');
}

struct QueueRow {
    std::string business, to, subject, cod_res, html_file, embed, attach, attach_folder, cc1, cc2;
    int kind = 0;
};

long append_row(data::Db& db, const domain::AppSettings& s, const QueueRow& r) {
    const DateTime now = db.clock().now();
    data::Table q = data::USE(db, "E_MSGS");
    data::ADD_NEW_REC(*q);
    q->FieldPut("FECHA", now.date);
    q->FieldPut("HORA", now.time);
    q->FieldPut("MAIL", now.date.dtos() + ticks10());
    q->FieldPut("NEGOCIO", r.business);
    q->FieldPut("TO_USER", r.to);
    q->FieldPut("SUBJECT", r.subject);
    q->FieldPut("BODY", std::string());
    q->FieldPut("USERNAME", s.XEMAILNAME);
    q->FieldPut("USERADDR", s.XEMAILADDR);
    q->FieldPut("COD_RES", r.cod_res);
    q->FieldPut("CR_TIPO", Decimal(r.kind));
    q->FieldPut("HTML", Decimal(1));
    q->FieldPut("HTML_FILE", r.html_file);
    q->FieldPut("HTML_EMBED", r.embed);
    q->FieldPut("HTML_ATTCH", r.attach);
    q->FieldPut("HTML_D_ATT", r.attach_folder);
    q->FieldPut("HTML_DEL_A", Decimal(0));
    q->FieldPut("CC1", r.cc1);
    q->FieldPut("CC2", r.cc2);
    q->FieldPut("ENVIADO", Decimal(0));
    q->FieldPut("LISTO", Decimal(1));
    data::UNLOCK_NEW_REC(*q);
    const long recno = q->RecNo();
    data::KILLTABLA(db, q);
    return recno;
}

std::string join_names(const std::vector<std::string>& names) {
    std::string s;
    for (const auto& n : names) s += (s.empty() ? "" : ",") + n;
    return s;
}

std::optional<long> queue_with_template(data::Db& db, const domain::AppSettings& s,
                                        const MailPaths& paths, UserPort& port, const ReglasArgs& a,
                                        std::istream& tmpl) {
    const DateTime now = db.clock().now();
    MailFields fields = a.fields;
    fields.insert(fields.end(), {{"XHOTEL", a.hotel},
                                 {"XUSUARIO", a.user},
                                 {"XFECHA", now.date.dtoc() + "/" + now.time},
                                 {"XTITULO1", a.title1},
                                 {"XTITULO2", a.title2},
                                 {"XROTULO1", a.label1},
                                 {"XROTULO2", a.label2}});
    // The fields are what people typed (a guest's name, a service, a note): in an HTML body
    // they are text, never markup, and their line breaks become the page's.
    for (auto& field : fields) field.second = html_escape(field.second);
    ensure_mail_folders(paths);
    const std::string name = body_file_name(paths.send());
    std::ofstream out(fs::path(paths.send()) / name, std::ios::binary);
    std::vector<std::string> pictures = TRANS_FILE(tmpl, out, fields);
    out.close();
    if (!out) {
        port.message(MsgStyle::Error, "Error", "No se puede escribir el mensaje " + name);
        return std::nullopt;
    }
    // A default picture the installation lacks would make every send of the message fail.
    if (pictures.empty() && !trim(a.picture).empty() &&
        fs::is_regular_file(fs::path(paths.html()) / trim(a.picture)))
        pictures.push_back(trim(a.picture));
    QueueRow r{
        a.business,      a.to,  a.subject, a.cod_res, name, join_names(pictures), a.attachment,
        a.attach_folder, a.cc1, a.cc2,     a.kind};
    return append_row(db, s, r);
}

}  // namespace

void ensure_mail_folders(const MailPaths& paths) {
    const fs::path mail = fs::path(paths.home) / "MAIL";
    std::error_code ec;
    fs::create_directories(mail / "SEND", ec);
    fs::create_directories(mail / "RECEIVE", ec);
    if (!fs::exists(mail / "YES")) std::ofstream(mail / "YES") << "YES";
}

std::string body_file_name(const std::string& folder) {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    const long cs = (now.time_since_epoch() / milliseconds(10)) % 100;
    long long stamp = (tm.tm_hour * 3600LL + tm.tm_min * 60 + tm.tm_sec) * 100 + cs;
    for (;; ++stamp) {
        std::string digits = pad_left(std::to_string(stamp % 10000000), 7, '0');
        std::string name = "T" + digits + ".HTM";
        if (!fs::exists(fs::path(folder) / name)) return name;
    }
}

std::optional<long> SEND_REGLAS(data::Db& db, const domain::AppSettings& settings,
                                const MailPaths& paths, UserPort& port, const ReglasArgs& a) {
    const std::string folder = trim(a.template_folder).empty() ? paths.html() : a.template_folder;
    const fs::path tmpl = fs::path(folder) / trim(a.template_file);
    std::ifstream in(tmpl, std::ios::binary);
    if (!in) {
        port.message(MsgStyle::Error, "Error", "No se encuentra la plantilla " + tmpl.string());
        return std::nullopt;
    }
    return queue_with_template(db, settings, paths, port, a, in);
}

std::optional<long> SEND_NOTIFICATION(data::Db& db, const domain::AppSettings& settings,
                                      const MailPaths& paths, UserPort& port,
                                      const NotificationArgs& n) {
    ReglasArgs a;
    a.business = n.business;
    a.hotel = n.unit_name;
    a.to = n.to;
    a.subject = n.subject;
    a.user = settings.XEMAILNAME;
    a.title1 = n.title;
    a.title2 = n.heading;
    a.label1 = n.label;
    a.fields = {{"XINFO1", n.body}};
    a.attachment = n.attachment;
    a.attach_folder = n.attach_folder;
    const fs::path tmpl = fs::path(paths.html()) / "NOTIFICA.HTM";
    std::ifstream file(tmpl, std::ios::binary);
    if (file) return queue_with_template(db, settings, paths, port, a, file);
    std::istringstream builtin(kNotificationPage);
    return queue_with_template(db, settings, paths, port, a, builtin);
}

long GET_HEARTBEAT(const std::string& home, std::time_t now) {
    const fs::path p = fs::path(home) / "HBEAT" / "MAILSERV.HBT";
    std::ifstream in(p);
    if (!in) return -1;
    long long stamp = 0;
    if (!(in >> stamp)) {
        // Unreadable contents: the file's own time still tells when it was last written.
        struct stat st {};
        if (::stat(p.c_str(), &st) != 0) return -1;
        stamp = st.st_mtime;
    }
    return std::max<long long>(0, now - stamp);
}

void write_heartbeat(const std::string& home, std::time_t at) {
    const fs::path dir = fs::path(home) / "HBEAT";
    std::error_code ec;
    fs::create_directories(dir, ec);
    // Written aside and renamed, so a reader never sees half a stamp.
    const fs::path tmp = dir / "MAILSERV.HBT.tmp";
    { std::ofstream(tmp, std::ios::trunc) << static_cast<long long>(at) << "\n"; }
    fs::rename(tmp, dir / "MAILSERV.HBT", ec);
}

}  // namespace qz::services
