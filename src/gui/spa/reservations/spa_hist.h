#pragma once
// What the "Editar" operations of SPA_HIST ask of the screen.
#include <string>

namespace qz::gui {

struct AppContext;
class WBLISTBOX;

namespace spa_hist {
enum Id { kGrid = 100, kStateFilter = 101, kAgentFilter = 102 };
}

class SpaHistScreen {
public:
    virtual ~SpaHistScreen() = default;
    virtual std::string current_code() = 0;  // "" without a row
    virtual void refresh() = 0;
    virtual AppContext& context() = 0;
    virtual WBLISTBOX& grid() = 0;
};

}  // namespace qz::gui
