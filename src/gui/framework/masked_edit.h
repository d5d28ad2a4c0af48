#pragma once
// LR_MASKED: the edit field of numbers, dates, times and texts typed through a picture.
//
// Numbers ("999,999,999.99", "@E 99,999", "99.9") are typed freely with digits, separators and
// a minus sign, read exactly with the picture code when the field is left and shown formatted
// again; a date ("dd/mm/yy", or six or eight digits) has the date keys and the calendar; a time
// has the picture "99:99" (or "99:99:99") and may be typed without the colon. Text that does not
// read keeps the focus in the field after the system's message. Of the picture's functions only
// E (European separators) and ! (upper case) matter to an edit; "URL" and "EMAIL" take up to
// 5000 characters. A number field bound to an amount field (SetAmount) reads and shows through
// that field instead, and refuses with its message what the field cannot hold.
#include <QLineEdit>
#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "core/amount.h"
#include "core/date.h"
#include "core/decimal.h"

namespace qz::gui {

class LR_MASKED : public QLineEdit {
    Q_OBJECT
public:
    using Value = std::variant<std::string, Decimal, Date>;

    // The kind of the value decides the kind of field; `id` becomes the objectName.
    LR_MASKED(QWidget* parent, int id, Value value, std::string picture = {});

    // 'C' text (and time), 'N' number, 'D' date.
    char GetType() const;
    const std::string& GetPicture() const { return m_picture; }
    void SetPicture(std::string picture);
    // Makes this a number field of `field`: its picture, its separators typed or not, its
    // bounds checked as the field is left.
    void SetAmount(AmountField field);

    // The value the text reads as now; the last accepted one while the text does not read.
    Value value() const;
    Decimal number() const;
    Date date() const;
    std::string text_value() const;
    void set_value(Value value);

    // Reads the text as the value; when it does not read, or the valid block refuses it, the
    // user is told and false returned. Leaving the field does this.
    bool commit();
    // Pastes the clipboard keeping only what the field accepts.
    void _Paste();

    // False: the field cannot be entered now and the focus passes on.
    std::function<bool()> when;
    // Checks an accepted value (the field already holds it); false keeps the focus in the field,
    // after the block has told the user why.
    std::function<bool(LR_MASKED&)> valid;

signals:
    void value_accepted();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    enum class Kind { Text, Number, Date, Time };
    void configure();
    bool read(const std::string& typed, Value& out) const;
    bool read_plain(const std::string& typed, Value& out) const;  // through the picture alone
    // Why the text does not read; "" when it does (and `out` holds the value).
    std::string refusal(const std::string& typed, Value& out) const;
    std::string shown(const Value& v) const;
    bool allowed(QChar c) const;
    void complain(const std::string& text);

    Kind m_kind;
    Value m_value;
    std::string m_picture;
    std::string m_edit_picture;  // what the number code reads: template and the E function
    std::optional<AmountField> m_amount;
    bool m_upper = false;
    bool m_complaining = false;
};

}  // namespace qz::gui
