// ED_CON: every field of a document concept on five tabs, its print bindings edited in a work
// copy (a temporary table) on a sixth, and the term plan in ED_CON2. "Aceptar" hands all of it
// to the domain, which writes it in one transaction or names the field to go back to.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <map>
#include <memory>

#include "core/text.h"
#include "data/amount_field.h"
#include "data/order_key.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/tab_pages.h"
#include "gui/ledger/concepts/concept_bindings.h"
#include "gui/ledger/concepts/concept_screens.h"

namespace qz::gui {

namespace {

using namespace ed_con;
namespace dl = qz::domain;

QString q(const std::string& s) { return QString::fromStdString(s); }

// The labels of the flags, in the order of kConceptFlags.
constexpr std::array<const char*, 26> kFlagLabels = {"Incluir Detalle Inventario",
                                                     "Leer Serial",
                                                     "Leer Serial Local",
                                                     "Permitir editar Consecutivo POS",
                                                     "Proyectar Tipo de Cambio",
                                                     "Accesible",
                                                     "Cancela Documento",
                                                     "Requiere Cálculo Intereses",
                                                     "Calcular Cuotas",
                                                     "Afecta Costo Inventario",
                                                     "NO Afecta V/CxC Conta.",
                                                     "Venta/Costo",
                                                     "No generar C x Cobrar",
                                                     "Habilitar Cuenta Complementaria",
                                                     "Generar Doc. Regular",
                                                     "Exigir Clas. #1",
                                                     "Exigir Clas. #2",
                                                     "Clas. #1 y Clas. #2 Únicos",
                                                     "Leer Contrapartida NC",
                                                     "Factura Pos-Fechada",
                                                     "Listar en Cierre de Caja",
                                                     "Imprimir Datos Adic en Factura",
                                                     "Imprimir Descripción Global al Final",
                                                     "Ver en Comisiones de Reservas",
                                                     "Asociar Proveedor",
                                                     "Imprimir Agente"};
constexpr std::array<const char*, 21> kTextLabels = {
    "Texto 1:",  "Texto 2:",  "Texto 3:",     "Texto 4:",  "Texto 5:",  "Descripción:",
    "Título 1:", "Título 2:", "Título 3:",    "Título 4:", "Título 5:", "Título 12:",
    "Final 1:",  "Final 2:",  "Final 3:",     "Final 4:",  "Final 5:",  "Final 6:",
    "Final 7:",  "Final 8:",  "Texto Agente:"};

// A code or text field of the concept: its CONCEPT1 field, id, label and member.
struct TextSpec {
    const char* field;
    int id;
    const char* label;
    std::string dl::DocumentConcept::*member;
};

constexpr int kGeneral = 1, kAccounting = 2, kNumbering = 3, kOptions = 4, kTickets = 5,
              kPrinting = 6;

class ConceptEditor : public DIALOG_BOX {
public:
    ConceptEditor(QWidget* owner, data::Db& db, std::string business, std::string code)
        : DIALOG_BOX("ED_CON", owner),
          m_db(db),
          m_business(std::move(business)),
          m_old(std::move(code)) {}

    bool Init() override {
        // A new concept is offered in the selection lists unless the user says otherwise.
        m_c.set_flag("SHOW", true);
        if (!m_old.empty()) {
            auto c = dl::read_document_concept(m_db, m_business, m_old);
            if (!c) return false;
            m_c = *c;
            m_plan = dl::read_term_plan(m_db, m_business, m_old);
        }
        auto* layout = new QVBoxLayout(this);
        m_tabs = Add(new TabPages(this), kTabs);
        build_general(m_tabs->ADDTABPAGE("General"));
        build_accounting(m_tabs->ADDTABPAGE("Contabilidad"));
        build_numbering(m_tabs->ADDTABPAGE("Numeración y Pagos"));
        build_flags(m_tabs->ADDTABPAGE("Opciones"));
        build_texts(m_tabs->ADDTABPAGE("Texto para Tickets"));
        m_printing = std::make_unique<BindingGrid>(*this, m_db, m_business, m_old);
        m_printing->build(m_tabs->ADDTABPAGE("Impresión"));
        layout->addWidget(m_tabs);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Edición de Concepto de Documentos");
        resize(900, 600);
        return true;
    }

    void CerrarBases() override {
        if (m_printing) m_printing->close();
    }

