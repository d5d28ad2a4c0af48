#include "gui/main/app_navigation.h"

#include "core/stamp.h"
#include "gui/lists/show_cal.h"
#include "gui/mail/session_file_mailer.h"
#include "gui/print/tree_report.h"
#include "gui/session/session_context.h"
#include "gui/shell/principal.h"
#include "gui/spa/reservations/reservation_screens.h"
#include "gui/workbook/dbf_ob.h"

namespace qz::gui {

namespace {

class AppNavigation : public Navigation {
public:
    explicit AppNavigation(AppContext& ctx)
        : m_ctx(ctx),
          m_mailer(make_file_mailer(
              SessionContext{*ctx.db, ctx.port, ctx.session, ctx.settings, *ctx.ini}, ctx.home)) {}

    void new_reservation(QWidget* owner, const SpaSlot& slot) override {
        open_new_reservation(owner, m_ctx, slot.room, slot.day, slot.time);
    }
    void slot_reservations(QWidget* owner, const SpaSlot& slot) override {
        open_slot_reservations(owner, m_ctx, slot.room, slot.day, slot.time);
    }

    bool exports_grids() const override { return true; }
    void export_grid(QWidget* owner, std::unique_ptr<services::GridExportSource> source,
                     const std::string& caption) override {
        DbfObSettings s;
        s.temp_folder = m_ctx.temp_dir;
        s.bmp_folder = std::filesystem::path(m_ctx.home) / "BMP";
        s.logo = m_ctx.settings.XLOGOFILE;
        s.stamp = {m_ctx.clock.now(), m_ctx.session.XUSER_ABREVIA, computer_name()};
        open_dbf_ob(owner, std::move(source), caption, s);
    }

    bool has_calendar() const override { return true; }
    std::optional<ChosenDate> choose_date(QWidget* owner, Date initial) override {
        auto choice = show_cal(owner, initial);
        if (!choice) return std::nullopt;
        return ChosenDate{choice->first, choice->second};
    }

    bool prints_trees() const override { return true; }
    void print_tree(const std::string& title, const std::vector<TreePrintLine>& lines,
                    bool dotted) override {
        print_tree_report(m_ctx.window, title, lines, dotted);
    }

    bool mail_file(QWidget* owner, const FileMailRequest& request) override {
        return m_mailer(owner, request);
    }

private:
    AppContext& m_ctx;
    FileMailer m_mailer;
};

}  // namespace

std::unique_ptr<Navigation> make_app_navigation(AppContext& ctx) {
    return std::make_unique<AppNavigation>(ctx);
}

}  // namespace qz::gui
