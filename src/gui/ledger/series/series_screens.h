#pragma once
// The number series screens: the maintenance MANT_SER ("Definición de Seriales", 2841), a tree
// of the business's series by module with its form MANT_SERF, and the range editor MOD_SERI the
// point of sale opens for the series of its concept.
#include <string>

#include "data/db.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

class TREEVIEW;
struct AppContext;

class MANT_SER : public WDIAG {
public:
    MANT_SER(QWidget* owner, data::Db& db, std::string business);

    bool Init() override;

    void ADD();
    void MOD();
    void DEL();
    // Builds the tree again from the table; the series `select` (if any) is chosen.
    void load_tree(const std::string& select = "");
    TREEVIEW* tree() const { return m_tree; }

private:
    // The series code on the chosen leaf; "" (with a message) when a module or nothing is chosen.
    std::string chosen_code();

    data::Db& m_db;
    std::string m_business;
    TREEVIEW* m_tree = nullptr;
};

MANT_SER* open_series_maintenance(QWidget* owner, data::Db& db, const std::string& business);

// MOD_SERI over the series `code` of the session's business; true when the range was saved.
bool open_series_range(QWidget* owner, AppContext& ctx, const std::string& code);

// Control ids.
inline constexpr int kSeriesTree = 500, kSeriesAdd = 201, kSeriesModify = 202,
                     kSeriesDelete = 203;
enum SeriesField {
    kSCode = 501,
    kSName,
    kSModule,
    kSPrefix,
    kSSuffix,
    kSNumber,
    kSLimit,
    kSIndent,
    kSUnpadded,
    kSMutuo,
    kSDisabled,
    kSCurrent,
    kRName = 601,
    kRNext,
    kRLast,
    kRDisabled
};

}  // namespace qz::gui
