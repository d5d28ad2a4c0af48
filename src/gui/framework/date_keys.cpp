#include "gui/framework/date_keys.h"

#include <QCalendarWidget>
#include <QContextMenuEvent>
#include <QDate>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/framework/framework_settings.h"

namespace qz::gui {

namespace {
class DateKeys : public QObject {
public:
    explicit DateKeys(QLineEdit* edit) : QObject(edit), m_edit(*edit) {
        setObjectName("date_keys");
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (!date_keys_enabled()) return false;
        if (e->type() == QEvent::KeyPress) return step(static_cast<QKeyEvent*>(e)->text());
        if (e->type() == QEvent::ContextMenu && field_date(m_edit)) {
            show_calendar(m_edit);
            return true;
        }
        return false;
    }

private:
    bool step(const QString& typed) {
        int days = 0;
        if (typed == "+" || typed == QChar(0xA1)) days = 1;
        if (typed == "-" || typed == "'") days = -1;
        if (days == 0 || m_edit.isReadOnly()) return false;
        const auto date = field_date(m_edit);
        if (!date) return false;
        put_field_date(m_edit, date->add_days(days));
        return true;
    }

    QLineEdit& m_edit;
};

QDate to_qdate(const Date& d) { return QDate(d.year(), d.month(), d.day()); }
}  // namespace

void attach_date_keys(QLineEdit* edit) {
    if (!edit->findChild<DateKeys*>("date_keys", Qt::FindDirectChildrenOnly)) new DateKeys(edit);
}

std::optional<Date> field_date(const QLineEdit& edit) {
    if (edit.hasSelectedText()) return std::nullopt;
    const std::string text = edit.text().toStdString();
    if (text.find_first_not_of("0123456789/ ") != std::string::npos) return std::nullopt;
    auto date = Date::from_ctod(text);
    if (!date || date->empty() || date->year() == 0) return std::nullopt;
    return date;
}

void put_field_date(QLineEdit& edit, const Date& date) {
    const bool long_year = edit.text().trimmed().size() == 10;
    edit.setText(QString::fromStdString(long_year ? date.dtoc4() : date.dtoc()));
}

QWidget* show_calendar(QLineEdit& edit) {
    auto* popup = new QWidget(&edit, Qt::Popup);
    popup->setObjectName("SHOW_CAL");
    popup->setAttribute(Qt::WA_DeleteOnClose);
    auto* calendar = new QCalendarWidget(popup);
    calendar->setFirstDayOfWeek(Qt::Sunday);
    if (auto date = field_date(edit)) calendar->setSelectedDate(to_qdate(*date));
    auto* layout = new QVBoxLayout(popup);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(calendar);
    QObject::connect(calendar, &QCalendarWidget::clicked, popup, [&edit, popup](QDate d) {
        put_field_date(edit, Date(d.year(), d.month(), d.day()));
        popup->close();
    });
    popup->move(edit.mapToGlobal(QPoint(0, edit.height())));
    popup->show();
    calendar->setFocus();
    return popup;
}

}  // namespace qz::gui
