#include "domain/regular/regular_writer.h"

#include <stdexcept>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/rates.h"
#include "domain/ledger/series_checks.h"
#include "domain/pos/sale_documents.h"
#include "domain/pos/sale_journal.h"
#include "domain/pos/sale_save_run.h"
#include "domain/pos/sale_stock.h"
#include "domain/session/master_rows.h"

namespace qz::domain::regular {

namespace {

using pos::SaleLine;

constexpr const char* kMissingConcept = "El concepto de facturación no se encuentra (1)...";
constexpr const char* kTypedNumbers =
    "Documento definido con consecutivo definible manualmente\nNo se va a generar el documento";

bool refuse(Generation& g, const std::string& text) {
    g.port.message(MsgStyle::Atencion, "Atencion", text);
    return false;
}

// What is read and settled before anything of the document is written.
struct Settled {
    DocumentConcept doc_concept;
    std::string series;
    std::string name;  // NOM_CLIENT
    Decimal rate = Decimal(1), local_rate = Decimal(1);
};

std::string document_name(Generation& g, const RegularDocument& d, const customers::Customer& c) {
    if (g.settings.customer_name) return c.name;
    for (const auto& b : customers::customer_branches(g.db, g.business, c.code))
        if (trim(d.branch).empty() ? b.branch.principal : b.branch.code == trim(d.branch))
            return b.branch.name.empty() ? c.name : b.branch.name;
    return c.name;
}

bool settle_rates(Generation& g, const ModelHeader& h, const Date& date, Settled& s) {
    const std::string& acc = g.ledger.accounting_currency;
    if (!acc.empty() && acc != h.currency) {
        const RequiredRate q = required_rate(g.db, g.business, acc, h.currency, date);
        if (!q) return refuse(g, q.problem);
        s.rate = q.factor;
    }
    if (g.ledger.posts && !acc.empty() && !g.local_currency.empty() && g.local_currency != acc) {
        const RequiredRate q = required_rate(g.db, g.business, acc, g.local_currency, date);
        if (!q) return refuse(g, q.problem);
        s.local_rate = q.factor;
    }
    return true;
}

std::optional<Settled> settle(Generation& g, const RegularDocument& d, const ChosenModel& m,
                              const Date& date) {
    Settled s;
    const auto c = read_document_concept(g.db, g.business, m.model.header.concept_code);
    if (!c) return refuse(g, kMissingConcept), std::nullopt;
    s.doc_concept = *c;
    if (c->flag("LEE_SERIAL")) return refuse(g, kTypedNumbers), std::nullopt;
    const ConceptSeries cs = concept_series(
        {c->code, c->name, c->series, false, c->flag("SERI_LOCAL")}, g.request.workstation);
    if (!cs.refusal.empty()) return refuse(g, cs.refusal), std::nullopt;
    s.series = cs.series;
    const std::string why = check_before_drawing(g.db, g.business, s.series, c->name, 0);
    if (!why.empty()) return refuse(g, why), std::nullopt;
    const auto customer = customers::read_customer(g.db, g.business, d.customer);
    if (!customer) return refuse(g, "Cliente no existe: " + d.customer), std::nullopt;
    s.name = document_name(g, d, *customer);
    if (!settle_rates(g, m.model.header, date, s)) return std::nullopt;
    return s;
}

// What multiplies the model's quantities: the periods billed and, with extra data, the hours
// and the days (each when given).
Decimal quantity_factor(const Generation& g, const RegularDocument& d) {
    Decimal f(g.request.periods());
    if (d.extra_data) {
        if (!d.hours.is_zero()) f = f * d.hours;
        if (!d.days.is_zero()) f = f * d.days;
    }
    return f;
}

std::vector<SaleLine> document_lines(const Model& m, const Decimal& factor) {
    std::vector<SaleLine> out;
    for (const ModelLine& ml : m.lines) {
        SaleLine l;
        l.code = ml.code;
        l.price = ml.price;
        l.first_price = ml.previous_price;
        l.quantity = ml.quantity * factor;
        l.discount = ml.discount;
        l.tax = ml.tax;
        l.own_tax = ml.tax;
        l.price_type = ml.price_type;
        l.cost = ml.cost;
        l.freight = ml.freight * factor;
        l.load = ml.load * factor;
        l.invoice_text = ml.invoice_text;
        l.manual = ml.manual;
        l.special_rule = ml.special_rule;
        out.push_back(l);
    }
    return out;
}

// The model's instalments carry its amount over to the document's: each one's share of the
// model's principal, the last taking what rounding left; none gives one at the concept's term.
std::vector<PlanInstalment> document_plan(const Model& m, const Date& date, const Date& due,
                                          const Decimal& amount) {
    Decimal model_total;
    for (const ModelInstalment& i : m.instalments) model_total += i.principal;
    std::vector<PlanInstalment> out;
    if (model_total.is_zero()) {
        out.push_back({due, amount, Decimal(), 0});
        return out;
    }
    Decimal left = amount;
    for (size_t k = 0; k < m.instalments.size(); ++k) {
        const ModelInstalment& i = m.instalments[k];
        const Decimal share =
            k + 1 == m.instalments.size() ? left : (i.principal * amount / model_total).round(2);
        left -= share;
        out.push_back({date + i.days, share, (i.interest * amount / model_total).round(2), 0});
    }
    return out;
}

// FECHA_I under the regular document's lock, inside the document's transaction.
void store_cut_off(Generation& g, const RegularDocument& d, const Date& cut_off) {
    data::Table t = data::USE(g.db, "FAC_REG", "FAC_REG2");
    const std::string key =
        data::order_key("FAC_REG", "FAC_REG2", {g.business, static_cast<long long>(d.code)});
    if (!lock_at_key(*t, key)) {
        data::KILLTABLA(g.db, t);
        throw std::runtime_error("El documento regular " + std::to_string(d.code) +
                                 " ya no existe");
    }
    t->FieldPut("FECHA_I", cut_off);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(g.db, t);
}

class DocumentWriter {
public:
    DocumentWriter(Generation& g, const RegularDocument& d, const ChosenModel& m, const Settled& s,
                   Date date)
        : m_g(g), m_d(d), m_m(m.model), m_s(s), m_date(date) {}

