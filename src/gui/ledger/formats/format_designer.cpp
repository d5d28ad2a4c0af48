#include "gui/ledger/formats/format_designer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "core/text.h"
#include "domain/ledger/printable_document.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/formats/format_layout.h"
#include "gui/ledger/formats/screen_printer.h"
#include "gui/print/print_context.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"
#include "services/print/report_fonts.h"

namespace qz::gui {

namespace {

using domain::FormatElement;

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& q) { return q.toStdString(); }

// The choices of the field lists: a fixed text, a rule, then every printable field.
const char* const kFixedText = "";
void fill_fields(QComboBox* box, bool with_fixed) {
    if (with_fixed) {
        box->addItem("(Texto fijo)", kFixedText);
        box->addItem(QString::fromUtf8("(Línea horizontal)"), domain::kRuleField);
    }
    for (const auto& f : domain::printable_fields())
        box->addItem(q(std::string(f.code) + " - " + f.caption), f.code);
}

QString shown(const FormatElement& e) {
    if (e.field == domain::kRuleField) return {};
    if (e.field.empty()) return q(e.text);
    return q((e.text.empty() ? "" : e.text + " ") + "[" + e.field + "]");
}

// An element on the canvas: dragged with the mouse, it tells the designer where it was left.
class ElementItem : public QGraphicsRectItem {
public:
    ElementItem(FormatDesigner* d, int index, const QRectF& r)
        : QGraphicsRectItem(r), m_d(d), m_i(index) {
        setFlags(ItemIsMovable | ItemIsSelectable);
    }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* e) override {
        QGraphicsRectItem::mousePressEvent(e);
        FormatDesigner* d = m_d;
        const int i = m_i;
        QTimer::singleShot(0, d, [d, i] { d->select(i); });
    }
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* e) override {
        QGraphicsRectItem::mouseReleaseEvent(e);
        // The canvas is drawn again once the event is over: this item goes with it.
        const QPointF at = scenePos() + rect().topLeft();
        FormatDesigner* d = m_d;
        const int i = m_i;
        QTimer::singleShot(0, d, [d, i, at] {
            d->drag_to(i, at.y() / FormatDesigner::kCellY, at.x() / FormatDesigner::kCellX);
        });
    }

private:
    FormatDesigner* m_d;
    int m_i;
};

QDoubleSpinBox* cells_box(QWidget* parent, double max) {
    auto* b = new QDoubleSpinBox(parent);
    b->setRange(-10, max);
    b->setSingleStep(0.5);
    b->setDecimals(2);
    return b;
}

QSpinBox* count_box(QWidget* parent, int min, int max) {
    auto* b = new QSpinBox(parent);
    b->setRange(min, max);
    return b;
}

}  // namespace

FormatDesigner::FormatDesigner(QWidget* owner, data::Db& db, IniFile& ini, std::string business,
                               domain::PrintFormat f)
    : WDIAG(owner, "FORMA_DOC", 0, ScreenOptions{true, true}),
      m_db(db),
      m_ini(ini),
      m_business(std::move(business)),
      m_draft(std::move(f)) {}

bool FormatDesigner::Init() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tool_bar());
    auto* body = new QHBoxLayout;
    m_scene = new QGraphicsScene(this);
    m_view = Add(new QGraphicsView(m_scene, this), kIdCanvas);
    m_view->setMinimumSize(560, 420);
    body->addWidget(m_view, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(element_panel());
    side->addWidget(page_panel());
    side->addStretch();
    body->addLayout(side);
    layout->addLayout(body);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Add(new QPushButton("Grabar", this), kIdSave, [this] { save(); }));
    buttons->addWidget(Add(new QPushButton(QString::fromUtf8("Página de Prueba"), this),
                           kIdTestPage, [this] { test_page(); }));
    buttons->addWidget(Add(new QPushButton("Imprimir Documento...", this), kIdPrintDocument,
                           [this] { print_document(); }));
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    layout->addLayout(buttons);
    Text("Diseño de Formato: " + m_draft.format().code + " " + m_draft.format().name);
    fill_page_panel();
    redraw();
    resize(1040, 640);
    Create();
    return true;
}