    void SAVE_DATOS() override {
        dl::DocumentConcept c = m_c;
        if (!collect(c)) return;
        QtUserPort port(this);
        dl::ConceptProblem problem;
        if (dl::save_document_concept(m_db, port, m_business, m_old, c, m_printing->rows(), m_plan,
                                      &problem)) {
            EndDialog(kCmdOk);
            return;
        }
        go_to(problem.field);
    }

private:
    QFormLayout* form_on(QWidget* page) {
        auto* f = new QFormLayout(page);
        f->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        return f;
    }
    QLineEdit* line(QWidget* page, QFormLayout* f, const char* field, int id, const char* label,
                    const std::string& value, int tab) {
        auto* e = Add(new QLineEdit(q(value), page), id);
        e->setMaxLength(static_cast<int>(data::field_width("CONCEPT1", field)));
        e->setMinimumWidth(std::min(40, e->maxLength()) * 9);
        f->addRow(label, e);
        place(field, id, tab);
        return e;
    }
    void number(QWidget* page, QFormLayout* f, const char* field, int id, const char* label,
                const Decimal& value, int tab) {
        f->addRow(
            label,
            Add(amount_edit(page, id, data::amount_field("CONCEPT1", field, label), value), id));
        place(field, id, tab);
    }
    QComboBox* choice(QWidget* page, QFormLayout* f, const char* label, const char* field, int id,
                      std::vector<const char*> captions, int value, int tab) {
        auto* c = Add(new QComboBox(page), id);
        for (size_t i = 0; i < captions.size(); ++i) c->addItem(captions[i], static_cast<int>(i));
        c->setCurrentIndex(std::max(0, c->findData(value)));
        f->addRow(label, c);
        place(field, id, tab);
        return c;
    }
    void place(const char* field, int id, int tab) {
        m_ids[field] = id;
        m_tab_of[id] = tab;
    }

    void build_general(QWidget* page) {
        auto* f = form_on(page);
        line(page, f, "CONCEPTO", kCode, "Código :", m_c.code, kGeneral);
        line(page, f, "DESCRIP", kName, "Descripción :", m_c.name, kGeneral);
        number(page, f, "PLAZO", kTerm, "Plazo :", Decimal(m_c.term_days), kGeneral);
        line(page, f, "OPUESTO", kOpposite, "Opuesto :", m_c.opposite, kGeneral);
        // TIPO 1 is debit, TIPO2 1 entry: the captions are listed by the stored value.
        choice(page, f, "Naturaleza :", "TIPO", kDebit, {"Crédito", "Débito"}, m_c.debit, kGeneral);
        choice(page, f, "Movimiento :", "TIPO2", kStockEntry, {"Salida", "Entrada"}, m_c.stock_entry, kGeneral);
        choice(page, f, "Contabilidad :", "PROC_CONTA", kBooks,
               {"Contabilidad Principal", "Doble Contabilidad", "Contabilidad Replicada"},
               m_c.books, kGeneral);
        number(page, f, "MAX_LINEAS", kMaxLines,
               "Número Maximo de Líneas Permitido:", Decimal(m_c.max_lines), kGeneral);
        line(page, f, "MOV_INVENT", kStockConcept, "Inventario:", m_c.stock_concept, kGeneral);
        line(page, f, "C_VENTA", kSalesCentre, "Centro de Ventas:", m_c.sales_centre, kGeneral);
        line(page, f, "ETAPA_COB", kStage, "Parámetros de Cobro", m_c.collection_stage, kGeneral);
        line(page, f, "PROF_C_FAC", kProforma, "Proforma Convertida a Factura",
             m_c.proforma_concept, kGeneral);
    }

    void build_accounting(QWidget* page) {
        auto* f = form_on(page);
        for (size_t i = 0; i < dl::kConceptLinks.size(); ++i)
            line(page, f, dl::kConceptLinks[i], kLinks + static_cast<int>(i),
                 dl::kConceptLinkLabels[i], m_c.links[i], kAccounting);
    }

    static const std::vector<TextSpec>& numbering_specs() {
        static const std::vector<TextSpec> specs = {
            {"SERIAL", kSeries, "Serial Documento Generado", &dl::DocumentConcept::series},
            {"SERIAL2", kPendingSeries, "Serial Documento Pendiente",
             &dl::DocumentConcept::pending_series},
            {"ABONO_DEF", kPaymentConcept, "Concepto Abono x Defecto",
             &dl::DocumentConcept::payment_concept},
            {"ABONO_DEF2", kIncomeConcept, "Concepto Ingreso (NC/ND)",
             &dl::DocumentConcept::income_concept},
            {"ABONO_BLO", kReceiptBlock, "Block Abono:", &dl::DocumentConcept::receipt_block},
            {"T_MOV_DEF", kPaymentMethod, "Forma Pago:", &dl::DocumentConcept::payment_method},
            {"MON_REP", kReportCurrency, "Moneda para Reporte",
             &dl::DocumentConcept::report_currency},
            {"COD_DIFF", kDiffType, "Diferencial:", &dl::DocumentConcept::diff_type},
        };
        return specs;
    }

