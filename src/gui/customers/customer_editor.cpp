#include "gui/customers/customer_editor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/stamp.h"
#include "core/text.h"
#include "data/amount_field.h"
#include "domain/customers/customer_codes.h"
#include "domain/customers/tour_commissions.h"
#include "domain/ledger/customer_reclassification.h"
#include "domain/session/master_rows.h"
#include "gui/customers/customer_dialogs.h"
#include "gui/customers/satellite_screens.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/qt_user_port.h"

namespace qz::gui {

namespace dc = qz::domain::customers;

namespace {

struct TextField {
    int id;
    const char* label;
    std::string dc::Branch::*member;
    int width;
};
const TextField kBranchTexts[] = {
    {kEdBranchCode, "Sucursal:", &dc::Branch::code, 15},
    {kEdBranchName, "Nombre:", &dc::Branch::name, 100},
    {kEdBranchSocial, "Razón Social:", &dc::Branch::social, 100},
    {kEdBranchLegal, "Cédula:", &dc::Branch::legal_id, 20},
    {kEdBranchAddress, "Dirección:", &dc::Branch::address, 100},
    {kEdBranchBox, "Apartado:", &dc::Branch::po_box, 20},
    {kEdBranchAttention, "Atención:", &dc::Branch::attention, 60},
    {kEdPhone, "Teléfono:", &dc::Branch::phone, 30},
    {kEdPhone2, "Teléfono 2:", &dc::Branch::phone2, 30},
    {kEdPhone3, "Teléfono 3:", &dc::Branch::phone3, 30},
    {kEdPhone4, "Teléfono 4:", &dc::Branch::phone4, 30},
    {kEdFax, "Fax:", &dc::Branch::fax, 30},
    {kEdFax2, "Fax 2:", &dc::Branch::fax2, 30},
    {kEdEmail, "Email:", &dc::Branch::email, 60},
    {kEdUniqueId, "ID Único:", &dc::Branch::unique_id, 20},
    {kEdCard, "Tarjeta:", &dc::Branch::card, 20},
    {kEdCostCentre, "Centro de Costo:", &dc::Branch::cost_centre, 10},
    {kEdSalesLink, "Liga Ventas:", &dc::Branch::sales_link, 15},
    {kEdStage, "Etapa por Defecto:", &dc::Branch::stage, 4},
};

struct CheckField {
    int id;
    const char* label;
    bool dc::Branch::*member;
};
const CheckField kBranchChecks[] = {
    {kEdPrincipal, "Sucursal Principal", &dc::Branch::principal},
    {kEdIndividual, "Crédito Individual:", &dc::Branch::individual_credit},
    {kEdDiscountIncluded, "Descuento Implícito Precio", &dc::Branch::discount_included},
    {kEdAutoCollect, "Cobro Aut", &dc::Branch::auto_collect},
    {kEdNoCheck, "Sin Chequeo", &dc::Branch::no_check},
};

// Numbers of a branch, each edited through its DET_CLIE field.
struct NumberField {
    int id;
    const char* label;
    const char* field;
};
const NumberField kBranchNumbers[] = {
    {kEdLimit, "Límite:", "LIMITE"},
    {kEdMaxDays, "Días Crédito:", "MAX_DIAS"},
    {kEdDiscount, "Descuento %:", "DESCUENTO"},
    {kEdCollectDay, "Día Cobro:", "F_COBRO"},
    {kEdCardYear, "Año Vence:", "T_ANHO"},
    {kEdCardMonth, "Mes Vence:", "T_MES"},
    {kEdCommission, "% Comisión:", "PORCE_COMI"},
};

Decimal number_of(const dc::Branch& b, int id) {
    switch (id) {
        case kEdLimit:
            return b.limit;
        case kEdMaxDays:
            return Decimal(b.max_days);
        case kEdDiscount:
            return b.discount;
        case kEdCollectDay:
            return Decimal(b.collect_day);
        case kEdCardYear:
            return Decimal(b.card_year);
        case kEdCardMonth:
            return Decimal(b.card_month);
        default:
            return b.commission;
    }
}

void set_number(dc::Branch& b, int id, const Decimal& v) {
    const int whole = static_cast<int>(v.to_int());
    switch (id) {
        case kEdLimit:
            b.limit = v;
            break;
        case kEdMaxDays:
            b.max_days = whole;
            break;
        case kEdDiscount:
            b.discount = v;
            break;
        case kEdCollectDay:
            b.collect_day = whole;
            break;
        case kEdCardYear:
            b.card_year = whole;
            break;
        case kEdCardMonth:
            b.card_month = whole;
            break;
        default:
            b.commission = v;
    }
}

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& t) { return t.toStdString(); }

// The code chosen in a combo; nothing when none is.
std::optional<std::string> chosen(QComboBox* c) {
    if (c->currentIndex() < 0) return std::nullopt;
    return s(c->currentData().toString());
}
void choose(QComboBox* c, const std::optional<std::string>& code) {
    c->setCurrentIndex(code ? c->findData(q(*code)) : -1);
}

}  // namespace

