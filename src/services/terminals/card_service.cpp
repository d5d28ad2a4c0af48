#include "services/terminals/card_service.h"

#include "core/picture.h"
#include "core/text.h"
#include "domain/ledger/currencies.h"
#include "services/terminals/card_attempt.h"

namespace qz::services::terminals {

using domain::pos::CardAnswer;
using domain::pos::CardLogRow;
using domain::pos::CardRequest;

std::optional<std::string> terminal_amount(const Decimal& amount) {
    if (amount <= 0) return std::nullopt;
    std::string text = trim(pic_format(amount, "999999999.99"));
    if (text.find('*') != std::string::npos) return std::nullopt;
    return text;
}

std::string invalid_amount_text(const Decimal& amount) {
    return "Monto no válido para la terminal de tarjetas: " + amount.to_string(2);
}

std::string no_terminal_text(const std::string& station, const std::string& bank,
                             const std::string& currency) {
    return "No hay terminal: estación " + trim(station) + " red " + bank + " moneda " +
           trim(currency);
}

CardService::CardService(data::Db& db, UserPort& port, const IniFile& ini, CardLibraries libraries,
                         CardReader& reader, VoucherPrinter& printer)
    : m_db(db),
      m_port(port),
      m_ini(ini),
      m_libraries(std::move(libraries)),
      m_reader(reader),
      m_printer(printer) {}

CardAnswer CardService::PAGO_ELECTRONICO(const CardRequest& q) {
    const bool known_operation =
        q.operation == domain::pos::kCardPurchase || q.operation == domain::pos::kCardVoid;
    if (!known_operation || (q.provider != 1 && q.provider != 2)) return {};
    if (q.provider == 1) return posware(q);
    return q.operation == domain::pos::kCardPurchase ? sockpos_purchase(q) : sockpos_void(q);
}

CardAnswer CardService::unsent(const CardRequest& q, const std::string& card,
                               const std::string& text, std::optional<int> status) {
    CardAnswer a;
    a.status = status;
    a.card = mask_card(card);
    a.message = text;
    log({q.business, q.provider, q.operation, card, q.reference, q.authorisation, q.trace, text},
        a);
    return a;
}

CardAnswer CardService::missing_library(const CardRequest& q, const std::string& card) {
    const std::string text = domain::pos::missing_library_message(q.provider);
    m_port.message(MsgStyle::Error, "Error", text);
    return unsent(q, card, text, std::nullopt);
}

void CardService::log(const CardLogRow& row, CardAnswer& answer) {
    try {
        domain::pos::write_card_log(m_db, row);
        answer.logged = true;
    } catch (const std::exception& e) {
        m_port.message(MsgStyle::Advertencia, "Advertencia",
                       std::string("No se pudo registrar el intento en LOG_P_EL: ") + e.what());
    }
}

void CardService::print(const Voucher& voucher) {
    // The charge stands whatever happens to the paper: a printer fault must not lose the
    // approval the sale is about to record.
    try {
        m_printer.print_voucher(voucher);
    } catch (const std::exception&) {
        m_port.message(MsgStyle::Error, "Error", "Error imprimiendo Comprobante");
    }
}

std::string CardService::currency_symbol(const CardRequest& q) {
    const auto c = domain::read_currency(m_db, q.business, q.currency);
    return c && !trim(c->symbol).empty() ? trim(c->symbol) : trim(q.currency);
}

}  // namespace qz::services::terminals