QWidget* FormatDesigner::tool_bar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    auto* fields = Add(new QComboBox(bar), kIdFieldChoice);
    fill_fields(fields, false);
    row->addWidget(fields, 1);
    row->addWidget(Add(new QPushButton("Agregar Campo", bar), kIdAddField,
                       [this, fields] { add_field(s(fields->currentData().toString())); }));
    auto* text = Add(new QLineEdit(bar), kIdNewText);
    text->setPlaceholderText("Texto fijo");
    row->addWidget(text, 1);
    row->addWidget(Add(new QPushButton("Agregar Texto", bar), kIdAddText, [this, text] {
        if (trim(s(text->text())).empty()) return;
        select(static_cast<int>(m_draft.add_text(s(text->text()))));
        text->clear();
    }));
    row->addWidget(Add(new QPushButton(QString::fromUtf8("Agregar Línea"), bar), kIdAddRule,
                       [this] { select(static_cast<int>(m_draft.add_rule())); }));
    row->addWidget(Add(new QPushButton("Borrar Elemento", bar), kIdDelete, [this] {
        if (m_selected < 0) return;
        m_draft.remove(static_cast<size_t>(m_selected));
        select(-1);
    }));
    return bar;
}

QWidget* FormatDesigner::element_panel() {
    auto* box = new QGroupBox("Elemento", this);
    auto* form = new QFormLayout(box);
    fill_fields(Add(new QComboBox(box), kIdField), true);
    form->addRow("Campo:", control_as<QComboBox>(kIdField));
    form->addRow("Texto:", Add(new QLineEdit(box), kIdText));
    form->addRow("Fila:", Add(cells_box(box, domain::kFormatRows - 1), kIdRow));
    form->addRow("Columna:", Add(cells_box(box, 320), kIdColumn));
    form->addRow("Largo:", Add(count_box(box, 1, 320), kIdWidth));
    auto* font = Add(new QComboBox(box), kIdFont);
    for (int f = 0; f < 14; ++f) {
        const auto& spec = services::font_spec(static_cast<services::ReportFont>(f));
        font->addItem(q(std::string(spec.name) + " (" + std::to_string(spec.points) + " pt" +
                        (spec.bold ? ", negrita)" : ")")));
    }
    form->addRow("Letra:", font);
    auto* align = Add(new QComboBox(box), kIdAlign);
    align->addItems({"Izquierda", "Centro", "Derecha"});
    form->addRow(QString::fromUtf8("Alineación:"), align);
    form->addRow("Formato:", Add(new QLineEdit(box), kIdPicture));
    form->addRow(Add(new QPushButton("Aplicar", box), kIdApply, [this] { apply_element(); }));
    return box;
}

QWidget* FormatDesigner::page_panel() {
    auto* box = new QGroupBox(QString::fromUtf8("Página"), this);
    auto* form = new QFormLayout(box);
    form->addRow(QString::fromUtf8("Descripción:"), Add(new QLineEdit(box), kIdName));
    form->addRow("Desplaz. vertical (OFFSET):", Add(cells_box(box, 60), kIdOffset));
    form->addRow("Desplaz. horizontal (OFFSET_H):", Add(cells_box(box, 100), kIdOffsetH));
    form->addRow("Ancho en columnas (ANCHO):", Add(cells_box(box, 320), kIdColumns));
    form->addRow(QString::fromUtf8("Líneas de detalle (LINEAS):"),
                 Add(count_box(box, 1, domain::kFormatRows), kIdLines));
    form->addRow(QString::fromUtf8("Documentos por página (DOCS_PAG):"),
                 Add(count_box(box, 1, 9), kIdDocs));
    form->addRow("Copias por hoja (COPIAS_H):", Add(count_box(box, 1, 4), kIdCopies));
    form->addRow("Filas entre copias (OFF_COPY):", Add(cells_box(box, 65), kIdCopyOffset));
    form->addRow(Add(new QCheckBox("Sin recuadro del detalle (NO_IMP_V)", box), kIdNoVertical));
    form->addRow(Add(new QCheckBox(QString::fromUtf8("Sin línea bajo los títulos (NO_IMP_H)"), box),
                     kIdNoHorizontal));
    return box;
}

