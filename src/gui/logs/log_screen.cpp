#include "gui/logs/log_screen.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/table_ops.h"
#include "gui/browse/add2browse.h"
#include "gui/logs/log_viewers.h"
#include "gui/print/grid_report.h"

namespace qz::gui {

QString display_text(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace("\r\n", "\n");
    s.replace('\r', '\n');
    return s;
}

std::string one_line(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace("\r\n", " ");
    s.replace('\r', ' ');
    s.replace('\n', ' ');
    return s.toStdString();
}

std::string date_text(const Date& d) { return d.empty() ? std::string() : d.dtoc(); }

std::string moment_text(const Date& d, const std::string& time) {
    return d.empty() ? std::string() : date_text(d) + " " + time;
}

LogScreen::LogScreen(QWidget* owner, const std::string& dlg_name, int context_id,
                     std::string caption, data::Db& db)
    : WDIAG(owner, dlg_name, context_id, ScreenOptions{true, true}),
      m_db(db),
      m_grid_id(kLogGrid),
      m_caption(std::move(caption)) {}

bool LogScreen::Init() {
    m_table = open_table();
    if (!m_table) return false;
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    if (QWidget* side = side_panel()) top->addWidget(side);
    top->addWidget(Add(new QWidget(this), m_grid_id), 1);
    layout->addLayout(top, 1);
    m_grid = WBLISTBOX::Init(*this, m_grid_id, *m_table, cDlgName());
    if (!m_grid) return false;
    add_columns(*m_grid, *m_table);
    m_grid->Sel_Block = [this] { show_detail(); };

    if (m_with_detail) {
        auto* detail = Add(new QPlainTextEdit(this), kLogDetail);
        detail->setReadOnly(true);
        detail->setMaximumHeight(fontMetrics().lineSpacing() * 8);
        layout->addWidget(detail);
    }

    auto* buttons = new QHBoxLayout;
    add_buttons(buttons);
    buttons->addWidget(Add(new QPushButton("Imprimir", this), kLogPrint,
                           [this] { print_grid_report(this, *m_grid, m_caption); }));
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    layout->addLayout(buttons);

    Text(m_caption);
    resize(860, 540);
    BrowMarksOptions o = grid_options();
    o.go_top = false;
    o.no_marks = true;
    o.nub_width = 0;
    m_grid->BrowMarks(std::move(o));
    reload();
    return true;
}

void LogScreen::reload() {
    m_grid->REFRESHALL();
    m_grid->GOBOTTOM();
    show_detail();
}

long LogScreen::row_count() const { return m_grid->nMaxRec(); }

void LogScreen::show_detail() {
    if (!m_with_detail) return;
    auto* box = control_as<QPlainTextEdit>(kLogDetail);
    const bool on_row =
        m_grid->nMaxRec() > 0 && m_grid->currentIndex().isValid() && !m_table->Eof();
    box->setPlainText(on_row ? display_text(detail(*m_table)) : QString());
}

void LogScreen::CerrarBases() {
    if (!m_table) return;
    if (m_grid) m_grid->DISABLE_BROWSE();
    data::KILLTABLA(m_db, m_table);
}

}  // namespace qz::gui