CustomerEditor::CustomerEditor(QWidget* owner, data::Db& db, std::string business, std::string user,
                               dc::CustomerForm form)
    : DIALOG_BOX("MODICLIENTS", owner),
      m_db(db),
      m_business(std::move(business)),
      m_user(std::move(user)),
      m_form(std::move(form)) {}

bool CustomerEditor::Init() {
    auto* layout = new QVBoxLayout(this);
    auto* header = new QGridLayout;
    build_header(header);
    layout->addLayout(header);
    auto* branches = new QGroupBox("Sucursales", this);
    auto* grid = new QGridLayout(branches);
    build_branch(grid);
    layout->addWidget(branches);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] {
        if (save()) EndDialog(kCmdOk);
    }));
    buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
    layout->addLayout(buttons);
    Text("Mantenimiento de Cliente");
    show_header();
    fill_branch_list();
    return true;
}

void CustomerEditor::build_header(QGridLayout* g) {
    const auto edit = [&](int id, const char* label, int row, int col, int width) {
        g->addWidget(new QLabel(QString::fromUtf8(label), this), row, col);
        auto* e = Add(new QLineEdit(this), id);
        e->setMaxLength(width);
        g->addWidget(e, row, col + 1);
    };
    edit(kEdCode, "Código:", 0, 0, 15);
    edit(kEdLegalId, "Céd Juríd.:", 0, 2, 20);
    edit(kEdName, "Nombre:", 1, 0, 100);
    edit(kEdSocial, "Razón Soc:", 1, 2, 100);
    edit(kEdInitials, "Siglas:", 2, 0, 10);
    edit(kEdSupplier, "Proveedor:", 2, 2, 15);
    g->addWidget(new QLabel("Clasificación:", this), 3, 0);
    auto* clas = Add(new QLineEdit(this), kEdClass);
    clas->setReadOnly(true);
    g->addWidget(clas, 3, 1);
    g->addWidget(Add(new QPushButton("Clasificación", this), kEdClassButton,
                     [this] { pick_classification(); }),
                 3, 2);
    g->addWidget(new QLabel("Categoría:", this), 3, 3);
    g->addWidget(combo(kEdCategory, "CATEGORS", "CODIGO", "DESCRIP", "Ninguna"), 3, 4);
    g->addWidget(Add(new QCheckBox("Activo", this), kEdActive), 4, 0);
    g->addWidget(new QLabel("Tipo Anulación:", this), 4, 1);
    auto* reason = Add(new QComboBox(this), kEdReason);
    for (size_t i = 0; i < dc::reason_names().size(); ++i)
        reason->addItem(q(dc::reason_names()[i]), static_cast<int>(i + 1));
    g->addWidget(reason, 4, 2);
    g->addWidget(Add(new LR_MASKED(this, kEdAdmitted, Date()), kEdAdmitted), 4, 3);
    g->addWidget(Add(new LR_MASKED(this, kEdWithdrawn, Date()), kEdWithdrawn), 4, 4);
    g->addWidget(Add(new QPushButton("Mostrar", this), kEdHistory, [this] { show_history(); }), 4,
                 5);
    const std::pair<int, const char*> checks[] = {
        {kEdReadName, "Leer Nombre al Facturar"},
        {kEdExempt, "Exento"},
        {kEdNoInvoice, "No permitir Facturar"},
        {kEdCashOnly, "Cliente de Contado"},
        {kEdCommissionInPrice, "Rebajar Comisión en Precio"}};
    int col = 0;
    for (const auto& [id, label] : checks)
        g->addWidget(Add(new QCheckBox(QString::fromUtf8(label), this), id), 5, col++);
    g->addWidget(new QLabel("Comentario:", this), 6, 0);
    g->addWidget(Add(new QLineEdit(this), kEdComment), 6, 1, 1, 5);
}

