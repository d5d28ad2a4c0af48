// The printer profile form: the PREDET_P row and the profile's keys on this workstation.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "gui/framework/message_box.h"
#include "gui/print/predet_screen.h"
#include "gui/print/print_context.h"

namespace qz::gui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

bool valid_hhmm(const std::string& t) {
    if (t.size() != 5 || t[2] != ':') return false;
    for (int i : {0, 1, 3, 4})
        if (t[i] < '0' || t[i] > '9') return false;
    return std::stoi(t.substr(0, 2)) < 24 && std::stoi(t.substr(3, 2)) < 60;
}

}  // namespace

PredetForm::PredetForm(QWidget* owner, data::Db& db, IniFile& ini, std::string business,
                       std::optional<services::PredetRow> row)
    : DIALOG_BOX("PREDET_PF", owner),
      m_db(db),
      m_ini(ini),
      m_business(std::move(business)),
      m_row(std::move(row)) {}

QLineEdit* PredetForm::edit(int id) const { return control_as<QLineEdit>(id); }

bool PredetForm::checked(int id) const { return control_as<QCheckBox>(id)->isChecked(); }

QComboBox* PredetForm::printer_combo(QWidget* parent, int id, const std::string& current) {
    auto* combo = Add(new QComboBox(parent), id);
    combo->addItem("");
    for (const std::string& name : print_context().printers->installed()) combo->addItem(q(name));
    // A printer this machine no longer has stays visible, so saving tells the user about it.
    if (combo->findText(q(current)) < 0) combo->addItem(q(current));
    combo->setCurrentText(q(current));
    return combo;
}

bool PredetForm::Init() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(base_box());
    auto* slots_row = new QHBoxLayout;
    for (int k = 1; k <= 3; ++k) slots_row->addWidget(slot_box(k));
    layout->addLayout(slots_row);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
    buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
    layout->addLayout(buttons);
    services::PrinterProfileKeys stored;
    if (m_row) {
        edit(kIdCode)->setText(q(m_row->CODIGO));
        edit(kIdCode)->setReadOnly(true);
        edit(kIdDescrip)->setText(q(m_row->DESCRIP));
        edit(kIdComanda)->setText(q(m_row->COMANDA));
        edit(kIdRunner)->setText(q(m_row->RUNNER));
        stored = services::read_profile_keys(m_ini, m_business, m_row->CODIGO);
    }
    fill(stored);
    Text("Impresora Predeterminada");
    return true;
}

QWidget* PredetForm::base_box() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    auto line = [&](int id, int width) {
        auto* e = Add(new QLineEdit(box), id);
        e->setMaxLength(width);
        return e;
    };
    form->addRow(QString::fromUtf8("Código"), line(kIdCode, 2));
    form->addRow(QString::fromUtf8("Descripción"), line(kIdDescrip, 60));
    form->addRow("Comanda", line(kIdComanda, 2));
    form->addRow("Runner", line(kIdRunner, 2));
    form->addRow("Impresora", printer_combo(box, kIdPrinter, ""));
    form->addRow("", Add(new QCheckBox("NT", box), kIdNt));
    form->addRow("", Add(new QCheckBox("Buscar impresora por nombre", box), kIdSearch));
    for (int i = 0; i < 3; ++i)
        form->addRow(QString("Parte %1").arg(i + 1), line(kIdPart1 + i, 40));
    form->addRow("", Add(new QCheckBox("ICF", box), kIdIcf));
    form->addRow(QString::fromUtf8("Estación"), line(kIdStation, 4));
    return box;
}

QWidget* PredetForm::slot_box(int k) {
    auto* box = new QGroupBox(QString("Horario %1").arg(k), this);
    auto* form = new QFormLayout(box);
    auto line = [&](int offset, int width, const char* mask = nullptr) {
        auto* e = Add(new QLineEdit(box), slot_id(k, offset));
        e->setMaxLength(width);
        if (mask) e->setPlaceholderText(mask);
        return e;
    };
    form->addRow("", Add(new QCheckBox("Activo", box), slot_id(k, kActive)));
    form->addRow("Desde", line(kStart, 5, "HH:MM"));
    form->addRow("Hasta", line(kEnd, 5, "HH:MM"));
    form->addRow("Impresora", printer_combo(box, slot_id(k, kSlotPrinter), ""));
    form->addRow(QString::fromUtf8("Estación"), line(kSlotStation, 4));
    form->addRow("", Add(new QCheckBox("ICF", box), slot_id(k, kSlotFlag)));
    form->addRow("", Add(new QCheckBox("Buscar por nombre", box), slot_id(k, kSlotSearch)));
    for (int i = 0; i < 3; ++i)
        form->addRow(QString("Parte %1").arg(i + 1), line(kSlotPart1 + i, 40));
    return box;
}

