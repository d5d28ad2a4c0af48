#include "gui/shell/principal.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "domain/session/rights.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

Principal::Principal(const std::string& title, bool with_login, PrincipalHooks hooks,
                     QWidget* parent)
    : QMainWindow(parent), m_title(title), m_login(with_login), m_hooks(std::move(hooks)) {
    setObjectName("Principal");
    setWindowTitle(q(title));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName("mdi");
    // A screen that closes gives the work back to the one used before it (the screen that
    // opened it), not to whichever screen was opened first.
    m_mdi->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        // A screen without a context entry still shows "No hay operaciones asociadas".
        if (!w) MenuSet(0, nullptr);
    });
    build_toolbar();
    build_status_bar();
    MenuSet(0, nullptr);
    m_quit_timer = new QTimer(this);
    m_quit_timer->setInterval(60000);
    connect(m_quit_timer, &QTimer::timeout, this, [this] {
        if (m_hooks.check_quit) m_hooks.check_quit();
    });
    m_quit_timer->start();
    qApp->installEventFilter(this);
}

Principal::~Principal() {
    // Children hidden while the window goes away must not rebuild its menus.
    qApp->removeEventFilter(this);
    m_mdi->disconnect(this);
}

void Principal::register_command(int id, std::function<void()> action) {
    m_commands[id] = std::move(action);
}

void Principal::register_operation(const std::string& operation,
                                   std::function<void(QWidget*)> action) {
    m_operations[operation].push_back(std::move(action));
}

bool Principal::DO_ACTION(int id) {
    if (m_in_action) return false;  // a nested command from a double press runs once
    auto it = m_commands.find(id);
    if (it == m_commands.end()) return false;
    if (m_login && m_hooks.greyed && m_hooks.greyed(id)) return false;
    m_in_action = true;
    m_xid_menu = id;
    try {
        it->second();
    } catch (...) {
        m_in_action = false;
        throw;
    }
    m_in_action = false;
    return true;
}

void Principal::build_menu(QMenu* parent, const std::vector<MenuItem>& items) {
    for (const auto& m : items) {
        switch (m.kind) {
            case MenuItem::Kind::Separator:
                parent->addSeparator();
                break;
            case MenuItem::Kind::Submenu:
                build_menu(parent->addMenu(q(m.caption)), m.children);
                break;
            case MenuItem::Kind::NoAction:
                parent->addAction(q(m.caption))->setEnabled(false);
                break;
            case MenuItem::Kind::Exit:
                connect(parent->addAction(q(m.caption)), &QAction::triggered, this,
                        &QWidget::close);
                break;
            case MenuItem::Kind::Window: {
                QAction* a = parent->addAction(q(m.caption));
                a->setObjectName(QString::number(m.id));
                connect(a, &QAction::triggered, this, [this, id = m.id] { window_command(id); });
                break;
            }
            case MenuItem::Kind::Command: {
                QAction* a = parent->addAction(q(m.caption));
                a->setObjectName(QString::number(m.id));
                bool denied = m_login && m_hooks.greyed && m_hooks.greyed(m.id);
                bool built = m_commands.count(m.id) > 0;
                a->setEnabled(!denied && built);
                if (!built) a->setStatusTip("Opción disponible en una próxima versión");
                if (m_hooks.checked && m_hooks.checked(m.id)) {
                    a->setCheckable(true);
                    a->setChecked(true);
                }
                connect(a, &QAction::triggered, this, [this, id = m.id] { DO_ACTION(id); });
                break;
            }
        }
    }
}

void Principal::build_editar(QMenu* menu) {
    const auto& items = context_items(m_context);
    if (items.empty()) {
        menu->addAction("No hay operaciones asociadas")->setEnabled(false);
        return;
    }
    for (const auto& it : items) {
        if (it.caption.empty()) {
            menu->addSeparator();
            continue;
        }
        QAction* a = menu->addAction(q(it.caption));
        a->setObjectName(QString::number(it.id));
        auto op = m_operations.find(it.operation);
        bool denied = m_login && m_hooks.greyed && m_hooks.greyed(it.id);
        a->setEnabled(op != m_operations.end() && !denied);
        connect(a, &QAction::triggered, this, [this, id = it.id, name = it.operation] {
            auto f = m_operations.find(name);
            if (f == m_operations.end() || m_in_action) return;
            m_in_action = true;
            m_xid_menu = id;
            try {
                for (const auto& action : f->second) action(m_screen);
            } catch (...) {
                m_in_action = false;
                throw;
            }
            m_in_action = false;
        });
    }
}

void Principal::MenuSet(int context_id, QWidget* screen) {
    m_context = context_id;
    m_screen = screen;
    QMenuBar* bar = menuBar();
    // The old menus may be the ones whose command is running now: detach them and let the
    // event loop delete them afterwards.
    for (QAction* a : bar->actions())
        if (QMenu* old = a->menu()) {
            old->setParent(nullptr);
            old->deleteLater();
        }
    bar->clear();
    for (const auto& top : spa_menu_bar(m_login)) {
        QMenu* menu = bar->addMenu(q(top.caption));
        menu->setObjectName(q(top.caption));
        if (top.caption == "Editar")
            build_editar(menu);
        else
            build_menu(menu, top.children);
        apply_capture(menu);
    }
}