void CustomerEditor::build_branch(QGridLayout* g) {
    m_list = Add(new QListWidget(this), kEdBranches);
    QObject::connect(m_list, &QListWidget::currentRowChanged,
                     [this](int row) { on_branch_row(row); });
    g->addWidget(m_list, 0, 0, 8, 1);
    g->addWidget(
        Add(new QPushButton("Nueva Sucursal", this), kEdNewBranch, [this] { new_branch(); }), 8, 0);
    g->addWidget(
        Add(new QPushButton("Borrar Sucursal", this), kEdDeleteBranch, [this] { delete_branch(); }),
        9, 0);
    int row = 0, col = 1;
    const auto place = [&](const char* label, QWidget* w) {
        g->addWidget(new QLabel(QString::fromUtf8(label), this), row, col);
        g->addWidget(w, row, col + 1);
        if (++row == 10) row = 0, col += 2;
    };
    for (const auto& f : kBranchTexts) {
        auto* e = Add(new QLineEdit(this), f.id);
        e->setMaxLength(f.width);
        place(f.label, e);
    }
    for (const auto& f : kBranchNumbers)
        place(f.label, Add(amount_edit(this, f.id, data::amount_field("DET_CLIE", f.field, f.label),
                                       Decimal()),
                           f.id));
    place("Moneda Límite:", combo(kEdCurrency, "MONEDAS", "CODIGO", "DESCRIP"));
    place("Tipo de Precio:", combo(kEdPriceType, "ENC_PREC", "CODIGO", "DESCRIP"));
    place("Agente:", combo(kEdAgent, "AGENTES", "CODIGO", "NOMBRE", "Ninguno"));
    place("Concepto:", combo(kEdConcept, "CONCEPT1", "CONCEPTO", "DESCRIP"));
    place("Clasificación:", combo(kEdBranchClass, "CLAS_CL2", "CODIGO", "DESCRIP", "Ninguna"));
    place("Zona:", combo(kEdZone, "ZONAS", "CODIGO", "DESCRIP", "Ninguna"));
    for (const auto& f : kBranchChecks)
        place("", Add(new QCheckBox(QString::fromUtf8(f.label), this), f.id));
    place("Anotaciones:", Add(new QPlainTextEdit(this), kEdNotes));
    g->addWidget(Add(new QPushButton("Gerentes", this), kEdManagers, [this] { edit_managers(); }),
                 10, 1);
    g->addWidget(Add(new QPushButton("Garantía", this), kEdGuarantee, [this] { edit_guarantee(); }),
                 10, 2);
}

QComboBox* CustomerEditor::combo(int id, const std::string& table, const std::string& code_field,
                                 const std::string& name_field, const char* none) {
    auto* c = Add(new QComboBox(this), id);
    if (none) c->addItem(QString::fromUtf8(none), QString());
    for (const auto& e : dc::choices(m_db, table, m_business, code_field, name_field))
        c->addItem(q(e.code + " " + e.description), q(e.code));
    c->setCurrentIndex(-1);
    return c;
}

void CustomerEditor::show_header() {
    const dc::Customer& c = m_form.customer;
    const std::pair<int, const std::string*> texts[] = {
        {kEdCode, &c.code},     {kEdLegalId, &c.legal_id},  {kEdName, &c.name},
        {kEdSocial, &c.social}, {kEdInitials, &c.initials}, {kEdSupplier, &c.supplier},
        {kEdClass, &c.clas1},   {kEdComment, &c.comment}};
    for (const auto& [id, value] : texts) control_as<QLineEdit>(id)->setText(q(*value));
    choose(control_as<QComboBox>(kEdCategory), c.category);
    control_as<QCheckBox>(kEdActive)->setChecked(c.active);
    choose(control_as<QComboBox>(kEdReason), std::nullopt);
    auto* reason = control_as<QComboBox>(kEdReason);
    reason->setCurrentIndex(reason->findData(c.reason));
    control_as<LR_MASKED>(kEdAdmitted)->set_value(c.admitted);
    control_as<LR_MASKED>(kEdWithdrawn)->set_value(c.withdrawn);
    control_as<QCheckBox>(kEdReadName)->setChecked(c.read_name);
    control_as<QCheckBox>(kEdExempt)->setChecked(!c.taxed);
    control_as<QCheckBox>(kEdNoInvoice)->setChecked(c.no_invoice);
    control_as<QCheckBox>(kEdCashOnly)->setChecked(c.cash_only);
    control_as<QCheckBox>(kEdCommissionInPrice)->setChecked(c.commission_in_price);
}

