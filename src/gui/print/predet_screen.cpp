#include "gui/print/predet_screen.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/framework/message_box.h"

namespace qz::gui {

PredetScreen::PredetScreen(QWidget* owner, data::Db& db, IniFile& ini, std::string business)
    : WDIAG(owner, "PREDET_P", kContextId, ScreenOptions{true, true}),
      m_db(db),
      m_ini(ini),
      m_business(std::move(business)) {}

namespace {
enum ListColumn { kCodeCol, kNameCol, kPrinterCol, kColumns };
}  // namespace

bool PredetScreen::Init() {
    auto* layout = new QVBoxLayout(this);
    m_list = Add(new QTableWidget(0, kColumns, this), kIdList);
    m_list->setHorizontalHeaderLabels(
        {QString::fromUtf8("Código"), QString::fromUtf8("Descripción"), "Impresora"});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->verticalHeader()->hide();
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this] { modify(); });
    layout->addWidget(m_list);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Add(new QPushButton("Agregar", this), kIdAdd, [this] { add(); }));
    buttons->addWidget(Add(new QPushButton("Modificar", this), kIdModify, [this] { modify(); }));
    buttons->addWidget(Add(new QPushButton("Eliminar", this), kIdDelete, [this] { remove(); }));
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Cerrar", this), kCmdCancel));
    layout->addLayout(buttons);
    Text("Impresoras Predeterminadas");
    refresh();
    resize(640, 400);
    Create();
    return true;
}

void PredetScreen::refresh() {
    const auto keep = selected();
    m_rows = services::list_predet(m_db, m_business);
    m_list->setRowCount(static_cast<int>(m_rows.size()));
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        const auto& r = m_rows[i];
        const auto keys = services::read_profile_keys(m_ini, m_business, r.CODIGO);
        const std::string printer = keys.search == "1" ? "(" + keys.part1 + ")" : keys.printer;
        m_list->setItem(i, kCodeCol, new QTableWidgetItem(QString::fromStdString(r.CODIGO)));
        m_list->setItem(i, kNameCol, new QTableWidgetItem(QString::fromStdString(r.DESCRIP)));
        m_list->setItem(i, kPrinterCol, new QTableWidgetItem(QString::fromStdString(printer)));
        if (keep && keep->CODIGO == r.CODIGO) m_list->selectRow(i);
    }
    if (!m_rows.empty() && m_list->currentRow() < 0) m_list->selectRow(0);
}

std::optional<services::PredetRow> PredetScreen::selected() const {
    const int row = m_list ? m_list->currentRow() : -1;
    if (row < 0 || row >= static_cast<int>(m_rows.size())) return std::nullopt;
    return m_rows[row];
}

void PredetScreen::add() {
    PredetForm form(this, m_db, m_ini, m_business, std::nullopt);
    if (form.run() == kCmdOk) refresh();
}

void PredetScreen::modify() {
    const auto row = selected();
    if (!row) return;
    PredetForm form(this, m_db, m_ini, m_business, row);
    if (form.run() == kCmdOk) refresh();
}

void PredetScreen::remove() {
    const auto row = selected();
    if (!row) return;
    if (MESSAGE_BOX(this, "¿Desea eliminar la Impresora Predeterminada " + row->CODIGO + "?",
                    "Confirmación", kMbYesNo | kMbIconQuestion) != kIdYes)
        return;
    services::delete_predet(m_db, m_business, row->CODIGO);
    refresh();
}

PredetScreen* open_predet_screen(QWidget* owner, data::Db& db, IniFile& ini,
                                 const std::string& business) {
    return open_screen<PredetScreen>(owner, db, ini, business);
}

}  // namespace qz::gui
