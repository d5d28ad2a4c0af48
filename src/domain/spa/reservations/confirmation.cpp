#include "domain/spa/reservations/confirmation.h"

#include <filesystem>
#include <fstream>
#include <thread>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/spa/master/spa_params.h"
#include "domain/spa/reservations/line_pricing.h"

namespace qz::domain::spa {

namespace fs = std::filesystem;

namespace {

// A field of a business's settings record (a table keyed by NEGOCIO alone).
std::string read_field(data::Db& db, const char* table, const std::string& business,
                       const char* field) {
    auto t = data::USE(db, table, table);
    std::string out = t->Seek(data::order_key(table, table, {business})) ? t->str(field) : "";
    data::KILLTABLA(db, t);
    return out;
}

}  // namespace

Confirmation confirmation_of(data::Db& db, const std::string& business, const SpaHeader& h,
                             const std::vector<SpaLine>& lines) {
    std::string services;
    for (const SpaLine& l : lines) {
        if (l.deleted) continue;
        std::string d = l.description;
        if (d.empty())
            if (auto a = find_article(db, business, l.article)) d = a->description;
        services += d + "\n";
    }
    Confirmation c;
    c.code = h.code;
    c.to = h.email;
    c.hotel = trim(read_field(db, "F_HOTEL", business, "NOMBRE"));
    c.fields = {{"XDATE", h.date.dtoc4()},
                {"XTIME", h.start},
                {"XINFO1", services},
                {"XINFO2", rtrim(read_spa_params(db, business, nullptr).mail_text)},
                {"XUSUARIO", h.email}};
    return c;
}

const std::string& default_spa_template() {
    static const std::string text = R"(<!DOCTYPE html>
<html lang="es">
<head><meta charset="utf-8"><title>SPA Reservation</title></head>
<body style="margin:0;padding:0;background:#f3efe9;font-family:Georgia,'Times New Roman',serif;color:#3b3632">
<table role="presentation" width="100%" cellpadding="0" cellspacing="0" style="background:#f3efe9">
<tr><td align="center" style="padding:24px 12px">
<table role="presentation" width="600" cellpadding="0" cellspacing="0" style="max-width:600px;background:#ffffff;border-radius:8px;overflow:hidden">
<tr><td style="background:#6b8f71;color:#ffffff;padding:22px 28px;font-size:22px;letter-spacing:1px">XHOTEL &middot; Spa</td></tr>
<tr><td style="padding:26px 28px 8px 28px;font-size:16px;line-height:1.5">
<p style="margin:0 0 6px 0"><strong>Confirmación de su reserva</strong></p>
<p style="margin:0 0 16px 0;color:#7a726b;font-style:italic">Your reservation is confirmed</p>
<p style="margin:0 0 16px 0">Estimado(a) huésped, con gusto le confirmamos su reserva en nuestro spa.<br>
<span style="color:#7a726b">Dear guest, we are pleased to confirm your spa reservation.</span></p>
</td></tr>
<tr><td style="padding:0 28px">
<table role="presentation" width="100%" cellpadding="8" cellspacing="0" style="border:1px solid #e4ddd4;border-radius:6px;font-size:15px">
<tr><td style="width:40%;color:#7a726b">Fecha / Date</td><td><strong>XDATE</strong></td></tr>
<tr><td style="color:#7a726b;border-top:1px solid #e4ddd4">Hora / Time</td><td style="border-top:1px solid #e4ddd4"><strong>XTIME</strong></td></tr>
<tr><td style="color:#7a726b;border-top:1px solid #e4ddd4;vertical-align:top">Servicios / Services</td><td style="border-top:1px solid #e4ddd4">XINFO1</td></tr>
</table>
</td></tr>
<tr><td style="padding:18px 28px;font-size:14px;line-height:1.5">XINFO2</td></tr>
<tr><td style="padding:0 28px 24px 28px;font-size:13px;color:#7a726b;line-height:1.5">
Le rogamos llegar 15 minutos antes de su cita. Para cambios o cancelaciones, responda a este correo.<br>
Please arrive 15 minutes before your appointment. To change or cancel it, reply to this message.</td></tr>
<tr><td style="background:#efe9e1;padding:12px 28px;font-size:12px;color:#7a726b">Enviado a / Sent to: XUSUARIO</td></tr>
</table>
</td></tr>
</table>
</body>
</html>
)";
    return text;
}

bool ensure_spa_template(const std::string& home) {
    const fs::path file = fs::path(home) / "HTML" / kConfirmTemplate;
    std::error_code ec;
    if (fs::is_regular_file(file, ec)) return true;
    fs::create_directories(file.parent_path(), ec);
    std::ofstream out(file, std::ios::binary);
    out << default_spa_template();
    return static_cast<bool>(out.flush());
}

bool confirmation_sent(data::Db& db, const std::string& business, const std::string& to,
                       const std::string& subject, const Date& date, const std::string& since) {
    auto t = data::USE(db, "E_MSGS", "E_MSGS8");
    const long long sent_state = 1;  // ENVIADO
    const std::string key = data::order_key("E_MSGS", "E_MSGS8", {business, sent_state, to, date});
    t->SetScope(key, key);
    bool sent = false;
    for (t->GoTop(); !t->Eof() && !sent; t->Skip())
        sent = trim(t->str("SUBJECT")) == subject && t->str("HORA") >= since;
    data::KILLTABLA(db, t);
    return sent;
}

std::string confirmation_timeout_text() {
    return "Tiempo de espera agotado... El envío no se dio por alguna de las siguientes "
           "razones: \r- La dirección de correo electrónico no es válida\r- El MailServer no se "
           "encuentra habilitado\r- Se encuentra en espera de ser enviado";
}

bool wait_confirmation_sent(data::Db& db, UserPort& port, const std::string& business,
                            const Confirmation& c, const DateTime& queued, SentWait w) {
    auto window = port.wait("Un momento por favor...");
    window->put_text("Enviando email a: " + c.to);
    const auto deadline = std::chrono::steady_clock::now() + w.timeout;
    bool sent = false;
    while (!sent) {
        sent = confirmation_sent(db, business, c.to, kConfirmSubject, queued.date, queued.time);
        if (sent || std::chrono::steady_clock::now() >= deadline || window->cancelled()) break;
        const auto next = std::chrono::steady_clock::now() + w.poll;
        while (std::chrono::steady_clock::now() < next) {
            port.breathe();
            std::this_thread::sleep_for(std::min(w.poll, std::chrono::milliseconds(50)));
        }
    }
    window.reset();
    if (sent)
        port.message(MsgStyle::Aviso, "Confirmación", std::string(kConfirmSent) + " " + c.code);
    else
        port.message(MsgStyle::Error, "Error", confirmation_timeout_text());
    return sent;
}

}  // namespace qz::domain::spa
