// "Parámetros Generales" of the spa: the form SPA_PARAM over F_FAC and the workstation's spa
// register. Hours are offered as whole hours, so only the order of the two can be wrong.
#include "core/text.h"
#include "domain/spa/master/spa_params.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "gui/spa/master/spa_master_screens.h"

namespace qz::gui {

bool open_spa_params(QWidget* owner, data::Db& db, const std::string& business, IniFile* ini) {
    using K = FormField::Kind;
    const auto p = domain::spa::read_spa_params(db, business, ini);
    std::vector<std::pair<std::string, std::string>> hours;
    for (int h = 0; h <= 23; ++h) {
        const std::string t = pad_left(std::to_string(h), 2, '0') + ":00";
        hours.emplace_back(t, t);
    }
    std::vector<FormField> fields = {
        {kPSerial, "Serial de reservas", K::Text, p.serial, 15},
        {kPMail, "Enviar confirmación por email al reservar", K::Check,
         p.mail_on_create ? "1" : "0"},
        {kPMailText, "Texto adicional del email", K::Memo, p.mail_text},
        {kPStep,
         "Intervalo de la agenda",
         K::Choice,
         std::to_string(p.agenda_step),
         0,
         false,
         {{"0", "Cada hora"}, {"1", "Cada media hora"}, {"2", "Cada cuarto de hora"}}},
        {kPFirst, "Hora inicial de la agenda", K::Choice, p.first_hour, 0, false, hours},
        {kPLast, "Hora final de la agenda", K::Choice, p.last_hour, 0, false, hours},
        {kPRegisterDefaults, "Aplicar los valores de la caja del spa", K::Check,
         p.register_defaults ? "1" : "0"},
        {kPRegister, "Caja del spa (esta estación)", K::Text, p.spa_register, 4},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        domain::spa::SpaParams n;
        n.serial = v.at(kPSerial);
        n.mail_on_create = v.at(kPMail) == "1";
        n.mail_text = v.at(kPMailText);
        n.agenda_step = std::stoi(v.at(kPStep).empty() ? "0" : v.at(kPStep));
        n.first_hour = v.at(kPFirst);
        n.last_hour = v.at(kPLast);
        n.register_defaults = v.at(kPRegisterDefaults) == "1";
        n.spa_register = v.at(kPRegister);
        QtUserPort port(owner);
        return domain::spa::save_spa_params(db, port, business, n, ini);
    };
    return run_master_form(owner, "SPA_PARAM", "Parámetros Generales", std::move(fields), save);
}

}  // namespace qz::gui
