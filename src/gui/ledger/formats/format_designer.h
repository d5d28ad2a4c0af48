#pragma once
// The graphic designer of a print format (FORMA_DOC): the sheet as a canvas of the format's
// grid on which elements are added, dragged and deleted, the chosen element's properties, the
// page parameters, saving, the test page with sample values and printing a real document.
// Every rule is the draft's (domain/ledger/print_format_draft.h); the screen shows it.
#include <memory>
#include <string>

#include "core/ini_file.h"
#include "data/db.h"
#include "domain/ledger/print_format_draft.h"
#include "gui/framework/wdiag.h"
#include "gui/ledger/formats/document_print.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGraphicsScene;
class QGraphicsView;
class QLineEdit;
class QSpinBox;

namespace qz::gui {

class FormatDesigner : public WDIAG {
    Q_OBJECT
public:
    enum Id {
        kIdCanvas = 600,
        kIdFieldChoice = 601,
        kIdNewText = 602,
        kIdAddField = 211,
        kIdAddText = 212,
        kIdAddRule = 213,
        kIdDelete = 214,
        kIdSave = 215,
        kIdTestPage = 216,
        kIdPrintDocument = 217,
        kIdApply = 218,
        // Properties of the chosen element.
        kIdField = 610,
        kIdText,
        kIdRow,
        kIdColumn,
        kIdWidth,
        kIdFont,
        kIdAlign,
        kIdPicture,
        // Page parameters.
        kIdName = 620,
        kIdOffset,
        kIdOffsetH,
        kIdColumns,
        kIdLines,
        kIdDocs,
        kIdCopies,
        kIdCopyOffset,
        kIdNoVertical,
        kIdNoHorizontal,
    };

    FormatDesigner(QWidget* owner, data::Db& db, IniFile& ini, std::string business,
                   domain::PrintFormat f);
    bool Init() override;

    const domain::FormatDraft& draft() const { return m_draft; }
    int selected() const { return m_selected; }
    // What the canvas's drag and the buttons do, also for tests.
    void select(int index);
    void drag_to(int index, double row, double column);
    void add_field(const std::string& field);
    bool save();
    void test_page();
    void print_document();

    // Pixels of one cell of the grid on the canvas.
    static constexpr double kCellX = 8, kCellY = 14;

private:
    QWidget* tool_bar();
    QWidget* element_panel();
    QWidget* page_panel();
    void fill_page_panel();
    void read_page_panel();
    void apply_element();
    void show_element();
    void redraw();
    DocumentPrinter printer();

    data::Db& m_db;
    IniFile& m_ini;
    std::string m_business;
    domain::FormatDraft m_draft;
    int m_selected = -1;
    bool m_redrawing = false;
    QGraphicsScene* m_scene = nullptr;
    QGraphicsView* m_view = nullptr;
};

// Opens the designer of format `code` of the business; nothing when it no longer exists.
FormatDesigner* open_format_designer(QWidget* owner, data::Db& db, IniFile& ini,
                                     const std::string& business, const std::string& code);

}  // namespace qz::gui