void PredetForm::fill(const services::PrinterProfileKeys& k) {
    auto set_printer = [this](int id, const std::string& name) {
        auto* combo = control_as<QComboBox>(id);
        if (combo->findText(q(name)) < 0) combo->addItem(q(name));
        combo->setCurrentText(q(name));
    };
    set_printer(kIdPrinter, k.printer);
    control_as<QCheckBox>(kIdNt)->setChecked(k.nt == "1");
    control_as<QCheckBox>(kIdSearch)->setChecked(k.search == "1");
    edit(kIdPart1)->setText(q(k.part1));
    edit(kIdPart1 + 1)->setText(q(k.part2));
    edit(kIdPart1 + 2)->setText(q(k.part3));
    control_as<QCheckBox>(kIdIcf)->setChecked(k.icf == "1");
    edit(kIdStation)->setText(q(rtrim(k.station)));
    for (int i = 0; i < 3; ++i) {
        const int n = i + 1;
        const services::PrinterSlot& s = k.periods[i];
        control_as<QCheckBox>(slot_id(n, kActive))->setChecked(s.active);
        edit(slot_id(n, kStart))->setText(q(s.start));
        edit(slot_id(n, kEnd))->setText(q(s.end));
        set_printer(slot_id(n, kSlotPrinter), s.printer);
        edit(slot_id(n, kSlotStation))->setText(q(s.station));
        control_as<QCheckBox>(slot_id(n, kSlotFlag))->setChecked(s.flag == "1");
        control_as<QCheckBox>(slot_id(n, kSlotSearch))->setChecked(s.search == "1");
        edit(slot_id(n, kSlotPart1))->setText(q(s.part1));
        edit(slot_id(n, kSlotPart1 + 1))->setText(q(s.part2));
        edit(slot_id(n, kSlotPart1 + 2))->setText(q(s.part3));
    }
}

services::PrinterProfileKeys PredetForm::keys() const {
    auto text = [this](int id) { return trim(edit(id)->text().toStdString()); };
    auto flag = [this](int id) { return std::string(checked(id) ? "1" : "0"); };
    services::PrinterProfileKeys k;
    k.printer = control_as<QComboBox>(kIdPrinter)->currentText().toStdString();
    k.nt = flag(kIdNt);
    k.search = flag(kIdSearch);
    k.part1 = text(kIdPart1);
    k.part2 = text(kIdPart1 + 1);
    k.part3 = text(kIdPart1 + 2);
    k.icf = flag(kIdIcf);
    k.station = text(kIdStation);
    for (int i = 0; i < 3; ++i) {
        const int n = i + 1;
        services::PrinterSlot& s = k.periods[i];
        s.active = checked(slot_id(n, kActive));
        s.start = text(slot_id(n, kStart));
        s.end = text(slot_id(n, kEnd));
        s.printer = control_as<QComboBox>(slot_id(n, kSlotPrinter))->currentText().toStdString();
        s.station = text(slot_id(n, kSlotStation));
        s.flag = flag(slot_id(n, kSlotFlag));
        s.search = flag(slot_id(n, kSlotSearch));
        s.part1 = text(slot_id(n, kSlotPart1));
        s.part2 = text(slot_id(n, kSlotPart1 + 1));
        s.part3 = text(slot_id(n, kSlotPart1 + 2));
    }
    return k;
}

void PredetForm::SAVE_DATOS() {
    const services::PrinterProfileKeys k = keys();
    for (int i = 0; i < 3; ++i) {
        const auto& s = k.periods[i];
        if (s.active && (!valid_hhmm(s.start) || !valid_hhmm(s.end) || s.end < s.start)) {
            MESSAGE_BOX(this,
                        "El Horario " + std::to_string(i + 1) +
                            " debe tener horas válidas (HH:MM) y la final no antes de la inicial",
                        "Error", kMbOk | kMbIconExclamation);
            return;
        }
    }
    services::PredetRow row = m_row.value_or(services::PredetRow{});
    row.CODIGO = edit(kIdCode)->text().toStdString();
    row.DESCRIP = edit(kIdDescrip)->text().toStdString();
    row.COMANDA = edit(kIdComanda)->text().toStdString();
    row.RUNNER = edit(kIdRunner)->text().toStdString();
    const auto problem = services::save_predet(m_db, m_ini, m_business, row, k,
                                               *print_context().printers, !m_row.has_value());
    if (problem) {
        MESSAGE_BOX(this, problem->text, problem->title, kMbOk | kMbIconStop);
        // A row already written stays; only the workstation's keys could not be.
        if (problem->title == "ERROR" && problem->text.rfind("Error en Escritura", 0) == 0)
            EndDialog(kCmdOk);
        return;
    }
    EndDialog(kCmdOk);
}

}  // namespace qz::gui
