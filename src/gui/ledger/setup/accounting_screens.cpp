// The chart of accounts, ledger links and journal classes (list screens with their forms) and
// the journal voucher viewer. Every rule is the domain's (accounting_setup.h, journal.h).
#include "gui/ledger/setup/accounting_screens.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/amount_field.h"
#include "data/order_key.h"
#include "domain/ledger/accounting_setup.h"
#include "domain/ledger/journal.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/ledger/setup/code_list.h"
#include "gui/lists/rows_form.h"

namespace qz::gui {

namespace {

using K = FormField::Kind;
using namespace accounting_form;
namespace dl = qz::domain;

QString q(const std::string& s) { return QString::fromStdString(s); }

bool account_form(QWidget* owner, data::Db& db, const std::string& business,
                  const std::optional<dl::LedgerAccount>& old) {
    const auto a = old.value_or(dl::LedgerAccount{});
    std::vector<FormField> fields = {
        field_code(kCode, "Cuenta :", a.code, 20, old.has_value()),
        {kName, "Descripción :", K::Text, a.name, 60},
        field_check(kMajor, "Cuenta de Mayor", a.major),
        field_check(kBlocked, "Bloqueada", a.blocked),
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        return dl::save_ledger_account(
            db, port, business, old ? a.code : "",
            {v.at(kCode), v.at(kName), v.at(kMajor) == "1", v.at(kBlocked) == "1"});
    };
    return run_master_form(owner, "E_CUENTA", old ? "Modificar Cuenta" : "Agregar Cuenta",
                           std::move(fields), save);
}

bool link_form(QWidget* owner, data::Db& db, const std::string& business,
               const std::optional<dl::LedgerLink>& old) {
    const auto l = old.value_or(dl::LedgerLink{});
    std::vector<FormField> fields = {
        field_code(kCode, "Liga :", l.code, 15, old.has_value()),
        {kName, "Descripción :", K::Text, l.name, 60},
        field_code(kAccount, "Cuenta :", l.account, 20, false),
        field_choice(kSide, "Naturaleza", l.side, "Crédito", "Débito"),
        field_code(kAccount2, "Cuenta Replicada :", l.account2, 20, false),
        field_choice(kSide2, "Naturaleza Replicada", l.side2, "Crédito", "Débito"),
        field_code(kGroup, "Grupo :", l.group, 2, false),
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        return dl::save_ledger_link(
            db, port, business, old ? l.code : "",
            {v.at(kCode), v.at(kName), v.at(kAccount), v.at(kAccount2), std::stoi(v.at(kSide)),
             std::stoi(v.at(kSide2)), v.at(kGroup)});
    };
    return run_master_form(owner, "E_LIGA",
                           old ? "Modificar Liga Contable" : "Agregar Liga Contable",
                           std::move(fields), save);
}

// The link's distribution over analysis dimensions (DET_LIGA), as rows of a grid.
bool distribution_form(QWidget* owner, data::Db& db, const std::string& business,
                       const std::string& link) {
    RowsValues rows;
    for (const auto& s : dl::read_link_distribution(db, business, link))
        rows.push_back({s.dimension, s.value, s.percent.to_string()});
    AmountField percent = data::amount_field("DET_LIGA", "PORCENT", "Porcentaje");
    percent.most = Decimal(100);
    std::vector<RowsColumn> columns = {
        {"Dimensión", 10, std::nullopt}, {"Código", 10, std::nullopt}, {"Porcentaje", 0, percent}};
    std::function<bool(const RowsValues&)> save = [&](const RowsValues& v) {
        std::vector<dl::LinkShare> shares;
        for (const auto& r : v) shares.push_back({r[0], r[1], Decimal::parse(r[2])});
        QtUserPort port(owner);
        return dl::save_link_distribution(db, port, business, link, shares);
    };
    return run_rows_form(owner, "DET_LIGA", "Distribución de la Liga " + link, std::move(columns),
                         rows, save);
}

bool class_form(QWidget* owner, data::Db& db, const std::string& business,
                const std::optional<dl::JournalClass>& old) {
    const auto c = old.value_or(dl::JournalClass{});
    std::vector<FormField> fields = {
        field_code(kCode, "Código :", c.code, 2, old.has_value()),
        {kName, "Descripción :", K::Text, c.name, 60},
        field_code(kSeries, "Serial :", c.series, 15, false),
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        return dl::save_journal_class(db, port, business, old ? c.code : "",
                                      {v.at(kCode), v.at(kName), v.at(kSeries)});
    };
    return run_master_form(owner, "E_CLAS_CON", old ? "Modificar Clase" : "Agregar Clase",
                           std::move(fields), save);
}

// The voucher list over ENC_AS of the business and, below, the chosen voucher's lines.
class VoucherViewer : public WDIAG {
public:
    VoucherViewer(QWidget* owner, data::Db& db, std::string business)
        : WDIAG(owner, "VER_ASIENTOS", 6513, {true, true}),
          m_db(db),
          m_business(std::move(business)) {}

