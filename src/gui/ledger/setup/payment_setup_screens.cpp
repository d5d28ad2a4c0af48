// Payment concepts, payment methods and receipt blocks: list screens with their forms. Every
// rule is the domain's (domain/ledger/payment_setup.h); a form only turns fields into structs.
#include "gui/ledger/setup/payment_setup_screens.h"

#include "core/text.h"
#include "data/amount_field.h"
#include "domain/ledger/payment_setup.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/setup/code_list.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace {

using K = FormField::Kind;
using namespace payment_form;
namespace dl = qz::domain;

// A whole number typed through its table field, so a fraction or a negative is refused.
FormField whole(int id, const char* label, long value, const char* table, const char* field) {
    FormField f{id, label, K::Number, std::to_string(value)};
    f.amount = data::amount_field(table, field, label);
    return f;
}
// The whole number typed in field `id` as its table field reads it; false (told) when it does
// not fit.
bool read_whole(UserPort& port, const FormValues& v, int id, const char* table, const char* field,
                const char* label, long& out) {
    Decimal d;
    const std::string typed = trim(v.at(id)).empty() ? "0" : v.at(id);
    if (const std::string why = data::amount_field(table, field, label).read(typed, d);
        !why.empty()) {
        port.message(MsgStyle::Error, "Error", why);
        return false;
    }
    out = static_cast<long>(d.to_int());
    return true;
}

bool concept_form(QWidget* owner, data::Db& db, const std::string& business,
                  const std::optional<dl::PaymentConcept>& old) {
    const auto c = old.value_or(dl::PaymentConcept{});
    std::vector<FormField> fields = {
        field_code(kCode, "Código :", c.code, 2, old.has_value()),
        {kName, "Descripción :", K::Text, c.name, 60},
        field_choice(kAppliesTo, "Documentos Aplicables", c.applies_to, "Débito", "Crédito"),
        field_choice(kBalance, "Manera de afectar Saldo del Documento", c.balance_sign, "Restar",
                     "Sumar"),
        field_choice(kAvailable, "Manera de afectar Disponible del Abono", c.available_sign,
                     "Restar", "Sumar"),
        field_code(kReversal, "Concepto Reversión:", c.reversal, 2, false),
        field_check(kShown, "Accesible por Usuario", c.shown),
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        dl::PaymentConcept n = c;
        n.code = v.at(kCode);
        n.name = v.at(kName);
        n.applies_to = std::stoi(v.at(kAppliesTo));
        n.balance_sign = std::stoi(v.at(kBalance));
        n.available_sign = std::stoi(v.at(kAvailable));
        n.reversal = v.at(kReversal);
        n.shown = v.at(kShown) == "1";
        return dl::save_payment_concept(db, port, business, old ? c.code : "", n);
    };
    return run_master_form(owner, "E_CONCEPT2",
                           old ? "Modificar Concepto de Abono" : "Agregar Concepto de Abono",
                           std::move(fields), save);
}

std::vector<FormField> method_fields(const dl::PaymentMethod& m, bool old) {
    return {
        field_code(kCode, "Código :", m.code, 2, old),
        {kName, "Descripción :", K::Text, m.name, 60},
        field_code(kLink, "Liga Contable:", m.link, 15, false),
        field_check(kIndividual, "Cuenta Individual:", m.individual),
        field_choice(kSide, "Cuenta Individual", m.individual_side, "Débito", "Crédito"),
        field_choice(kDirection, "Tipo", m.direction, "Ingreso", "Egreso"),
        field_code(kReversal, "Conc. Anulación:", m.reversal, 2, false),
        field_code(kCharge, "Cargo:", m.charge, 4, false),
        field_code(kTipCharge, "Cargo Tip:", m.tip_charge, 4, false),
        field_check(kToHotel, "Cargar a Folio de Hotelería", m.to_hotel),
        field_check(kDepositable, "Depositable", m.depositable),
        field_check(kNoClosing, "Excluir en Cierre de Caja", m.no_closing),
        field_check(kNoSpecial, "No incluir en Cierre Especial POS", m.no_special_closing),
        field_check(kReadsChange, "Leer Vuelto al Facturar", m.reads_change),
        field_check(kAnnulment, "Anulación", m.annulment),
        field_check(kNeedsVoucher, "Exigir #Autorización de Voucher", m.needs_voucher),
        whole(kVoucherMin, "Long. Mínima:", m.voucher_min, "TIPO_MOV", "LEN_NTAR"),
        field_check(kExecutive, "Asociar a Responsable de Cuenta Ejecutiva", m.executive),
        field_check(kExecutiveOnly, "Aplicar solo a Cuentas a Ejecutivas", m.executive_only),
        field_check(kBankMovement, "Generar Movimiento Bancario", m.bank_movement),
        field_code(kBank, "Banco:", m.bank, 10, false),
        field_code(kAccount, "Cuenta:", m.account, 20, false),
        field_code(kDepositConcept, "Concepto:", m.deposit_concept, 2, false),
        field_code(kAnnulConcept, "Nulo:", m.annul_concept, 2, false),
        field_check(kPayroll, "Cargar a Nómina", m.to_payroll),
        field_check(kShown, "Accesible por Usuario", m.shown),
    };
}