void Principal::build_toolbar() {
    QToolBar* tb = addToolBar("Toolbar");
    tb->setObjectName("Toolbar");
    tb->setMovable(false);
    QToolButton* kb = new QToolButton(tb);
    kb->setText("Teclado");
    kb->setToolTip("Teclado Virtual");
    kb->setObjectName("teclado");
    connect(kb, &QToolButton::clicked, this, [] {
        // The desktop's on-screen keyboard, when one is installed.
        for (const char* prog : {"onboard", "florence", "matchbox-keyboard"})
            if (!QStandardPaths::findExecutable(prog).isEmpty()) {
                QProcess::startDetached(prog, {});
                return;
            }
    });
    tb->addWidget(kb);
    m_business = new QComboBox(tb);
    m_business->setObjectName("negocios");
    m_business->setMinimumWidth(260);
    if (m_hooks.businesses) {
        for (const auto& [code, name] : m_hooks.businesses()) m_business->addItem(q(name), q(code));
        if (m_hooks.current_business) {
            int i = m_business->findData(q(m_hooks.current_business()));
            if (i >= 0) m_business->setCurrentIndex(i);
        }
    }
    connect(m_business, &QComboBox::activated, this, [this](int i) {
        std::string code = m_business->itemData(i).toString().toStdString();
        if (m_hooks.current_business && code != m_hooks.current_business() &&
            m_hooks.change_business)
            m_hooks.change_business(code);
        if (m_hooks.current_business) {
            int cur = m_business->findData(q(m_hooks.current_business()));
            if (cur >= 0) m_business->setCurrentIndex(cur);
        }
    });
    tb->addWidget(m_business);
    m_user = new QLineEdit(tb);
    m_user->setObjectName("999");
    m_user->setReadOnly(true);
    m_user->setMaximumWidth(90);
    m_user->setText(m_hooks.user_abrevia ? q(m_hooks.user_abrevia()) : QString());
    tb->addWidget(m_user);
}

void Principal::refresh_business() {
    if (m_hooks.current_business) {
        int i = m_business->findData(q(m_hooks.current_business()));
        if (i >= 0) m_business->setCurrentIndex(i);
    }
    m_user->setText(m_hooks.user_abrevia ? q(m_hooks.user_abrevia()) : QString());
}

void Principal::build_status_bar() {
    QStatusBar* sb = statusBar();
    sb->showMessage("Ready");
    m_ins = new QLabel("INS", sb);
    m_num = new QLabel("NUM", sb);
    m_caps = new QLabel("CAPS", sb);
    for (QLabel* l : {m_ins, m_num, m_caps}) {
        l->setMinimumWidth(48);
        l->setAlignment(Qt::AlignCenter);
        sb->addPermanentWidget(l);
    }
}

void Principal::refresh_keyboard_state() { m_ins->setText(m_overwrite ? "OVR" : "INS"); }

bool Principal::eventFilter(QObject* obj, QEvent* e) {
    if (capture_click(obj, e)) return true;
    if (usage_click(obj, e)) return true;
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Insert &&
        isActiveWindow()) {
        m_overwrite = !m_overwrite;
        refresh_keyboard_state();
    }
    return QMainWindow::eventFilter(obj, e);
}

void Principal::window_command(int id) {
    switch (id) {
        case kCmdCascade:
            m_mdi->cascadeSubWindows();
            break;
        case kCmdTile:
            m_mdi->tileSubWindows();
            break;
        case kCmdArrangeIcons:
            for (QMdiSubWindow* w : m_mdi->subWindowList())
                if (w->isMinimized()) w->showMinimized();
            m_mdi->cascadeSubWindows();
            break;
        case kCmdCloseAll:
            m_mdi->closeAllSubWindows();
            break;
        case kCmdAbout:
            if (m_hooks.about) m_hooks.about();
            break;
        case kCmdAdsConfig:
            if (m_hooks.ads_config) m_hooks.ads_config();
            break;
    }
}

void Principal::screen_activated(WDIAG* screen, int context_id) { MenuSet(context_id, screen); }

void Principal::screen_deactivated(WDIAG* screen) {
    // The next screen's activation may already have arrived: keep its menu.
    if (m_screen == screen) MenuSet(0, nullptr);
}

void Principal::screen_opened(const std::string& dialog_name) {
    if (m_hooks.screen_opened) m_hooks.screen_opened(dialog_name);
}

void Principal::adopt_screen(WDIAG& screen) { open_child(&screen); }

