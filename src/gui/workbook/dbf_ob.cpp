#include "gui/workbook/dbf_ob.h"

#include <QDesktopServices>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTime>
#include <QUrl>
#include <QVBoxLayout>

#include "core/picture.h"
#include "core/text.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/workspace.h"
#include "services/workbook/grid_export.h"

namespace qz::gui {

namespace {
constexpr int kCounter = 501, kState = 502, kFile = 503, kFolder = 504, kExportMail = 201;

QString q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

DBF_OB::DBF_OB(QWidget* owner, std::unique_ptr<services::GridExportSource> source,
               std::string caption, DbfObSettings settings)
    : WDIAG(owner, "DBF_OB"),
      m_source(std::move(source)),
      m_caption(std::move(caption)),
      m_settings(std::move(settings)) {}

bool DBF_OB::Init() {
    Text("Exportar a Excel");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(10);
    auto* form = new QFormLayout;
    add_fields(form);
    layout->addLayout(form);
    add_buttons(layout);
    DISABLEPARENT();
    m_export->setFocus(Qt::OtherFocusReason);
    return true;
}

void DBF_OB::add_fields(QFormLayout* form) {
    const long hundredths = QTime::currentTime().msecsSinceStartOfDay() / 10;
    const auto proposal = services::propose_grid_export(m_settings.temp_folder, hundredths);
    m_folder = Add(new QLineEdit(q(proposal.folder), this), kFolder);
    m_file = Add(new QLineEdit(q(proposal.file), this), kFile);
    m_counter = Add(new QLabel("0", this), kCounter);
    m_state = Add(new QLabel(this), kState);
    m_folder->setMinimumWidth(320);
    form->addRow("Carpeta Destino:", m_folder);
    form->addRow("Archivo:", m_file);
    form->addRow("Registros:", m_counter);
    form->addRow("Estado:", m_state);
}

void DBF_OB::add_buttons(QBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    m_export = Add(new QPushButton("&Exportar", this), kCmdOk, [this] { EXP_DBF(false); });
    m_mail = Add(new QPushButton("Exportar y &mail", this), kExportMail, [this] { EXP_DBF(true); });
    // Stops a running export; otherwise closes the window like Cancel.
    auto* stop = Add(new QPushButton("&Detener", this), kCmdCancel, [this] {
        if (InCycle)
            STOP_EXPORT();
        else
            ENDDIALOG();
    });
    m_export->setDefault(true);
    row->addStretch();
    for (auto* b : {m_export, m_mail, stop}) row->addWidget(b);
    layout->addLayout(row);
}

void DBF_OB::set_busy(bool busy) {
    InCycle = busy;
    m_export->setEnabled(!busy);
    m_mail->setEnabled(!busy);
    m_file->setReadOnly(busy);
    m_folder->setReadOnly(busy);
}

void DBF_OB::EXP_DBF(bool for_mail) {
    services::GridExportRequest request{m_folder->text().toStdString(),
                                        m_file->text().toStdString(),
                                        m_caption,
                                        m_settings.logo,
                                        m_settings.bmp_folder,
                                        m_settings.stamp};
    services::GridExportProgress progress{
        [this](const std::string& s) { m_state->setText(q(s)); },
        [this](long rows) {
            m_counter->setText(q(trim(pic_format(Decimal(rows), "999,999,999"))));
            breathe_events();
            return GoOn;
        }};
    QtUserPort port(this);
    GoOn = true;
    set_busy(true);
    const auto file = services::export_grid(*m_source, request, port, progress);
    set_busy(false);
    if (!file) return;
    if (for_mail) {
        mail_file(this, FileMailRequest{*file, "Grid", {}, false, true});
        return;
    }
    open_book(*file);
    ENDDIALOG();
}

void DBF_OB::open_book(const std::filesystem::path& file) {
    if (m_settings.open_file)
        m_settings.open_file(file);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(q(file.string())));
}

void open_dbf_ob(QWidget* owner, std::unique_ptr<services::GridExportSource> source,
                 const std::string& caption, DbfObSettings settings) {
    open_screen<DBF_OB>(owner, std::move(source), caption, std::move(settings));
}

}  // namespace qz::gui
