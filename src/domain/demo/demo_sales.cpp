#include "domain/demo/demo_sales.h"

#include <chrono>
#include <random>
#include <vector>

#include "core/stamp.h"
#include "core/text.h"
#include "data/table_ops.h"
#include "domain/cash/register_defaults.h"
#include "domain/cash/register_maintenance.h"
#include "domain/cash/register_opening.h"
#include "domain/demo/demo_rows.h"
#include "domain/ledger/payment_setup.h"
#include "domain/pos/sale_save.h"
#include "domain/session/master_rows.h"

namespace qz::domain::demo {

namespace {

// The spa's register and its operators, as the demonstration installs them.
constexpr const char* kSpaRegister = "SPA1";
constexpr const char* kRegisterPassword = "SPA1";
struct Cashier {
    const char* code;
    const char* password;
};
constexpr Cashier kCashiers[] = {{"0001", "1111"}, {"0002", "2222"}};
constexpr int kMaxRegisters = 9;
constexpr long kMaxSales = 1000000;
// The in-house guest whose reservation may be charged.
constexpr const char* kGuestRoom = "201";

// A cashier who agrees to every question the closing and the save ask; what they are told goes
// to the caller's port.
class AgreeingPort : public UserPort {
public:
    explicit AgreeingPort(UserPort& inner) : m_inner(inner) {}
    void message(MsgStyle style, const std::string& title, const std::string& text) override {
        m_inner.message(style, title, text);
    }
    bool confirm(const std::string&, const std::string&) override { return true; }
    std::unique_ptr<WaitWindow> wait(const std::string& title) override {
        return m_inner.wait(title);
    }

private:
    UserPort& m_inner;
};

// The tenders are settled before the save; credit is granted as a supervisor would.
class AgreeingHooks : public pos::SaleSaveHooks {
public:
    bool credit_control(const customers::Branch&, const customers::CreditFigures&, bool) override {
        return true;
    }
    bool take_tenders(const std::string&) override { return true; }
    void attention_data() override {}
    void card_capture() override {}
    void focus_lines() override {}
};

class Seller {
public:
    Seller(data::Db& db, UserPort& port, const SalesRequest& r)
        : m_db(db),
          m_port(port),
          m_r(r),
          m_rng(r.seed),
          m_terminal(port),
          m_save(db, port, m_hooks, m_terminal) {}