    void build_numbering(QWidget* page) {
        auto* f = form_on(page);
        for (const auto& s : numbering_specs())
            line(page, f, s.field, s.id, s.label, m_c.*s.member, kNumbering);
        number(page, f, "I_MORA", kLateRate, "Interés Moratorio:", m_c.late_rate, kNumbering);
        auto* plan = Add(new QPushButton("Plazos de Pago", page), kPlan,
                         [this] { edit_term_plan(this, m_db, m_plan); });
        f->addRow("", plan);
        m_tab_of[kPlan] = kNumbering;
    }

    void build_flags(QWidget* page) {
        auto* grid = new QGridLayout(page);
        for (size_t i = 0; i < dl::kConceptFlags.size(); ++i) {
            const int id = kFlags + static_cast<int>(i);
            auto* c = Add(new QCheckBox(kFlagLabels[i], page), id);
            c->setChecked(m_c.flags[i]);
            grid->addWidget(c, static_cast<int>(i % 13), static_cast<int>(i / 13));
            place(dl::kConceptFlags[i], id, kOptions);
        }
    }

    void build_texts(QWidget* page) {
        auto* grid = new QGridLayout(page);
        for (size_t i = 0; i < dl::kConceptTexts.size(); ++i) {
            const int id = kTexts + static_cast<int>(i);
            auto* e = Add(new QLineEdit(q(m_c.texts[i]), page), id);
            e->setMaxLength(static_cast<int>(data::field_width("CONCEPT1", dl::kConceptTexts[i])));
            const int row = static_cast<int>(i % 11), col = static_cast<int>(i / 11) * 2;
            grid->addWidget(new QLabel(kTextLabels[i], page), row, col);
            grid->addWidget(e, row, col + 1);
            place(dl::kConceptTexts[i], id, kTickets);
        }
    }

    std::string text_of(int id) const { return control_as<QLineEdit>(id)->text().toStdString(); }
    int choice_of(int id) const { return control_as<QComboBox>(id)->currentData().toInt(); }

    // A whole number or amount typed in field `id`; false (told) when the field does not hold it.
    bool read_number(int id, const char* field, const char* label, Decimal& out) {
        const std::string typed = trim(text_of(id));
        const std::string why =
            data::amount_field("CONCEPT1", field, label).read(typed.empty() ? "0" : typed, out);
        if (why.empty()) return true;
        QtUserPort(this).message(MsgStyle::Error, "Error", why);
        go_to(field);
        return false;
    }

    bool collect(dl::DocumentConcept& c) {
        Decimal term, lines;
        if (!read_number(kTerm, "PLAZO", "Plazo", term) ||
            !read_number(kMaxLines, "MAX_LINEAS", "Número Maximo de Líneas", lines) ||
            !read_number(kLateRate, "I_MORA", "Interés Moratorio", c.late_rate))
            return false;
        c.term_days = static_cast<int>(term.to_int());
        c.max_lines = static_cast<int>(lines.to_int());
        c.code = text_of(kCode);
        c.name = text_of(kName);
        c.opposite = text_of(kOpposite);
        c.debit = choice_of(kDebit);
        c.stock_entry = choice_of(kStockEntry);
        c.books = choice_of(kBooks);
        c.stock_concept = text_of(kStockConcept);
        c.sales_centre = text_of(kSalesCentre);
        c.collection_stage = text_of(kStage);
        c.proforma_concept = text_of(kProforma);
        for (size_t i = 0; i < c.links.size(); ++i) c.links[i] = text_of(kLinks + int(i));
        for (const auto& s : numbering_specs()) c.*s.member = text_of(s.id);
        for (size_t i = 0; i < c.flags.size(); ++i)
            c.flags[i] = control_as<QCheckBox>(kFlags + int(i))->isChecked();
        for (size_t i = 0; i < c.texts.size(); ++i) c.texts[i] = text_of(kTexts + int(i));
        return true;
    }

    // Shows the page of the field a refusal named and puts the focus on it.
    void go_to(const std::string& field) {
        int id = 0;
        if (field == "DET_CON1")
            id = kBindings;
        else if (field == "DET_CON2")
            id = kPlan;
        else if (auto it = m_ids.find(field); it != m_ids.end())
            id = it->second;
        if (!id) return;
        m_tabs->ACTIVATEPAGE(id == kBindings ? kPrinting : m_tab_of[id]);
        control(id)->setFocus();
    }

    data::Db& m_db;
    std::string m_business, m_old;
    dl::DocumentConcept m_c;
    std::vector<dl::TermRow> m_plan;
    TabPages* m_tabs = nullptr;
    std::unique_ptr<BindingGrid> m_printing;
    std::map<std::string, int> m_ids;  // CONCEPT1 field → control id
    std::map<int, int> m_tab_of;       // control id → page
};

}  // namespace

bool edit_document_concept(QWidget* owner, data::Db& db, const std::string& business,
                           const std::string& code) {
    ConceptEditor editor(owner, db, business, code);
    return editor.run() == kCmdOk;
}

}  // namespace qz::gui
