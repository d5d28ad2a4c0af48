#pragma once
// What the log viewers share: a screen with a read-only list of rows, the full text of the
// selected row under it and a row of buttons ending with "Salir".
#include <QStringList>
#include <string>
#include <vector>

#include "core/date.h"
#include "gui/framework/wdiag.h"

class QHBoxLayout;
class QLayout;
class QTableWidget;

namespace qz::data {
class Db;
}

namespace qz::gui {

// Texts of the logs break lines with CR LF, as the rest of the suite reads them; a Qt text box
// shows each CR as a break of its own.
QString display_text(const std::string& text);
// "dd/mm/yy", blank for an empty date.
std::string date_text(const Date& d);

class LogScreen : public WDIAG {
public:
    using Row = std::vector<std::string>;

    LogScreen(QWidget* owner, const std::string& dlg_name, int context_id, std::string caption,
              QStringList headers, data::Db& db);

    bool Init() override;
    // Lists the rows again.
    void reload();
    int row_count() const;

protected:
    // The rows to list and the full text of each, in the same order.
    virtual void load(std::vector<Row>& rows, std::vector<std::string>& details) = 0;
    // Buttons before "Salir".
    virtual void add_buttons(QHBoxLayout*) {}
    // A panel left of the list (the users tree); null for none.
    virtual QWidget* side_panel() { return nullptr; }

    data::Db& m_db;

private:
    void show_detail(int row);

    std::string m_caption;
    QStringList m_headers;
    QTableWidget* m_grid = nullptr;
    std::vector<std::string> m_details;
};

}  // namespace qz::gui
