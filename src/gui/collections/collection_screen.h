#pragma once
// "Facturas por Etapa de Cobro" (COB_HIS): the collection stages as a tree with their counts,
// the active collectors, the documents of the chosen stage (all of the entry stage, else the
// chosen collector's) with marks, and the moves of the marked documents one stage forward
// (handed to the collector, with the receipt) or back. The first move asks who authorises it;
// later moves of the same screen reuse that person.
#include <QTimer>
#include <optional>
#include <string>

#include "data/db.h"
#include "domain/collections/collection_stages.h"
#include "gui/collections/stage_authorisation_dialog.h"
#include "gui/framework/wdiag.h"

class QComboBox;
class QTreeWidget;

namespace qz::gui {

struct AppContext;
class WBLISTBOX;

inline constexpr int kCmdCollectionScreen = 6720;

namespace collection_screen {
enum : int { kTree = 100, kCollector = 101, kGrid = 500, kForward = 201, kBack, kHistory };
inline constexpr int kRefreshMs = 10000;
}  // namespace collection_screen

class CollectionScreen : public WDIAG {
    Q_OBJECT
public:
    CollectionScreen(QWidget* owner, AppContext& ctx);

    bool Init() override;
    void CerrarBases() override;

    void select_stage(const std::string& code);
    void select_collector(const std::string& code);
    void move_forward();
    void move_back();
    void show_history();
    // Counts again unless a count is already running.
    void refresh_counts();

    QTreeWidget* tree() const { return m_tree; }
    WBLISTBOX* grid() const { return m_grid; }
    const std::string& stage() const { return m_stage; }

private:
    QWidget* build_left();
    QWidget* build_right();
    void apply_scope();
    std::vector<std::string> marked_documents();
    // The screen's checks before anyone is asked to authorise; "" when the move may go on.
    std::string precheck(const std::vector<std::string>& documents, bool forward);
    std::optional<StageAuthorisation> authorise(const std::vector<std::string>& documents,
                                                bool back);
    domain::CollectionMoveRequest request(std::vector<std::string> documents,
                                          const StageAuthorisation& a);
    void after_move();

    AppContext& m_ctx;
    data::Db& m_db;
    std::string m_business, m_entry_stage, m_stage, m_collector;
    data::Table m_table;
    QTreeWidget* m_tree = nullptr;
    QComboBox* m_collectors = nullptr;
    WBLISTBOX* m_grid = nullptr;
    QTimer m_timer;
    bool m_counting = false;
    std::optional<domain::StageAuthoriser> m_authoriser;
};

CollectionScreen* open_collection_screen(QWidget* owner, AppContext& ctx);

}  // namespace qz::gui
