// MOD_SERI: the range of the series of the point of sale's concept. The form shows the series'
// name, the next number it will issue, its last valid number and whether it is disabled; the
// range rules are the domain's.
#include "core/text.h"
#include "domain/ledger/series.h"
#include "domain/ledger/series_range.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/series/series_screens.h"
#include "gui/lists/master_form.h"
#include "gui/session/app_context.h"

namespace qz::gui {

bool open_series_range(QWidget* owner, AppContext& ctx, const std::string& code) {
    const std::string business = ctx.session.XU_COMP;
    const auto s = domain::read_series(*ctx.db, business, code);
    if (!s) {
        MESSAGE_BOX(owner, domain::series_gone(upper_ascii(trim(code))), "Error",
                    kMbOk | kMbIconStop);
        return false;
    }
    using K = FormField::Kind;
    std::vector<FormField> fields = {
        {kRName, "Serial", K::Text, s->code + " - " + s->name, 0, true},
        {kRNext, "Próximo número", K::Number, std::to_string(s->number + 1), 8},
        {kRLast, "Último número válido", K::Number, std::to_string(s->limit), 8},
        {kRDisabled, "Deshabilitado", K::Check, s->disabled ? "1" : "0"},
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        return domain::MOD_SERI(*ctx.db, port, business, s->code,
                                {v.at(kRNext), v.at(kRLast), v.at(kRDisabled) == "1"});
    };
    return run_master_form(owner, "MOD_SERI", "Rango del Consecutivo", std::move(fields), save);
}

}  // namespace qz::gui
