// SPA_RESE: the reservation form, a thin view over domain::spa::SpaReservation.
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/text.h"
#include "data/amount_field.h"
#include "domain/spa/reservations/form_lists.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/wdiag.h"
#include "gui/session/app_context.h"
#include "gui/spa/reservations/reservation_form_ids.h"
#include "gui/spa/reservations/reservation_screens.h"

namespace qz::gui {

namespace ds = domain::spa;
using namespace spa_form;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& t) { return t.trimmed().toStdString(); }

// The grid's columns; those from kQuantityCol to kDiscountCol are typed amounts.
enum LineColumn { kArticleCol, kDescriptionCol, kQuantityCol, kPriceCol, kDiscountCol, kTaxCol };

std::optional<ds::LineAmount> amount_of_column(int column) {
    switch (column) {
    case kQuantityCol: return ds::LineAmount::Quantity;
    case kPriceCol: return ds::LineAmount::Price;
    case kDiscountCol: return ds::LineAmount::Discount;
    default: return std::nullopt;
    }
}

int column_of(ds::LineAmount which) {
    switch (which) {
    case ds::LineAmount::Quantity: return kQuantityCol;
    case ds::LineAmount::Price: return kPriceCol;
    case ds::LineAmount::Discount: return kDiscountCol;
    }
    return kQuantityCol;
}

QComboBox* two_digit_combo(int count) {
    auto* c = new QComboBox;
    c->addItem("");
    for (int i = 0; i < count; ++i) c->addItem(QString("%1").arg(i, 2, 10, QChar('0')));
    return c;
}

class SpaReseForm : public WDIAG {
public:
    SpaReseForm(QWidget* owner, AppContext& ctx)
        : WDIAG(owner, "SPA_RESE", 0, {true, true}),
          m_ctx(ctx),
          m_form(*ctx.db, ctx.port, ctx.session.XU_COMP, ctx.session.XUSER_ABREVIA) {
        const std::string reg = ctx.ini ? ds::spa_register(*ctx.ini, ctx.session.XU_COMP) : "";
        m_form.customer = ds::spa_default_customer(*ctx.db, ctx.session.XU_COMP, reg);
        m_form.send_confirmation = [this](const ds::SpaReservation& r) {
            return queue_confirmation(m_ctx, r.header, r.lines);
        };
    }
    ds::SpaReservation& form() { return m_form; }

