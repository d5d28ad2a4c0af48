// The terminals' own end-of-day closings: "Cierre Banco Nacional Costa Rica" (network 1's
// settlement), "Pre-Cierre Credomatic" (network 2's report) and "Cierre Credomatic" (network 2's
// settlement), each for one terminal of this workstation's station.
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/card/card_screens.h"
#include "gui/card/terminal_table.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/qt_user_port.h"
#include "services/terminals/card_closings.h"

namespace qz::gui {

namespace {

namespace st = services::terminals;

struct ClosingKind {
    const char* dlg_name;
    const char* caption;
    const char* bank;
};

ClosingKind kind_of(CardClosing which) {
    switch (which) {
        case CardClosing::Posware:
            return {"CIE_POSWARE", "Cierre Banco Nacional Costa Rica", card::kBankPosware};
        case CardClosing::CredomaticReport:
            return {"PRE_CIE_CREDOMAT", "Pre-Cierre Credomatic", card::kBankCredomatic};
        case CardClosing::CredomaticSettlement:
            break;
    }
    return {"CIE_CREDOMAT", "Cierre Credomatic", card::kBankCredomatic};
}

QString q(const std::string& s) { return QString::fromStdString(s); }

class CardClosingDialog : public DIALOG_BOX {
public:
    CardClosingDialog(QWidget* owner, data::Db& db, const std::string& business, const IniFile& ini,
                      const std::filesystem::path& library_dir, CardClosing which)
        : DIALOG_BOX(kind_of(which).dlg_name, owner),
          m_db(db),
          m_which(which),
          m_libraries(st::card_libraries(ini, library_dir)),
          m_terminals(st::station_terminals(db, business, st::station_code(ini, business),
                                            kind_of(which).bank)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel("Terminales de la Estación:", this));
        m_list = Add(new QListWidget(this), kClosingTerminals);
        for (const auto& t : m_terminals) m_list->addItem(q(t.description));
        connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { on_command(kCmdOk); });
        layout->addWidget(m_list);
        if (m_which != CardClosing::Posware) {
            layout->addWidget(reply_table(), 1);
            // Room for the reply's captions and amounts side by side, without scrolling.
            setMinimumSize(520, 560);
        }
        auto* b = new QHBoxLayout;
        b->addStretch();
        b->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { OK(); }));
        b->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        layout->addLayout(b);
        Text(kind_of(m_which).caption);
        return true;
    }

    // Runs the closing of the chosen terminal; the dialog stays open to show what the network
    // answered.
    void OK() override {
        QtUserPort port(this);
        const st::TerminalRow* terminal = chosen();
        if (!terminal) {
            port.message(MsgStyle::Atencion, "Atencion", kNoTerminalChosen);
            return;
        }
        st::CardClosings closings(m_db, port, m_libraries);
        if (m_which == CardClosing::Posware) {
            if (auto code = closings.CIE_POSWARE(*terminal))
                port.message(MsgStyle::Aviso, "Aviso",
                             "Cierre enviado. Código de respuesta: " + std::to_string(*code));
            return;
        }
        // An earlier answer left on screen would read as this closing's when this one fails.
        m_reply->setRowCount(0);
        const bool settlement = m_which == CardClosing::CredomaticSettlement;
        if (auto lines = closings.credomatic(*terminal, settlement)) show_reply(*lines);
    }

private:
    // The terminal the user selected; a row that only has the focus is no choice.
    const st::TerminalRow* chosen() const {
        const int row = m_list->currentRow();
        const auto* item = m_list->currentItem();
        if (row < 0 || row >= static_cast<int>(m_terminals.size()) || !item || !item->isSelected())
            return nullptr;
        return &m_terminals[static_cast<size_t>(row)];
    }

    QTableWidget* reply_table() {
        m_reply = Add(new QTableWidget(0, 2, this), kClosingReply);
        m_reply->setHorizontalHeaderLabels({"Campo", "Valor"});
        m_reply->horizontalHeader()->setStretchLastSection(true);
        m_reply->verticalHeader()->hide();
        m_reply->setEditTriggers(QAbstractItemView::NoEditTriggers);
        return m_reply;
    }

    void show_reply(const std::vector<st::ClosingLine>& lines) {
        m_reply->setRowCount(static_cast<int>(lines.size()));
        for (int i = 0; i < m_reply->rowCount(); ++i) {
            const auto& [caption, value] = lines[static_cast<size_t>(i)];
            m_reply->setItem(i, 0, new QTableWidgetItem(q(caption)));
            auto* v = new QTableWidgetItem(q(value));
            v->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_reply->setItem(i, 1, v);
        }
        m_reply->resizeColumnsToContents();
    }

    data::Db& m_db;
    CardClosing m_which;
    st::CardLibraries m_libraries;
    std::vector<st::TerminalRow> m_terminals;
    QListWidget* m_list = nullptr;
    QTableWidget* m_reply = nullptr;
};

}  // namespace

void open_card_closing(QWidget* owner, data::Db& db, const std::string& business,
                       const IniFile& ini, const std::filesystem::path& library_dir,
                       CardClosing which) {
    CardClosingDialog dlg(owner, db, business, ini, library_dir, which);
    dlg.run();
}

}  // namespace qz::gui
