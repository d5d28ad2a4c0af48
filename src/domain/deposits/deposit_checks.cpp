#include "domain/deposits/deposit_checks.h"

#include <functional>
#include <map>
#include <optional>

#include "core/picture.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/cash/register_settings.h"
#include "domain/cash/workstation_register.h"
#include "domain/deposits/deposit_concepts.h"
#include "domain/deposits/hotel_reservations.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/ledger_settings.h"

namespace qz::domain {

namespace {

constexpr const char* kRatePicture = "999,999.99";
constexpr const char* kAmountPicture = "999,999,999.99";

std::string shown(const Decimal& v, const char* picture) { return trim(pic_format(v, picture)); }

// Reads the business's row of a settings table, when there is one.
void read_settings_row(data::Db& db, const char* table, const std::string& business,
                       const std::function<void(const data::WDBTable&)>& read) {
    data::Table t = data::USE(db, table, table);
    if (t->Seek(data::order_key(table, table, {business}))) read(*t);
    data::KILLTABLA(db, t);
}

// ENC_RES.TOTAL or TOTAL4 of a reservation; 0 when it is gone.
Decimal reservation_total(data::Db& db, const std::string& business, const std::string& code,
                          bool total4) {
    data::Table t = data::USE(db, "ENC_RES", "ENC_RES");
    const Decimal total = t->Seek(data::order_key("ENC_RES", "ENC_RES", {business, code}))
                              ? t->num(total4 ? "TOTAL4" : "TOTAL")
                              : Decimal();
    data::KILLTABLA(db, t);
    return total;
}

// What the lines apply to each reservation, in the reservations' currency, by code.
std::map<std::string, Decimal> applied_by_reservation(const DepositDraft& d) {
    std::map<std::string, Decimal> by;
    for (const auto& l : d.reservations)
        if (!trim(l.reservation).empty()) by[trim(l.reservation)] += l.amount;
    return by;
}

class DepositChecker {
public:
    DepositChecker(data::Db& db, UserPort& port, const IniFile& ini, Session& s,
                   const DepositDraft& d)
        : m_db(db), m_port(port), m_ini(ini), m_s(s), m_d(d) {}

    DepositCheck run() {
        const std::function<bool()> steps[] = {
            [this] { return register_ready(); },
            [this] { return choices_made(); },
            [this] { return rates_valid(); },
            [this] { return amount_and_date(); },
            [this] { return balance_not_negative(); },
            [this] { return within_reservations(); },
            [this] { return earlier_deposits_accepted(); },
            [this] { return all_applied(); },
            [this] { return counterpart_adds_up(); },
        };
        for (const auto& step : steps)
            if (!step()) return {false, m_focus};
        return {true, DepositField::None};
    }

private:
    bool refuse(DepositField focus, const std::string& text) {
        m_port.message(MsgStyle::Error, "Error", text);
        m_focus = focus;
        return false;
    }

    bool register_ready() {
        if (!cash::CAJA_ABIERTA(m_db, m_s)) return refuse(DepositField::None, kNoOpenRegister);
        if (!cash::authorised(&m_ini, kDepositAuthSection, m_s.XU_COMP,
                              cash::GET_CAJA_ABIERTA(m_s)))
            return refuse(DepositField::None, kDepositsNotAuthorised);
        return true;
    }

    bool choices_made() {
        if (trim(m_d.made_by).empty()) return refuse(DepositField::MadeBy, kNoMadeBy);
        m_concept = trim(m_d.concept_code).empty()
                        ? std::nullopt
                        : read_deposit_concept(m_db, m_s.XU_COMP, m_d.concept_code);
        if (!m_concept) return refuse(DepositField::Concept, kNoDepositConcept);
        if (trim(m_d.currency).empty() || !read_currency(m_db, m_s.XU_COMP, m_d.currency))
            return refuse(DepositField::Currency, kBadDepositCurrency);
        m_settings = read_deposit_settings(m_db, m_s.XU_COMP);
        return true;
    }

    // The minimum rate of a currency the deposit is converted to; 0 when it has none.
    Decimal min_rate(const std::string& currency) {
        const auto c = read_currency(m_db, m_s.XU_COMP, currency);
        return c ? c->min_rate : Decimal();
    }

    bool rates_valid() {
        if (m_d.reservation_rate == 0)
            return refuse(DepositField::ReservationRate, kZeroReservationRate);
        if (m_d.accounting_rate == 0)
            return refuse(DepositField::AccountingRate, kZeroAccountingRate);
        const std::string currency = trim(m_d.currency);
        if (currency != m_settings.accounting_currency) {
            const Decimal min = min_rate(m_settings.accounting_currency);
            if (m_d.accounting_rate < min)
                return refuse(DepositField::AccountingRate,
                              kAccountingRateBelow + shown(min, kRatePicture));
        }
        if (currency != m_settings.reservation_currency) {
            const Decimal min = min_rate(m_settings.reservation_currency);
            if (m_d.reservation_rate < min)
                return refuse(DepositField::ReservationRate,
                              kReservationRateBelow + shown(min, kRatePicture));
        }
        return true;
    }

