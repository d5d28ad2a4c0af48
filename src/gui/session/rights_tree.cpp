#include "gui/session/rights_tree.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "domain/session/rights.h"
#include "domain/session/user_admin.h"

namespace qz::gui {

namespace {

constexpr int kRightRole = Qt::UserRole;

// Entries are rights and carry a tick; the root and the module groups only hold them.
void add_children(QTreeWidgetItem* parent, const domain::RightsNode& node) {
    for (const auto& child : node.children) {
        auto* item = new QTreeWidgetItem(parent, {QString::fromStdString(child.text)});
        if (child.right != 0) {
            item->setData(0, kRightRole, child.right);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, child.granted ? Qt::Checked : Qt::Unchecked);
        }
        add_children(item, child);
    }
}

}  // namespace

RightsTreeScreen::RightsTreeScreen(QWidget* owner, data::Db& db, std::string business,
                                   long user_number, std::string user_name)
    : WDIAG(owner, "V_DERECHOS", 0, ScreenOptions{true, true}),
      m_db(db),
      m_business(std::move(business)),
      m_user(user_number),
      m_name(std::move(user_name)) {}

bool RightsTreeScreen::Init() {
    Text("Arbol de Derechos");
    auto* layout = new QVBoxLayout(this);
    m_tree = Add(new QTreeWidget(this), kIdTree);
    m_tree->setHeaderHidden(true);
    m_tree->setMinimumSize(480, 420);
    const domain::RightsNode root = domain::rights_tree(m_db, m_business, m_user, m_name);
    auto* top = new QTreeWidgetItem(m_tree, {QString::fromStdString(root.text)});
    add_children(top, root);
    m_tree->expandAll();
    layout->addWidget(m_tree);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Grabar", this), kCmdOk, [this] { SAVE_DATOS(); }));
    buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    layout->addLayout(buttons);
    Create();
    return true;
}

std::map<int, bool> RightsTreeScreen::ticks() const {
    std::map<int, bool> out;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
        const int right = item->data(0, kRightRole).toInt();
        if (right != 0) out[right] = item->checkState(0) == Qt::Checked;
        for (int i = 0; i < item->childCount(); ++i) walk(item->child(i));
    };
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) walk(m_tree->topLevelItem(i));
    return out;
}

void RightsTreeScreen::SAVE_DATOS() {
    domain::save_tree_rights(m_db, m_business, m_user, ticks());
    ENDDIALOG();
}

RightsTreeScreen* open_rights_tree(QWidget* owner, data::Db& db, const std::string& business,
                                   long user_number, const std::string& user_name) {
    return open_screen<RightsTreeScreen>(owner, db, business, user_number, user_name);
}

}  // namespace qz::gui