    bool Init() override {
        build();
        fill_lists();
        show_header();
        show_lines();
        Create();
        return true;
    }
    // Enter in a field moves on to the next one; only OK (or Enter on it) saves.
    void SAVE_DATOS() override { save(); }

private:
    template <class W>
    W* field(QFormLayout* f, const char* label, W* w, int id) {
        f->addRow(label, Add(w, id));
        return w;
    }
    QWidget* pair(QComboBox* a, QComboBox* b) {
        auto* box = new QWidget;
        auto* h = new QHBoxLayout(box);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(a);
        h->addWidget(new QLabel(":"));
        h->addWidget(b);
        h->addStretch();
        return box;
    }
    void build() {
        auto* top = new QVBoxLayout(this);
        auto* columns = new QHBoxLayout;
        auto* left = new QFormLayout;
        auto* right = new QFormLayout;
        columns->addLayout(left);
        columns->addLayout(right);
        top->addLayout(columns);
        m_code = field(left, "Código", new QLineEdit, kCode);
        m_code->setReadOnly(true);
        m_state = field(left, "Estado", new QComboBox, kState);
        m_state->setEnabled(false);
        m_room = field(left, "Sala", new QComboBox, kRoom);
        m_date = field(left, "Fecha", new QLineEdit, kDate);
        m_date->setInputMask("99/99/9999");
        m_sh = Add(two_digit_combo(24), kStartHour);
        m_sm = Add(two_digit_combo(60), kStartMinute);
        m_eh = Add(two_digit_combo(24), kEndHour);
        m_em = Add(two_digit_combo(60), kEndMinute);
        left->addRow("Hora Inicial", pair(m_sh, m_sm));
        left->addRow("Hora Final", pair(m_eh, m_em));
        m_persons = field(left, "# Personas", new QSpinBox, kPersons);
        m_persons->setRange(0, 9999);
        m_agent = field(left, "Encargado", new QComboBox, kAgent);
        m_hotel = field(right, "Room", new QComboBox, kHotelRoom);
        m_name = field(right, "Nombre", new QLineEdit, kName);
        m_phones = field(right, "Teléfonos", new QLineEdit, kPhones);
        m_email = field(right, "Email", new QLineEdit, kEmail);
        m_type = field(right, "Tipo de Precio", new QComboBox, kPriceType);
        m_notes = field(right, "Observaciones", new QPlainTextEdit, kNotes);
        m_notes->setMaximumHeight(70);
        m_lines = Add(new QTableWidget(0, 6), kLines);
        m_lines->setHorizontalHeaderLabels(
            {"Artículo", "Descripción", "Cantidad", "Precio", "% Desc.", "% Imp."});
        m_lines->horizontalHeader()->setSectionResizeMode(kDescriptionCol, QHeaderView::Stretch);
        for (int c = kQuantityCol; c <= kDiscountCol; ++c)
            amount_column(m_lines, c, ds::line_field(*amount_of_column(c)));
        amount_column(m_lines, kTaxCol, m_tax_field);
        top->addWidget(m_lines);
        auto* row = new QHBoxLayout;
        row->addWidget(Add(new QPushButton("Agregar línea"), kAddLine, [this] { add_line(); }));
        row->addWidget(Add(new QPushButton("Borrar línea"), kDeleteLine, [this] { delete_line(); }));
        row->addStretch();
        for (int id : {kSubtotal, kDiscount, kTax, kTotal}) {
            auto* l = Add(new QLabel, id);
            l->setMinimumWidth(110);
            row->addWidget(l);
        }
        top->addLayout(row);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        m_ok = Add(new QPushButton("Aceptar"), kCmdOk, [this] { save(); });
        buttons->addWidget(m_ok);
        buttons->addWidget(Add(new QPushButton("Cancelar"), kCmdCancel));
        top->addLayout(buttons);
        connect(m_hotel, &QComboBox::activated, this, [this] { choose_hotel(); });
        connect(m_type, &QComboBox::activated, this, [this] {
            read_header();
            m_form.reprice();
            show_lines();
        });
        for (auto [h, m] : {std::pair{m_sh, m_sm}, std::pair{m_eh, m_em}})
            connect(h, &QComboBox::activated, this, [m = m] {
                if (m->currentIndex() == 0) m->setCurrentIndex(1);  // "00"
            });
        connect(m_lines, &QTableWidget::itemChanged, this,
                [this](QTableWidgetItem* i) { line_edited(i); });
        setWindowTitle(m_form.mode() == ds::FormMode::New ? "Nueva Reservación" : "Reservación");
    }
    void fill_lists() {
        auto& db = *m_ctx.db;
        const std::string& biz = m_ctx.session.XU_COMP;
        m_room->addItem("", "");
        for (const auto& r : ds::spa_rooms(db, biz, true))
            if (!r.blocked || r.code == m_form.header.room) m_room->addItem(q(r.name), q(r.code));
        for (int st : {ds::kActive, ds::kInvoiced, ds::kCancelled})
            m_state->addItem(q(ds::state_name(st)), st);
        m_agent->addItem("", "");
        for (const auto& a : ds::spa_agents(db, biz)) m_agent->addItem(q(a.name), q(a.code));
        // A saved person in charge no longer offered stays what the reservation says.
        const std::string& saved = m_form.header.agent;
        if (!saved.empty() && m_agent->findData(q(saved)) < 0)
            m_agent->addItem(q(ds::agent_name(db, biz, saved)), q(saved));
        m_hotel->addItem("", "");
        for (const auto& r : ds::in_house_rooms(db, biz)) m_hotel->addItem(q(r), q(r));
        if (!m_form.header.hotel_room.empty() && m_hotel->findData(q(m_form.header.hotel_room)) < 0)
            m_hotel->addItem(q(m_form.header.hotel_room), q(m_form.header.hotel_room));
        m_type->addItem("", "");
        for (const auto& t : ds::price_types(db, biz)) m_type->addItem(q(t.name), q(t.code));
    }
    static void set_time(QComboBox* h, QComboBox* m, const std::string& t) {
        h->setCurrentIndex(t.size() >= 2 ? h->findText(q(t.substr(0, 2))) : 0);
        m->setCurrentIndex(t.size() >= 5 ? m->findText(q(t.substr(3, 2))) : 0);
    }
    static std::string time_of(QComboBox* h, QComboBox* m) {
        if (h->currentIndex() <= 0) return "";
        return s(h->currentText()) + ":" + (m->currentIndex() <= 0 ? "00" : s(m->currentText()));
    }
    static void select(QComboBox* c, const std::string& code) {
        c->setCurrentIndex(std::max(0, c->findData(q(code))));
    }
    void show_header() {
        const auto& h = m_form.header;
        m_code->setText(q(h.code));
        select(m_room, h.room);
        m_state->setCurrentIndex(std::max(0, m_state->findData(h.state)));
        m_date->setText(h.date.empty() ? QString() : q(h.date.dtoc4()));
        set_time(m_sh, m_sm, h.start);
        set_time(m_eh, m_em, h.end);
        m_persons->setValue(h.persons);
        select(m_agent, h.agent);
        select(m_hotel, h.hotel_room);
        m_name->setText(q(h.name));
        m_phones->setText(q(h.phones));
        m_email->setText(q(h.email));
        select(m_type, h.price_type);
        m_notes->setPlainText(q(h.notes));
        const bool ro = m_form.mode() == ds::FormMode::Consult;
        for (QWidget* w : findChildren<QWidget*>())
            if (w->objectName() != QString::number(kCmdCancel) && qobject_cast<QPushButton*>(w))
                w->setEnabled(!ro);
        m_lines->setEditTriggers(ro ? QAbstractItemView::NoEditTriggers
                                    : QAbstractItemView::AllEditTriggers);
    }
    void read_header() {
        auto& h = m_form.header;
        h.room = s(m_room->currentData().toString());
        m_form.type_date(s(m_date->text()));
        h.start = time_of(m_sh, m_sm);
        h.end = time_of(m_eh, m_em);
        h.persons = m_persons->value();
        h.agent = s(m_agent->currentData().toString());
        h.name = s(m_name->text());
        h.phones = s(m_phones->text());
        h.email = s(m_email->text());
        h.price_type = s(m_type->currentData().toString());
        h.notes = m_notes->toPlainText().toStdString();
    }
    void choose_hotel() {
        read_header();
        const std::string room = s(m_hotel->currentData().toString());
        if (room.empty()) {
            m_form.header.hotel_room.clear();
            return;
        }
        m_form.choose_hotel_room(room);
        show_header();
    }
    // The visible rows stand for the lines not deleted, in order.
    std::vector<size_t> visible() const {
        std::vector<size_t> v;
        for (size_t i = 0; i < m_form.lines.size(); ++i)
            if (!m_form.lines[i].deleted) v.push_back(i);
        return v;
    }
    void show_lines() {
        m_filling = true;
        const auto rows = visible();
        m_lines->setRowCount(static_cast<int>(rows.size()) + (m_pending ? 1 : 0));
        for (size_t r = 0; r < rows.size(); ++r) {
            const auto& l = m_form.lines[rows[r]];
            using A = ds::LineAmount;
            const QString texts[] = {q(l.article),
                                     q(l.description),
                                     q(ds::line_field(A::Quantity).show(l.quantity)),
                                     q(ds::line_field(A::Price).show(l.price)),
                                     q(ds::line_field(A::Discount).show(l.discount)),
                                     q(m_tax_field.show(l.tax))};
            for (int c = 0; c < 6; ++c) {
                auto* item = new QTableWidgetItem(texts[c]);
                if (c == kDescriptionCol || c == kTaxCol)
                    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                m_lines->setItem(static_cast<int>(r), c, item);
            }
        }
        if (m_pending)
            for (int c = 0; c < 6; ++c)
                m_lines->setItem(static_cast<int>(rows.size()), c, new QTableWidgetItem);
        const auto t = m_form.totals();
        const std::pair<int, std::pair<const char*, Decimal>> totals[] = {
            {kSubtotal, {"Subtotal", t.subtotal}},
            {kDiscount, {"Descuento", t.discount}},
            {kTax, {"Impuesto", t.tax}},
            {kTotal, {"Total", t.total}}};
        for (const auto& [id, v] : totals)
            control_as<QLabel>(id)->setText(
                QString("%1: %2").arg(v.first, q(m_money.show(v.second))));
        m_filling = false;
    }
    void add_line() {
        m_pending = true;
        show_lines();
        m_lines->setCurrentCell(m_lines->rowCount() - 1, 0);
        m_lines->editItem(m_lines->currentItem());
    }
    void delete_line() {
        const auto rows = visible();
        const int r = m_lines->currentRow();
        if (r >= 0 && r < static_cast<int>(rows.size())) m_form.remove_line(rows[r]);
        else m_pending = false;
        show_lines();
    }
    void line_edited(QTableWidgetItem* item) {
        if (m_filling) return;
        read_header();
        const auto rows = visible();
        const int r = item->row();
        const int c = item->column();
        const std::string text = s(item->text());
        const auto amount = amount_of_column(c);
        bool refused = false;
        if (r >= static_cast<int>(rows.size())) {
            if (c == kArticleCol && m_form.set_article(m_form.lines.size(), text))
                m_pending = false;
        } else if (c == kArticleCol) {
            m_form.set_article(rows[r], text);
        } else if (amount) {
            refused = !m_form.type_amount(rows[r], *amount, text);
        }
        show_lines();
        if (refused) focus_cell(r, c);
    }
    void focus_cell(int row, int column) {
        m_lines->setCurrentCell(row, column);
        m_lines->setFocus();
    }
    // The grid row of line i: its place among the lines not deleted.
    int row_of(size_t line) const {
        const auto rows = visible();
        return static_cast<int>(std::find(rows.begin(), rows.end(), line) - rows.begin());
    }
    void save() {
        read_header();
        if (auto focus = m_form.save()) {
            show_lines();  // a discount over its limit was cut back
            control(focus_id(*focus))->setFocus();
            if (auto spot = m_form.refused_line(); spot && *focus == ds::FormField::Lines)
                focus_cell(row_of(spot->line), column_of(spot->amount));
            return;
        }
        Terminar();
    }

