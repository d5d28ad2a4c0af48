#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <map>

#include "core/text.h"
#include "domain/session/settings_store.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/tab_pages.h"
#include "gui/settings/f_sys_controls.h"
#include "gui/settings/settings_dialogs.h"

namespace qz::gui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// The colours and the month ranges are tables: a caption "row column" ("Ventana Rojo",
// "Mes 3 Mín.") puts its field in that row and column, in the order they first appear.
void add_table(QWidget* page, const std::vector<const domain::FSysField*>& fields,
               const domain::FSysValues& stored) {
    auto* grid = new QGridLayout(page);
    std::map<std::string, int> rows, columns;
    for (const auto* f : fields) {
        const size_t cut = f->caption.rfind(' ');
        const std::string row = f->caption.substr(0, cut), column = f->caption.substr(cut + 1);
        QWidget* control = make_f_sys_control(page, *f, stored);
        if (!control) continue;
        auto [r, new_row] = rows.emplace(row, static_cast<int>(rows.size()) + 1);
        auto [c, new_column] = columns.emplace(column, static_cast<int>(columns.size()) + 1);
        if (new_row) grid->addWidget(new QLabel(q(row), page), r->second, 0);
        if (new_column)
            grid->addWidget(new QLabel(q(column), page), 0, c->second, Qt::AlignHCenter);
        grid->addWidget(control, r->second, c->second);
    }
    grid->setRowStretch(static_cast<int>(rows.size()) + 1, 1);
    grid->setColumnStretch(static_cast<int>(columns.size()) + 1, 1);
}

void add_general(QWidget* page, const std::vector<const domain::FSysField*>& fields,
                 const domain::FSysValues& stored) {
    auto* layout = new QVBoxLayout(page);
    auto* numbers = new QFormLayout;
    auto* checks = new QGridLayout;
    auto* path = new QFormLayout;
    int n_checks = 0;
    for (const auto* f : fields) {
        QWidget* control = make_f_sys_control(page, *f, stored);
        if (!control) continue;
        switch (f->kind) {
            case domain::FSysKind::Number:
                numbers->addRow(q(f->caption), control);
                break;
            case domain::FSysKind::Check:
                checks->addWidget(control, n_checks / 2, n_checks % 2);
                ++n_checks;
                break;
            case domain::FSysKind::Text:
                path->addRow(q(f->caption), control);
                break;
        }
    }
    layout->addLayout(numbers);
    layout->addLayout(checks);
    layout->addLayout(path);
    layout->addStretch();
}

class SysDbDialog : public DIALOG_BOX {
public:
    SysDbDialog(QWidget* owner, data::Db& db, domain::AppSettings& settings,
                domain::ColourDisplay display)
        : DIALOG_BOX("SYS_DB", owner), m_db(db), m_settings(settings), m_display(display) {}

    bool Init() override {
        const auto& fields = domain::sys_db_fields();
        const domain::FSysValues stored = domain::read_f_sys(m_db, fields);
        std::vector<const domain::FSysField*> general, colours, months;
        for (const auto& f : fields) {
            if (starts_with(f.name, "RGB"))
                colours.push_back(&f);
            else if (starts_with(f.name, "MS_M"))
                months.push_back(&f);
            else
                general.push_back(&f);
        }
        auto* layout = new QVBoxLayout(this);
        auto* pages = new TabPages(this);
        add_general(pages->ADDTABPAGE("General"), general, stored);
        add_table(pages->ADDTABPAGE("Colores"), colours, stored);
        add_table(pages->ADDTABPAGE("Rangos por Mes"), months, stored);
        layout->addWidget(pages);

        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Parámetros Manipulación DB");
        return true;
    }

    void SAVE_DATOS() override {
        domain::FSysValues values;
        if (!read_f_sys_controls(*this, domain::sys_db_fields(), values)) return;
        domain::save_sys_db(m_db, m_settings, values, m_display);
        EndDialog(kCmdOk);
    }

private:
    data::Db& m_db;
    domain::AppSettings& m_settings;
    domain::ColourDisplay m_display;
};

}  // namespace

bool open_sys_db(QWidget* owner, data::Db& db, domain::AppSettings& settings,
                 domain::ColourDisplay display) {
    SysDbDialog dialog(owner, db, settings, display);
    return dialog.run() == kCmdOk;
}

}  // namespace qz::gui
