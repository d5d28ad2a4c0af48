#include "gui/settings/about_boxes.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/db.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

ServerInfo server_info(data::Db& db) {
    ServerInfo info;
    const auto state = db.server_state();
    if (!state) {
        info.local_engine = db.local_engine();
        return info;
    }
    info.server = true;
    info.sessions = state->sessions;
    info.version = state->version;
    if (const auto& ads = db.ads()) {
        info.compatible_locking = ads->compatible_locking;
        info.cache_records = ads->cache_records;
    }
    return info;
}

std::vector<std::string> server_info_lines(const ServerInfo& info) {
    if (!info.server)
        return {"Servidor Advantage no disponible...", "Base de datos local: " + info.local_engine};
    return {
        "Sesiones: " + std::to_string(info.sessions), "Server Versión: " + info.version,
        std::string("Locking Scheme: ") + (info.compatible_locking ? "Compatible" : "Propietario"),
        "Record Cache: " + std::to_string(info.cache_records)};
}

void open_ads_config(QWidget* owner, const ServerInfo& info) {
    std::string text;
    for (const auto& line : server_info_lines(info)) text += (text.empty() ? "" : "\n") + line;
    if (info.server)
        MESSAGE_BOX(owner, text, "Versión Advantage Database Server", kMbOk | kMbIconInformation);
    else
        MESSAGE_BOX(owner, text, title_of(MsgStyle::Aviso), style_of(MsgStyle::Aviso));
}

void open_about(QWidget* owner, const std::string& user_name) {
    DIALOG_BOX dialog("ABOUTBOX", owner);
    auto* layout = new QVBoxLayout(&dialog);
    auto* series = new QLabel(kSeriesTitle, &dialog);
    QFont big = series->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    series->setFont(big);
    series->setAlignment(Qt::AlignCenter);
    layout->addWidget(series);
    for (const std::string& line :
         {std::string("Versión ") + kVersionText, "Usuario: " + user_name}) {
        auto* label = new QLabel(QString::fromStdString(line), &dialog);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(dialog.Add(new QPushButton("Aceptar", &dialog), kCmdOk));
    buttons->addStretch();
    layout->addLayout(buttons);
    dialog.Text("Acerca de");
    dialog.run();
}

}  // namespace qz::gui