    AppContext& m_ctx;
    ds::SpaReservation m_form;
    QLineEdit *m_code = nullptr, *m_date = nullptr, *m_name = nullptr, *m_phones = nullptr,
              *m_email = nullptr;
    QComboBox *m_state = nullptr, *m_room = nullptr, *m_sh = nullptr, *m_sm = nullptr,
              *m_eh = nullptr, *m_em = nullptr, *m_agent = nullptr, *m_hotel = nullptr,
              *m_type = nullptr;
    QSpinBox* m_persons = nullptr;
    QPlainTextEdit* m_notes = nullptr;
    QTableWidget* m_lines = nullptr;
    QPushButton* m_ok = nullptr;
    bool m_filling = false;
    bool m_pending = false;  // an empty row waiting for its article
    const AmountField m_tax_field = data::amount_field("SPA_RESD", "IMPUESTO", "Impuesto");
    const AmountField m_money = ds::total_field("Total");
};

}  // namespace

int spa_form::focus_id(ds::FormField f) {
    switch (f) {
    case ds::FormField::Name: return kName;
    case ds::FormField::Date: return kDate;
    case ds::FormField::Start: return kStartHour;
    case ds::FormField::End: return kEndHour;
    case ds::FormField::Persons: return kPersons;
    case ds::FormField::Room: return kRoom;
    case ds::FormField::Agent: return kAgent;
    case ds::FormField::PriceType: return kPriceType;
    case ds::FormField::Lines: return kLines;
    case ds::FormField::HotelRoom: return kHotelRoom;
    case ds::FormField::Email: return kEmail;
    }
    return kName;
}

void open_new_reservation(QWidget* owner, AppContext& ctx, const std::string& room, Date date,
                          const std::string& start) {
    auto* f = new SpaReseForm(owner, ctx);
    f->form().start_new(room, date, start);
    f->open();
}

WDIAG* open_reservation_form(QWidget* owner, AppContext& ctx, const std::string& code,
                             ds::FormMode mode) {
    auto* f = new SpaReseForm(owner, ctx);
    if (!f->form().load(code, mode)) {
        delete f;
        ctx.port.message(MsgStyle::Error, "Error", "Debe seleccionar una reserva");
        return nullptr;
    }
    return f->open() ? f : nullptr;
}

}  // namespace qz::gui
