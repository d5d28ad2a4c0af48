// "Log Envío de emails": the mail queue newest first. The model asks the reader for one page at
// a time as the view scrolls, so the screen opens at once however long the queue is.
#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <memory>

#include "gui/framework/wdiag.h"
#include "gui/mail/mail_screens.h"
#include "services/mail/mail_log.h"

namespace qz::gui {

namespace {

constexpr int kPage = 200;

QString q(const std::string& s) { return QString::fromStdString(s); }
QString date_text(const Date& d) { return d.empty() ? QString() : q(d.dtoc()); }

class MailLogModel : public QAbstractTableModel {
public:
    explicit MailLogModel(data::Db& db, QObject* parent) : QAbstractTableModel(parent), m_db(db) {
        reload();
    }

    void reload() {
        beginResetModel();
        m_rows.clear();
        m_reader = std::make_unique<services::MailLogReader>(m_db);
        m_rows = m_reader->next(kPage);
        endResetModel();
    }

    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : 9; }

    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        static const char* kHeads[] = {"Fecha",    "Hora",    "Destinatario",
                                       "Asunto",   "Enviado", "F. Envío",
                                       "H. Envío", "Errores", "Último Error"};
        if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return QString::fromUtf8(kHeads[section]);
    }

    QVariant data(const QModelIndex& i, int role) const override {
        if (!i.isValid() || role != Qt::DisplayRole) return {};
        const auto& r = m_rows[static_cast<size_t>(i.row())];
        switch (i.column()) {
            case 0:
                return date_text(r.fecha);
            case 1:
                return q(r.hora);
            case 2:
                return q(r.to);
            case 3:
                return q(r.subject);
            case 4:
                return r.sent ? QString("Sí") : QString("No");
            case 5:
                return date_text(r.f_envio);
            case 6:
                return q(r.h_envio);
            case 7:
                return QString::number(r.err_count);
            case 8:
                return q(r.err_text).simplified();
        }
        return {};
    }

    bool canFetchMore(const QModelIndex& p) const override {
        return !p.isValid() && m_reader && !m_reader->at_end();
    }
    void fetchMore(const QModelIndex& p) override {
        if (p.isValid() || !m_reader) return;
        auto more = m_reader->next(kPage);
        if (more.empty()) return;
        const int first = static_cast<int>(m_rows.size());
        beginInsertRows({}, first, first + static_cast<int>(more.size()) - 1);
        for (auto& r : more) m_rows.push_back(std::move(r));
        endInsertRows();
    }

    void close() { m_reader.reset(); }

private:
    data::Db& m_db;
    std::unique_ptr<services::MailLogReader> m_reader;
    std::vector<services::MailLogRow> m_rows;
};

class MailLogScreen : public WDIAG {
public:
    MailLogScreen(QWidget* owner, data::Db& db)
        : WDIAG(owner, "LOG_EMAILS", 6282, ScreenOptions{true, true}), m_db(db) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        m_model = new MailLogModel(m_db, this);
        auto* view = Add(new QTableView(this), kMailLogGrid);
        view->setModel(m_model);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setAlternatingRowColors(true);
        view->setWordWrap(false);
        view->verticalHeader()->hide();
        view->horizontalHeader()->setStretchLastSection(true);
        view->resizeColumnsToContents();
        layout->addWidget(view);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(
            Add(new QPushButton("Refrescar", this), 201, [this] { m_model->reload(); }));
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Log Envío de emails");
        resize(900, 500);
        return true;
    }

    void CerrarBases() override {
        if (m_model) m_model->close();
    }

private:
    data::Db& m_db;
    MailLogModel* m_model = nullptr;
};

}  // namespace

WDIAG* open_mail_log(QWidget* owner, data::Db& db) { return open_screen<MailLogScreen>(owner, db); }

}  // namespace qz::gui
