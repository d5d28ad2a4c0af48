#pragma once
// The access blocks of the users screen: the block of the whole system (F_SYS.BLOQUEADO) and the
// exit request BLOQUEAD.! that asks running sessions to leave, with its boxes per family of
// modules. Every choice takes effect at once: the other workstations look for it every minute.
#include <QGroupBox>
#include <array>
#include <filesystem>

#include "data/db.h"
#include "domain/session/user_admin.h"

class QCheckBox;
class QRadioButton;

namespace qz::gui {

class UsersAccessPanel : public QGroupBox {
    Q_OBJECT
public:
    UsersAccessPanel(QWidget* parent, data::Db& db, std::filesystem::path home);

    QCheckBox* system_block() const { return m_system; }
    QRadioButton* choice(domain::AccessChoice c) const { return m_choices[static_cast<int>(c)]; }
    // The box of position 2 + i of the request ("Inventarios" is 0).
    QCheckBox* module(size_t i) const { return m_modules[i]; }

private:
    void apply();
    void show_state(const domain::AccessBlock& block);

    data::Db& m_db;
    std::filesystem::path m_home;
    QCheckBox* m_system = nullptr;
    std::array<QRadioButton*, 3> m_choices{};
    std::array<QCheckBox*, 16> m_modules{};
};

}  // namespace qz::gui
