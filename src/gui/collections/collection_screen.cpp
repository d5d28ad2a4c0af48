#include "gui/collections/collection_screen.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/collections/stage_maintenance.h"
#include "domain/session/log_sessions.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/collections/collection_receipt.h"
#include "gui/collections/stage_alert.h"
#include "gui/collections/stage_history_dialog.h"
#include "gui/framework/message_box.h"
#include "gui/session/app_context.h"

namespace qz::gui {

namespace {

using namespace collection_screen;
namespace dl = qz::domain;

// No key begins with it: the browse of a stage that shows nothing yet.
const std::string kNothing(1, '\x01');

void refuse(QWidget* w, const std::string& text) {
    MESSAGE_BOX(w, text, "Error", kMbOk | kMbIconStop);
}

}  // namespace

CollectionScreen::CollectionScreen(QWidget* owner, AppContext& ctx)
    : WDIAG(owner, "COB_HIS", kCmdCollectionScreen, ScreenOptions{true, true}),
      m_ctx(ctx),
      m_db(*ctx.db),
      m_business(ctx.session.XU_COMP) {}

bool CollectionScreen::Init() {
    m_entry_stage = dl::collection_entry_stage(m_db, m_business);
    m_table = data::USE(m_db, "DOCUMENT", "DOCUMEN23");
    auto* layout = new QVBoxLayout(this);
    auto* split = new QSplitter(this);
    split->addWidget(build_left());
    split->addWidget(build_right());
    split->setStretchFactor(1, 3);
    layout->addWidget(split);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(
        Add(new QPushButton("Siguiente Etapa", this), kForward, [this] { move_forward(); }));
    buttons->addWidget(
        Add(new QPushButton("Etapa Anterior", this), kBack, [this] { move_back(); }));
    buttons->addWidget(
        Add(new QPushButton("Historial", this), kHistory, [this] { show_history(); }));
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    layout->addLayout(buttons);
    Text("Facturas por Etapa de Cobro");
    resize(900, 500);
    Create();
    BrowMarksOptions o;
    o.scope_start = kNothing;
    o.no_refresh = true;
    m_grid->BrowMarks(std::move(o));
    refresh_counts();
    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { refresh_counts(); });
    m_timer.start();
    return true;
}

QWidget* CollectionScreen::build_left() {
    m_tree = Add(new QTreeWidget(this), kTree);
    m_tree->setHeaderLabel("Facturas");
    m_tree->setRootIsDecorated(false);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) select_stage(item->data(0, Qt::UserRole).toString().toStdString());
    });
    return m_tree;
}

QWidget* CollectionScreen::build_right() {
    auto* right = new QWidget(this);
    auto* v = new QVBoxLayout(right);
    v->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Cobrador :", right));
    m_collectors = Add(new QComboBox(right), kCollector);
    m_collectors->addItem("", QString());
    for (const auto& c : dl::active_collectors(m_db, m_business))
        m_collectors->addItem(QString::fromStdString(c.code + " - " + c.name),
                              QString::fromStdString(c.code));
    connect(m_collectors, &QComboBox::currentIndexChanged, this, [this](int i) {
        select_collector(m_collectors->itemData(i).toString().toStdString());
    });
    row->addWidget(m_collectors, 1);
    v->addLayout(row);
    m_grid = new WBLISTBOX(right, *m_table, "COB_HIS_GRID", kGrid);
    Add(m_grid, kGrid);
    AGREGARCOL(*m_grid, *m_table, "Fecha", "FECHA");
    AGREGARCOL(*m_grid, *m_table, "Documento", "DOCUMENTO");
    AGREGARCOL(*m_grid, *m_table, "Cod. Cliente", "CLIENTE");
    AGREGARCOL(*m_grid, *m_table, "Nombre", "NOM_CLIENT");
    AGREGARCOL(*m_grid, *m_table, "MONTO", "MONTO", "99,999,999.99");
    v->addWidget(m_grid, 1);
    return right;
}

void CollectionScreen::CerrarBases() {
    m_timer.stop();
    if (m_grid) m_grid->DISABLE_BROWSE();
    if (m_table) data::KILLTABLA(m_db, m_table);
}

void CollectionScreen::select_stage(const std::string& code) {
    m_stage = code;
    apply_scope();
}

void CollectionScreen::select_collector(const std::string& code) {
    m_collector = code;
    apply_scope();
}

void CollectionScreen::apply_scope() {
    const dl::StageScope s =
        dl::collection_scope(m_business, m_entry_stage, m_stage, m_collector, false);
    m_grid->NUB_CLEAR();
    m_table->SetOrder(s.order);
    m_grid->SET_SCOPE(m_stage.empty() || s.empty ? kNothing : s.key);
}

