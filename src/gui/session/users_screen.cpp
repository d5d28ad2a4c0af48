#include "gui/session/users_screen.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <functional>

#include "domain/session/rights.h"
#include "gui/framework/qt_user_port.h"
#include "gui/session/rights_tree.h"
#include "gui/session/users_access.h"
#include "gui/session/users_dialogs.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace {

using domain::DesignOwner;

QString q(const std::string& s) { return QString::fromStdString(s); }

// Both lists (users, profiles) show the code first and the name next; the record's code and
// whether it is a supervisor ride on the code cell.
enum ListColumn { kCodeCol, kNameCol };
constexpr int kCodeRole = Qt::UserRole;
constexpr int kSupervisorRole = Qt::UserRole + 1;

QTableWidget* make_list(QWidget* parent, const QStringList& headers) {
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    t->setHorizontalHeaderLabels(headers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    t->setMinimumSize(480, 200);
    return t;
}

// One row, its cells in column order.
void add_row(QTableWidget* t, long code, const QStringList& cells, bool supervisor = false) {
    const int row = t->rowCount();
    t->insertRow(row);
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        if (c == kCodeCol) {
            item->setData(kCodeRole, static_cast<qlonglong>(code));
            item->setData(kSupervisorRole, supervisor);
        }
        t->setItem(row, c, item);
    }
}

std::optional<long> selected_code(const QTableWidget* t) {
    const int row = t->currentRow();
    if (row < 0 || !t->item(row, kCodeCol) || t->selectedItems().isEmpty()) return std::nullopt;
    return static_cast<long>(t->item(row, kCodeCol)->data(kCodeRole).toLongLong());
}

void select_code(QTableWidget* t, long code) {
    for (int row = 0; row < t->rowCount(); ++row)
        if (t->item(row, kCodeCol)->data(kCodeRole).toLongLong() == code) {
            t->selectRow(row);
            return;
        }
}

QString yes(int flag) { return flag == 1 ? "Sí" : ""; }

}  // namespace

UsersScreen::UsersScreen(Principal* principal, data::Db& db, std::string business,
                         std::filesystem::path home)
    : WDIAG(principal, "USUARIOS", kContextId),
      m_principal(principal),
      m_db(db),
      m_business(std::move(business)),
      m_home(std::move(home)) {}

bool UsersScreen::Init() {
    Text("Perfiles de Usuario");
    auto* grid = new QGridLayout(this);
    grid->addWidget(users_box(), 0, 0);
    grid->addWidget(profiles_box(), 0, 1);
    grid->addWidget(design_box(), 1, 0);
    auto* right = new QVBoxLayout;
    m_access = new UsersAccessPanel(this, m_db, m_home);
    right->addWidget(m_access);
    right->addWidget(Add(new QPushButton("Parámetros p/Cambios de Clave", this), kIdPasswordRules,
                         [this] { password_rules_dialog(this, m_db, m_business); }));
    grid->addLayout(right, 1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    grid->addLayout(bottom, 2, 0, 1, 2);
    refresh();
    Create();
    return true;
}

QWidget* UsersScreen::users_box() {
    auto* box = new QGroupBox("Usuarios", this);
    auto* layout = new QHBoxLayout(box);
    m_users =
        Add(make_list(box, {"Código", "Nombre", "Usuario", "Abrev.", "Supervisor", "Bloqueado"}),
            kIdUsers);
    connect(m_users, &QTableWidget::itemSelectionChanged, this, [this] { enable_buttons(); });
    connect(m_users, &QTableWidget::cellDoubleClicked, this, [this] { modify_user(); });
    layout->addWidget(m_users);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Add(new QPushButton("Agregar", box), kIdAddUser, [this] { add_user(); }));
    buttons->addWidget(
        Add(new QPushButton("Modificar", box), kIdModUser, [this] { modify_user(); }));
    buttons->addWidget(Add(new QPushButton("Borrar", box), kIdDelUser, [this] { delete_user(); }));
    buttons->addWidget(Add(new QPushButton("Bloquear/Desbloquear", box), kIdBlockUser,
                           [this] { toggle_block(); }));
    buttons->addWidget(
        Add(new QPushButton("Asignar Perfil", box), kIdAssign, [this] { assign_profile(); }));
    buttons->addWidget(
        Add(new QPushButton("Arbol de Derechos", box), kIdRightsTree, [this] { rights_tree(); }));
    buttons->addStretch();
    layout->addLayout(buttons);
    return box;
}

