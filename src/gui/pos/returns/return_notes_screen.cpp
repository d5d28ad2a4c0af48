#include "gui/pos/returns/return_notes_screen.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/picture.h"
#include "core/text.h"
#include "domain/ledger/printable_document.h"
#include "domain/pos/return_note_desk.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/wdiag.h"
#include "gui/ledger/documents/value_table.h"

namespace qz::gui {

namespace dp = qz::domain::pos;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

std::string shown_quantity(const Decimal& v) {
    return trim(pic_format(v, domain::kQuantityPicture));
}

void fill_choices(QComboBox& box, const std::vector<domain::CodeName>& choices, bool blank) {
    if (blank) box.addItem("", QString());
    for (const auto& c : choices) box.addItem(q(c.code + " - " + c.name), q(c.code));
}

void choose(QComboBox& box, const std::string& code) {
    int at = box.findData(q(code));
    if (at < 0) {  // a code no longer in its table is still shown as the note has it
        box.addItem(q(code), q(code));
        at = box.count() - 1;
    }
    box.setCurrentIndex(at);
}

}  // namespace

class ReturnNotesScreen : public WDIAG {
public:
    ReturnNotesScreen(QWidget* owner, data::Db& db, const std::string& business)
        : WDIAG(owner, "FAC_POS2", kCmdReturnNotes, ScreenOptions{true, true}),
          m_port(this),
          m_desk(db, m_port, business) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        m_list = Add(
            value_table(this, {"Número", "Fecha", "Hora", "Tipo de Precio", "Moneda", "Aplicada"}),
            kReturnList);
        layout->addWidget(m_list, 2);
        layout->addLayout(header_row());
        m_lines = Add(new QTableWidget(0, 6, this), kReturnLines);
        m_lines->setHorizontalHeaderLabels(
            {"Código", "Descripción", "Cantidad", "Precio", "Costo", "Impuesto"});
        m_lines->horizontalHeader()->setSectionResizeMode(kNameCol, QHeaderView::Stretch);
        layout->addWidget(m_lines, 3);
        layout->addLayout(button_row());
        connect(m_list, &QTableWidget::currentCellChanged, this, [this](int row) { chosen(row); });
        connect(m_lines, &QTableWidget::itemChanged, this,
                [this](QTableWidgetItem* i) { edited(i); });
        Text("Notas de Devolución");
        resize(760, 560);
        Create();
        show_all();
        return true;
    }

    void SAVE_DATOS() override {
        if (m_desk.save())
            ENDDIALOG();
        else
            show_all();
    }

    dp::ReturnNoteDesk& desk() { return m_desk; }

    // Shows the desk as it now stands: the list on the open note, its header and lines.
    void show_all() {
        m_filling = true;
        show_list();
        show_note();
        m_filling = false;
    }

