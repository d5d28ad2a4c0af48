#include "gui/logs/log_screen.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/logs/log_viewers.h"

namespace qz::gui {

namespace {

constexpr int kMaxColumnWidth = 420;

// A cell shows one line, however many the text has.
QString cell_text(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace("\r\n", " ");
    s.replace('\r', ' ');
    s.replace('\n', ' ');
    return s;
}

}  // namespace

QString display_text(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace("\r\n", "\n");
    s.replace('\r', '\n');
    return s;
}

std::string date_text(const Date& d) { return d.empty() ? std::string() : d.dtoc(); }

LogScreen::LogScreen(QWidget* owner, const std::string& dlg_name, int context_id,
                     std::string caption, QStringList headers, data::Db& db)
    : WDIAG(owner, dlg_name, context_id, ScreenOptions{true, true}),
      m_db(db),
      m_caption(std::move(caption)),
      m_headers(std::move(headers)) {}

bool LogScreen::Init() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    if (QWidget* side = side_panel()) top->addWidget(side);
    m_grid = Add(new QTableWidget(this), kLogGrid);
    m_grid->setColumnCount(static_cast<int>(m_headers.size()));
    m_grid->setHorizontalHeaderLabels(m_headers);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setAlternatingRowColors(true);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row) { show_detail(row); });
    top->addWidget(m_grid, 1);
    layout->addLayout(top, 1);

    auto* detail = Add(new QPlainTextEdit(this), kLogDetail);
    detail->setReadOnly(true);
    detail->setMaximumHeight(fontMetrics().lineSpacing() * 8);
    layout->addWidget(detail);

    auto* buttons = new QHBoxLayout;
    add_buttons(buttons);
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    layout->addLayout(buttons);

    Text(m_caption);
    resize(860, 540);
    reload();
    return true;
}

void LogScreen::reload() {
    std::vector<Row> rows;
    m_details.clear();
    load(rows, m_details);
    m_grid->clearContents();
    m_grid->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(rows[r].size()); ++c)
            m_grid->setItem(r, c, new QTableWidgetItem(cell_text(rows[r][c])));
    m_grid->resizeColumnsToContents();
    // A long description must not push the other columns out of sight.
    for (int c = 0; c < m_grid->columnCount(); ++c)
        m_grid->setColumnWidth(c, std::min(m_grid->columnWidth(c), kMaxColumnWidth));
    if (!rows.empty()) m_grid->setCurrentCell(0, 0);
    show_detail(m_grid->currentRow());
}

int LogScreen::row_count() const { return m_grid->rowCount(); }

void LogScreen::show_detail(int row) {
    auto* detail = control_as<QPlainTextEdit>(kLogDetail);
    const bool valid = row >= 0 && row < static_cast<int>(m_details.size());
    detail->setPlainText(valid ? display_text(m_details[row]) : QString());
}

}  // namespace qz::gui
