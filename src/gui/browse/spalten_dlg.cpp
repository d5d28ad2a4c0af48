#include "gui/browse/spalten_dlg.h"

#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "core/ini_file.h"
#include "gui/browse/browse_settings.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

namespace {
int original_index(const WBLISTBOX& grid, const WBCOLUMN& c) {
    const auto& org = grid.aDBOrg();
    for (size_t i = 0; i < org.size(); ++i)
        if (org[i].wbHeading == c.wbHeading && org[i].wbCargo == c.wbCargo)
            return static_cast<int>(i);
    return -1;
}

void write(WBLISTBOX& grid, const std::vector<int>& shown) {
    IniFile ini(grid_layout_ini_path());
    const std::string& section = grid.cBrowserName();
    for (const auto& key : ini.keys(section))
        if (key.rfind("SpalteX", 0) == 0) ini.remove_key(section, key);
    std::vector<std::pair<int, int>> layout;
    std::string flags(grid.aDBOrg().size(), '0');
    int n = 0;
    for (int index : shown) {
        int width = grid.aDBOrg()[static_cast<size_t>(index)].wbWidth;
        for (int c = 0; c < grid.COLCOUNT(); ++c)
            if (original_index(grid, grid.aDBFelder()[static_cast<size_t>(c)]) == index)
                width = grid.columnWidth(c);
        const long packed = (static_cast<long>(width) << 16) | (index + 1);
        ini.set(section, "SpalteX" + std::to_string(++n), std::to_string(packed));
        flags[static_cast<size_t>(index)] = '1';
        layout.emplace_back(index, width);
    }
    ini.set(grid.dialog_name(), "Spalten", flags);
    grid.set_layout(layout);
}
}  // namespace

void WBLISTBOX::load_layout() {
    try {
        IniFile ini(grid_layout_ini_path());
        std::vector<std::pair<int, int>> layout;
        for (int n = 1;; ++n) {
            const std::string v = ini.get(m_name, "SpalteX" + std::to_string(n));
            if (v.empty()) break;
            const long packed = std::stol(v);
            layout.emplace_back(static_cast<int>(packed & 0xFFFF) - 1,
                                static_cast<int>(packed >> 16));
        }
        if (!layout.empty()) set_layout(layout);
    } catch (const std::exception&) {
        // A layout line that does not read leaves the columns as the screen built them.
    }
}

void SpaltenDlg::save(WBLISTBOX& grid) {
    std::vector<int> shown;
    for (const auto& c : grid.aDBFelder()) shown.push_back(original_index(grid, c));
    std::erase(shown, -1);
    write(grid, shown);
}

void SpaltenDlg::run(WBLISTBOX& grid) {
    QDialog dlg(&grid);
    dlg.setObjectName("SPALTEN");
    dlg.setWindowTitle(QString::fromStdString("Spalten - " + grid.cBrowserName()));
    auto* g = new QGridLayout(&dlg);
    auto* shown = new QListWidget(&dlg);
    shown->setObjectName("101");
    auto* all = new QListWidget(&dlg);
    all->setObjectName("102");
    all->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* n_shown = new QLabel(&dlg);
    n_shown->setObjectName("105");
    auto* n_all = new QLabel(&dlg);
    n_all->setObjectName("106");
    g->addWidget(shown, 0, 0);
    g->addWidget(all, 0, 1);
    g->addWidget(n_shown, 1, 0);
    g->addWidget(n_all, 1, 1);
    std::vector<int> order;
    for (const auto& c : grid.aDBFelder())
        if (int i = original_index(grid, c); i >= 0) order.push_back(i);
    for (const auto& c : grid.aDBOrg()) all->addItem(QString::fromStdString(c.wbHeading));
    auto redraw = [&] {
        shown->clear();
        for (int i : order)
            shown->addItem(QString::fromStdString(grid.aDBOrg()[static_cast<size_t>(i)].wbHeading));
        for (int i = 0; i < all->count(); ++i)
            all->item(i)->setSelected(std::find(order.begin(), order.end(), i) != order.end());
        n_shown->setText(QString::number(order.size()));
        n_all->setText(QString::number(all->count()));
    };
    QObject::connect(all, &QListWidget::itemClicked, &dlg, [&](QListWidgetItem* item) {
        const int i = all->row(item);
        auto at = std::find(order.begin(), order.end(), i);
        if (at == order.end()) order.push_back(i);
        else order.erase(at);
        redraw();
    });
    auto button = [&](const char* caption, int id, int column, std::function<void()> fn) {
        auto* b = new QPushButton(caption, &dlg);
        b->setObjectName(QString::number(id));
        QObject::connect(b, &QPushButton::clicked, &dlg, fn);
        g->addWidget(b, 2 + column / 3, column % 3);
    };
    auto apply = [&] {
        if (order.empty()) {
            MESSAGE_BOX(&dlg, "Debe mostrar al menos una columna", "Atención",
                        kMbOk | kMbIconExclamation);
            return false;
        }
        write(grid, order);
        return true;
    };
    button("Todas", 103, 0, [&] {
        order.clear();
        for (int i = 0; i < all->count(); ++i) order.push_back(i);
        redraw();
    });
    button("Ninguna", 104, 1, [&] {
        order.clear();
        redraw();
    });
    button("Aplicar", 112, 2, [&] { apply(); });
    button("Aceptar", 1, 3, [&] {
        if (apply()) dlg.accept();
    });
    button("Cerrar", 113, 4, [&] { dlg.reject(); });
    redraw();
    IniFile ini(grid_layout_ini_path());
    const std::string x = ini.get(grid.dialog_name(), "x"), y = ini.get(grid.dialog_name(), "y");
    if (!x.empty() && !y.empty()) dlg.move(std::atoi(x.c_str()), std::atoi(y.c_str()));
    dlg.exec();
    try {
        IniFile out(grid_layout_ini_path());
        out.set(grid.dialog_name(), "x", std::to_string(dlg.x()));
        out.set(grid.dialog_name(), "y", std::to_string(dlg.y()));
    } catch (const std::exception&) {
        // The dialog's position is a comfort; failing to keep it is not worth a message.
    }
}

}  // namespace qz::gui