void CustomerEditor::read_header() {
    dc::Customer& c = m_form.customer;
    const std::pair<int, std::string*> texts[] = {
        {kEdCode, &c.code},     {kEdLegalId, &c.legal_id},  {kEdName, &c.name},
        {kEdSocial, &c.social}, {kEdInitials, &c.initials}, {kEdSupplier, &c.supplier},
        {kEdClass, &c.clas1},   {kEdComment, &c.comment}};
    for (const auto& [id, value] : texts) *value = s(control_as<QLineEdit>(id)->text());
    c.category = chosen(control_as<QComboBox>(kEdCategory)).value_or("");
    c.active = control_as<QCheckBox>(kEdActive)->isChecked();
    auto* reason = control_as<QComboBox>(kEdReason);
    c.reason = reason->currentIndex() < 0 ? dc::kNoReason : reason->currentData().toInt();
    c.admitted = control_as<LR_MASKED>(kEdAdmitted)->date();
    c.withdrawn = control_as<LR_MASKED>(kEdWithdrawn)->date();
    c.read_name = control_as<QCheckBox>(kEdReadName)->isChecked();
    c.taxed = !control_as<QCheckBox>(kEdExempt)->isChecked();
    c.no_invoice = control_as<QCheckBox>(kEdNoInvoice)->isChecked();
    c.cash_only = control_as<QCheckBox>(kEdCashOnly)->isChecked();
    c.commission_in_price = control_as<QCheckBox>(kEdCommissionInPrice)->isChecked();
}

void CustomerEditor::show_branch(int index) {
    m_current = index;
    const dc::Branch b = index >= 0 ? m_form.branches[index].branch : dc::Branch{};
    for (const auto& f : kBranchTexts) control_as<QLineEdit>(f.id)->setText(q(b.*f.member));
    for (const auto& f : kBranchChecks) control_as<QCheckBox>(f.id)->setChecked(b.*f.member);
    for (const auto& f : kBranchNumbers) control_as<LR_MASKED>(f.id)->set_value(number_of(b, f.id));
    choose(control_as<QComboBox>(kEdCurrency), b.limit_currency);
    choose(control_as<QComboBox>(kEdPriceType), b.price_type);
    choose(control_as<QComboBox>(kEdAgent), b.agent);
    choose(control_as<QComboBox>(kEdConcept), b.doc_concept);
    choose(control_as<QComboBox>(kEdBranchClass), b.classification);
    choose(control_as<QComboBox>(kEdZone), b.zone);
    control_as<QPlainTextEdit>(kEdNotes)->setPlainText(q(b.notes));
}

void CustomerEditor::read_branch() {
    if (m_current < 0) return;
    dc::Branch& b = m_form.branches[m_current].branch;
    for (const auto& f : kBranchTexts) b.*f.member = s(control_as<QLineEdit>(f.id)->text());
    for (const auto& f : kBranchChecks) b.*f.member = control_as<QCheckBox>(f.id)->isChecked();
    for (const auto& f : kBranchNumbers) set_number(b, f.id, control_as<LR_MASKED>(f.id)->number());
    b.limit_currency = chosen(control_as<QComboBox>(kEdCurrency)).value_or("");
    b.price_type = chosen(control_as<QComboBox>(kEdPriceType)).value_or("");
    b.agent = chosen(control_as<QComboBox>(kEdAgent));
    b.doc_concept = chosen(control_as<QComboBox>(kEdConcept)).value_or("");
    b.classification = chosen(control_as<QComboBox>(kEdBranchClass)).value_or("");
    b.zone = chosen(control_as<QComboBox>(kEdZone)).value_or("");
    b.notes = s(control_as<QPlainTextEdit>(kEdNotes)->toPlainText());
}

void CustomerEditor::fill_branch_list() {
    QSignalBlocker quiet(m_list);
    m_list->clear();
    m_list_rows.clear();
    int current_row = -1;
    for (int i = 0; i < static_cast<int>(m_form.branches.size()); ++i) {
        const auto& r = m_form.branches[i];
        if (r.deleted) continue;
        if (i == m_current) current_row = static_cast<int>(m_list_rows.size());
        m_list_rows.push_back(i);
        m_list->addItem(q(r.branch.code + "  " + r.branch.name));
    }
    if (current_row < 0 && !m_list_rows.empty()) current_row = 0;
    m_list->setCurrentRow(current_row);
    show_branch(current_row < 0 ? -1 : m_list_rows[current_row]);
}

