// The right-click menu of a grid, its commands, the date search and the font choice.
#include <QContextMenuEvent>
#include <QFontDialog>
#include <QHeaderView>
#include <QMenu>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "gui/browse/browse_settings.h"
#include "gui/browse/grid_export.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/message_box.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

namespace {
constexpr int kCmdLegacyExport = 1, kCmdExport = 2, kCmdFont = 3, kCmdSaveDato = 4,
              kCmdClearAll = 5, kCmdFirstOption = 6;
constexpr size_t kShownChars = 40;

QAction* add(QMenu& m, const QString& caption, int command) {
    QAction* a = m.addAction(caption);
    a->setData(command);
    return a;
}
}  // namespace

QMenu* WBLISTBOX::build_menu(QWidget* parent) {
    auto* m = new QMenu(parent);
    m->setObjectName("grid_menu");
    const int n = static_cast<int>(m_menu_options.size());
    FrameworkLinks* links = links_of(this);
    add(*m, "Exportar a Excel", kCmdExport)->setEnabled(links && links->exports_grids());
    m->addSeparator();
    add(*m, "Tipo de Letra de Despliegue", kCmdFont);
    m->addSeparator();
    for (int i = 0; i < n; ++i)
        add(*m, QString::fromStdString(m_menu_options[static_cast<size_t>(i)].caption),
            kCmdFirstOption + i);
    if (n) m->addSeparator();
    add(*m, "Buscar Dato...", kCmdFirstOption + n);
    add(*m, "Buscar Fecha...", kCmdFirstOption + 1 + n);
    add(*m, "Guardar Dato p/Búsqueda", kCmdSaveDato);
    add(*m, "Limpiar Búsquedas", kCmdFirstOption + 2 + n);
    if (!XSEARCHOB().empty()) m->addSeparator();
    for (size_t i = 0; i < XSEARCHOB().size(); ++i)
        add(*m, ">" + QString::fromStdString(utf8_substr(XSEARCHOB()[i], 0, kShownChars)),
            kCmdFirstOption + 3 + n + static_cast<int>(i));
    return m;
}

void WBLISTBOX::export_workbook() {
    FrameworkLinks* links = links_of(this);
    if (!links || !links->exports_grids()) return;
    // The export window is modal over the grid's screen, which names the book.
    QWidget* screen = screen_of(this);
    links->export_grid(screen, std::make_unique<GridExportAdapter>(*this),
                       screen->windowTitle().toStdString());
}

void WBLISTBOX::run_menu_command(int command) {
    const int n = static_cast<int>(m_menu_options.size());
    if (!m_active) return;
    if (command == kCmdExport || command == kCmdLegacyExport) {
        export_workbook();
    } else if (command == kCmdFont) {
        choose_font();
    } else if (command == kCmdSaveDato) {
        copy_cell();
    } else if (command == kCmdClearAll || command == kCmdFirstOption + 2 + n) {
        XSEARCHOB().clear();
    } else if (command >= kCmdFirstOption && command < kCmdFirstOption + n) {
        if (auto& b = m_menu_options[static_cast<size_t>(command - kCmdFirstOption)].block) b();
    } else if (command == kCmdFirstOption + n) {
        open_search(QString());
    } else if (command == kCmdFirstOption + 1 + n) {
        search_date();
    } else if (command >= kCmdFirstOption + 3 + n) {
        SEARCH_DATO(command - (kCmdFirstOption + 3 + n));
    }
}

void WBLISTBOX::contextMenuEvent(QContextMenuEvent* e) {
    e->accept();
    if (!m_active) return;
    std::unique_ptr<QMenu> menu(build_menu(this));
    if (QAction* chosen = menu->exec(e->globalPos())) run_menu_command(chosen->data().toInt());
    if (Button_Block) Button_Block();
}

// A day is sought by its YYYYMMDD key, a month start by YYYYMM, a month end by the following
// month's YYYYMM and one row back: all nearest-first, so a day without rows lands next to it.
void WBLISTBOX::search_date() {
    Date initial;
    auto chosen = choose_grid_date(this, initial);
    if (!chosen || chosen->date.empty()) return;
    const std::string key = chosen->date.dtos();
    if (chosen->kind == 0) return seek_nearest(key);
    if (chosen->kind == 1) return seek_nearest(key.substr(0, 6));
    seek_nearest(key.substr(0, 6), -1);
}

std::string WBLISTBOX::font_key() const {
    return data::order_key("F_BROWSE", "F_BROWSE",
                           {browse_business(), dialog_name(), browse_user_number(), m_id});
}

// The chosen font is kept per business, screen, user and grid in F_BROWSE.
void WBLISTBOX::choose_font() {
    bool ok = false;
    QFont f = QFontDialog::getFont(&ok, font(), this, "Tipo de Letra de Despliegue");
    if (!ok) return;
    setFont(f);
    CONFIGURE();
    try {
        auto t = data::USE(table().db(), "F_BROWSE", "F_BROWSE");
        const std::string key = font_key();
        std::string face = f.family().toStdString();
        if (f.bold()) face += " BOLD";
        if (f.italic()) face += " ITALIC";
        if (t->Seek(key)) {
            data::LOCK_FOR_MODIFY(*t);
        } else {
            data::ADD_NEW_REC(*t);
            t->FieldPut("NEGOCIO", browse_business());
            t->FieldPut("DIALOGO", dialog_name());
            t->FieldPut("CODIGO", Decimal(browse_user_number()));
            t->FieldPut("ID_BROWSE", Decimal(m_id));
        }
        t->FieldPut("T_FONT", face);
        t->FieldPut("T_SIZE", Decimal(f.pointSize()));
        data::UNLOCK_FOR_MODIFY(*t);
    } catch (const std::exception& ex) {
        MESSAGE_BOX(this, std::string("No se pudo guardar el tipo de letra: ") + ex.what(),
                    "Atención", kMbOk | kMbIconExclamation);
    }
}

void WBLISTBOX::load_user_font() {
    try {
        auto t = data::USE(table().db(), "F_BROWSE", "F_BROWSE");
        if (!t->Seek(font_key())) return;
        const std::string face = trim(t->str("T_FONT"));
        QString family = QString::fromStdString(face);
        family.remove("BOLD").remove("ITALIC");
        QFont f(family.trimmed());
        f.setBold(face.find("BOLD") != std::string::npos);
        f.setItalic(face.find("ITALIC") != std::string::npos);
        const long size = t->num("T_SIZE").to_int();
        if (size > 0) f.setPointSize(static_cast<int>(size));
        setFont(f);
        horizontalHeader()->setFont(f);
    } catch (const std::exception&) {
        // Without its font table the grid keeps the screen's font.
    }
}

}  // namespace qz::gui
