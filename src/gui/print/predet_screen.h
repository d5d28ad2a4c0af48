#pragma once
// "Impresoras Predeterminadas" (screen PREDET_P, menu command 2782): the printer profiles of the
// business, and on this workstation the printer each one means, at which hours.
#include <optional>
#include <string>

#include "core/ini_file.h"
#include "data/db.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/wdiag.h"
#include "services/print/predet_store.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableWidget;

namespace qz::gui {

class PredetScreen : public WDIAG {
    Q_OBJECT
public:
    static constexpr int kContextId = 2782;
    enum Id { kIdList = 101, kIdAdd = 111, kIdModify = 112, kIdDelete = 113 };

    PredetScreen(QWidget* owner, data::Db& db, IniFile& ini, std::string business);
    bool Init() override;

    QTableWidget* list() const { return m_list; }
    void refresh();
    std::optional<services::PredetRow> selected() const;

private:
    void add();
    void modify();
    void remove();

    data::Db& m_db;
    IniFile& m_ini;
    std::string m_business;
    std::vector<services::PredetRow> m_rows;
    QTableWidget* m_list = nullptr;
};

// The profile form ("PREDET_PF"): the row and every workstation key of the profile.
class PredetForm : public DIALOG_BOX {
    Q_OBJECT
public:
    enum Id {
        kIdCode = 101,
        kIdDescrip = 102,
        kIdComanda = 103,
        kIdRunner = 104,
        kIdPrinter = 110,
        kIdNt = 111,
        kIdSearch = 112,
        kIdPart1 = 113,  // 114, 115
        kIdIcf = 116,
        kIdStation = 117,
        // Slot k (1..3) uses kIdSlot + 20 × k + one of the offsets below.
        kIdSlot = 200,
    };
    enum SlotOffset {
        kActive,
        kStart,
        kEnd,
        kSlotPrinter,
        kSlotStation,
        kSlotFlag,
        kSlotSearch,
        kSlotPart1
    };
    static int slot_id(int k, int offset) { return kIdSlot + 20 * k + offset; }

    PredetForm(QWidget* owner, data::Db& db, IniFile& ini, std::string business,
               std::optional<services::PredetRow> row);
    bool Init() override;
    void SAVE_DATOS() override;

private:
    QWidget* base_box();
    QWidget* slot_box(int k);
    QComboBox* printer_combo(QWidget* parent, int id, const std::string& current);
    void fill(const services::PrinterProfileKeys& keys);
    services::PrinterProfileKeys keys() const;
    QLineEdit* edit(int id) const;
    bool checked(int id) const;

    data::Db& m_db;
    IniFile& m_ini;
    std::string m_business;
    std::optional<services::PredetRow> m_row;
};

PredetScreen* open_predet_screen(QWidget* owner, data::Db& db, IniFile& ini,
                                 const std::string& business);

}  // namespace qz::gui
