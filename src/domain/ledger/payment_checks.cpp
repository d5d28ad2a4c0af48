#include "domain/ledger/payment_checks.h"

#include <map>
#include <set>

#include "core/picture.h"
#include "core/text.h"
#include "data/order_key.h"
#include "domain/ledger/active_month.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/exchange_difference.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"
#include "domain/session/pass_code.h"

namespace qz::domain {

namespace {

bool exists(data::Db& db, const char* table, const std::string& business, const std::string& code) {
    return !trim(code).empty() && key_exists(db, table, table, {business, trim(code)});
}

class Checks {
public:
    Checks(data::Db& db, UserPort& port, const PaymentDraft& d, const char* range_text)
        : m_db(db),
          m_port(port),
          m_d(d),
          m_h(d.header()),
          m_biz(d.business()),
          m_range_text(range_text) {}

    std::optional<CheckedPayment> run() {
        if (!customer_and_date() || !document_in_active_month(m_db, m_port, m_biz, m_h.date) ||
            !date_range() || !receipt_number() || !nothing_left() || !residues() || !links() ||
            !document_dates() || !one_accounting_mode() || !tenders() || !register_and_clerk() ||
            !codes_exist() || !minimum_rates())
            return std::nullopt;
        return m_out;
    }

private:
    bool fail(const std::string& text) { return refuse(m_port, text); }

    bool customer_and_date() {
        if (!exists(m_db, "CLIENTES", m_biz, m_h.customer))
            return fail("Código de Cliente inválido...");
        if (m_h.date.empty()) return fail("Fecha del Abono inválida...");
        return true;
    }

    bool date_range() {
        const LedgerSettings& s = m_d.settings();
        if (!s.reads_date) return true;
        if (m_h.date.empty()) return fail("Falta definir la fecha de emisión");
        const Date today = m_db.clock().XDATE();
        if (m_h.date < today - s.days_before || m_h.date > today + s.days_after)
            return fail(m_range_text);
        return true;
    }

    // A block that numbers from its series numbers the receipt when it is processed.
    bool receipt_number() {
        const auto block = read_receipt_block(m_db, m_biz, m_h.block);
        if (!block || !block->typed) return true;
        const std::string n = trim(m_h.receipt);
        if (n.empty()) return fail("El # de Recibo no debe estar vacío");
        if (static_cast<long>(utf8_length(n)) < block->min_length)
            return fail("La Longitud del Consecutivo Manual debe ser mayor a " +
                        std::to_string(block->min_length));
        return true;
    }

    bool nothing_left() {
        if (m_d.lines().empty() && !m_d.note()) return fail("No hay documentos por procesar");
        for (const auto& l : m_d.lines())
            if (l.factor.sign() <= 0) return fail(kMissingPaymentRate);
        if (!m_d.available().round(2).is_zero()) return fail("Todavía hay Disponible por aplicar");
        return true;
    }

    bool residues() {
        std::map<std::string, Decimal> margins;
        for (const auto& l : m_d.lines()) {
            if (!margins.count(l.currency)) {
                const auto c = read_currency(m_db, m_biz, l.currency);
                margins[l.currency] =
                    c && !c->margin_cxc.is_zero() ? c->margin_cxc : m_d.settings().balance_margin;
            }
            const auto settled = settle_residue(l.new_balance, margins[l.currency]);
            if (!settled) return fail(kAboveAllowed);
            m_out.balances.push_back(*settled);
        }
        return true;
    }

    bool links() {
        if (!m_d.settings().posts) return true;
        std::set<std::string> seen;
        for (const auto& l : m_d.lines())
            for (const auto& link : {l.receivable_link, l.interest_link})
                if (seen.insert(link).second && !check_liga(m_db, m_port, m_biz, link).valid)
                    return false;
        return true;
    }

    bool document_dates() {
        for (const auto& l : m_d.lines())
            if (m_h.date < l.date)
                return fail("No se puede aplicar el Abono al Documento: " + l.document +
                            "\rpues el Documento es de Fecha " + l.date.dtoc() +
                            ", y el Abono\rse está tratando de registrar en fecha " +
                            m_h.date.dtoc() +
                            ". \rDebe modificar la fecha del Abono a una fecha mayor o igual a "
                            "las fechas de los documentos aplicados.");
        return true;
    }

    bool one_accounting_mode() {
        std::set<int> modes;
        for (const auto& l : m_d.lines()) {
            modes.insert(l.books);
            m_out.complement = m_out.complement || l.complement;
        }
        if (modes.size() > 1)
            return fail(
                "Los documentos aplicados involucran más de una forma de Procesamiento Contable "
                "(Contabilidad Principal/Contabilidad Replicada\rLos documentos deben ser de un "
                "solo Tipo de Procesamiento.");
        if (!modes.empty()) m_out.books = *modes.begin();
        return true;
    }