    bool Init() override {
        m_t = data::USE(m_db, "ENC_AS", "ENC_AS1");
        auto* top = new QVBoxLayout(this);
        m_grid = new WBLISTBOX(this, *m_t, "VER_ASIENTOS", voucher_viewer::kVouchers);
        Add(m_grid, voucher_viewer::kVouchers);
        auto& t = *m_t;
        AGREGARCOL(*m_grid, t, "Número", "MOVIMIENTO");
        // Extra pixels where the value is narrower than its heading or a proportional face
        // would cut a date or a time.
        AGREGARCOL(*m_grid, t, "Diario", "TIPO", "", {}, 0, false, 28);
        AGREGARCOL(*m_grid, t, "Fecha", "FECHA", "", {}, 0, false, 16);
        AGREGARCOL(*m_grid, t, "Hora", "HORA", "", {}, 0, false, 16);
        AGREGARCOL(*m_grid, t, "Cuadrado", "", "",
                   [&t] { return CellValue(std::string(t.num("CIERRA") == 1 ? "Sí" : "NO")); });
        AGREGARCOL(*m_grid, t, "Usuario", "USUARIO_C");
        m_grid->SET_COLOR_VECTOR({{QColor(Qt::white), QColor(190, 30, 30)}});
        m_grid->COLOR_BLOCK([&t] { return t.num("CIERRA") == 1 ? 0 : 1; });
        m_grid->Sel_Block = [this] { show_lines(); };
        top->addWidget(m_grid, 2);
        m_lines = Add(new QTableWidget(0, 6, this), voucher_viewer::kLines);
        m_lines->setHorizontalHeaderLabels(
            {"Cuenta", "Débito", "Crédito", "Moneda", "Tipo Cambio", "Descripción"});
        m_lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_lines->horizontalHeader()->setStretchLastSection(true);
        top->addWidget(m_lines, 2);
        m_totals = Add(new QLabel(this), voucher_viewer::kTotals);
        top->addWidget(m_totals);
        setWindowTitle("Consulta de Asientos");
        resize(820, 560);
        Create();
        BrowMarksOptions o;
        o.scope_start = data::business_key(m_business);
        o.no_marks = true;
        o.no_refresh = true;
        m_grid->BrowMarks(std::move(o));
        show_lines();
        return true;
    }
    void CerrarBases() override { data::KILLTABLA(m_db, m_t); }

private:
    enum Column { kAccountCol, kDebitCol, kCreditCol, kCurrencyCol, kRateCol, kTextCol };

    void show_lines() {
        const std::string voucher = m_t->Eof() ? "" : trim(m_t->str("MOVIMIENTO"));
        const auto lines = voucher.empty() ? std::vector<dl::VoucherLine>{}
                                           : dl::voucher_lines(m_db, m_business, voucher);
        m_lines->setRowCount(static_cast<int>(lines.size()));
        for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
            const auto& l = lines[static_cast<size_t>(r)];
            const auto put = [&](int c, const std::string& text, bool number) {
                auto* item = new QTableWidgetItem(q(text));
                if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_lines->setItem(r, c, item);
            };
            put(kAccountCol, l.account, false);
            put(kDebitCol, l.debit.sign() ? m_money.show(l.debit) : "", true);
            put(kCreditCol, l.credit.sign() ? m_money.show(l.credit) : "", true);
            put(kCurrencyCol, l.currency, false);
            put(kRateCol, l.rate.to_string(5), true);
            put(kTextCol, l.description, false);
        }
        QString text;
        bool balanced = true;
        for (const auto& t : dl::voucher_totals(lines)) {
            text +=
                q("Moneda " + t.currency + ": Débitos " + m_money.show(t.debit) + "  Créditos " +
                  m_money.show(t.credit) + (t.balanced() ? "" : "  — DESCUADRADO") + "    ");
            balanced = balanced && t.balanced();
        }
        m_totals->setText(text);
        m_totals->setStyleSheet(balanced ? "" : "color: rgb(190,30,30); font-weight: bold;");
    }

    data::Db& m_db;
    std::string m_business;
    data::Table m_t;
    WBLISTBOX* m_grid = nullptr;
    QTableWidget* m_lines = nullptr;
    QLabel* m_totals = nullptr;
    // Voucher amounts are shown through their field's picture, thousands separated.
    const AmountField m_money = data::amount_field("DET_AS", "DEBITO", "Débito");
};

}  // namespace

MasterListScreen* open_ledger_accounts(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"CUENTAS", 6510, "Catálogo de Cuentas", "CUENTAS"};
    s.columns = {{"Cuenta", "CUENTA", ""},
                 {"Descripción", "DESCRIP", ""},
                 {"Mayor", "MAYOR", "9"},
                 {"Bloqueada", "BLOQUEADO", "9"}};
    return open_list<dl::LedgerAccount>(owner, db, business, std::move(s),
                                        dl::ledger_account_from_row, dl::read_ledger_account,
                                        account_form, dl::delete_ledger_account);
}

MasterListScreen* open_ledger_links(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"LIGAS", 6511, "Ligas Contables", "LIGAS"};
    s.columns = {{"Liga", "CODIGO", ""},
                 {"Descripción", "DESCRIP", ""},
                 {"Cuenta", "CUENTA", ""},
                 {"Cuenta Replicada", "CUENTA2", ""}};
    s.actions = {{"Distribución", kDistribution, [&db, business](QWidget* o, data::WDBTable& t) {
                      distribution_form(o, db, business, dl::ledger_link_from_row(t).code);
                      return false;  // the list shows nothing of the distribution
                  }}};
    return open_list<dl::LedgerLink>(owner, db, business, std::move(s), dl::ledger_link_from_row,
                                     dl::read_ledger_link, link_form, dl::delete_ledger_link);
}

MasterListScreen* open_journal_classes(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"CLAS_CON", 6512, "Clases de Asiento", "CLAS_CON"};
    s.columns = {
        {"Código", "CODIGO", ""}, {"Descripción", "DESCRIP", ""}, {"Serial", "SERIAL", ""}};
    return open_list<dl::JournalClass>(owner, db, business, std::move(s),
                                       dl::journal_class_from_row, dl::read_journal_class,
                                       class_form, dl::delete_journal_class);
}

WDIAG* open_voucher_viewer(QWidget* owner, data::Db& db, const std::string& business) {
    return open_screen<VoucherViewer>(owner, db, business);
}

}  // namespace qz::gui