    GeneratedDocument write() {
        const RunRequest& r = m_g.request;
        const Decimal factor = quantity_factor(m_g, m_d);
        const std::vector<SaleLine> lines = document_lines(m_m, factor);
        const pos::OtherCharges others{true, false};
        const pos::DocumentFigures figures = pos::document_figures(lines, others);
        const pos::SaleTables tables = pos::sale_tables(pos::SaleTarget::Receivable);
        const DateTime now = m_g.db.clock().now();
        m_time = now.time;
        m_info = r.info_user.empty() ? info_user(now) : r.info_user;

        data::Transaction tx(m_g.db, data::kTransPosInvoice);
        const std::string number = pos::draw_series_number(m_g.db, m_g.business, tables.header,
                                                           m_s.series, m_s.doc_concept.name);
        const pos::StockOutcome stock = pos::issue_document_stock(
            {m_g.db, m_g.business, m_s.doc_concept, m_g.ledger, m_m.header.warehouse, m_s.name,
             m_date, m_time, r.user, m_info},
            number, lines);
        const Date due = m_date + m_s.doc_concept.term_days;
        const auto plan = document_plan(m_m, m_date, due, figures.amount());
        pos::write_header_row(m_g.db, tables.header, header(number, figures, stock, due, plan));
        pos::write_line_rows(m_g.db, tables.lines, line_rows(number, others), lines,
                             stock.stock_before);
        pos::write_instalments(m_g.db, m_g.business, number, plan);
        if (m_g.ledger.posts) post(number, lines, figures);
        if (r.advance.any())
            store_cut_off(
                m_g, m_d,
                advance_cut_off(m_d.cut_off, r.application, r.advance.times(r.periods())));
        tx.commit();
        return {number,           m_d.code, trim(m_d.customer),
                trim(m_d.branch), m_s.name, m_m.header.currency,
                m_period,         m_date,   figures.amount()};
    }