    bool typed_account(const PaymentMethod& m, const std::string& account) {
        if (account.empty())
            return fail("Debe completar la Cuenta Contable de la Forma de Pago: " + m.code);
        UsedTable t(m_db, "CUENTAS", "CUENTAS");
        if (!t->Seek(data::order_key("CUENTAS", "CUENTAS", {m_biz, account})))
            return fail("Cuenta Contable inexistente");
        if (t->num("BLOQUEADO") == 1) return fail("Cuenta Contable Bloqueada");
        if (t->num("MAYOR") == 1)
            return fail(
                "Esta Cuenta Contable es una Cuenta Mayor\rDebe seleccionar una Cuenta Menor");
        return true;
    }

    // A tender counts on the side money comes in: a credit account or a credit link against.
    Decimal signed_tender(const PaymentMethod& m, const Decimal& amount) {
        if (m.individual) return m.individual_side == 1 ? -amount : amount;
        UsedTable t(m_db, "LIGAS", "LIGAS");
        const bool credit = !m.link.empty() &&
                            t->Seek(data::order_key("LIGAS", "LIGAS", {m_biz, m.link})) &&
                            t->num("TIPO") == 0;
        return credit ? -amount : amount;
    }

    bool tenders() {
        Decimal sum;
        for (const auto& t : m_d.tenders()) {
            const auto m = read_payment_method(m_db, m_biz, t.method);
            if (!m) return fail("La Forma de Pago " + t.method + " no está definida");
            if (m->individual && !typed_account(*m, trim(t.account))) return false;
            if (m->bank_movement && trim(t.document).empty())
                return fail("La Forma de Pago: " + m->name +
                            " requiere Lectura del #Documento (#Depósito)");
            sum += signed_tender(*m, t.amount);
        }
        const Decimal diff = sum.round(2) - m_h.amount.round(2);
        if (!diff.is_zero())
            return fail("La Forma de Pago no concuerda con el Monto\rDiferencia: " +
                        trim(pic_format(diff, "999,999,999")));
        return true;
    }

    bool register_and_clerk() {
        if (trim(m_h.register_code).empty()) return fail("Debe definir la Caja");
        UsedTable t(m_db, "ENC_RCAJ", "ENC_RCAJ");
        if (t->Seek(data::order_key("ENC_RCAJ", "ENC_RCAJ", {m_biz, trim(m_h.register_code)}))) {
            const PassCodeCheck c = check_pass_code(m_h.pass_code, t->str("PASSWORD"));
            if (!c.matches) return fail("La Clave de la Caja está errada");
            m_out.rehashed_pass_code = c.rehashed;
        }
        if (trim(m_h.clerk).empty()) return fail("Debe definir el Digitador");
        return true;
    }

    bool codes_exist() {
        const auto block = read_receipt_block(m_db, m_biz, m_h.block);
        if (block && block->typed && exists(m_db, "ENC_MOVE", m_biz, m_h.receipt))
            return fail("Este recibo ya fue creado: " + trim(m_h.receipt));
        if (!exists(m_db, "CLIENTES", m_biz, m_h.customer))
            return fail("El Código de Cliente no está definido en la Base de Datos de Clientes");
        if (!block)
            return fail(
                "El Código de Block de Recibos no está definido en la Base de Datos de Blocks");
        if (!exists(m_db, "MONEDAS", m_biz, m_h.currency))
            return fail("El Código de Moneda no está definido en la Base de Datos de Monedas");
        if (!exists(m_db, "ENC_RCAJ", m_biz, m_h.register_code))
            return fail("El Código de Caja no está definido en la Base de Datos de Cajas");
        if (!exists(m_db, "DIGITA", m_biz, m_h.clerk))
            return fail(
                "El Código de Digitador no está definido en la Base de Datos de Digitadores");
        return true;
    }

    bool minimum_rates() {
        for (const auto& r : m_d.rates()) {
            const auto c = read_currency(m_db, m_biz, r.currency);
            if (!c || r.rate >= c->min_rate) continue;
            return fail(
                "El T.C. de la moneda " + c->code + " (" + c->symbol + ")" +
                " no es superior al mínimo: " + trim(pic_format(c->min_rate, "999,999.99")) +
                "\rActual: " + trim(pic_format(r.rate, "999,999.99999")));
        }
        return true;
    }

    data::Db& m_db;
    UserPort& m_port;
    const PaymentDraft& m_d;
    const PaymentHeader& m_h;
    const std::string& m_biz;
    const char* m_range_text;
    CheckedPayment m_out;
};

}  // namespace

std::optional<Decimal> settle_residue(const Decimal& balance, const Decimal& margin) {
    const Decimal b = balance.round(2);
    if (b.sign() == 0) return b;
    if (b.sign() > 0) return b <= margin ? Decimal() : b;
    if (-b <= margin) return Decimal();
    return std::nullopt;
}

std::optional<CheckedPayment> CHECK_DATA(data::Db& db, UserPort& port, const PaymentDraft& draft,
                                         const char* date_range_text) {
    return Checks(db, port, draft, date_range_text).run();
}

}  // namespace qz::domain
