#include "gui/collections/stage_alert.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "core/text.h"

namespace qz::gui {

bool stage_wants_alert(const domain::StageNode& node, const IniFile* ini,
                       const std::string& business) {
    if (!node.stage.alert || node.count <= 0 || !ini) return false;
    return trim(ini->get("ETAPAS_B", trim(business) + node.stage.code, "")) == "1";
}

void play_stage_alert(const std::string& home, const std::string& sound) {
    const QString file = QString::fromStdString(home + "/WAV/" + trim(sound));
    if (!trim(sound).empty() && QFileInfo::exists(file)) {
        // Whichever player the desktop has; started detached so the screen never waits on it.
        for (const char* player : {"pw-play", "paplay", "aplay"}) {
            const QString path = QStandardPaths::findExecutable(player);
            if (!path.isEmpty() && QProcess::startDetached(path, {file})) return;
        }
    }
    QApplication::beep();
}

}  // namespace qz::gui
