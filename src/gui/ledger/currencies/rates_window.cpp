#include "gui/ledger/currencies/rates_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/ledger/rate_rows.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/currencies/currency_screens.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace {

using K = FormField::Kind;
constexpr int kFromRole = Qt::UserRole, kToRole = Qt::UserRole + 1;

QString q(const std::string& s) { return QString::fromStdString(s); }

FormField rate_field(int id, const std::string& label, const Decimal& v) {
    FormField f{id, label, K::Number, v.to_string(5)};
    f.amount = rate_amount(label);
    return f;
}

}  // namespace

RatesWindow::RatesWindow(QWidget* owner, data::Db& db, std::string business, std::string user)
    : WDIAG(owner, "T_CAMBIO", kCmdRates, ScreenOptions{true, true}),
      m_db(db),
      m_business(std::move(business)),
      m_user(std::move(user)) {}

bool RatesWindow::Init() {
    m_table = data::USE(m_db, "T_CAMBIO", "T_CAMB2");
    auto* layout = new QVBoxLayout(this);
    auto* panes = new QHBoxLayout;
    m_tree = Add(new QTreeWidget(this), kRatesTree);
    m_tree->setHeaderLabel("Monedas");
    m_tree->setMinimumWidth(220);
    panes->addWidget(m_tree);
    m_grid = new WBLISTBOX(this, *m_table, "T_CAMBIO_GRID", kRatesGrid);
    Add(m_grid, kRatesGrid);
    AGREGARCOL(*m_grid, *m_table, "Fecha", "FECHA");
    for (int i = 1; i <= 5; ++i)
        AGREGARCOL(*m_grid, *m_table, "Cambio " + std::to_string(i),
                   i == 1 ? "CAMBIO" : "CAMBIO" + std::to_string(i), "999,999.99999");
    panes->addWidget(m_grid, 1);
    layout->addLayout(panes);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(
        Add(new QPushButton("Agregar Referencia", this), kPairAdd, [this] { ADD_REF(); }));
    buttons->addWidget(
        Add(new QPushButton("Modificar Referencia", this), kPairModify, [this] { MOD_REF(); }));
    buttons->addWidget(
        Add(new QPushButton("Borrar Referencia", this), kPairDelete, [this] { DEL_REF(); }));
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Agregar", this), kRateAdd, [this] { ADD_TC(); }));
    buttons->addWidget(Add(new QPushButton("Modificar", this), kRateModify, [this] { MOD_TC(); }));
    buttons->addWidget(Add(new QPushButton("Eliminar", this), kRateDelete, [this] { DEL_TC(); }));
    buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    layout->addLayout(buttons);
    Text("Tipos de Cambio");
    resize(900, 460);
    Create();
    BrowMarksOptions o;
    // Nothing is listed until a pair is chosen.
    o.scope_start = data::order_key("T_CAMBIO", "T_CAMB2", {m_business, "", ""});
    o.no_marks = true;
    o.no_refresh = true;
    m_grid->BrowMarks(std::move(o));
    m_grid->Double_Block = [this] { MOD_TC(); };
    QObject::connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { show_pair(); });
    fill_tree();
    return true;
}

void RatesWindow::CerrarBases() {
    if (m_grid) m_grid->DISABLE_BROWSE();
    if (m_table) data::KILLTABLA(m_db, m_table);
}

void RatesWindow::fill_tree() {
    const auto chosen = current_pair();
    m_tree->clear();
    const auto pairs = domain::business_pairs(m_db, m_business);
    for (const auto& c : domain::business_currencies(m_db, m_business)) {
        auto* top = new QTreeWidgetItem(m_tree, {q(c.code + " - " + c.name)});
        for (const auto& p : pairs) {
            if (p.from != c.code) continue;
            const auto to = domain::read_currency(m_db, m_business, p.to);
            auto* item = new QTreeWidgetItem(
                top, {q(p.from + " → " + p.to + "  " + (to ? domain::pair_description(*to) : ""))});
            item->setData(0, kFromRole, q(p.from));
            item->setData(0, kToRole, q(p.to));
        }
    }
    m_tree->expandAll();
    if (chosen) select_pair(chosen->from, chosen->to);
    show_pair();
}

bool RatesWindow::select_pair(const std::string& from, const std::string& to) {
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        if ((*it)->data(0, kFromRole).toString() == q(from) &&
            (*it)->data(0, kToRole).toString() == q(to)) {
            m_tree->setCurrentItem(*it);
            return true;
        }
    }
    return false;
}

std::optional<domain::CurrencyPair> RatesWindow::current_pair() const {
    const QTreeWidgetItem* item = m_tree ? m_tree->currentItem() : nullptr;
    if (!item || item->data(0, kFromRole).isNull()) return std::nullopt;
    const std::string from = item->data(0, kFromRole).toString().toStdString();
    const std::string to = item->data(0, kToRole).toString().toStdString();
    for (const auto& p : domain::business_pairs(m_db, m_business))
        if (p.from == from && p.to == to) return p;
    return std::nullopt;
}

void RatesWindow::show_pair() {
    const auto p = current_pair();
    m_grid->SET_SCOPE(
        data::order_key("T_CAMBIO", "T_CAMB2", {m_business, p ? p->from : "", p ? p->to : ""}));
}

