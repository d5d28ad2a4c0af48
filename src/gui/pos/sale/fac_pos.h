#pragma once
// FAC_POS: the point-of-sale screen. A cashier takes a register, types or scans articles into the
// lines grid, and saves the sale; the header lists, the totals and every rule of the lines are
// the domain's SaleDraft, the save is SaleSave. Other screens open it for their own sales (the
// spa's "Facturar") with a source that may bring a register already taken, lines to start from
// and what to do once the sale is written.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/cash/register_opening.h"
#include "domain/pos/sale_draft.h"
#include "domain/pos/sale_kind.h"
#include "domain/session/session.h"

class QWidget;

namespace qz::gui {

class WDIAG;

// A line the sale starts with.
struct FacPosLine {
    std::string article;
    Decimal quantity = Decimal(1);
    std::optional<Decimal> price;  // typed price; nothing: the article's proposed one
    std::string invoice_text;      // blank: the article's own
};

struct FacPosSource {
    // A register already taken by the caller; nothing: the screen takes one itself.
    std::optional<domain::cash::TakenRegister> taken;
    std::string customer;  // blank: the register's default
    std::vector<FacPosLine> lines;
    // Fills the sale once its register is taken (a spa reservation's services at their quoted
    // prices); false after telling the cashier why, and the screen closes.
    std::function<bool(domain::pos::SaleDraft&, UserPort&)> fill;
    // A spa sale opened from a spa service: its register is taken automatically only when the
    // workstation says so (F_SPA, business + "SPA_CAJA_AUT").
    bool spa_service = false;
    // Inside the save's transaction, with the documents written (a throw rolls the sale back).
    std::function<void(data::Db&, const std::vector<std::string>& documents)> on_written;
    // The screen closed: the screen that opened it re-reads what the sale may have changed.
    std::function<void()> refresh_parent;
};

// Opens the screen as an MDI child of `owner`; null when it could not open (the user was told).
WDIAG* open_fac_pos(QWidget* owner, data::Db& db, domain::Session& session, const IniFile* ini,
                    domain::pos::SaleMode mode, FacPosSource source = {});

// Control ids of FAC_POS.
namespace fac_pos {
enum : int {
    kCustomer = 101,  // edit boxes of the header
    kConcept,
    kAgent,
    kCurrency,
    kWarehouse,
    kPriceType,
    kCustomerList = 111,  // and their pick lists
    kConceptList,
    kAgentList,
    kCurrencyList,
    kWarehouseList,
    kPriceTypeList,
    kNumber = 120,
    kDate,
    kTerm,
    kCustomerDiscount,
    kCustomerName,
    kAmount,       // the amount of an amount-only document
    kMaxDiscount,  // the highest discount the current line's article allows
    kRegisterLabel = 130,
    kOperatorLabel,
    kOpenRegister = 140,
    kCloseRegister,
    kReopenRegister,
    kTenders = 201,
    kPlan,
    kAttention,
    kDiscounts,
    kFreight,
    kCustomerData,
    kTexts,
    kConditions,
    kBalance,
    kToOrder,
    kToProforma,
    kSearch,
    kExempt = 220,
    kLines = 700,
    kAmountDue = 801,
    kInvoiced,
    kReturned,
    kSubtotal,
    kTax,
    kTicketLabel,
    kTicketTotal,
};
}  // namespace fac_pos

inline constexpr const char* kAskLeave = "Desea salir de Facturación?";

}  // namespace qz::gui
