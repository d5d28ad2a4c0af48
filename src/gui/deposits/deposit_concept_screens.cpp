#include "gui/deposits/deposit_concept_screens.h"

#include "domain/deposits/deposit_concepts.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/setup/code_list.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace {

using K = FormField::Kind;
using namespace deposit_concept_form;
namespace dl = qz::domain;

FormField choice(int id, const char* label, int value,
                 std::vector<std::pair<std::string, std::string>> choices) {
    return {id, label, K::Choice, std::to_string(value), 0, false, std::move(choices)};
}

std::vector<FormField> concept_fields(const dl::DepositConcept& c, bool old) {
    return {
        field_code(kCode, "Código :", c.code, 2, old),
        {kName, "Descripción :", K::Text, c.name, 60},
        field_code(kSeries, "Serial:", c.series, 15, false),
        choice(kKind, "Tipo de Movimiento", c.kind,
               {{"0", "Depósito en Libro de Bancos"},
                {"1", "Contrapartida Contable que suma el Monto"},
                {"2", "Contrapartida Contable que cierra en Cero"}}),
        field_choice(kSide, "Contrapartida", c.side, "Crédito", "Débito"),
        field_check(kAppliesAll, "Aplicar el Monto completo a Reservaciones", c.applies_all),
        field_check(kNotAbove, "No aplicar más que el Total de la Reservación", c.not_above),
        field_check(kChangesType, "Cambiar Tipo de Reservación", c.changes_type),
        field_code(kNewType, "Nuevo Tipo:", c.new_type, 2, false),
        field_check(kVisible, "Visible", c.visible),
        choice(kCardProvider, "Pago Electrónico", c.card_provider,
               {{"0", "Ninguno"}, {"1", "Banco Nacional (POSWare)"}, {"2", "Credomatic"}}),
        field_check(kPrints, "Imprimir Comprobante", c.prints),
        field_code(kBank, "Banco:", c.bank, 10, false),
        field_code(kAccount, "Cuenta:", c.account, 20, false),
        field_code(kBookConcept, "Concepto de Bancos:", c.book_concept, 2, false),
    };
}

dl::DepositConcept concept_of(const FormValues& v) {
    const auto b = [&v](int id) { return v.at(id) == "1"; };
    dl::DepositConcept c;
    c.code = v.at(kCode);
    c.name = v.at(kName);
    c.series = v.at(kSeries);
    c.kind = std::stoi(v.at(kKind));
    c.side = std::stoi(v.at(kSide));
    c.applies_all = b(kAppliesAll);
    c.not_above = b(kNotAbove);
    c.changes_type = b(kChangesType);
    c.new_type = v.at(kNewType);
    c.visible = b(kVisible);
    c.card_provider = std::stoi(v.at(kCardProvider));
    c.prints = b(kPrints);
    c.bank = v.at(kBank);
    c.account = v.at(kAccount);
    c.book_concept = v.at(kBookConcept);
    return c;
}

bool concept_form(QWidget* owner, data::Db& db, const std::string& business,
                  const std::optional<dl::DepositConcept>& old) {
    const auto c = old.value_or(dl::DepositConcept{});
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        return dl::save_deposit_concept(db, port, business, old ? c.code : "", concept_of(v));
    };
    return run_master_form(owner, "E_CON_HLIB",
                           old ? "Modificar Concepto de Depósito" : "Agregar Concepto de Depósito",
                           concept_fields(c, old.has_value()), save);
}

}  // namespace

MasterListScreen* open_deposit_concepts(QWidget* owner, data::Db& db, const std::string& business) {
    MasterListSpec s{"CON_HLIB", kCmdDepositConcepts, "Conceptos de Depósito", "CON_HLIB"};
    s.columns = {
        {"Código", "CONCEPTO", ""},        {"Descripción", "DESCRIP", ""}, {"Serial", "SERIAL", ""},
        {"Tipo", "TIPO_MOV", "9"},         {"Banco", "BANCO", ""},         {"Cuenta", "CUENTA", ""},
        {"Pago Elect.", "P_ELECTRO", "9"}, {"Visible", "VISIBLE", "9"}};
    return open_list<dl::DepositConcept>(owner, db, business, std::move(s),
                                         dl::deposit_concept_from_row, dl::read_deposit_concept,
                                         concept_form, dl::delete_deposit_concept);
}

}  // namespace qz::gui
