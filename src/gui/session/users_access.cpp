#include "gui/session/users_access.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "domain/session/forced_exit.h"
#include "gui/framework/qt_user_port.h"

namespace qz::gui {

namespace {

using domain::AccessChoice;

struct Choice {
    AccessChoice choice;
    const char* name;
    const char* caption;
};
constexpr Choice kChoices[] = {
    {AccessChoice::Free, "ACCESO_LIBRE", "Acceso Libre"},
    {AccessChoice::ExceptSupervisors, "SALIDA_EXCEPTO_SUPER",
     "Obligar Salida excepto Super-Usuarios (Tiempo Espera 5 min)"},
    {AccessChoice::Everybody, "SALIDA_TODOS",
     "Obligar Salida a todos los Usuarios (Tiempo Espera 5 min)"},
};

constexpr int kModuleColumns = 4;

}  // namespace

UsersAccessPanel::UsersAccessPanel(QWidget* parent, data::Db& db, std::filesystem::path home)
    : QGroupBox("Accesos al Sistema", parent), m_db(db), m_home(std::move(home)) {
    setObjectName("accesos");
    auto* layout = new QVBoxLayout(this);
    m_system = new QCheckBox("Bloquear Acceso Temporalmente a todos los Usuarios", this);
    m_system->setObjectName("BLOQUEADO");
    m_system->setChecked(domain::system_blocked(m_db));
    connect(m_system, &QCheckBox::toggled, this,
            [this](bool on) { domain::set_system_blocked(m_db, on); });
    layout->addWidget(m_system);

    auto* group = new QButtonGroup(this);
    for (const auto& c : kChoices) {
        auto* radio = new QRadioButton(c.caption, this);
        radio->setObjectName(c.name);
        group->addButton(radio);
        layout->addWidget(radio);
        m_choices[static_cast<int>(c.choice)] = radio;
        connect(radio, &QRadioButton::clicked, this, [this] { apply(); });
    }

    auto* grid = new QGridLayout;
    const auto& boxes = domain::exit_request_boxes();
    for (size_t i = 0; i < boxes.size(); ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(boxes[i].data(), boxes[i].size()), this);
        // Two boxes share the caption "Guest Service": the position in the request names them.
        box->setObjectName("MODULO_" + QString::number(i + 2));
        grid->addWidget(box, static_cast<int>(i) / kModuleColumns,
                        static_cast<int>(i) % kModuleColumns);
        m_modules[i] = box;
        connect(box, &QCheckBox::toggled, this, [this] {
            if (!choice(AccessChoice::Free)->isChecked()) apply();
        });
    }
    layout->addLayout(grid);
    show_state(domain::read_access_block(m_home));
}

void UsersAccessPanel::apply() {
    domain::AccessBlock block;
    for (const auto& c : kChoices)
        if (choice(c.choice)->isChecked()) block.choice = c.choice;
    for (size_t i = 0; i < m_modules.size(); ++i) block.modules[i] = m_modules[i]->isChecked();
    QtUserPort port(window());
    // A request that could not be written leaves the one before it; the panel shows that one.
    if (!domain::apply_access_block(m_home, port, block))
        show_state(domain::read_access_block(m_home));
}

void UsersAccessPanel::show_state(const domain::AccessBlock& block) {
    for (QRadioButton* r : m_choices) {
        QSignalBlocker quiet(r);
        r->setChecked(r == choice(block.choice));
    }
    for (size_t i = 0; i < m_modules.size(); ++i) {
        QSignalBlocker quiet(m_modules[i]);
        m_modules[i]->setChecked(block.modules[i]);
    }
}

}  // namespace qz::gui
