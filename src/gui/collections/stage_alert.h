#pragma once
// The sound of a stage that wants attention while it holds documents. A workstation asks for it
// in its QUARTZEN.INI (section ETAPAS_B, key business + stage = "1"); the wave file lies in the
// installation's WAV folder. Without a player on the machine the system's beep stands in.
#include <string>

#include "core/ini_file.h"
#include "domain/collections/collection_stages.h"

namespace qz::gui {

// Whether the node's stage should sound now at this workstation.
bool stage_wants_alert(const domain::StageNode& node, const IniFile* ini,
                       const std::string& business);

void play_stage_alert(const std::string& home, const std::string& sound);

}  // namespace qz::gui
