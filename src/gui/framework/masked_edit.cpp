#include "gui/framework/masked_edit.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QValidator>
#include <algorithm>

#include "core/picture.h"
#include "core/text.h"
#include "gui/framework/date_keys.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

namespace {
constexpr int kUrlLength = 5000;

// Typing and pasting go through the field's own rule of what it accepts.
class MaskValidator : public QValidator {
public:
    MaskValidator(QObject* parent, std::function<bool(QChar)> allowed, bool upper)
        : QValidator(parent), m_allowed(std::move(allowed)), m_upper(upper) {}

    State validate(QString& input, int&) const override {
        if (m_upper) input = QString::fromStdString(upper_latin(input.toStdString()));
        for (QChar c : input)
            if (!m_allowed(c)) return Invalid;
        return Acceptable;
    }

private:
    std::function<bool(QChar)> m_allowed;
    bool m_upper;
};

struct EditPicture {
    std::string functions, tmpl;
};

EditPicture split_picture(const std::string& picture) {
    const std::string up = upper_latin(trim(picture));
    if (up == "URL" || up == "EMAIL") return {"X", ""};
    if (picture.empty() || picture[0] != '@') return {"", picture};
    const size_t blank = picture.find(' ');
    if (blank == std::string::npos) return {picture.substr(1), ""};
    return {picture.substr(1, blank - 1), trim(picture.substr(blank + 1))};
}

bool is_time_template(const std::string& tmpl) { return tmpl == "99:99" || tmpl == "99:99:99"; }

// "9:30", "0930", "930" and "09:30" all read as "09:30"; blank reads as no time.
bool read_time(const std::string& typed, size_t parts, std::string& out) {
    std::vector<std::string> groups;
    const std::string t = trim(typed);
    if (t.find_first_not_of(": ") == std::string::npos) {
        out.clear();
        return true;
    }
    if (t.find(':') != std::string::npos) {
        size_t from = 0;
        for (size_t colon; (colon = t.find(':', from)) != std::string::npos; from = colon + 1)
            groups.push_back(t.substr(from, colon - from));
        groups.push_back(t.substr(from));
    } else {
        for (size_t end = t.size(); end > 0; end = end > 2 ? end - 2 : 0)
            groups.insert(groups.begin(), t.substr(end > 2 ? end - 2 : 0, end > 2 ? 2 : end));
    }
    if (groups.size() > parts) return false;
    const int limits[] = {24, 60, 60};
    out.clear();
    for (size_t i = 0; i < parts; ++i) {
        const std::string g = i < groups.size() ? groups[i] : "0";
        if (g.empty() || g.size() > 2 || g.find_first_not_of("0123456789") != std::string::npos)
            return false;
        const int n = std::stoi(g);
        if (n >= limits[i]) return false;
        out += (i ? ":" : "") + pad_left(std::to_string(n), 2, '0');
    }
    return true;
}

// "050914" and "05092014" are dates typed without the slashes; "." may stand for "/".
std::optional<Date> read_date(std::string t) {
    for (char& c : t)
        if (c == '.') c = '/';
    t = trim(t);
    if (t.find_first_not_of("/ ") == std::string::npos) return Date();
    if (t.find_first_not_of("0123456789") == std::string::npos && (t.size() == 6 || t.size() == 8))
        t = t.substr(0, 2) + "/" + t.substr(2, 2) + "/" + t.substr(4);
    auto d = Date::from_ctod(t);
    if (!d || d->empty() || d->year() == 0) return std::nullopt;
    return d;
}
}  // namespace

LR_MASKED::LR_MASKED(QWidget* parent, int id, Value value, std::string picture)
    : QLineEdit(parent), m_value(std::move(value)), m_picture(std::move(picture)) {
    setObjectName(QString::number(id));
    configure();
    setText(QString::fromStdString(shown(m_value)));
    if (m_kind == Kind::Date) attach_date_keys(this);
}

void LR_MASKED::configure() {
    const EditPicture pic = split_picture(m_picture);
    const bool european = pic.functions.find('E') != std::string::npos;
    m_upper =
        pic.functions.find('!') != std::string::npos || pic.tmpl.find('!') != std::string::npos;
    m_edit_picture = (european ? "@E " : "") + pic.tmpl;
    if (std::holds_alternative<Decimal>(m_value))
        m_kind = Kind::Number;
    else if (std::holds_alternative<Date>(m_value))
        m_kind = Kind::Date;
    else
        m_kind = is_time_template(pic.tmpl) ? Kind::Time : Kind::Text;

    int limit = pic.tmpl.empty() ? 32767 : static_cast<int>(utf8_length(pic.tmpl));
    if (pic.functions == "X" && pic.tmpl.empty()) limit = kUrlLength;
    if (m_kind == Kind::Date) limit = 10;
    setMaxLength(limit);
    setAlignment(m_kind == Kind::Number ? Qt::AlignRight : Qt::AlignLeft);
    delete validator();
    setValidator(new MaskValidator(
        this, [this](QChar c) { return allowed(c); }, m_upper));
}

