#pragma once
// What the log viewers share: a screen with the log's grid (WBLISTBOX over the table, never
// loading it), the full text of the selected row under it and a row of buttons ending with
// "Imprimir" and "Salir". The grid lands on the last row of the order, the newest.
#include <string>

#include "core/date.h"
#include "data/wdbtable.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/wdiag.h"

class QHBoxLayout;

namespace qz::data {
class Db;
}

namespace qz::gui {

// Texts of the logs break lines with CR LF, as the rest of the suite reads them; a Qt text box
// shows each CR as a break of its own.
QString display_text(const std::string& text);
// A cell shows one line, however many the text has.
std::string one_line(const std::string& text);
// "dd/mm/yy", blank for an empty date.
std::string date_text(const Date& d);
// "dd/mm/yy hh:mm:ss", blank for an empty date.
std::string moment_text(const Date& d, const std::string& time);

class LogScreen : public WDIAG {
public:
    LogScreen(QWidget* owner, const std::string& dlg_name, int context_id, std::string caption,
              data::Db& db);

    bool Init() override;
    // Counts the rows again and goes to the newest.
    void reload();
    long row_count() const;
    WBLISTBOX* grid() const { return m_grid; }

protected:
    // The table the grid shows, opened in its first order; null when it cannot open.
    virtual data::Table open_table() = 0;
    virtual void add_columns(WBLISTBOX& grid, data::WDBTable& table) = 0;
    // Sortable columns and scope.
    virtual BrowMarksOptions grid_options() = 0;
    // The full text of the table's current row.
    virtual std::string detail(data::WDBTable&) { return {}; }
    // Buttons before "Imprimir".
    virtual void add_buttons(QHBoxLayout*) {}
    // A panel left of the list (the users tree); null for none.
    virtual QWidget* side_panel() { return nullptr; }
    // The grid stops reading and the table is closed.
    void CerrarBases() override;

    data::Db& m_db;
    data::Table m_table;
    int m_grid_id;              // the grid's control id
    bool m_with_detail = true;  // the box with the selected row's full text

private:
    void show_detail();

    std::string m_caption;
    WBLISTBOX* m_grid = nullptr;
};

}  // namespace qz::gui