QWidget* UsersScreen::profiles_box() {
    auto* box = new QGroupBox("Perfiles de Usuario", this);
    auto* layout = new QHBoxLayout(box);
    m_profiles = Add(make_list(box, {"Código", "Descripción"}), kIdProfiles);
    connect(m_profiles, &QTableWidget::itemSelectionChanged, this, [this] { enable_buttons(); });
    connect(m_profiles, &QTableWidget::cellDoubleClicked, this, [this] { modify_profile(); });
    layout->addWidget(m_profiles);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(
        Add(new QPushButton("Agregar", box), kIdAddProfile, [this] { add_profile(); }));
    buttons->addWidget(
        Add(new QPushButton("Modificar", box), kIdModProfile, [this] { modify_profile(); }));
    buttons->addWidget(
        Add(new QPushButton("Borrar", box), kIdDelProfile, [this] { delete_profile(); }));
    buttons->addStretch();
    layout->addLayout(buttons);
    return box;
}

QWidget* UsersScreen::design_box() {
    auto* box = new QGroupBox("Diseño de Accesos sobre el Menú", this);
    auto* layout = new QGridLayout(box);
    struct Button {
        const char* caption;
        int id;
        std::function<void()> run;
    };
    const Button buttons[] = {
        {"Cargar Diseño de Usuario", kIdLoadUser, [this] { load_design(DesignOwner::User); }},
        {"Cargar Diseño de Perfil", kIdLoadProfile, [this] { load_design(DesignOwner::Profile); }},
        {"Comenzar Diseño de Perfil", kIdStartDesign, [this] { start_design(); }},
        {"Eliminar Accesos del Módulo", kIdClearAll, [this] { set_all(false); }},
        {"Asignar todos los Accesos", kIdGrantAll, [this] { set_all(true); }},
        {"Guardar Diseño de Usuario", kIdSaveUser, [this] { save_design(DesignOwner::User); }},
        {"Guardar Diseño de Perfil", kIdSaveProfile, [this] { save_design(DesignOwner::Profile); }},
    };
    int i = 0;
    for (const auto& b : buttons) {
        layout->addWidget(Add(new QPushButton(b.caption, box), b.id, b.run), i / 2, i % 2);
        ++i;
    }
    m_state = Add(new QLabel(box), kIdDesignState);
    m_state->setWordWrap(true);
    layout->addWidget(m_state, (i + 1) / 2, 0, 1, 2);
    layout->setRowStretch((i + 1) / 2 + 1, 1);
    return box;
}

void UsersScreen::refresh() {
    const auto user = selected_user();
    const auto profile = selected_profile();
    m_users->setRowCount(0);
    for (const auto& u : domain::list_users(m_db, m_business))
        add_row(m_users, u.CODIGO,
                {QString::number(u.CODIGO), q(u.NOMBRE), q(u.USUARIO), q(u.ABREVIA),
                 yes(u.SUPERVISOR), yes(u.BLOQUEADO)},
                u.SUPERVISOR == 1);
    m_users->resizeColumnsToContents();
    m_profiles->setRowCount(0);
    for (const auto& p : domain::list_profiles(m_db, m_business))
        add_row(m_profiles, p.CODIGO, {QString::number(p.CODIGO), q(p.DESCRIP)});
    m_profiles->resizeColumnsToContents();
    if (user) select_user(*user);
    if (profile) select_profile(*profile);
    enable_buttons();
}

std::optional<long> UsersScreen::selected_user() const { return selected_code(m_users); }
std::optional<long> UsersScreen::selected_profile() const { return selected_code(m_profiles); }
void UsersScreen::select_user(long code) { select_code(m_users, code); }
void UsersScreen::select_profile(long code) { select_code(m_profiles, code); }