dl::PaymentMethod method_of(const FormValues& v) {
    const auto b = [&v](int id) { return v.at(id) == "1"; };
    dl::PaymentMethod m;
    m.code = v.at(kCode);
    m.name = v.at(kName);
    m.link = v.at(kLink);
    m.individual = b(kIndividual);
    m.individual_side = std::stoi(v.at(kSide));
    m.direction = std::stoi(v.at(kDirection));
    m.reversal = v.at(kReversal);
    m.charge = v.at(kCharge);
    m.tip_charge = v.at(kTipCharge);
    m.to_hotel = b(kToHotel);
    m.depositable = b(kDepositable);
    m.no_closing = b(kNoClosing);
    m.no_special_closing = b(kNoSpecial);
    m.reads_change = b(kReadsChange);
    m.annulment = b(kAnnulment);
    m.needs_voucher = b(kNeedsVoucher);
    m.executive = b(kExecutive);
    m.executive_only = b(kExecutiveOnly);
    m.bank_movement = b(kBankMovement);
    m.bank = v.at(kBank);
    m.account = v.at(kAccount);
    m.deposit_concept = v.at(kDepositConcept);
    m.annul_concept = v.at(kAnnulConcept);
    m.to_payroll = b(kPayroll);
    m.shown = b(kShown);
    return m;
}

bool method_form(QWidget* owner, data::Db& db, const std::string& business,
                 const std::optional<dl::PaymentMethod>& old) {
    const auto m = old.value_or(dl::PaymentMethod{});
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        dl::PaymentMethod n = method_of(v);
        if (!read_whole(port, v, kVoucherMin, "TIPO_MOV", "LEN_NTAR", "Long. Mínima",
                        n.voucher_min))
            return false;
        return dl::save_payment_method(db, port, business, old ? m.code : "", n);
    };
    return run_master_form(owner, "E_T_MOV",
                           old ? "Modificar Forma de Pago" : "Agregar Forma de Pago",
                           method_fields(m, old.has_value()), save);
}

bool block_form(QWidget* owner, data::Db& db, const std::string& business,
                const std::optional<dl::ReceiptBlock>& old) {
    const auto b = old.value_or(dl::ReceiptBlock{});
    std::vector<FormField> fields = {
        field_code(kCode, "Código :", b.code, 2, old.has_value()),
        {kName, "Descripción :", K::Text, b.name, 60},
        field_code(kSeries, "Serial:", b.series, 15, false),
        field_code(kPendingSeries, "Serial Pendientes:", b.pending_series, 15, false),
        field_check(kTyped, "Leer Serial", b.typed),
        whole(kMinLength, "Long. Mínima:", b.min_length, "T_RECIBO", "LONG_MIN"),
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        dl::ReceiptBlock n{v.at(kCode),          v.at(kName),         v.at(kSeries),
                           v.at(kPendingSeries), v.at(kTyped) == "1", 0};
        if (!read_whole(port, v, kMinLength, "T_RECIBO", "LONG_MIN", "Long. Mínima", n.min_length))
            return false;
        return dl::save_receipt_block(db, port, business, old ? b.code : "", n);
    };
    return run_master_form(owner, "E_RECIBO", old ? "Modificar Block" : "Agregar Block",
                           std::move(fields), save);
}

}  // namespace

MasterListScreen* open_payment_concepts(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"CONCEPT2", 6502, "Conceptos de Abono", "CONCEPT2"};
    s.columns = {{"Código", "CODIGO", ""},
                 {"Descripción", "DESCRIP", ""},
                 {"Reversión", "OPUESTO", ""},
                 {"Accesible", "SHOW", "9"}};
    return open_list<dl::PaymentConcept>(owner, db, business, std::move(s),
                                         dl::payment_concept_from_row, dl::read_payment_concept,
                                         concept_form, dl::delete_payment_concept);
}

MasterListScreen* open_payment_methods(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"TIPO_MOV", 6503, "Formas de Pago", "TIPO_MOV"};
    s.columns = {{"Código", "CODIGO", ""},
                 {"Descripción", "DESCRIP", ""},
                 {"Liga Contable", "ASIENTO1", ""},
                 {"Accesible", "SHOW", "9"}};
    return open_list<dl::PaymentMethod>(owner, db, business, std::move(s),
                                        dl::payment_method_from_row, dl::read_payment_method,
                                        method_form, dl::delete_payment_method);
}

MasterListScreen* open_receipt_blocks(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"T_RECIBO", 6504, "Blocks de Recibos", "T_RECIBO"};
    s.columns = {{"Código", "CODIGO", ""},
                 {"Descripción", "DESCRIP", ""},
                 {"Serial", "SERIAL", ""},
                 {"Leer Serial", "LEE_SERIAL", "9"}};
    return open_list<dl::ReceiptBlock>(owner, db, business, std::move(s),
                                       dl::receipt_block_from_row, dl::read_receipt_block,
                                       block_form, dl::delete_receipt_block);
}

}  // namespace qz::gui