    bool prepare();
    bool shift(const std::string& reg, const Cashier& who, long sales,
               const std::function<void(long)>& progress);
    const std::vector<std::string>& registers() const { return m_registers; }
    SalesMade made;

private:
    long pick(long lo, long hi) { return std::uniform_int_distribution<long>(lo, hi)(m_rng); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    pos::SaleMode mode();
    void add_lines(pos::SaleDraft& d);
    bool settle(pos::SaleDraft& d, const cash::CashRegister& reg,
                std::vector<pos::TenderRow>& rows);
    void one_sale(const cash::CashRegister& reg, const std::string& cashier);

    data::Db& m_db;
    AgreeingPort m_port;
    SalesRequest m_r;
    std::mt19937 m_rng;
    AgreeingHooks m_hooks;
    pos::UnconfiguredCardTerminal m_terminal;
    pos::SaleSave m_save;
    std::vector<std::string> m_registers, m_articles;
    std::vector<PaymentMethod> m_types;
};

// The spa's register, and as many more like it as asked for; the articles and services sold.
bool Seller::prepare() {
    const auto spa = cash::read_register(m_db, cash::kPosRegisters, kBiz, kSpaRegister);
    if (!spa) return false;
    m_registers.push_back(spa->code);
    for (int i = 2; i <= m_r.registers; ++i) {
        cash::CashRegister copy = *spa;
        copy.code = "SPA" + std::to_string(i);
        copy.description = "Caja Spa " + std::to_string(i);
        copy.state = cash::kClosed;
        if (!cash::read_register(m_db, cash::kPosRegisters, kBiz, copy.code) &&
            !cash::ADD_Caja(m_db, m_port, cash::kPosRegisters, kBiz, copy, kRegisterPassword))
            return false;
        m_registers.push_back(copy.code);
    }
    for_business_rows(m_db, "DEF_ART", kBiz, [&](const data::WDBTable& t) {
        m_articles.push_back(trim(pos::article_from_row(t).code));
    });
    m_types = business_rows<PaymentMethod>(m_db, "TIPO_MOV", kBiz, payment_method_from_row);
    return !m_articles.empty();
}

pos::SaleMode Seller::mode() {
    const long roll = pick(1, 100);
    if (roll <= 4) return {pos::SaleKind::Order, 0, ""};
    if (roll <= 7) return {pos::SaleKind::Proforma, 0, ""};
    return {pos::SaleKind::Invoice, 0, ""};
}

void Seller::add_lines(pos::SaleDraft& d) {
    const long n = pick(1, 6);
    for (long i = 0; i < n; ++i) {
        const std::string& code =
            m_articles[static_cast<size_t>(pick(0, static_cast<long>(m_articles.size()) - 1))];
        const pos::CodeResult r = d.PROCESA_COD(d.lines().size() - 1, code);
        if (!r.accepted) continue;
        // An article short of stock comes back with nothing to sell.
        if (d.lines()[r.row].quantity == 0) {
            d.delete_line(r.row);
            continue;
        }
        if (chance(30)) d.set_quantity(r.row, Decimal(pick(1, 3)));
        if (chance(20)) d.set_discount(r.row, Decimal(pick(1, 10)));
    }
}

// The tenders of an invoice, checked as the tenders dialog checks them on accept. A room whose
// credit has run out is paid in cash instead, as the cashier would ask the guest to.
bool Seller::settle(pos::SaleDraft& d, const cash::CashRegister& reg,
                    std::vector<pos::TenderRow>& rows) {
    const Decimal due = d.DISPLAY_TOT().amount_due;
    pos::TenderInputs in;
    in.business = kBiz;
    in.amount_due = due;
    in.paid = due;
    in.currency = d.header().currency;
    if (const auto& c = d.document_concept()) {
        in.cash_concept = c->flag("CANCELA");
        in.default_type = c->payment_method;
    }
    cash::put_register_tenders(reg, in);
    const std::string n = pad_left(std::to_string(made.sales + 1), 6, '0');
    auto attempt = [&](long roll) -> std::optional<pos::TenderSet> {
        pos::TenderSet set(in, m_types, {});
        set.open();
        if (roll <= 55) {
            set.set_code(0, "EF", m_port);
            set.set_amount(0, due);
        } else if (roll <= 75) {
            const Decimal cash = ROUND5(due / Decimal(2));
            set.set_code(0, "EF", m_port);
            set.set_amount(0, cash);
            set.set_code(1, "TC", m_port);
            set.set_amount(1, due - cash);
            set.set_text(1, pos::kColVoucher, "V" + n);
            set.set_text(1, pos::kColAuth, "A" + n);
        } else if (roll <= 88) {
            set.set_code(0, "HB", m_port);
            set.set_amount(0, due);
            set.set_room(0, kGuestRoom);
        } else {
            set.set_code(0, "CH", m_port);
            set.set_amount(0, due);
            set.set_text(0, pos::kColVoucher, "CH" + n);
            set.set_text(0, pos::kColAuth, "CH" + n);
        }
        if (!set.Terminar(m_db, m_port).accepted) return std::nullopt;
        return set;
    };
    long roll = pick(1, 100);
    auto set = attempt(roll);
    if (!set && roll > 55) set = attempt(roll = 1);
    if (!set) return false;
    if (roll > 55 && roll <= 75) ++made.split_tenders;
    if (roll > 75 && roll <= 88) ++made.room_charges;
    if (roll > 88) ++made.cheques;
    rows = set->used_rows();
    d.set_paid(set->paid());
    return true;
}

void Seller::one_sale(const cash::CashRegister& reg, const std::string& cashier) {
    pos::SaleDraft d(m_db, m_port, kBiz, mode());
    d.PARAMS_CAJA(cash::sale_defaults(reg));
    const bool foreign = chance(15) && d.PROCE_MONEDA(kDollars);
    const bool exempt = chance(10);
    if (exempt) d.EXENTO(true);
    add_lines(d);
    if (d.lines().size() < 2) return;
    std::vector<pos::TenderRow> tenders;
    if (d.mode().invoice_like() && !settle(d, reg, tenders)) {
        ++made.refused;
        return;
    }
    const DateTime now = m_db.clock().now();
    pos::SaleSaveContext ctx;
    ctx.business = kBiz;
    ctx.register_code = reg.code;
    ctx.operator_code = cashier;
    ctx.user = m_db.XUSER_ABREVIA;
    ctx.info_user = info_user(now);
    ctx.date = now.date;
    // The save clears the sale it wrote.
    const long lines = static_cast<long>(d.lines().size()) - 1;
    const pos::SaleKind kind = d.mode().kind;
    const auto saved = m_save.PROC_BOK(d, tenders, {}, ctx);
    if (!saved) {
        ++made.refused;
        return;
    }
    ++made.sales;
    made.documents += static_cast<long>(saved->documents.size());
    made.lines += lines;
    made.orders += kind == pos::SaleKind::Order;
    made.proformas += kind == pos::SaleKind::Proforma;
    made.exempt += exempt;
    made.foreign += foreign;
}

bool Seller::shift(const std::string& code, const Cashier& who, long sales,
                   const std::function<void(long)>& progress) {
    cash::OpenRequest open{kBiz, code, who.code, kRegisterPassword, who.password, Decimal(50000)};
    const auto taken = cash::ABRE_CAJA(m_db, m_port, cash::kPosRegisters, open);
    if (!taken) return false;
    ++made.shifts;
    for (long i = 0; i < sales; ++i) {
        one_sale(taken->reg, who.code);
        if (progress) progress(made.sales);
    }
    cash::CloseRequest close;
    close.business = kBiz;
    close.register_code = code;
    close.skip_report = true;
    return cash::CLOSE_CAJA(m_db, m_port, cash::kPosRegisters, close);
}

}  // namespace

std::optional<SalesMade> make_demo_sales(data::Db& db, UserPort& port, const SalesRequest& r,
                                         const std::function<void(long)>& progress) {
    if (r.sales < 1 || r.sales > kMaxSales || r.registers < 1 || r.registers > kMaxRegisters ||
        r.sales_per_shift < 1) {
        port.message(MsgStyle::Error, "Error",
                     "Ventas entre 1 y " + std::to_string(kMaxSales) + ", cajas entre 1 y " +
                         std::to_string(kMaxRegisters));
        return std::nullopt;
    }
    const auto start = std::chrono::steady_clock::now();
    Seller s(db, port, r);
    if (!s.prepare()) {
        port.message(MsgStyle::Error, "Error",
                     std::string("No se encuentra la caja de demostración ") + kSpaRegister);
        return std::nullopt;
    }
    long turn = 0;
    // Each register works a shift in turn until the sales asked for are made; a shift whose
    // sales are all refused would never end the run, so refusals count against it too.
    while (s.made.sales + s.made.refused < r.sales) {
        const std::string& reg = s.registers()[static_cast<size_t>(turn) % s.registers().size()];
        const long left = r.sales - s.made.sales - s.made.refused;
        if (!s.shift(reg, kCashiers[turn % 2], std::min(left, r.sales_per_shift), progress))
            return std::nullopt;
        ++turn;
    }
    s.made.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return s.made;
}

std::string describe(const SalesMade& m) {
    auto line = [](const char* what, long n) {
        return std::string(what) + std::to_string(n) + "\n";
    };
    return line("Ventas guardadas: ", m.sales) + line("  documentos: ", m.documents) +
           line("  líneas: ", m.lines) + line("  pedidos: ", m.orders) +
           line("  proformas: ", m.proformas) + line("  exentas: ", m.exempt) +
           line("  en dólares: ", m.foreign) + line("  efectivo y tarjeta: ", m.split_tenders) +
           line("  cargos a habitación: ", m.room_charges) + line("  cheques: ", m.cheques) +
           line("Turnos de caja: ", m.shifts) + line("Ventas rechazadas: ", m.refused);
}

}  // namespace qz::domain::demo
