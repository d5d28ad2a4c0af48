// DEP_HOT2: the accounting counterpart of the deposit being typed.
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/amount_field.h"
#include "gui/deposits/deposit_entry_dialogs.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

namespace {

namespace dl = qz::domain;
using namespace counterpart_dialog;

QString q(const std::string& s) { return QString::fromStdString(s); }

class DepHot2 : public DIALOG_BOX {
public:
    DepHot2(QWidget* owner, dl::DepositForm& form, const std::vector<dl::CodeName>& accounts)
        : DIALOG_BOX("DEP_HOT2", owner), m_form(form), m_accounts(accounts) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* row = new QHBoxLayout;
        m_account = Add(new QComboBox(this), kAccount);
        for (const auto& a : m_accounts) m_account->addItem(q(a.code + " " + a.name), q(a.code));
        row->addWidget(m_account, 1);
        auto* add = Add(new QPushButton("Agregar", this), kAddLine, [this] { add_line(); });
        auto* del = Add(new QPushButton("Borrar", this), kDeleteLine, [this] { remove(); });
        // Enter finishes what is typed in the grid; it must not add or delete a line as well.
        add->setAutoDefault(false);
        del->setAutoDefault(false);
        row->addWidget(add);
        row->addWidget(del);
        layout->addLayout(row);
        m_grid = Add(new QTableWidget(0, 6, this), kLines);
        m_grid->setHorizontalHeaderLabels(
            {"Cuenta", "Nombre", "Débito", "Crédito", "% Débito", "% Crédito"});
        m_grid->horizontalHeader()->setSectionResizeMode(kNameCol, QHeaderView::Stretch);
        for (int c = kDebitCol; c <= kCreditPctCol; ++c) amount_column(m_grid, c, field(c));
        connect(m_grid, &QTableWidget::itemChanged, this,
                [this](QTableWidgetItem* i) { edited(i); });
        layout->addWidget(m_grid);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk));
        layout->addLayout(buttons);
        Text("Detalle Contable del Depósito");
        resize(760, 360);
        show_lines();
        return true;
    }

private:
    static AmountField field(int column) {
        switch (column) {
            case kDebitCol:
                return data::amount_field("DET_HLIB", "DEBITO", "Débito");
            case kCreditCol:
                return data::amount_field("DET_HLIB", "CREDITO", "Crédito");
            case kDebitPctCol:
                return data::percent_field("DET_HLIB", "DEB_PORC", "% Débito");
            default:
                return data::percent_field("DET_HLIB", "CRED_PORC", "% Crédito");
        }
    }
    std::string account_name(const std::string& code) const {
        for (const auto& a : m_accounts)
            if (a.code == code) return a.name;
        return "";
    }
    void show_lines() {
        m_filling = true;
        const auto& lines = m_form.draft.counterpart;
        m_grid->setRowCount(static_cast<int>(lines.size()));
        for (size_t r = 0; r < lines.size(); ++r) {
            const auto& l = lines[r];
            const QString texts[] = {q(l.account),
                                     q(account_name(l.account)),
                                     q(field(kDebitCol).show(l.debit)),
                                     q(field(kCreditCol).show(l.credit)),
                                     q(field(kDebitPctCol).show(l.debit_pct)),
                                     q(field(kCreditPctCol).show(l.credit_pct))};
            for (int c = 0; c < 6; ++c) {
                auto* item = new QTableWidgetItem(texts[c]);
                if (c < kDebitCol) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                m_grid->setItem(static_cast<int>(r), c, item);
            }
        }
        m_filling = false;
    }
    void add_line() {
        const std::string code = m_account->currentData().toString().toStdString();
        if (code.empty()) return;
        m_form.draft.counterpart.push_back({code, {}, {}, {}, {}});
        show_lines();
        m_grid->setCurrentCell(m_grid->rowCount() - 1, kDebitCol);
    }
    void remove() {
        auto& lines = m_form.draft.counterpart;
        const int r = m_grid->currentRow();
        if (r < 0 || r >= static_cast<int>(lines.size())) return;
        lines.erase(lines.begin() + r);
        show_lines();
    }
    // An amount typed as such no longer stands for a percentage of the deposit.
    void set(size_t r, int column, const Decimal& value) {
        auto& l = m_form.draft.counterpart.at(r);
        if (column == kDebitCol) {
            l.debit = value;
            l.debit_pct = Decimal();
        } else if (column == kCreditCol) {
            l.credit = value;
            l.credit_pct = Decimal();
        } else if (column == kDebitPctCol) {
            m_form.set_debit_percent(r, value);
        } else {
            m_form.set_credit_percent(r, value);
        }
    }
    void edited(QTableWidgetItem* item) {
        if (m_filling) return;
        const int c = item->column();
        const auto r = static_cast<size_t>(item->row());
        Decimal value;
        if (auto refusal = field(c).read(item->text().toStdString(), value); !refusal.empty()) {
            MESSAGE_BOX(this, refusal, "Error", kMbOk | kMbIconStop);
        } else {
            set(r, c, value);
        }
        show_lines();
    }

    dl::DepositForm& m_form;
    const std::vector<dl::CodeName>& m_accounts;
    QComboBox* m_account = nullptr;
    QTableWidget* m_grid = nullptr;
    bool m_filling = false;
};

}  // namespace

void run_counterpart_dialog(QWidget* owner, dl::DepositForm& form,
                            const std::vector<dl::CodeName>& accounts) {
    DepHot2 dlg(owner, form, accounts);
    dlg.run();
}

}  // namespace qz::gui
