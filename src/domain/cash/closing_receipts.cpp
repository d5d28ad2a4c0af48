#include "domain/cash/closing_receipts.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/ordered_reader.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/rates.h"

namespace qz::domain::cash {

namespace {

// The rows a closing looks up over and over, each read once.
class ReceiptSource {
public:
    ReceiptSource(data::Db& db, const ReceiptPeriod& p)
        : m_db(db),
          m_p(p),
          m_tenders(db, "DET_MOV2", "DET_MOV2", "\x01", {"CODIGO", "MONTO"}),
          m_applied(db, "DET_MOVE", "DET_MOVE", "\x01", {"DOCUMENTO", "SALDO_ANT", "SALDO"}),
          m_rates(db, "DET_MOV3", "DET_MOV3", "\x01", {"CAMBIO"}),
          m_lines(db, "DET_DOC", "DET_DOC", "\x01",
                  {"PRECIO", "CANTIDAD", "DESCUENTO", "IMPUESTO"}),
          m_customers(db, "CLIENTES", "CLIENTES", "\x01", {"NOMBRE"}) {
        for (const auto& c : business_currencies(db, p.business)) m_symbols[c.code] = c.symbol;
    }

    void fill(ClosingReceipt& r, const std::string& stored_name) {
        const std::string key = data::order_key("DET_MOV2", "DET_MOV2", {m_p.business, r.number});
        m_tenders.rescope(key);
        while (m_tenders.next())
            r.tenders.push_back({trim(m_tenders.str("CODIGO")), m_tenders.num("MONTO")});
        m_applied.rescope(data::order_key("DET_MOVE", "DET_MOVE", {m_p.business, r.number}));
        while (m_applied.next()) {
            const std::string doc = trim(m_applied.str("DOCUMENTO"));
            bool seen = false;
            for (const auto& d : r.documents) seen = seen || d == doc;
            if (seen) continue;
            r.documents.push_back(doc);
            // The receipt that annuls another gives the documents their balance back: their
            // amounts come off, so a sale paid and annulled within the shift nets to nothing
            // here as its tenders do.
            const bool reversal = m_applied.num("SALDO") > m_applied.num("SALDO_ANT");
            const DocumentNets& n = nets(doc);
            r.nets.taxed += reversal ? -n.taxed : n.taxed;
            r.nets.exempt += reversal ? -n.exempt : n.exempt;
            r.nets.tax += reversal ? -n.tax : n.tax;
        }
        r.symbol = trim(m_symbols[r.currency]);
        r.customer = customer(r.customer, stored_name);
        r.rate = rate(r);
    }

private:
    // The closing currency's rate: as stored with the receipt when the register closes in the
    // accounting currency, else the day's rate of the receipt's date.
    Decimal rate(const ClosingReceipt& r) {
        if (m_p.closing_currency.empty()) {
            m_rates.rescope(
                data::order_key("DET_MOV3", "DET_MOV3", {m_p.business, r.number, r.currency}));
            return m_rates.next() ? m_rates.num("CAMBIO") : Decimal(1);
        }
        if (r.currency == m_p.closing_currency) return Decimal(1);
        const auto key = std::make_pair(r.currency, r.date.dtos());
        auto found = m_day_rates.find(key);
        if (found == m_day_rates.end())
            found = m_day_rates
                        .emplace(key, CAMBIO_SPEC(m_db, m_p.business, m_p.closing_currency,
                                                  r.currency, r.date))
                        .first;
        return found->second;
    }

    const DocumentNets& nets(const std::string& doc) {
        auto found = m_docs.find(doc);
        if (found != m_docs.end()) return found->second;
        DocumentNets n;
        m_lines.rescope(data::order_key("DET_DOC", "DET_DOC", {m_p.business, doc}));
        while (m_lines.next())
            add_document_line(n, m_lines.num("PRECIO"), m_lines.num("CANTIDAD"),
                              m_lines.num("DESCUENTO"), m_lines.num("IMPUESTO"));
        return m_docs.emplace(doc, n).first->second;
    }

    // The customer's name as the customer file has it; the name written on the receipt for a
    // customer no longer there.
    std::string customer(const std::string& code, const std::string& stored_name) {
        auto found = m_names.find(code);
        if (found == m_names.end()) {
            std::string name;
            if (!code.empty()) {
                m_customers.rescope(data::order_key("CLIENTES", "CLIENTES", {m_p.business, code}));
                if (m_customers.next()) name = trim(m_customers.str("NOMBRE"));
            }
            found = m_names.emplace(code, name).first;
        }
        return found->second.empty() ? stored_name : found->second;
    }

    data::Db& m_db;
    const ReceiptPeriod& m_p;
    data::OrderedReader m_tenders, m_applied, m_rates, m_lines, m_customers;
    std::map<std::string, std::string> m_symbols, m_names;
    std::map<std::string, DocumentNets> m_docs;
    std::map<std::pair<std::string, std::string>, Decimal> m_day_rates;
};

}  // namespace

void add_document_line(DocumentNets& nets, const Decimal& price, const Decimal& quantity,
                       const Decimal& discount, const Decimal& tax_rate) {
    const Decimal net = price * quantity * (Decimal(100) - discount) / Decimal(100);
    if (tax_rate.is_zero())
        nets.exempt += net;
    else
        nets.taxed += net;
    nets.tax += net * tax_rate / Decimal(100);
}

std::vector<ClosingReceipt> read_closing_receipts(data::Db& db, const ReceiptPeriod& p) {
    std::vector<ClosingReceipt> out;
    ReceiptSource source(db, p);
    data::OrderedReader enc(db, "ENC_MOVE", "ENC_MOV7", "\x01",
                            {"MOVIMIENTO", "FECHA", "HORA", "CLIENTE", "NOM_CLIENT", "MONEDA"});
    enc.range(data::order_key("ENC_MOVE", "ENC_MOV7",
                              {p.business, p.register_code, p.start_date, p.start_time}),
              data::order_key("ENC_MOVE", "ENC_MOV7",
                              {p.business, p.register_code, p.end_date, p.end_time}));
    while (enc.next()) {
        ClosingReceipt r;
        r.number = trim(enc.str("MOVIMIENTO"));
        r.date = enc.date("FECHA");
        r.time = trim(enc.str("HORA"));
        r.customer = trim(enc.str("CLIENTE"));
        r.currency = trim(enc.str("MONEDA"));
        source.fill(r, trim(enc.str("NOM_CLIENT")));
        out.push_back(std::move(r));
    }
    return out;
}

}  // namespace qz::domain::cash