void Principal::open_child(QWidget* screen) {
    // A screen of fixed size is not stretched to the default size of a widget never shown.
    if (screen->layout()) screen->layout()->activate();
    QSize wanted = screen->size().expandedTo(screen->sizeHint()).boundedTo(screen->maximumSize());
    QMdiSubWindow* sub = m_mdi->addSubWindow(screen);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The frame keeps the size the screen gave itself, not just its minimal hint.
    sub->resize(wanted + (sub->sizeHint() - screen->sizeHint()));
    screen->show();
    sub->show();
    keep_inside(sub);
}

// A screen larger than the room left by the ones before it would open partly out of sight:
// it is shrunk to the work area and moved back inside it.
void Principal::keep_inside(QMdiSubWindow* sub) {
    const QSize area = m_mdi->viewport()->size();
    if (area.isEmpty()) return;
    sub->resize(sub->size().boundedTo(area));
    QPoint p = sub->pos();
    p.setX(std::max(0, std::min(p.x(), area.width() - sub->width())));
    p.setY(std::max(0, std::min(p.y(), area.height() - sub->height())));
    sub->move(p);
}

void Principal::post_start_command(int id) {
    QTimer::singleShot(0, this, [this, id] { DO_ACTION(id); });
}

void Principal::closeEvent(QCloseEvent* e) {
    bool ok = !m_hooks.confirm ||
              m_hooks.confirm("Cierre de Aplicación", "¿Desea salir de la aplicación?");
    if (!ok) {
        e->ignore();
        return;
    }
    m_mdi->closeAllSubWindows();
    if (!m_mdi->subWindowList().isEmpty()) {  // a screen refused to close
        e->ignore();
        return;
    }
    m_quit_timer->stop();
    if (m_hooks.logout) m_hooks.logout();
    e->accept();
}

// --- Rights designed on the menu itself ---------------------------------------------------

void Principal::set_capture(std::function<bool(int)> checked, std::function<void(int)> toggle) {
    m_capture_checked = std::move(checked);
    m_capture_toggle = std::move(toggle);
    MenuSet(m_context, m_screen);
}

void Principal::clear_capture() {
    if (!m_capture_checked && !m_capture_toggle) return;
    m_capture_checked = nullptr;
    m_capture_toggle = nullptr;
    MenuSet(m_context, m_screen);
}

namespace {
// The right a menu action stands for; 0 for anything that is not a right.
int right_of(const QAction* a) {
    bool ok = false;
    const int id = a->objectName().toInt(&ok);
    return ok && !a->menu() && domain::Rights::in_range(id) ? id : 0;
}
}  // namespace

void Principal::apply_capture(QMenu* menu) {
    if (!m_capture_checked) return;
    for (QAction* a : menu->actions()) {
        if (a->menu()) {
            apply_capture(a->menu());
        } else if (const int id = right_of(a)) {
            a->setEnabled(true);
            a->setCheckable(true);
            a->setChecked(m_capture_checked(id));
            // Choosing a checkable item flips its mark; the mark must stay the design's.
            connect(a, &QAction::triggered, a, [this, a, id] {
                if (m_capture_checked) a->setChecked(m_capture_checked(id));
            });
        }
    }
}

// A right click on a command of a menu: the menu and the action under the mouse, or nulls.
// QMenu runs an item on the release of either button, so both the press and the release of the
// right button are taken by whoever handles the click.
namespace {
struct RightClick {
    QMenu* menu = nullptr;
    QAction* action = nullptr;
    int id = 0;
    bool release = false;
};

RightClick right_click(QObject* obj, QEvent* e) {
    if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonRelease) return {};
    auto* menu = qobject_cast<QMenu*>(obj);
    auto* mouse = static_cast<QMouseEvent*>(e);
    if (!menu || mouse->button() != Qt::RightButton) return {};
    QAction* a = menu->actionAt(mouse->position().toPoint());
    const int id = a ? right_of(a) : 0;
    if (id == 0) return {};
    return {menu, a, id, e->type() == QEvent::MouseButtonRelease};
}
}  // namespace

// In capture mode the right button marks the command instead of running it.
bool Principal::capture_click(QObject* obj, QEvent* e) {
    if (!m_capture_toggle) return false;
    RightClick c = right_click(obj, e);
    if (!c.id) return false;
    if (c.release) {
        m_capture_toggle(c.id);
        c.action->setChecked(m_capture_checked && m_capture_checked(c.id));
    }
    return true;
}

// A supervisor's right click on a command opens who used its screen (the screen-usage log).
bool Principal::usage_click(QObject* obj, QEvent* e) {
    if (!m_hooks.usage_viewer || !m_hooks.supervisor || !m_hooks.supervisor()) return false;
    RightClick c = right_click(obj, e);
    if (!c.id) return false;
    if (c.release) {
        for (QWidget* w = c.menu; w; w = qobject_cast<QMenu*>(w->parentWidget())) w->close();
        QTimer::singleShot(0, this, [this, id = c.id] { m_hooks.usage_viewer(id); });
    }
    return true;
}

}  // namespace qz::gui