private:
    QHBoxLayout* header_row() {
        auto* row = new QHBoxLayout;
        m_title = Add(new QLabel(this), kReturnTitle);
        row->addWidget(m_title, 1);
        row->addWidget(new QLabel("Tipo de Precio:", this));
        m_price_type = Add(new QComboBox(this), kReturnPriceType);
        fill_choices(*m_price_type, m_desk.price_types(), true);
        row->addWidget(m_price_type);
        row->addWidget(new QLabel("Moneda:", this));
        m_currency = Add(new QComboBox(this), kReturnCurrency);
        fill_choices(*m_currency, m_desk.currencies(), true);
        row->addWidget(m_currency);
        connect(m_price_type, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_filling)
                m_desk.set_price_type(m_price_type->currentData().toString().toStdString());
        });
        connect(m_currency, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_filling) m_desk.set_currency(m_currency->currentData().toString().toStdString());
        });
        return row;
    }

    QHBoxLayout* button_row() {
        auto* row = new QHBoxLayout;
        row->addWidget(Add(new QPushButton("Nueva Nota", this), kReturnNew, [this] {
            m_desk.new_note();
            show_all();
        }));
        row->addWidget(Add(new QPushButton("Borrar", this), kReturnDelete, [this] {
            m_desk.remove();
            show_all();
        }));
        row->addStretch();
        row->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        row->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        return row;
    }

    void show_list() {
        std::vector<std::vector<std::string>> rows;
        int current = -1;
        for (const auto& n : m_desk.notes()) {
            if (m_desk.has_note() && n.number == m_desk.note().number)
                current = static_cast<int>(rows.size());
            rows.push_back({n.number, shown_date(n.date), n.time, n.price_type, n.currency,
                            n.applied ? "Sí" : ""});
        }
        put_rows(*m_list, rows);
        m_list->setCurrentCell(current, 0);
    }

    void show_note() {
        const bool open = m_desk.has_note(), locked = m_desk.read_only();
        m_title->setText(!open ? "Escoja o cree una Nota de Devolución"
                               : q("Nota " + m_desk.note().number +
                                   (locked ? "  (aplicada: sólo consulta)" : "")));
        m_price_type->setEnabled(!locked);
        m_currency->setEnabled(!locked);
        control(kReturnDelete)->setEnabled(open && !locked);
        if (open) {
            choose(*m_price_type, m_desk.note().price_type);
            choose(*m_currency, m_desk.note().currency);
        }
        m_lines->setEditTriggers(locked ? QAbstractItemView::NoEditTriggers
                                        : QAbstractItemView::AllEditTriggers);
        show_lines();
    }

    void show_lines() {
        const auto& lines = m_desk.lines();
        m_lines->setRowCount(static_cast<int>(lines.size()));
        for (size_t r = 0; r < lines.size(); ++r) {
            const auto& l = lines[r];
            const bool priced = !l.blank();
            const std::string cells[] = {l.code,
                                         l.name,
                                         priced ? shown_quantity(l.quantity) : "",
                                         priced ? shown_money(l.price) : "",
                                         priced ? shown_money(l.cost) : "",
                                         priced ? l.tax.to_string(2) : ""};
            for (int c = kCodeCol; c <= kTaxCol; ++c) {
                auto* item = new QTableWidgetItem(q(cells[c]));
                if (c != kCodeCol && c != kQuantityCol)
                    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                if (c >= kQuantityCol) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_lines->setItem(static_cast<int>(r), c, item);
            }
        }
    }

    void chosen(int row) {
        if (m_filling || row < 0 || row >= static_cast<int>(m_desk.notes().size())) return;
        m_desk.open_note(m_desk.notes()[static_cast<size_t>(row)].number);
        show_all();
    }

    void edited(QTableWidgetItem* item) {
        if (m_filling) return;
        const size_t row = static_cast<size_t>(item->row());
        const std::string text = trim(item->text().toStdString());
        if (item->column() == kCodeCol) {
            m_desk.set_code(row, text);
        } else if (item->column() == kQuantityCol) {
            // Text that is no number is refused as a quantity of zero.
            Decimal quantity;
            if (!pic_parse(text, domain::kQuantityPicture, quantity)) quantity = Decimal();
            m_desk.set_quantity(row, quantity);
        }
        m_filling = true;
        show_lines();
        m_filling = false;
    }

    QtUserPort m_port;
    dp::ReturnNoteDesk m_desk;
    QTableWidget* m_list = nullptr;
    QTableWidget* m_lines = nullptr;
    QLabel* m_title = nullptr;
    QComboBox* m_price_type = nullptr;
    QComboBox* m_currency = nullptr;
    bool m_filling = false;
};

ReturnNotesScreen* open_return_notes(QWidget* owner, data::Db& db, const std::string& business) {
    return open_screen<ReturnNotesScreen>(owner, db, business);
}

ReturnNotesScreen* open_return_of_document(QWidget* owner, data::Db& db,
                                           const std::string& business, const std::string& number) {
    if (dp::document_return_lines(db, business, number).empty()) {
        QtUserPort(owner).message(MsgStyle::Error, "Error", dp::kReturnNoArticleLines);
        return nullptr;
    }
    auto* screen = open_return_notes(owner, db, business);
    if (screen) {
        screen->desk().new_note_from_document(number);
        screen->show_all();
    }
    return screen;
}

}  // namespace qz::gui
