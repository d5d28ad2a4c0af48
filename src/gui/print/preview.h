#pragma once
// The page preview ("DISPMETA", template "PREVIEW800" portrait or "PREVIEW_LAND" landscape): the
// recorded pages one at a time, zoomable, with bookmarks, pages marked for printing, and
// printing of the current page or of a list of pages on a new direct job.
#include <QWidget>
#include <string>
#include <vector>

#include "gui/framework/wdiag.h"
#include "gui/print/setup_printer.h"
#include "services/print/printer_function.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollArea;

namespace qz::gui {

class PageView;

class DISPMETA : public WDIAG {
    Q_OBJECT
public:
    enum Id {
        kIdZoomOut = 203,
        kIdZoomIn = 204,
        kIdFitWidth = 202,
        kIdClearMarks = 209,
        kIdFirst = 210,
        kIdLast = 211,
        kIdPrevious = 206,
        kIdNext = 208,
        kIdPrintMany = 200,
        kIdPrintCurrent = 201,
        kIdMarks = 600,
        kIdSelect = 1000,
        kIdSelected = 500,
    };

    // Takes the job's recorded pages and bookmarks; a job without pages shows one empty page.
    DISPMETA(QWidget* owner, services::PrinterFunction& job);
    bool Init() override;

    int page_count() const { return static_cast<int>(acMeta_File.size()); }
    int current() const { return m_current; }  // 1-based
    double zoom() const { return m_zoom; }
    const services::Page& page(int n) const { return acMeta_File.at(n - 1); }
    void go_to(int page);
    // Replays the pages (1-based) on a new direct job for the chosen printer.
    void print_pages(const std::vector<int>& pages, const PrinterChoice& choice);

private:
    QWidget* tool_bar();
    void set_zoom(double zoom);
    void fit_width();
    void toggle_selected(bool on);
    void clear_marks();
    void print_current();
    void print_many();
    void refresh();

    std::vector<services::Page> acMeta_File;
    std::vector<int> acPrintPage;  // per page, 1 = marked for printing
    std::vector<services::PrintMark> acMarks;
    int Orient = 1;
    int m_current = 1;
    double m_zoom = 1;
    PageView* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    QCheckBox* m_select = nullptr;
    QLabel* m_selected = nullptr;
    QComboBox* m_marks = nullptr;
};

// Opens the preview of a closed recorded job as a screen of the main window.
DISPMETA* open_preview(QWidget* owner, services::PrinterFunction& job);

}  // namespace qz::gui