void FormatDesigner::fill_page_panel() {
    const auto& f = m_draft.format();
    control_as<QLineEdit>(kIdName)->setText(q(f.name));
    control_as<QDoubleSpinBox>(kIdOffset)->setValue(f.offset);
    control_as<QDoubleSpinBox>(kIdOffsetH)->setValue(f.offset_h);
    control_as<QDoubleSpinBox>(kIdColumns)->setValue(f.columns);
    control_as<QSpinBox>(kIdLines)->setValue(f.page.lines);
    control_as<QSpinBox>(kIdDocs)->setValue(std::max(1, f.page.docs_per_page));
    control_as<QSpinBox>(kIdCopies)->setValue(std::max(1, f.page.copies));
    control_as<QDoubleSpinBox>(kIdCopyOffset)->setValue(f.page.copy_offset);
    control_as<QCheckBox>(kIdNoVertical)->setChecked(f.page.no_vertical);
    control_as<QCheckBox>(kIdNoHorizontal)->setChecked(f.page.no_horizontal);
}

void FormatDesigner::read_page_panel() {
    auto& f = m_draft.format();
    f.name = s(control_as<QLineEdit>(kIdName)->text());
    f.offset = control_as<QDoubleSpinBox>(kIdOffset)->value();
    f.offset_h = control_as<QDoubleSpinBox>(kIdOffsetH)->value();
    f.columns = control_as<QDoubleSpinBox>(kIdColumns)->value();
    f.page.lines = control_as<QSpinBox>(kIdLines)->value();
    f.page.docs_per_page = control_as<QSpinBox>(kIdDocs)->value();
    f.page.copies = control_as<QSpinBox>(kIdCopies)->value();
    f.page.copy_offset = control_as<QDoubleSpinBox>(kIdCopyOffset)->value();
    f.page.no_vertical = control_as<QCheckBox>(kIdNoVertical)->isChecked();
    f.page.no_horizontal = control_as<QCheckBox>(kIdNoHorizontal)->isChecked();
}

void FormatDesigner::select(int index) {
    m_selected = index >= 0 && index < static_cast<int>(m_draft.count()) ? index : -1;
    show_element();
    redraw();
}

void FormatDesigner::drag_to(int index, double row, double column) {
    if (index < 0 || index >= static_cast<int>(m_draft.count())) return;
    select(static_cast<int>(m_draft.move(static_cast<size_t>(index), row, column)));
}

void FormatDesigner::add_field(const std::string& field) {
    if (!field.empty()) select(static_cast<int>(m_draft.add_field(field)));
}

void FormatDesigner::show_element() {
    const bool on = m_selected >= 0;
    for (int id = kIdField; id <= kIdPicture; ++id) control(id)->setEnabled(on);
    control(kIdApply)->setEnabled(on);
    if (!on) return;
    const FormatElement& e = m_draft.at(static_cast<size_t>(m_selected));
    auto* field = control_as<QComboBox>(kIdField);
    field->setCurrentIndex(std::max(0, field->findData(q(e.field))));
    control_as<QLineEdit>(kIdText)->setText(q(e.text));
    control_as<QDoubleSpinBox>(kIdRow)->setValue(e.row);
    control_as<QDoubleSpinBox>(kIdColumn)->setValue(e.column);
    control_as<QSpinBox>(kIdWidth)->setValue(std::max(1, e.width));
    control_as<QComboBox>(kIdFont)->setCurrentIndex(e.font);
    control_as<QComboBox>(kIdAlign)->setCurrentIndex(e.align);
    control_as<QLineEdit>(kIdPicture)->setText(q(e.picture));
}

