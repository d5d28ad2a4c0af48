// "Asignación Estación a PC": which station's terminals this workstation charges cards through,
// and what its vouchers and card reader use; kept in the workstation's QUARTZEN.INI.
#include <algorithm>

#include "gui/card/card_screens.h"
#include "gui/card/station_settings.h"
#include "gui/card/terminal_table.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "services/print/predet_store.h"

namespace qz::gui {

namespace {

using K = FormField::Kind;
using Choices = std::vector<std::pair<std::string, std::string>>;

FormField choice(int id, const char* label, const std::string& value, Choices choices) {
    FormField f{id, label, K::Choice, value};
    f.choices = std::move(choices);
    return f;
}

// The stations that have terminals; a station the file names but the table no longer has is
// kept on offer, so opening and accepting the dialog never changes it behind the user's back.
Choices station_choices(data::Db& db, const std::string& business, const std::string& current) {
    Choices out = {{"", ""}};
    auto stations = card::terminal_stations(db, business);
    if (!current.empty() && std::find(stations.begin(), stations.end(), current) == stations.end())
        stations.push_back(current);
    for (const auto& s : stations) out.push_back({s, s});
    return out;
}

Choices printer_choices(data::Db& db, const std::string& business, const std::string& current) {
    Choices out = {{"", ""}};
    bool found = current.empty();
    for (const auto& p : services::list_predet(db, business)) {
        out.push_back({p.CODIGO, p.CODIGO + " - " + p.DESCRIP});
        found = found || p.CODIGO == current;
    }
    if (!found) out.push_back({current, current});
    return out;
}

std::vector<FormField> settings_fields(data::Db& db, const std::string& business,
                                       const card::StationSettings& s) {
    std::vector<FormField> f = {
        choice(kPcStation, "Estación:", s.station, station_choices(db, business, s.station)),
        {kPcTerminalId, "Terminal ID del comprobante:", K::Text, s.terminal_id, 40}};
    for (int i = 0; i < 4; ++i)
        f.push_back({kPcHeader1 + i, "Encabezado " + std::to_string(i + 1) + " del comprobante:",
                     K::Text, s.headers[static_cast<size_t>(i)], 60});
    f.push_back(choice(kPcPrinter, "Impresora de comprobantes:", s.printer,
                       printer_choices(db, business, s.printer)));
    f.push_back({kPcDevice, "Dispositivo del lector de tarjetas:", K::Text, s.device, 120});
    f.push_back(
        {kPcTraining, "Modo de entrenamiento (simuladores)", K::Check, s.training ? "1" : "0"});
    return f;
}

card::StationSettings settings_from(const FormValues& v) {
    card::StationSettings s;
    s.station = v.at(kPcStation);
    s.terminal_id = v.at(kPcTerminalId);
    for (int i = 0; i < 4; ++i) s.headers[static_cast<size_t>(i)] = v.at(kPcHeader1 + i);
    s.printer = v.at(kPcPrinter);
    s.device = v.at(kPcDevice);
    s.training = v.at(kPcTraining) == "1";
    return s;
}

}  // namespace

bool open_station_of_pc(QWidget* owner, data::Db& db, const std::string& business, IniFile& ini) {
    const auto current = card::read_station_settings(ini, business);
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        const auto s = settings_from(v);
        QtUserPort port(owner);
        if (auto problem = card::check_station_settings(s); !problem.empty()) {
            port.message(MsgStyle::Error, "Error", problem);
            return false;
        }
        try {
            card::write_station_settings(ini, business, s);
        } catch (const std::exception& e) {
            port.message(MsgStyle::Error, "Error", e.what());
            return false;
        }
        return true;
    };
    return run_master_form(owner, "ESTACION_CREDIT", "Asignación Estación a PC",
                           settings_fields(db, business, current), save);
}

}  // namespace qz::gui