void CollectionScreen::refresh_counts() {
    if (m_counting) return;
    m_counting = true;
    const auto nodes = dl::collection_tree(m_db, m_business);
    const QSignalBlocker quiet(m_tree);
    const std::string current = m_stage;
    m_tree->clear();
    for (const auto& n : nodes) {
        auto* item = new QTreeWidgetItem(m_tree, {QString::fromStdString(n.caption)});
        item->setData(0, Qt::UserRole, QString::fromStdString(n.stage.code));
        if (n.stage.code == current) m_tree->setCurrentItem(item);
        if (stage_wants_alert(n, m_ctx.ini.get(), m_business))
            play_stage_alert(m_ctx.home, n.stage.sound);
    }
    m_counting = false;
}

std::vector<std::string> CollectionScreen::marked_documents() {
    std::vector<std::string> out;
    data::Table t = data::USE(m_db, "DOCUMENT", "DOCUMENT");
    for (long recno : GET_MARKS(*m_grid)) {
        t->GoTo(recno);
        if (!t->Eof()) out.push_back(trim(t->str("DOCUMENTO")));
    }
    data::KILLTABLA(m_db, t);
    return out;
}

std::string CollectionScreen::precheck(const std::vector<std::string>& documents, bool forward) {
    return dl::collection_move_refusal(
        dl::read_stage_chain(m_db, dl::kCollectionWorkflow, m_business), m_stage, m_collector,
        !documents.empty(), forward);
}

std::optional<StageAuthorisation> CollectionScreen::authorise(
    const std::vector<std::string>& documents, bool back) {
    // A move back always asks why, so the history never holds a return without its reason.
    if (m_authoriser && !back) return StageAuthorisation{*m_authoriser, ""};
    AuthorisationRequest r;
    r.dlg_name = back ? "D_AUT_COB" : "AUT_COB";
    r.business = m_business;
    r.stage = m_stage;
    r.document = documents.front();
    r.asks_reason = back;
    data::Table t = data::USE(m_db, "DOCUMENT", "DOCUMENT");
    if (t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {m_business, r.document})))
        r.description = trim(t->str("DESCRIP"));
    data::KILLTABLA(m_db, t);
    auto a = ask_stage_authorisation(this, m_db, dl::kCollectionWorkflow, r);
    if (a) m_authoriser = a->who;
    return a;
}

dl::CollectionMoveRequest CollectionScreen::request(std::vector<std::string> documents,
                                                    const StageAuthorisation& a) {
    dl::CollectionMoveRequest r;
    r.business = m_business;
    r.stage = m_stage;
    r.collector = m_collector;
    r.documents = std::move(documents);
    r.authoriser = a.who;
    r.reason = a.reason;
    r.user = m_ctx.session.XUSER_ABREVIA;
    r.info_user = dl::session_info_user();
    r.date = m_ctx.clock.XDATE();
    r.time = m_ctx.clock.XTIME();
    return r;
}

void CollectionScreen::move_forward() {
    auto documents = marked_documents();
    if (auto why = precheck(documents, true); !why.empty()) return refuse(this, why);
    const auto a = authorise(documents, false);
    if (!a) return;
    const auto out = dl::move_collection_forward(m_db, request(std::move(documents), *a));
    if (!out.moved) return refuse(this, out.message);
    after_move();
    if (!out.handed.empty())
        print_collection_receipt(this, m_collectors->currentText().toStdString(), out.handed);
}

void CollectionScreen::move_back() {
    auto documents = marked_documents();
    if (auto why = precheck(documents, false); !why.empty()) return refuse(this, why);
    const auto a = authorise(documents, true);
    if (!a) return;
    const auto out = dl::move_collection_back(m_db, request(std::move(documents), *a));
    if (!out.moved) return refuse(this, out.message);
    after_move();
}

void CollectionScreen::after_move() {
    m_grid->NUB_CLEAR();
    m_grid->REFRESHALL();
    refresh_counts();
}

void CollectionScreen::show_history() {
    const long recno = m_grid->nCrecNo();
    if (recno <= 0) return refuse(this, "Debe seleccionar un documento");
    data::Table t = data::USE(m_db, "DOCUMENT", "DOCUMENT");
    t->GoTo(recno);
    const std::string number = t->Eof() ? "" : trim(t->str("DOCUMENTO"));
    data::KILLTABLA(m_db, t);
    if (number.empty()) return;
    show_stage_history(this, number,
                       dl::stage_history(m_db, dl::kCollectionWorkflow, m_business, number));
}

CollectionScreen* open_collection_screen(QWidget* owner, AppContext& ctx) {
    return open_screen<CollectionScreen>(owner, ctx);
}

}  // namespace qz::gui
