#pragma once
// "AGEN_SPA" (command 6415): the spa's day at the reception desk. A column per treatment room,
// a row per slot, each cell coloured free, partly taken or full and naming who is booked. The
// year and month buttons and the date field move the day; choosing an empty cell books it,
// choosing a taken one lists its reservations (both through the session's navigation).
#include <string>

#include "core/clock.h"
#include "domain/spa/agenda/spa_agenda.h"
#include "gui/framework/wdiag.h"
#include "gui/session/navigation.h"

class QLabel;
class QTableWidget;
class QTimer;

namespace qz::data {
class Db;
}

namespace qz::gui {

class LR_MASKED;

class AgendaScreen : public WDIAG {
    Q_OBJECT
public:
    static constexpr int kContext = 6415;
    enum Id {
        kIdGrid = 101,
        kIdDate = 102,
        kIdYearBack = 103,
        kIdMonthBack = 104,
        kIdMonthOn = 105,
        kIdYearOn = 106,
        kIdRefresh = 107,
        kIdDayName = 108,
        kIdPrint = 201,
    };
    static constexpr int kRefreshMs = 60000;

    AgendaScreen(QWidget* owner, data::Db& db, std::string negocio, const Clock& clock,
                 Navigation& navigation);

    bool Init() override;
    void refresh_after_child() override { refresh(); }
    // Coming back to the agenda from another screen (a booking made from the slot list, say)
    // shows the day as it is now.
    void SHOW_MENU() override {
        WDIAG::SHOW_MENU();
        refresh();
    }

    // Reads the day again and shows it.
    void refresh();
    void set_day(const Date& day);
    const Date& day() const { return m_day; }
    const domain::spa::AgendaDay& agenda() const { return m_agenda; }
    // What choosing the cell at (row, column) does; column 0 is "HORA", row -1 is none.
    void choose(int row, int column);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void build_grid();
    void show_agenda();
    void date_typed();

    data::Db& m_db;
    std::string m_negocio;
    const Clock& m_clock;
    Navigation& m_navigation;
    Date m_day;
    domain::spa::AgendaDay m_agenda;
    QTableWidget* m_grid = nullptr;
    LR_MASKED* m_date = nullptr;
    QLabel* m_day_name = nullptr;
    QTimer* m_timer = nullptr;
};

// Opens the agenda on today; null when it could not open.
AgendaScreen* open_spa_agenda(QWidget* owner, data::Db& db, const std::string& negocio,
                              const Clock& clock, Navigation& navigation);

}  // namespace qz::gui
