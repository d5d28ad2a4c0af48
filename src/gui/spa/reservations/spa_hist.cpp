// SPA_HIST (command 6429): the registered reservations, filtered by state and person in charge.
#include "gui/spa/reservations/spa_hist.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/picture.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/spa/reservations/form_lists.h"
#include "domain/spa/reservations/reservation_row.h"
#include "gui/browse/add2browse.h"
#include "gui/framework/wdiag.h"
#include "gui/session/app_context.h"
#include "gui/spa/reservations/reservation_screens.h"

namespace qz::gui {

namespace ds = domain::spa;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

class SpaHist : public WDIAG, public SpaHistScreen {
public:
    SpaHist(QWidget* owner, AppContext& ctx)
        : WDIAG(owner, "SPA_HIST", 6429, {true, true}), m_ctx(ctx) {}

    void AbrirBases() override { m_t = data::USE(*m_ctx.db, "SPA_RESE", "SPA_HTC"); }
    void CerrarBases() override { data::KILLTABLA(*m_ctx.db, m_t); }

    bool Init() override {
        AbrirBases();
        auto* top = new QVBoxLayout(this);
        auto* filters = new QHBoxLayout;
        m_state = Add(new QComboBox, spa_hist::kStateFilter);
        m_state->addItems({"TODOS", "ACTIVA", "FACTURADA", "ANULADA"});
        m_agent = Add(new QComboBox, spa_hist::kAgentFilter);
        m_agent->addItem("TODOS", "");
        for (const auto& a : ds::spa_agents(*m_ctx.db, m_ctx.session.XU_COMP))
            m_agent->addItem(q(upper_latin(a.name)), q(a.code));
        filters->addWidget(new QLabel("Estado"));
        filters->addWidget(m_state);
        filters->addWidget(new QLabel("Encargado"));
        filters->addWidget(m_agent);
        filters->addStretch();
        top->addLayout(filters);
        m_grid = new WBLISTBOX(this, *m_t, "SPA_HIST", spa_hist::kGrid);
        Add(m_grid, spa_hist::kGrid);
        top->addWidget(m_grid);
        MontarColumnas();
        connect(m_state, &QComboBox::activated, this, [this] { apply_filters(); });
        connect(m_agent, &QComboBox::activated, this, [this] { apply_filters(); });
        setWindowTitle("Reservas Registradas");
        apply_filters();
        Create();
        return true;
    }
    void MontarColumnas() override {
        auto& t = *m_t;
        auto& db = *m_ctx.db;
        const std::string biz = m_ctx.session.XU_COMP;
        AGREGARCOL(*m_grid, t, "Código", "CODIGO");
        AGREGARCOL(*m_grid, t, "Fecha", "FECHA");
        AGREGARCOL(*m_grid, t, "Nombre", "A_NOMBRE");
        AGREGARCOL(*m_grid, t, "Estado", "", "",
                   [&t] { return CellValue(ds::state_name(ds::reservation_from_row(t).state)); });
        AGREGARCOL(*m_grid, t, "Hora I.", "HORA_INI");
        AGREGARCOL(*m_grid, t, "Hora F.", "HORA_FIN");
        AGREGARCOL(*m_grid, t, "Sala", "", "", [&t, &db, biz] {
            return CellValue(ds::room_description(db, biz, ds::reservation_from_row(t).room));
        });
        AGREGARCOL(*m_grid, t, "# Pax", "NUM_PERSON", "9999");
        AGREGARCOL(*m_grid, t, "# Room", "COD_ROOM");
        AGREGARCOL(*m_grid, t, "Teléfonos", "TELEFONOS");
        AGREGARCOL(*m_grid, t, "Encargado", "", "", [&t, &db, biz] {
            return CellValue(ds::agent_name(db, biz, ds::reservation_from_row(t).agent));
        });
        AGREGARCOL(*m_grid, t, "Factura", "MOV_CXC");
        AGREGARCOL(*m_grid, t, "Info. Anulación", "INFO_ANUL");
    }

    // SpaHistScreen
    std::string current_code() override {
        return m_t->Eof() ? "" : ds::reservation_from_row(*m_t).code;
    }
    void refresh() override { m_grid->REFRESHALL(); }
    AppContext& context() override { return m_ctx; }
    WBLISTBOX& grid() override { return *m_grid; }

private:
    // Scope letter T (business), E (person in charge), S (state) or X (both); each has its own
    // orders by code, date, name and, without a state filter, state.
    void apply_filters() {
        const int state = m_state->currentIndex();
        const std::string agent = m_agent->currentData().toString().toStdString();
        const char scope = state == 0 ? (agent.empty() ? 'T' : 'E') : (agent.empty() ? 'S' : 'X');
        BrowMarksOptions o;
        const std::string prefix = std::string("SPA_H") + scope;
        o.sortable = {
            {"CODIGO", prefix + "C"}, {"FECHA", prefix + "F"}, {"A_NOMBRE", prefix + "N"}};
        if (state == 0) o.sortable.push_back({"Estado", prefix + "S"});
        o.initial_sort = std::min<int>(std::max(1, m_grid->GET_OB_ORDER()),
                                       static_cast<int>(o.sortable.size()));
        o.scope_start = scope_key(prefix + "C", state, agent);
        m_grid->BrowMarks(std::move(o));
    }

    // The filters as the leading parts of `order`, which every order of the scope shares:
    // business, then the state when one is chosen, then the person in charge when one is.
    std::string scope_key(const std::string& order, long long state, const std::string& agent) {
        const std::string& biz = m_ctx.session.XU_COMP;
        if (state > 0 && !agent.empty())
            return data::order_key("SPA_RESE", order, {biz, state, agent});
        if (state > 0) return data::order_key("SPA_RESE", order, {biz, state});
        if (!agent.empty()) return data::order_key("SPA_RESE", order, {biz, agent});
        return data::order_key("SPA_RESE", order, {biz});
    }

    AppContext& m_ctx;
    data::Table m_t;
    QComboBox* m_state = nullptr;
    QComboBox* m_agent = nullptr;
    WBLISTBOX* m_grid = nullptr;
};

}  // namespace

WDIAG* open_spa_hist(QWidget* owner, AppContext& ctx) { return open_screen<SpaHist>(owner, ctx); }

}  // namespace qz::gui