    bool amount_and_date() {
        if (m_d.amount <= 0) return refuse(DepositField::Amount, kNoDepositAmount);
        if (m_d.date.empty()) return refuse(DepositField::Date, kBadDepositDate);
        return true;
    }

    bool balance_not_negative() {
        if (m_d.amount - m_d.applied() < -m_settings.tolerance)
            return refuse(DepositField::Reservations, std::string(kNegativeBalance) + "\n" +
                                                          shown(m_d.applied(), kAmountPicture));
        return true;
    }

    bool within_reservations() {
        if (!m_concept->not_above) return true;
        std::string errors;
        for (const auto& [code, applied] : applied_by_reservation(m_d)) {
            const Decimal total =
                reservation_total(m_db, m_s.XU_COMP, code, m_settings.compare_total4);
            if (total + m_settings.margin >= applied) continue;
            errors += std::string(errors.empty() ? "" : "\n") + "Depósito de Reservación " + code +
                      " supera el Monto de la Reservación: " + shown(total, kAmountPicture) +
                      ".  Aplicado: " + shown(applied, kAmountPicture);
        }
        if (errors.empty()) return true;
        m_port.message(MsgStyle::Error, kApplicationErrorsTitle, errors);
        m_focus = DepositField::Reservations;
        return false;
    }

    bool earlier_deposits_accepted() {
        std::string listed;
        for (const auto& [code, applied] : applied_by_reservation(m_d))
            if (!reservation_deposits(m_db, m_s.XU_COMP, code).empty())
                listed += "La Reservación " + code + " ya tiene Depósitos aplicados.\n";
        if (listed.empty()) return true;
        const std::string text =
            "ADVERTENCIA:\n\n" + listed + "\nDesea continuar y aplicar el Movimiento?";
        if (m_port.confirm("Advertencia", text)) return true;
        m_focus = DepositField::Reservations;
        return false;
    }

    bool all_applied() {
        if (!m_concept->applies_all) return true;
        if (m_d.amount - m_d.applied() > m_settings.tolerance)
            return refuse(DepositField::Reservations, std::string(kAppliedNotEqual) + "\n" +
                                                          shown(m_d.applied(), kAmountPicture));
        return true;
    }

    // Only lines with an account are booked, so only they count: a figure without an account
    // would make the sum agree while the entry written does not.
    bool counterpart_adds_up() {
        Decimal net, rounded;
        for (const auto& l : m_d.counterpart) {
            if (trim(l.account).empty()) continue;
            net += l.debit - l.credit;
            rounded += ROUND5(l.debit - l.credit);
        }
        if (m_concept->kind == kCounterpartAddsUp) {
            const bool debit = m_concept->side == 1;
            if (net != (debit ? m_d.amount : -m_d.amount))
                return refuse(DepositField::Counterpart,
                              debit ? kCounterpartNotDebit : kCounterpartNotCredit);
        }
        if (m_concept->kind == kCounterpartBalances && rounded != 0)
            return refuse(DepositField::Counterpart, kCounterpartUnbalanced);
        return true;
    }

    data::Db& m_db;
    UserPort& m_port;
    const IniFile& m_ini;
    Session& m_s;
    const DepositDraft& m_d;
    std::optional<DepositConcept> m_concept;
    DepositSettings m_settings;
    DepositField m_focus = DepositField::None;
};

}  // namespace

DepositSettings read_deposit_settings(data::Db& db, const std::string& business) {
    DepositSettings s;
    read_settings_row(db, "F_HOTEL", business, [&](const data::WDBTable& t) {
        s.reservation_currency = trim(t.str("MONEDA_RES"));
        s.tolerance = t.num("DIF_PREPAG");
    });
    read_settings_row(db, "F_HOTEL3", business,
                      [&](const data::WDBTable& t) { s.margin = t.num("MARGEN_DEP"); });
    read_settings_row(db, "F_HOTEL4", business,
                      [&](const data::WDBTable& t) { s.compare_total4 = t.num("M_PREPA") != 0; });
    s.accounting_currency = trim(read_ledger_settings(db, business).accounting_currency);
    return s;
}

DepositCheck check_deposit(data::Db& db, UserPort& port, const IniFile& ini, Session& s,
                           const DepositDraft& d) {
    return DepositChecker(db, port, ini, s, d).run();
}

}  // namespace qz::domain