bool LR_MASKED::allowed(QChar c) const {
    const char ch = c.toLatin1();
    const bool digit = ch >= '0' && ch <= '9';
    switch (m_kind) {
        case Kind::Number:
            return digit || ch == ',' || ch == '.' || ch == '-' || ch == ' ';
        case Kind::Date:
            return digit || ch == '/' || ch == '.' || ch == ' ';
        case Kind::Time:
            return digit || ch == ':';
        case Kind::Text:
            return true;
    }
    return true;
}

char LR_MASKED::GetType() const {
    return m_kind == Kind::Number ? 'N' : m_kind == Kind::Date ? 'D' : 'C';
}

void LR_MASKED::SetPicture(std::string picture) {
    m_picture = std::move(picture);
    configure();
    setText(QString::fromStdString(shown(m_value)));
}

void LR_MASKED::SetAmount(AmountField field) {
    m_amount = std::move(field);
    SetPicture(m_amount->picture());
    if (m_amount->negative) setMaxLength(maxLength() + 1);  // the minus takes no digit's place
}

std::string LR_MASKED::refusal(const std::string& typed, Value& out) const {
    static const char* const kText[] = {"Texto inválido", "Número inválido", "Fecha inválida",
                                        "Hora inválida"};
    if (m_kind == Kind::Number && m_amount) {
        Decimal d;
        std::string why = m_amount->read(typed, d);
        if (why.empty()) out = d;
        return why;
    }
    return read_plain(typed, out) ? "" : kText[static_cast<int>(m_kind)];
}

bool LR_MASKED::read(const std::string& typed, Value& out) const {
    return refusal(typed, out).empty();
}

bool LR_MASKED::read_plain(const std::string& typed, Value& out) const {
    switch (m_kind) {
        case Kind::Number: {
            Decimal d;
            if (!pic_parse(typed, m_edit_picture, d)) return false;
            out = d;
            return true;
        }
        case Kind::Date: {
            auto d = read_date(typed);
            if (d) out = *d;
            return d.has_value();
        }
        case Kind::Time: {
            std::string t;
            const auto parts = std::count(m_edit_picture.begin(), m_edit_picture.end(), ':') + 1;
            if (!read_time(typed, static_cast<size_t>(parts), t)) return false;
            out = t;
            return true;
        }
        case Kind::Text:
            out = typed;
            return true;
    }
    return false;
}

std::string LR_MASKED::shown(const Value& v) const {
    switch (m_kind) {
        case Kind::Number:
            if (m_amount) return m_amount->show(std::get<Decimal>(v));
            return trim(pic_format(std::get<Decimal>(v), m_edit_picture));
        case Kind::Date: {
            const Date& d = std::get<Date>(v);
            return d.empty() ? std::string() : d.dtoc();
        }
        default:
            return std::get<std::string>(v);
    }
}

LR_MASKED::Value LR_MASKED::value() const {
    Value v;
    return read(text().toStdString(), v) ? v : m_value;
}

Decimal LR_MASKED::number() const { return std::get<Decimal>(value()); }
Date LR_MASKED::date() const { return std::get<Date>(value()); }
std::string LR_MASKED::text_value() const { return std::get<std::string>(value()); }

void LR_MASKED::set_value(Value value) {
    m_value = std::move(value);
    setText(QString::fromStdString(shown(m_value)));
}

bool LR_MASKED::commit() {
    Value v;
    if (const std::string why = refusal(text().toStdString(), v); !why.empty()) {
        complain(why);
        return false;
    }
    const Value before = m_value;
    m_value = v;
    if (valid) {
        m_complaining = true;
        const bool ok = valid(*this);
        m_complaining = false;
        if (!ok) {
            m_value = before;
            return false;
        }
    }
    setText(QString::fromStdString(shown(m_value)));
    emit value_accepted();
    return true;
}

void LR_MASKED::complain(const std::string& text) {
    m_complaining = true;
    MESSAGE_BOX(this, text, "Atencion", kMbIconExclamation);
    m_complaining = false;
}

void LR_MASKED::_Paste() {
    QString kept;
    for (QChar c : QGuiApplication::clipboard()->text())
        if (allowed(c)) kept += c;
    insert(m_upper ? QString::fromStdString(upper_latin(kept.toStdString())) : kept);
}

void LR_MASKED::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Paste))
        _Paste();
    else
        QLineEdit::keyPressEvent(e);
}

void LR_MASKED::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    if (when && !when()) {
        focusNextPrevChild(e->reason() != Qt::BacktabFocusReason);
        return;
    }
    // A date is stepped with the date keys, which need the field without a selection.
    if (m_kind == Kind::Date) deselect();
}

void LR_MASKED::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    const auto reason = e->reason();
    const bool left_window = reason == Qt::ActiveWindowFocusReason ||
                             reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason;
    if (left_window || m_complaining || isReadOnly()) return;
    if (!commit()) {
        setFocus(Qt::OtherFocusReason);
        selectAll();
    }
}

}  // namespace qz::gui
