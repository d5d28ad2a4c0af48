// "Autorización Cajas x Estación": which point-of-sale registers (AUT_CAJA) and front-desk
// registers (HDEF_CAJA) this workstation may operate, kept in its QUARTZEN.INI.
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "domain/cash/register_rows.h"
#include "domain/cash/register_settings.h"
#include "gui/cash/cash_screens.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/qt_user_port.h"

namespace qz::gui {

namespace dc = qz::domain::cash;

namespace {

class StationAuthorisation : public DIALOG_BOX {
public:
    StationAuthorisation(QWidget* owner, data::Db& db, std::string business, IniFile& ini)
        : DIALOG_BOX("AUT_CAJA", owner), m_db(db), m_business(std::move(business)), m_ini(ini) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* lists = new QHBoxLayout;
        m_pos = list("Cajas de Punto de Venta", 500, dc::kPosRegisters, dc::kPosAuthSection, lists);
        m_desk = list("Cajas de Recepción", 501, dc::kFrontDesk, dc::kFrontDeskAuthSection, lists);
        layout->addLayout(lists);
        auto* b = new QHBoxLayout;
        b->addStretch();
        b->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        b->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(b);
        Text("Autorización Cajas x Estación");
        return true;
    }

    void SAVE_DATOS() override {
        try {
            save(m_pos, dc::kPosAuthSection);
            save(m_desk, dc::kFrontDeskAuthSection);
        } catch (const std::exception& e) {
            QtUserPort(this).message(MsgStyle::Error, "Error", e.what());
            return;
        }
        EndDialog(kCmdOk);
    }

private:
    QListWidget* list(const char* caption, int id, const dc::RegisterTables& f, const char* section,
                      QHBoxLayout* into) {
        auto* column = new QVBoxLayout;
        column->addWidget(new QLabel(caption, this));
        auto* l = Add(new QListWidget(this), id);
        for (const auto& r : dc::business_registers(m_db, f, m_business)) {
            auto* item =
                new QListWidgetItem(QString::fromStdString(r.code + " " + r.description), l);
            item->setData(Qt::UserRole, QString::fromStdString(r.code));
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(
                dc::authorised(&m_ini, section, m_business, r.code) ? Qt::Checked : Qt::Unchecked);
        }
        column->addWidget(l);
        into->addLayout(column);
        return l;
    }

    void save(QListWidget* l, const char* section) {
        for (int i = 0; i < l->count(); ++i) {
            const auto* item = l->item(i);
            dc::set_authorised(m_ini, section, m_business,
                               item->data(Qt::UserRole).toString().toStdString(),
                               item->checkState() == Qt::Checked);
        }
    }

    data::Db& m_db;
    std::string m_business;
    IniFile& m_ini;
    QListWidget* m_pos = nullptr;
    QListWidget* m_desk = nullptr;
};

}  // namespace

void open_station_authorisation(QWidget* owner, data::Db& db, const std::string& business,
                                IniFile& ini) {
    StationAuthorisation dlg(owner, db, business, ini);
    dlg.run();
}

}  // namespace qz::gui