void FormatDesigner::apply_element() {
    if (m_selected < 0) return;
    FormatElement e = m_draft.at(static_cast<size_t>(m_selected));
    e.field = s(control_as<QComboBox>(kIdField)->currentData().toString());
    e.text = s(control_as<QLineEdit>(kIdText)->text());
    e.width = control_as<QSpinBox>(kIdWidth)->value();
    e.font = control_as<QComboBox>(kIdFont)->currentIndex();
    e.align = control_as<QComboBox>(kIdAlign)->currentIndex();
    e.picture = trim(s(control_as<QLineEdit>(kIdPicture)->text()));
    size_t i = m_draft.change(static_cast<size_t>(m_selected), e);
    i = m_draft.move(i, control_as<QDoubleSpinBox>(kIdRow)->value(),
                     control_as<QDoubleSpinBox>(kIdColumn)->value());
    select(static_cast<int>(i));
}

void FormatDesigner::redraw() {
    if (m_redrawing || !m_scene) return;
    m_redrawing = true;
    m_scene->clear();
    const auto& f = m_draft.format();
    m_scene->addRect(0, 0, f.columns * kCellX, domain::kFormatRows * kCellY, QPen(Qt::gray),
                     QBrush(Qt::white));
    if (!f.lines.empty()) {
        const double top = f.lines.front().row;
        m_scene->addRect(0, (top - 1) * kCellY, f.columns * kCellX, (f.page.lines + 1) * kCellY,
                         QPen(Qt::NoPen), QBrush(QColor(235, 240, 250)));
    }
    QFont small;
    small.setPixelSize(10);
    for (size_t i = 0; i < m_draft.count(); ++i) {
        const FormatElement& e = m_draft.at(i);
        const bool rule = e.field == domain::kRuleField;
        auto* item = new ElementItem(
            this, static_cast<int>(i),
            QRectF(0, rule ? kCellY / 2 - 1 : 0, e.width * kCellX, rule ? 3 : kCellY));
        item->setPos(e.column * kCellX, e.row * kCellY);
        const bool chosen = static_cast<int>(i) == m_selected;
        item->setPen(QPen(chosen ? Qt::red : (m_draft.is_line(i) ? Qt::darkBlue : Qt::darkGray)));
        if (rule) item->setBrush(Qt::black);
        auto* label = new QGraphicsSimpleTextItem(shown(e), item);
        label->setFont(small);
        label->setPos(2, 1);
        m_scene->addItem(item);
    }
    m_redrawing = false;
}

bool FormatDesigner::save() {
    read_page_panel();
    QtUserPort port(this);
    if (!domain::save_format(m_db, port, m_business, m_draft.format())) return false;
    m_draft.saved();
    MESSAGE_BOX(this, "Formato grabado.", "Aviso", kMbOk | kMbIconInformation);
    return true;
}

DocumentPrinter FormatDesigner::printer() { return screen_printer(this, m_db, m_ini); }

void FormatDesigner::test_page() {
    read_page_panel();
    if (const std::string why = domain::check_format(m_draft.format()); !why.empty()) {
        MESSAGE_BOX(this, why, "Error", kMbOk | kMbIconStop);
        return;
    }
    // A format of receipts gets a sample receipt, any other a sample invoice.
    bool receipt = false;
    for (const auto& e : m_draft.format().lines) receipt = receipt || e.field == "L_MONTO";
    const Date today = m_db.clock().XDATE();
    auto sample = receipt ? domain::sample_receipt(today) : domain::sample_document(today);
    services::PrinterFunction job;
    job.T_Print = "META";
    DocumentPrinter p = printer();
    print_through_format(p, job, m_draft.format(), sample, "Página de Prueba");
}

void FormatDesigner::print_document() {
    bool ok = false;
    const QString number =
        QInputDialog::getText(this, "Imprimir Documento", QString::fromUtf8("Número de documento:"),
                              QLineEdit::Normal, "", &ok);
    if (!ok || number.trimmed().isEmpty()) return;
    DocumentPrinter p = printer();
    DocumentPrintRequest r;
    r.business = m_business;
    r.number = s(number.trimmed());
    r.preview = true;
    xPRINT_DOC(p, r);
}

FormatDesigner* open_format_designer(QWidget* owner, data::Db& db, IniFile& ini,
                                     const std::string& business, const std::string& code) {
    auto f = domain::load_format(db, business, code);
    if (!f) return nullptr;
    return open_screen<FormatDesigner>(owner, db, ini, business, std::move(*f));
}

}  // namespace qz::gui