bool CustomerEditor::leave_branch() {
    if (m_current < 0 || m_form.branches[m_current].deleted) return true;
    read_branch();
    if (auto r = dc::check_branch(m_form.branches, m_current)) {
        QtUserPort(this).message(MsgStyle::Error, "", r->text);
        put_focus(*r);
        return false;
    }
    return true;
}

void CustomerEditor::on_branch_row(int row) {
    if (row < 0 || row >= static_cast<int>(m_list_rows.size()) || m_list_rows[row] == m_current)
        return;
    const int wanted = m_list_rows[row];
    if (leave_branch()) m_current = wanted;
    fill_branch_list();
}

void CustomerEditor::new_branch() {
    if (!leave_branch()) return;
    dc::BranchRow r;
    r.branch.principal = m_list_rows.empty();
    m_form.branches.push_back(r);
    m_current = static_cast<int>(m_form.branches.size()) - 1;
    fill_branch_list();
    control(kEdBranchCode)->setFocus();
}

void CustomerEditor::delete_branch() {
    if (m_current < 0) return;
    m_form.branches[m_current].deleted = true;
    m_current = -1;
    fill_branch_list();
}

void CustomerEditor::put_focus(const dc::Refusal& r) {
    int id = 0;
    switch (r.focus) {
        case dc::Focus::Code:
            id = kEdCode;
            break;
        case dc::Focus::Classification:
            id = kEdClassButton;
            break;
        case dc::Focus::Reason:
            id = kEdReason;
            break;
        case dc::Focus::BranchCode:
            id = kEdBranchCode;
            break;
        case dc::Focus::Branches:
            id = kEdBranches;
            break;
        case dc::Focus::None:
            return;
    }
    if (r.branch >= 0 && r.branch != m_current) {
        m_current = r.branch;
        fill_branch_list();
    }
    control(id)->setFocus();
}

bool CustomerEditor::save() {
    read_header();
    read_branch();
    QtUserPort port(this);
    // The reclassification of the open balances is posted in the save's own transaction.
    dc::SaveContext ctx{m_user, [this](data::Db& db, const dc::StatusChange& change) {
                            domain::post_customer_reclassification(
                                db, m_business, change, {m_user, info_user(db.clock().now())});
                        }};
    const auto out = dc::save_customer(m_db, port, m_business, m_form, ctx);
    if (out.refusal) put_focus(*out.refusal);
    // An agency's commission on the tours is asked for once, when it becomes a customer.
    if (out.saved && m_form.is_new) {
        const auto reservations = dc::reservation_settings(m_db, m_business);
        if (reservations && reservations->commission)
            edit_tour_commissions(this, m_db, m_business,
                                  domain::normal_code(m_form.customer.code));
    }
    return out.saved;
}

bool CustomerEditor::OnCommand(int id) { return DIALOG_BOX::OnCommand(id); }

void CustomerEditor::pick_classification() {
    if (auto code = choose_classification(this, m_db, m_business, m_form.customer.clas1))
        control_as<QLineEdit>(kEdClass)->setText(q(*code));
}

void CustomerEditor::show_history() {
    show_status_history(this, m_db, m_business, domain::normal_code(m_form.original_code));
}

void CustomerEditor::edit_managers() {
    if (m_current >= 0) edit_branch_managers(this, m_form.branches[m_current].branch);
}

void CustomerEditor::edit_guarantee() {
    if (m_current >= 0) edit_branch_guarantee(this, m_form.branches[m_current].branch);
}

bool edit_customer(QWidget* owner, data::Db& db, const std::string& business,
                   const std::string& user, const std::string& code) {
    std::optional<dc::CustomerForm> form;
    if (code.empty()) {
        const auto def = dc::choices(db, "F_FAC", business, "COD_SUC", "COD_SUC");
        form = dc::new_customer_form(db.clock().now().date, def.empty() ? "" : def[0].code);
    } else {
        form = dc::customer_form(db, business, code);
    }
    if (!form) return false;
    CustomerEditor editor(owner, db, business, user, *form);
    return editor.run() == kCmdOk;
}

}  // namespace qz::gui
