#include "gui/session/session_fields.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "data/catalogue.h"
#include "gui/framework/dialog_frame.h"
#include "gui/framework/masked_edit.h"

namespace qz::gui {

namespace {

// What the user table keeps is all that can be typed: a longer name is found by no seek and a
// longer password would be cut without the user knowing.
int user_field_width(const std::string& field) {
    const data::TableDef* users = data::Catalogue::instance().find("USUARIOS");
    const data::FieldDef* def = users ? users->field(field) : nullptr;
    return def ? def->width : 10;
}

LR_MASKED* upper_field(DialogFrame& dialog, QWidget* parent, int id, const std::string& field) {
    const std::string picture = "@! " + std::string(user_field_width(field), 'X');
    auto* edit = dialog.Add(new LR_MASKED(parent, id, std::string(), picture), id);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 24);
    return edit;
}

}  // namespace

LR_MASKED* name_field(DialogFrame& dialog, QWidget* parent, int id) {
    return upper_field(dialog, parent, id, "NOMBRE");
}

LR_MASKED* password_field(DialogFrame& dialog, QWidget* parent, int id) {
    LR_MASKED* edit = upper_field(dialog, parent, id, "PASSWORD");
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QFormLayout* session_form() {
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(10);
    return form;
}

QLabel* note_label(const std::string& text, QWidget* parent) {
    auto* label = new QLabel(QString::fromStdString(text), parent);
    label->setWordWrap(true);
    // A wrapped label takes as little width as it may; a sentence should read in one line.
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 48);
    return label;
}

void add_dialog_buttons(DialogFrame& dialog, QWidget* parent, QBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addStretch(1);
    auto* ok = dialog.Add(new QPushButton("Aceptar", parent), kCmdOk);
    ok->setDefault(true);
    row->addWidget(ok);
    row->addWidget(dialog.Add(new QPushButton("Cancelar", parent), kCmdCancel));
    layout->addSpacing(6);
    layout->addLayout(row);
}

}  // namespace qz::gui
