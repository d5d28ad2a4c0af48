#pragma once
// PAGO_ELECTRONICO: a card purchase or void through the workstation's terminal of one of the two
// networks. The networks' client libraries are loaded by name for each call (the settings choose
// the real library or the training simulator), every attempt is logged in LOG_P_EL, and for the
// second network the card is read on the stripe reader first and a voucher is printed twice.
//
// Card data (number, expiry, track) lives only in memory for the call: it is never written to a
// table, a log, a voucher or a file, and every buffer that held it is wiped before it is freed.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/decimal.h"
#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/pos/card_log.h"
#include "domain/pos/card_terminal.h"

namespace qz::services::terminals {

// A card read from the stripe. Neither copied nor kept: its destructor wipes every field.
struct CardReading {
    std::string number, name, expiry, track;
    CardReading() = default;
    CardReading(CardReading&& other) noexcept;
    CardReading& operator=(CardReading&& other) noexcept;
    CardReading(const CardReading&) = delete;
    CardReading& operator=(const CardReading&) = delete;
    ~CardReading();
};

// The card-reading step (READ_TCCARD). The screens show it as a dialog over the serial reader.
class CardReader {
public:
    virtual ~CardReader() = default;
    // Nothing: the cashier cancelled, or the port was not available (already told).
    virtual std::optional<CardReading> READ_TCCARD(const std::string& currency_symbol,
                                                   const Decimal& amount) = 0;
};

// What a second-network voucher shows; the card is already masked.
struct Voucher {
    std::string business;
    bool is_void = false;
    std::string masked_card, authorisation, reference;
    DateTime when;
    std::string currency_symbol;
    Decimal amount;
};

// Prints a voucher twice ("***ORIGINAL***", "***COPIA CLIENTE***") on the printer the settings
// name for vouchers; tells the cashier itself when it cannot.
class VoucherPrinter {
public:
    virtual ~VoucherPrinter() = default;
    virtual void print_voucher(const Voucher& voucher) = 0;
};

// The two networks' client libraries, as paths or names handed to dlopen.
struct CardLibraries {
    std::string provider1, provider2;
};

// The libraries this workstation uses: section PAGO_ELECTRONICO of QUARTZEN.INI, key MODO
// "ENTRENAMIENTO" for the simulators in `simulator_dir`, else the networks' own libraries
// (keys LIB1 and LIB2 override either).
CardLibraries card_libraries(const IniFile& ini, const std::filesystem::path& simulator_dir);

// The workstation's station code for `business` (section ESTACION_CREDIT), padded to 15.
std::string station_code(const IniFile& ini, const std::string& business);

// "4111111111111111" -> "************1111": every character but the last four replaced by "*".
std::string mask_card(const std::string& card);

class CardService : public domain::pos::CardTerminal {
public:
    CardService(data::Db& db, UserPort& port, const IniFile& ini, CardLibraries libraries,
                CardReader& reader, VoucherPrinter& printer);
    domain::pos::CardAnswer PAGO_ELECTRONICO(const domain::pos::CardRequest& request) override;

private:
    domain::pos::CardAnswer posware(const domain::pos::CardRequest& q);
    domain::pos::CardAnswer sockpos_purchase(const domain::pos::CardRequest& q);
    domain::pos::CardAnswer sockpos_void(const domain::pos::CardRequest& q);
    // An attempt that ended before any network answered (no library, no terminal, an amount
    // the terminal cannot take): logged, and answered with `status` and `text`.
    domain::pos::CardAnswer unsent(const domain::pos::CardRequest& q, const std::string& card,
                                   const std::string& text, std::optional<int> status);
    domain::pos::CardAnswer missing_library(const domain::pos::CardRequest& q,
                                            const std::string& card);
    // Writes the attempt's LOG_P_EL row. A row that cannot be written is told to the cashier
    // but never loses what the network answered: the card may have been charged.
    void log(const domain::pos::CardLogRow& row, domain::pos::CardAnswer& answer);
    void print(const Voucher& voucher);
    std::string currency_symbol(const domain::pos::CardRequest& q);

    data::Db& m_db;
    UserPort& m_port;
    const IniFile& m_ini;
    CardLibraries m_libraries;
    CardReader& m_reader;
    VoucherPrinter& m_printer;
};

}  // namespace qz::services::terminals
