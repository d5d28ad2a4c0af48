// The register of FAC_POS: opening, re-opening and closing it through the register dialogs,
// taking its defaults into the sale (PARAMS_CAJA), and the register a spa invoice takes from the
// workstation's settings. Until an invoice-like sale has a register, its lines stay closed.
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "core/text.h"
#include "domain/cash/register_defaults.h"
#include "domain/cash/register_settings.h"
#include "domain/cash/workstation_register.h"
#include "gui/cash/closing_report.h"
#include "gui/cash/register_dialogs.h"
#include "gui/framework/qt_user_port.h"
#include "gui/pos/sale/fac_pos_screen.h"

namespace qz::gui {

using namespace fac_pos;
namespace pos = domain::pos;
namespace dc = domain::cash;

namespace {

constexpr const char* kNoRegister = "????";

QString q(const std::string& s) { return QString::fromStdString(s); }

// A spa invoice's register: the workstation's F_SPA register, taken without asking when the
// workstation says so (or the sale is not a spa service's), the register is open and, when the
// business checks it, the workstation may operate it. Its operator is the running shift's.
std::optional<dc::TakenRegister> spa_register(data::Db& db, const IniFile* ini,
                                              const std::string& business, bool spa_service) {
    if (!ini) return std::nullopt;
    const std::string b = trim(business);
    const std::string code = trim(ini->get("F_SPA", b + "SPA_CAJA"));
    const bool automatic = !spa_service || ini->get("F_SPA", b + "SPA_CAJA_AUT") == "1";
    if (code.empty() || !automatic) return std::nullopt;
    const auto reg = dc::read_register(db, dc::kPosRegisters, business, code);
    if (!reg || !reg->is_open()) return std::nullopt;
    if (dc::read_register_settings(db, business).check_pos_auth &&
        !dc::authorised(ini, dc::kPosAuthSection, business, code))
        return std::nullopt;
    const auto shift = dc::running_shift(db, dc::kPosRegisters, business, code);
    if (!shift) return std::nullopt;
    const auto op = dc::read_operator(db, business, shift->operator_code);
    if (!op) return std::nullopt;
    return dc::TakenRegister{*reg, *op};
}

}  // namespace

void FAC_POS::start_lines() {
    const std::string& business = m_session.XU_COMP;
    std::optional<dc::TakenRegister> taken = m_source.taken;
    if (!taken && m_draft.mode().kind == pos::SaleKind::Spa) {
        taken = spa_register(m_db, m_ini, business, m_source.spa_service);
        if (taken)
            dc::take_register(m_session, dc::kFamilyPos, taken->reg, taken->op);
        else
            QTimer::singleShot(0, this, [this] { ABRE_CAJA(); });
    }
    if (taken) PARAMS_CAJA(*taken);
    if (!trim(m_source.customer).empty()) m_draft.PROCE_CLIENTE(m_source.customer);
    for (const auto& l : m_source.lines) {
        const pos::CodeResult r = m_draft.PROCESA_COD(m_draft.lines().size() - 1, l.article);
        if (!r.accepted) continue;
        m_draft.set_quantity(r.row, l.quantity);
        if (l.price) m_draft.set_price(r.row, *l.price);
        if (!l.invoice_text.empty()) m_draft.set_invoice_text(r.row, l.invoice_text);
    }
    show_register();
    refresh();
    refresh_number();
}

void FAC_POS::PARAMS_CAJA(const dc::TakenRegister& taken) {
    m_taken = taken;
    m_extras.card.reset();
    if (taken.reg.REQ_CAP_DA) CAPTURA_DATOS();
    m_draft.PARAMS_CAJA(dc::sale_defaults(taken.reg), m_extras.card);
    if (m_source.fill && !m_filled) {
        m_filled = true;
        QtUserPort port(this);
        if (!m_source.fill(m_draft, port))
            QTimer::singleShot(0, this, [this] { CLOSEIT(kCmdEnd); });
    }
    show_register();
    refresh();
    refresh_number();
}

void FAC_POS::show_register() {
    m_register_label->setText(q("Caja: " + (m_taken ? m_taken->reg.description : "")));
    m_operator_label->setText(q("Digitador: " + (m_taken ? m_taken->op.name : "")));
    // A spa invoice asks for its register like any invoice, so its lines wait for one too.
    const bool needs_register =
        m_draft.mode().invoice_like() || m_draft.mode().kind == pos::SaleKind::Spa;
    m_grid->setEnabled(m_taken || !needs_register);
    control(kOpenRegister)->setEnabled(!m_taken);
    control(kReopenRegister)->setEnabled(!m_taken);
    control(kCloseRegister)->setEnabled(m_taken.has_value());
}

void FAC_POS::ABRE_CAJA() {
    const std::string held = m_taken ? m_taken->reg.code : kNoRegister;
    if (auto t = open_register_dialog(this, m_db, m_ini, m_session.XU_COMP, held, &m_session))
        PARAMS_CAJA(*t);
}

void FAC_POS::REABRE_CAJA() {
    if (m_taken) return;
    if (auto t = reopen_register_dialog(this, m_db, m_ini, m_session.XU_COMP, &m_session))
        PARAMS_CAJA(*t);
}

// The sale typed so far stays on the screen, without the register's defaults and locks, until
// a register is taken again.
void FAC_POS::CLOSE_CAJA() {
    const std::string held = m_taken ? m_taken->reg.code : "";
    if (!close_register(this, m_db, m_session.XU_COMP, held,
                        closing_report_for(this, m_db, m_session.XU_COMP), &m_session))
        return;
    m_taken.reset();
    m_extras.card.reset();
    m_draft.PARAMS_CAJA(pos::RegisterDefaults{});
    show_register();
    refresh();
}

WDIAG* open_fac_pos(QWidget* owner, data::Db& db, domain::Session& session, const IniFile* ini,
                    pos::SaleMode mode, FacPosSource source) {
    return open_screen<FAC_POS>(owner, db, session, ini, std::move(mode), std::move(source));
}

}  // namespace qz::gui