std::optional<domain::DatedRate> RatesWindow::current_rate() {
    const long recno = m_grid->nCrecNo();
    if (recno > 0) {
        m_table->GoTo(recno);
        if (!m_table->Eof()) return domain::dated_rate_from_row(*m_table);
    }
    MESSAGE_BOX(this, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
    return std::nullopt;
}

bool RatesWindow::rate_form(const domain::CurrencyPair& p,
                            const std::optional<domain::DatedRate>& rate) {
    const Date today = m_db.clock().XDATE();
    const auto r = rate.value_or(domain::DatedRate{p.from, p.to, today, {}});
    std::vector<FormField> fields = {
        {kPairFrom, "De :", K::Text, p.from, 2, true},
        {kPairTo, "A :", K::Text, p.to, 2, true},
        {kRateDate, "Fecha :", K::Text, r.fecha.dtoc4(), 10},
    };
    for (int i = 0; i < 5; ++i)
        fields.push_back(
            rate_field(kRate1 + i, "Cambio " + std::to_string(i + 1) + ":", r.rates[i]));
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(this);
        domain::DatedRate n{
            p.from, p.to, Date::from_ctod(trim(v.at(kRateDate))).value_or(Date()), {}};
        if (n.fecha.empty()) {
            port.message(MsgStyle::Error, "Error", "La fecha del tipo de cambio no es válida...");
            return false;
        }
        for (int i = 0; i < 5; ++i) {
            const std::string typed = trim(v.at(kRate1 + i));
            const AmountField f = rate_amount("Cambio " + std::to_string(i + 1));
            if (const auto why = f.read(typed.empty() ? "0" : typed, n.rates[i]); !why.empty()) {
                port.message(MsgStyle::Error, "Error", why);
                return false;
            }
        }
        return rate ? domain::modify_dated_rate(m_db, port, m_business, m_user, r.fecha, n)
                    : domain::add_dated_rate(m_db, port, m_business, m_user, n);
    };
    return run_master_form(this, "MODIT_CAMBIO", "Tipo de Cambio", std::move(fields), save);
}

bool RatesWindow::pair_form(const std::optional<domain::CurrencyPair>& pair) {
    const auto p = pair.value_or(domain::CurrencyPair{});
    std::vector<std::pair<std::string, std::string>> codes;
    for (const auto& c : domain::business_currencies(m_db, m_business))
        codes.push_back({c.code, c.code + " - " + c.name});
    FormField from{kPairFrom, "De :", K::Choice, p.from};
    from.choices = codes;
    from.read_only = pair.has_value();
    FormField to{kPairTo, "A :", K::Choice, p.to};
    to.choices = codes;
    std::vector<FormField> fields = {from, to,
                                     rate_field(kPairDaily, "Cambio Proyectado Diario:", p.daily)};
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(this);
        domain::CurrencyPair n{v.at(kPairFrom), v.at(kPairTo), {}};
        const AmountField f = rate_amount("Cambio Proyectado Diario");
        const std::string typed = trim(v.at(kPairDaily));
        if (const auto why = f.read(typed.empty() ? "0" : typed, n.daily); !why.empty()) {
            port.message(MsgStyle::Error, "Error", why);
            return false;
        }
        return pair ? domain::modify_pair(m_db, port, m_business, p, n)
                    : domain::add_pair(m_db, port, m_business, n);
    };
    return run_master_form(this, "T_CAMB_2", "Referencia", std::move(fields), save);
}

void RatesWindow::ADD_REF() {
    if (pair_form(std::nullopt)) fill_tree();
}

void RatesWindow::MOD_REF() {
    const auto p = current_pair();
    if (!p) {
        MESSAGE_BOX(this, "Debe seleccionar una referencia", "Atencion",
                    kMbOk | kMbIconExclamation);
        return;
    }
    if (pair_form(p)) fill_tree();
}

void RatesWindow::DEL_REF() {
    const auto p = current_pair();
    if (!p) {
        MESSAGE_BOX(this, "Debe seleccionar una referencia", "Atencion",
                    kMbOk | kMbIconExclamation);
        return;
    }
    QtUserPort port(this);
    if (domain::delete_pair(m_db, port, m_business, *p)) fill_tree();
}

void RatesWindow::ADD_TC() {
    const auto p = current_pair();
    if (!p) {
        MESSAGE_BOX(this, "Debe seleccionar una referencia", "Atencion",
                    kMbOk | kMbIconExclamation);
        return;
    }
    if (rate_form(*p, std::nullopt)) m_grid->REFRESHALL();
}

void RatesWindow::MOD_TC() {
    const auto p = current_pair();
    if (!p) return;
    const auto r = current_rate();
    if (r && rate_form(*p, r)) m_grid->REFRESHALL();
}

void RatesWindow::DEL_TC() {
    if (!current_pair()) return;
    const auto r = current_rate();
    QtUserPort port(this);
    if (r && domain::delete_dated_rate(m_db, port, m_business, *r)) m_grid->REFRESHALL();
}

RatesWindow* as_rates_window(QWidget* screen) { return dynamic_cast<RatesWindow*>(screen); }

RatesWindow* open_rates_window(QWidget* owner, data::Db& db, const std::string& business,
                               const std::string& user) {
    return open_screen<RatesWindow>(owner, db, business, user);
}

}  // namespace qz::gui
