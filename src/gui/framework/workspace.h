#pragma once
// The window a session works in, as the framework's pieces meet it. The main window is the
// session's workspace: screens live in it (ScreenHost), dialogs opened without an owner belong to
// it, and through it the session lends the pieces built apart what they cannot build themselves
// (a grid's export window and calendar, the printing of a tree, the mailing of a file). A piece
// finds the workspace through the window it sits in, so no piece keeps a registry of hooks, and
// windows of two sessions (tests open many) never share one. A piece outside every workspace (a
// screen tested alone) falls back on the framework's own behaviour: a window of its own, the
// grid's small calendar, "Exportar a Excel" greyed, no mail step, no tree printing.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "gui/framework/screen_host.h"

class QWidget;

namespace qz::services {
class GridExportSource;
}

namespace qz::gui {

struct TreePrintLine;

// The date a grid's "Buscar Fecha..." searches: the day and its kind (0 day, 1 month start,
// 2 month end: the first day of the following month).
struct ChosenDate {
    Date date;
    int kind = 0;
};

// The e-mail step of a report or a grid export.
struct FileMailRequest {
    std::filesystem::path file;  // the workbook or the PDF
    std::string title;           // the report's first title, or "Grid"
    std::string document_name;   // the print job's document name (a PDF is renamed after it)
    bool pdf = false;
    bool grid = false;  // from the grid export window
};

// What the session lends to the framework's pieces. Each capability is off until a session
// offers it, which is what a piece outside a session gets.
class FrameworkLinks {
public:
    virtual ~FrameworkLinks() = default;

    // A grid's export window, modal over `owner`; it keeps `source` while it is open.
    virtual bool exports_grids() const { return false; }
    virtual void export_grid(QWidget* /*owner*/,
                             std::unique_ptr<services::GridExportSource> /*source*/,
                             const std::string& /*caption*/) {}

    // The calendar of "Buscar Fecha..."; without one the grid uses its own small chooser.
    // Nothing when the user cancelled.
    virtual bool has_calendar() const { return false; }
    virtual std::optional<ChosenDate> choose_date(QWidget* /*owner*/, Date /*initial*/) {
        return std::nullopt;
    }

    // Prints a tree: its name as title, its lines, whether lines are dotted out to the cargo.
    virtual bool prints_trees() const { return false; }
    virtual void print_tree(const std::string& /*title*/,
                            const std::vector<TreePrintLine>& /*lines*/, bool /*dotted*/) {}

    // Mails a finished workbook or PDF; true when it was sent or queued.
    virtual bool mail_file(QWidget* /*owner*/, const FileMailRequest& /*request*/) { return false; }
};

class Workspace : public ScreenHost {
public:
    // The window dialogs opened without an owner belong to.
    virtual QWidget* workspace_window() = 0;
    // What the session lends; null before a session lends anything.
    virtual FrameworkLinks* links() = 0;
};

// The workspace `widget` sits in, found up its parents. A widget outside every workspace (null,
// or a window of its own) gets the application's: the active window's, else the first one open.
// Null when no workspace is open.
Workspace* workspace_of(const QWidget* widget);

// The links of that workspace; null when there are none.
FrameworkLinks* links_of(const QWidget* widget);

// The window to own a dialog: `owner` itself, else the application's workspace window (null
// without one, a window of its own).
QWidget* dialog_owner(QWidget* owner);

// Mails through the workspace's links; false, without a word, outside a session.
bool mail_file(QWidget* owner, const FileMailRequest& request);

}  // namespace qz::gui