void UsersScreen::enable_buttons() {
    const auto user = selected_user();
    const auto profile = selected_profile();
    const bool supervisor =
        user && m_users->item(m_users->currentRow(), kCodeCol)->data(kSupervisorRole).toBool();
    for (int id : {kIdModUser, kIdDelUser, kIdBlockUser, kIdLoadUser})
        control(id)->setEnabled(user.has_value());
    for (int id : {kIdModProfile, kIdDelProfile, kIdLoadProfile})
        control(id)->setEnabled(profile.has_value());
    control(kIdAssign)->setEnabled(user && profile);
    control(kIdRightsTree)->setEnabled(user && !supervisor);
    for (int id : {kIdClearAll, kIdGrantAll}) control(id)->setEnabled(m_design.shown());
    control(kIdSaveUser)->setEnabled(m_design.shown() && user);
    control(kIdSaveProfile)->setEnabled(m_design.shown() && profile);

    if (m_design.capturing())
        m_state->setText("Diseño en curso" +
                         (m_design_source.empty() ? QString() : " (" + q(m_design_source) + ")") +
                         ": el clic derecho sobre una opción del menú la marca o desmarca.");
    else if (m_design.loaded())
        m_state->setText("Diseño cargado: " + q(m_design_source));
    else
        m_state->setText("Sin diseño cargado.");
}

void UsersScreen::add_user() {
    domain::UserForm form;
    if (!edit_user_dialog(this, m_db, m_business, form)) return;
    refresh();
    select_user(form.CODIGO);
}

void UsersScreen::modify_user() {
    const auto code = selected_user();
    if (!code) return;
    auto form = domain::read_user(m_db, m_business, *code);
    if (form && edit_user_dialog(this, m_db, m_business, *form)) refresh();
}

void UsersScreen::delete_user() {
    const auto code = selected_user();
    QtUserPort port(this);
    if (code && domain::delete_user(m_db, port, m_business, *code)) refresh();
}

void UsersScreen::toggle_block() {
    const auto code = selected_user();
    if (!code) return;
    if (auto form = domain::read_user(m_db, m_business, *code)) {
        domain::set_user_blocked(m_db, m_business, *code, form->BLOQUEADO != 1);
        refresh();
    }
}

void UsersScreen::assign_profile() {
    const auto user = selected_user();
    const auto profile = selected_profile();
    QtUserPort port(this);
    if (user && profile) domain::assign_profile(m_db, port, m_business, *profile, *user);
}

void UsersScreen::rights_tree() {
    const auto code = selected_user();
    if (!code) return;
    if (auto form = domain::read_user(m_db, m_business, *code); form && form->SUPERVISOR != 1)
        open_rights_tree(this, m_db, m_business, *code, form->NOMBRE);
}

void UsersScreen::add_profile() {
    if (edit_profile_dialog(this, m_db, m_business, 0, "")) refresh();
}

void UsersScreen::modify_profile() {
    const auto code = selected_profile();
    if (!code) return;
    const QString name = m_profiles->item(m_profiles->currentRow(), kNameCol)->text();
    if (edit_profile_dialog(this, m_db, m_business, *code, name.toStdString())) refresh();
}

void UsersScreen::delete_profile() {
    const auto code = selected_profile();
    QtUserPort port(this);
    if (code && domain::delete_profile(m_db, port, m_business, *code)) refresh();
}

void UsersScreen::load_design(DesignOwner owner) {
    const bool user = owner == DesignOwner::User;
    QTableWidget* list = user ? m_users : m_profiles;
    const auto code = user ? selected_user() : selected_profile();
    if (!code) return;
    m_design.load(m_db, owner, m_business, *code);
    m_design_source = (user ? "Usuario " : "Perfil ") +
                      list->item(list->currentRow(), kNameCol)->text().toStdString();
    show_design();
}

void UsersScreen::start_design() {
    QtUserPort port(this);
    if (m_design.start(port)) show_design();
}

void UsersScreen::set_all(bool on) {
    m_design.set_all(on);
    show_design();
}

void UsersScreen::save_design(DesignOwner owner) {
    const auto code = owner == DesignOwner::User ? selected_user() : selected_profile();
    if (!code) return;
    m_design.save(m_db, owner, m_business, *code);
    show_design();
}

void UsersScreen::show_design() {
    enable_buttons();
    if (!m_principal) return;
    if (!m_design.shown()) {
        m_principal->clear_capture();
        return;
    }
    std::function<void(int)> toggle;
    if (m_design.capturing()) toggle = [this](int id) { m_design.toggle(id); };
    m_principal->set_capture([this](int id) { return m_design.checked(id); }, std::move(toggle));
}

void UsersScreen::CerrarBases() {
    m_design.end();
    if (m_principal) m_principal->clear_capture();
}

UsersScreen* open_users_screen(Principal* principal, data::Db& db, const std::string& business,
                               const std::filesystem::path& home) {
    return open_screen<UsersScreen>(principal, db, business, home);
}

}  // namespace qz::gui