    void set_period(std::string p) { m_period = std::move(p); }

private:
    pos::DocumentHeaderRow header(const std::string& number, const pos::DocumentFigures& f,
                                  const pos::StockOutcome& stock, const Date& due,
                                  const std::vector<PlanInstalment>& plan) const {
        const RunRequest& r = m_g.request;
        const ModelHeader& h = m_m.header;
        pos::DocumentHeaderRow w;
        w.business = m_g.business;
        w.register_code = r.register_code;
        w.customer = normal_code(m_d.customer);
        w.name = m_s.name;
        w.branch = trim(m_d.branch);
        w.number = number;
        w.date = m_date;
        w.time = m_time;
        w.figures = f;
        w.due = due;
        w.concept_code = m_s.doc_concept.code;
        w.agent = h.agent;
        w.currency = h.currency;
        w.price_type = h.price_type;
        w.order_ref = h.order_ref;
        w.purchase = h.purchase;
        w.remission = h.number;
        w.contract = h.contract;
        w.contest = h.contest;
        w.description = m_period;
        w.diff_type = h.diff_type.empty() ? m_s.doc_concept.diff_type : h.diff_type;
        w.rate = m_s.rate;
        w.movement = stock.movement;
        w.instalments = static_cast<int>(plan.size());
        w.late_rate = m_s.doc_concept.late_rate;
        w.clas1 = h.clas1;
        w.clas2 = h.clas2;
        w.clas3 = h.clas3;
        w.referred = h.referred;
        w.operator_code = r.operator_code;
        w.user = r.user;
        w.info_user = m_info;
        w.warehouse = h.warehouse;
        w.collection_stage = collection_stage("", m_s.doc_concept, m_g.ledger);
        w.cost_centre = h.cost_centre;
        w.sales_centre = m_s.doc_concept.sales_centre;
        return w;
    }

    pos::DocumentLineRows line_rows(const std::string& number,
                                    const pos::OtherCharges& others) const {
        pos::DocumentLineRows w;
        w.business = m_g.business;
        w.register_code = m_g.request.register_code;
        w.customer = normal_code(m_d.customer);
        w.number = number;
        w.warehouse = m_m.header.warehouse;
        w.price_type = m_m.header.price_type;
        w.time = m_time;
        w.date = m_date;
        w.texts = true;
        w.others = others;
        return w;
    }

    // The document's own accounting transaction on the day's "02" voucher, balanced and closed
    // inside the document's database transaction.
    void post(const std::string& number, const std::vector<SaleLine>& lines,
              const pos::DocumentFigures& f) {
        ContaTransaction conta(m_g.db, m_g.business, "02", m_date, number,
                               JournalStamp{m_g.request.user, m_info},
                               static_cast<Books>(m_s.doc_concept.books));
        if (!conta.ok()) throw std::runtime_error(conta.error());
        pos::SaleJournalContext c;
        c.business = m_g.business;
        c.doc_concept = &m_s.doc_concept;
        c.settings = &m_g.ledger;
        c.currency = m_m.header.currency;
        c.rate = m_s.rate;
        c.local_currency = m_g.local_currency;
        c.local_rate = m_s.local_rate;
        c.warehouse = m_m.header.warehouse;
        c.customer = normal_code(m_d.customer);
        c.branch = trim(m_d.branch);
        pos::SaleJournal j(m_g.db, conta, c);
        j.begin_document(number, m_s.name);
        for (const SaleLine& l : lines) j.post_line(l);
        j.post_document({number, m_s.name, f.amount(), f.tax, f.discount});
        conta.close();
    }

    Generation& m_g;
    const RegularDocument& m_d;
    const Model& m_m;
    const Settled& m_s;
    Date m_date;
    std::string m_time, m_info, m_period;
};

}  // namespace

bool cut_off_allows(Generation& g, const RegularDocument& d) {
    if (!g.request.validate_cut_off || d.cut_off.empty() || d.cut_off <= g.request.application)
        return true;
    return refuse(g, "Atención: \nDocumento Regular: " + d.description +
                         "\ntiene fecha de corte superior al día de Aplicación: " +
                         d.cut_off.dtoc4() + "\nNo se procesará...");
}

std::optional<GeneratedDocument> generate_from_model(Generation& g, const RegularDocument& d,
                                                     const ChosenModel& m) {
    const Date date = regular_document_date(d, g.request.application);
    const auto settled = settle(g, d, m, date);
    if (!settled) return std::nullopt;
    DocumentWriter w(g, d, m, *settled, date);
    w.set_period(period_text(d, g.request.application, g.request.description,
                             g.settings.append_description));
    return w.write();
}

std::optional<GeneratedDocument> PASAFAC1(Generation& g, const RegularDocument& d) {
    if (!cut_off_allows(g, d)) return std::nullopt;
    auto m = read_model(g.db, kRegularModels, g.business, d.model_number());
    if (!m) {
        refuse(g, "No se encuentra el documento modelo: " + d.model_number());
        return std::nullopt;
    }
    return generate_from_model(g, d, {std::move(*m), false});
}

}  // namespace qz::domain::regular
