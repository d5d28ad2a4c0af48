#include "domain/ledger/balance_repair.h"

#include <cctype>
#include <map>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/balance_invariant.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/payment_setup.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

constexpr const char* kPrefix = "ABJ-";

struct Adjustment {
    BalanceCheck doc;
    std::string payment_concept, method;
};

bool needs_adjustment(const BalanceCheck& c) {
    return !c.annulled && !c.unconverted && c.expected.to_int() > c.recorded.to_int();
}

// The default payment concept and method of each document concept, when the payment concept
// lowers a balance (an adjustment of any other would widen the gap it closes).
class Defaults {
public:
    Defaults(data::Db& db, const std::string& business) : m_db(db), m_business(business) {}
    std::optional<std::pair<std::string, std::string>> of(const std::string& concept_code) {
        auto it = m_known.find(concept_code);
        if (it != m_known.end()) return it->second;
        std::optional<std::pair<std::string, std::string>> out;
        const auto c = read_document_concept(m_db, m_business, concept_code);
        const auto pay =
            c ? read_payment_concept(m_db, m_business, c->payment_concept) : std::nullopt;
        if (pay && pay->balance_sign == 0) out.emplace(pay->code, c->payment_method);
        return m_known[concept_code] = out;
    }

private:
    data::Db& m_db;
    std::string m_business;
    std::map<std::string, std::optional<std::pair<std::string, std::string>>> m_known;
};

long last_counter(data::Db& db, const std::string& business) {
    UsedTable enc(db, "ENC_MOVE", "ENC_MOVE");
    if (!enc->SeekLast(data::order_key_prefix("ENC_MOVE", "ENC_MOVE", {business}, kPrefix)))
        return 0;
    const std::string number = trim(enc->str("MOVIMIENTO")).substr(4);
    size_t digits = 0;
    while (digits < number.size() && std::isdigit(static_cast<unsigned char>(number[digits])))
        ++digits;
    return digits == 0 ? 0 : std::stol(number.substr(0, digits));
}

void put(data::WDBTable& t, std::initializer_list<std::pair<const char*, data::Value>> fields) {
    data::ADD_NEW_REC(t);
    for (const auto& [field, value] : fields) t.FieldPut(field, value);
    data::UNLOCK_NEW_REC(t);
}

void write_adjustment(data::Db& db, const std::string& business, const std::string& number,
                      const Adjustment& a, const customers::LogWriter& who) {
    const BalanceCheck& d = a.doc;
    const Decimal difference = d.expected - d.recorded;
    const auto customer = customers::read_customer(db, business, d.customer);
    {
        UsedTable enc(db, "ENC_MOVE", "ENC_MOVE");
        put(*enc, {{"NEGOCIO", business},
                   {"MOVIMIENTO", number},
                   {"FECHA", d.date},
                   {"HORA", who.at.time},
                   {"CLIENTE", d.customer},
                   {"NOM_CLIENT", customer ? customer->name : d.name},
                   {"MONTO", difference},
                   {"MONEDA", d.currency},
                   {"DESCRIP", "Ajuste de saldo del documento " + d.document},
                   {"USUARIO", who.user},
                   {"INFO_USER", info_user(who.at)}});
    }
    {
        UsedTable det(db, "DET_MOVE", "DET_MOVE");
        put(*det, {{"NEGOCIO", business},
                   {"MOVIMIENTO", number},
                   {"DOCUMENTO", d.document},
                   {"CONCEPTO", a.payment_concept},
                   {"DESCRIP", "Ajuste de saldo"},
                   {"FECHA", d.date},
                   {"HORA", who.at.time},
                   {"MONTO", difference},
                   {"SALDO_ANT", d.recorded + difference},
                   {"SALDO", d.recorded}});
    }
    if (a.method.empty()) return;
    UsedTable tender(db, "DET_MOV2", "DET_MOV2");
    put(*tender, {{"NEGOCIO", business},
                  {"MOVIMIENTO", number},
                  {"CODIGO", a.method},
                  {"MONTO", difference},
                  {"DESCRIP", "Ajuste de saldo"}});
}

// The documents to adjust, and those that cannot be.
std::vector<Adjustment> find_adjustments(data::Db& db, const std::string& business,
                                         RepairResult& result) {
    Defaults defaults(db, business);
    std::vector<Adjustment> out;
    expected_balance(db, business, [&](const BalanceCheck& c) {
        if (!needs_adjustment(c)) return;
        if (const auto d = defaults.of(c.concept_code))
            out.push_back({c, d->first, d->second});
        else
            result.skipped.push_back(c.document);
    });
    return out;
}

}  // namespace

std::string adjustment_number(long counter) {
    return kPrefix + pad_left(std::to_string(counter), 15 - std::string(kPrefix).size(), '0');
}

std::optional<RepairResult> FIX_SAL(data::Db& db, UserPort& port, const std::string& business,
                                    const customers::LogWriter& who) {
    if (!port.confirm("Advertencia", kRepairAsk)) return std::nullopt;
    RepairResult result;
    try {
        auto wait = port.wait("Re-aplicando saldos...");
        data::Transaction tx(db);
        const auto adjustments = find_adjustments(db, business, result);
        long counter = last_counter(db, business);
        for (const auto& a : adjustments) {
            std::string number;
            do number = adjustment_number(++counter);
            while (key_exists(db, "ENC_MOVE", "ENC_MOVE", {business, number}));
            if (wait) wait->put_text(a.doc.document);
            write_adjustment(db, business, number, a, who);
            result.receipts.push_back(number);
        }
        tx.commit();
    } catch (const data::TransactionAborted&) {
        refuse(port, kRecodeAborted);
        return std::nullopt;
    }
    if (!result.skipped.empty()) {
        std::string list;
        for (const auto& s : result.skipped) list += (list.empty() ? "" : ", ") + s;
        port.message(MsgStyle::Atencion, "", kRepairSkipped + list);
    }
    port.message(MsgStyle::Aviso, "", kRepairDone);
    return result;
}

}  // namespace qz::domain
