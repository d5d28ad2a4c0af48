#pragma once
// The reservation form's state and rules (SPA_RESE with its lines SPA_RESD): what the screen
// shows and what it may save. The screen only displays this object and forwards what the user
// types; every message goes through UserPort.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/spa/reservations/line_pricing.h"
#include "domain/spa/reservations/reservation_record.h"

namespace qz::domain::spa {

enum class FormMode { New, Modify, Consult };
// The field a refused check puts the focus on.
enum class FormField {
    Name,
    Date,
    Start,
    End,
    Persons,
    Room,
    Agent,
    PriceType,
    Lines,
    HotelRoom,
    Email
};

class SpaReservation {
public:
    SpaReservation(data::Db& db, UserPort& port, std::string business, std::string user);

    // A blank new reservation; `room`, `date` and `start` preset it (the agenda's cell).
    void start_new(const std::string& room = "", const Date& date = {},
                   const std::string& start = "");
    // Reads a saved reservation for modifying or consulting; false when it does not exist. A
    // cancelled or invoiced one is only consulted, whatever was asked.
    bool load(const std::string& code, FormMode mode);

    SpaHeader header;
    std::vector<SpaLine> lines;
    // The date as typed ("dd/mm/aaaa"): a text that is no day leaves the date empty, and saving
    // then says the date is wrong rather than missing.
    void type_date(std::string_view text);
    FormMode mode() const { return m_mode; }
    // The customer whose own prices come first (the spa register's default customer).
    std::string customer;
    // Queues the confirmation mail of a saved reservation; true when queued. Set by whoever
    // can reach the mail service.
    std::function<bool(const SpaReservation&)> send_confirmation;

    // Hotel room of an in-house guest: fills the blank name, phone and e-mail from the guest.
    // A room without a guest in house is refused with a message and cleared.
    bool choose_hotel_room(const std::string& room);
    // A new line (or line i) for the article: description, tax and price of the price type. A
    // discount the line already has is held to the new article's authorised percent.
    bool set_article(size_t i, const std::string& code);
    // The amounts of line i. A value its SPA_RESD field cannot hold (negative, too wide, too
    // many decimals, a discount above 100), or one that makes the line's total too wide for the
    // invoice, is refused with a message and the line keeps what it had; false then.
    bool set_quantity(size_t i, const Decimal& q);
    bool set_price(size_t i, const Decimal& price);  // typed by hand
    // Above the authorised percent the user is told and the discount cut back to it.
    bool set_discount(size_t i, const Decimal& pct);
    // What the user typed for one of those amounts ("1,234.50"), read through its field.
    bool type_amount(size_t i, LineAmount which, std::string_view typed);
    // Prices every line not typed by hand again (the price type changed).
    void reprice();
    void remove_line(size_t i);
    Totals totals() const { return line_totals(lines); }

    // The checks of saving, in order; nullopt when all pass, else the field to focus after
    // the message was shown.
    std::optional<FormField> validate();
    // The extra checks of invoicing.
    std::optional<FormField> validate_invoicing();
    // Validates and writes; on a refusal returns the field to focus.
    std::optional<FormField> save();
    // After a refusal on FormField::Lines: the line and amount the focus belongs on, when the
    // refusal was about one line.
    struct LineSpot {
        size_t line;
        LineAmount amount;
    };
    std::optional<LineSpot> refused_line() const { return m_refused_line; }

private:
    bool refuse(const std::string& text);
    void price_line(SpaLine& l);
    bool set_line_amount(size_t i, LineAmount which, const Decimal& value);
    // Cuts the line's discount back to its article's authorised percent, telling the user;
    // false when it had to.
    bool hold_discount(SpaLine& l);
    // Every line again, as saving must not trust what was checked while typing: the article
    // may have changed under a discount, or its limit since.
    std::optional<FormField> check_lines();
    std::optional<FormField> refuse_line(size_t i, LineAmount which, const std::string& text);

    data::Db& m_db;
    UserPort& m_port;
    std::string m_business, m_user;
    FormMode m_mode = FormMode::New;
    Date m_saved_date;         // the date as loaded, to tell a changed date
    std::string m_saved_room;  // the room as loaded: a blocked room keeps what it holds
    bool m_bad_date = false;   // the typed date is no day
    std::optional<LineSpot> m_refused_line;
};

// Whether the business mails a confirmation on creation (F_FAC.SPA_A_MAIL = 1).
bool mails_confirmation(data::Db& db, const std::string& business);

}  // namespace qz::domain::spa
