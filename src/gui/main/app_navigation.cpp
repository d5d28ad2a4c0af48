#include "gui/main/app_navigation.h"

#include "gui/spa/reservations/reservation_screens.h"

namespace qz::gui {

namespace {

class AppNavigation : public Navigation {
public:
    explicit AppNavigation(AppContext& ctx) : m_ctx(ctx) {}

    void new_reservation(QWidget* owner, const SpaSlot& slot) override {
        open_new_reservation(owner, m_ctx, slot.room, slot.day, slot.time);
    }
    void slot_reservations(QWidget* owner, const SpaSlot& slot) override {
        open_slot_reservations(owner, m_ctx, slot.room, slot.day, slot.time);
    }

private:
    AppContext& m_ctx;
};

}  // namespace

std::unique_ptr<Navigation> make_app_navigation(AppContext& ctx) {
    return std::make_unique<AppNavigation>(ctx);
}

}  // namespace qz::gui
