#include "domain/ledger/payment_setup.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/code_rows.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

using namespace code_rows;

int flag(const data::WDBTable& t, const char* field) {
    return static_cast<int>(t.num(field).to_int());
}
bool on(const data::WDBTable& t, const char* field) { return flag(t, field) == 1; }
Decimal bit(bool b) { return Decimal(b ? 1 : 0); }

constexpr CodeTable kConcepts{"CONCEPT2", "Concepto de Abono", kConceptDuplicate};
constexpr CodeTable kMethods{"TIPO_MOV", "Forma de Pago", kMethodDuplicate};
constexpr CodeTable kBlocks{"T_RECIBO", "Block", kBlockDuplicate};

}  // namespace

PaymentConcept payment_concept_from_row(const data::WDBTable& t) {
    PaymentConcept c;
    c.code = trim(t.str("CODIGO"));
    c.name = trim(t.str("DESCRIP"));
    c.applies_to = flag(t, "PERMITIDO");
    c.balance_sign = flag(t, "TIPO");
    c.available_sign = flag(t, "TIPO_DISP");
    c.reversal = trim(t.str("OPUESTO"));
    c.shown = on(t, "SHOW");
    c.closing1 = on(t, "OK_CIERRE1");
    c.closing2 = on(t, "OK_CIERRE2");
    c.annuls = on(t, "ES_ANULA");
    return c;
}

void put_payment_concept_row(data::WDBTable& t, const std::string& business,
                             const PaymentConcept& c) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(c.code));
    t.FieldPut("DESCRIP", trim(c.name));
    t.FieldPut("PERMITIDO", Decimal(c.applies_to));
    t.FieldPut("TIPO", Decimal(c.balance_sign));
    t.FieldPut("TIPO_DISP", Decimal(c.available_sign));
    t.FieldPut("OPUESTO", normal_code(c.reversal));
    t.FieldPut("SHOW", bit(c.shown));
    t.FieldPut("OK_CIERRE1", bit(c.closing1));
    t.FieldPut("OK_CIERRE2", bit(c.closing2));
    t.FieldPut("ES_ANULA", bit(c.annuls));
}

PaymentMethod payment_method_from_row(const data::WDBTable& t) {
    PaymentMethod m;
    m.code = trim(t.str("CODIGO"));
    m.name = trim(t.str("DESCRIP"));
    m.link = trim(t.str("ASIENTO1"));
    m.individual = on(t, "INDIVIDUAL");
    m.individual_side = flag(t, "DB_IND");
    m.direction = flag(t, "TIPO");
    m.reversal = trim(t.str("OPUESTO"));
    m.charge = trim(t.str("CARGO"));
    m.tip_charge = trim(t.str("CARGO2"));
    m.to_hotel = on(t, "TO_HOTEL");
    m.depositable = on(t, "DEPOSITA");
    m.no_closing = on(t, "NO_CIERRE");
    m.no_special_closing = on(t, "NO_INCLUIR");
    m.reads_change = on(t, "LEE_CAMBIO");
    m.annulment = on(t, "ANULACION");
    m.needs_voucher = on(t, "EXIGE_NTAR");
    m.voucher_min = t.num("LEN_NTAR").to_int();
    m.executive = on(t, "EJECUTIVA");
    m.executive_only = on(t, "SOLO_EJECT");
    m.bank_movement = on(t, "CREA_DEP");
    m.bank = trim(t.str("BANCO"));
    m.account = trim(t.str("CUENTA"));
    m.deposit_concept = trim(t.str("CONC_DEP"));
    m.annul_concept = trim(t.str("CONC_ANULA"));
    m.to_payroll = on(t, "TO_NOMINA");
    m.card_provider = static_cast<int>(t.num("P_ELECTRO").to_int());
    m.shown = on(t, "SHOW");
    return m;
}

void put_payment_method_row(data::WDBTable& t, const std::string& business,
                            const PaymentMethod& m) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(m.code));
    t.FieldPut("DESCRIP", trim(m.name));
    t.FieldPut("ASIENTO1", trim(m.link));
    t.FieldPut("INDIVIDUAL", bit(m.individual));
    t.FieldPut("DB_IND", Decimal(m.individual_side));
    t.FieldPut("TIPO", Decimal(m.direction));
    t.FieldPut("OPUESTO", normal_code(m.reversal));
    t.FieldPut("CARGO", trim(m.charge));
    t.FieldPut("CARGO2", trim(m.tip_charge));
    t.FieldPut("TO_HOTEL", bit(m.to_hotel));
    t.FieldPut("DEPOSITA", bit(m.depositable));
    t.FieldPut("NO_CIERRE", bit(m.no_closing));
    t.FieldPut("NO_INCLUIR", bit(m.no_special_closing));
    t.FieldPut("LEE_CAMBIO", bit(m.reads_change));
    t.FieldPut("ANULACION", bit(m.annulment));
    t.FieldPut("EXIGE_NTAR", bit(m.needs_voucher));
    t.FieldPut("LEN_NTAR", Decimal(m.needs_voucher ? m.voucher_min : 0L));
    t.FieldPut("EJECUTIVA", bit(m.executive));
    t.FieldPut("SOLO_EJECT", bit(m.executive_only));
    t.FieldPut("CREA_DEP", bit(m.bank_movement));
    // The bank fields mean something only with the bank movement: cleared when it is off.
    t.FieldPut("BANCO", m.bank_movement ? trim(m.bank) : std::string());
    t.FieldPut("CUENTA", m.bank_movement ? trim(m.account) : std::string());
    t.FieldPut("CONC_DEP", m.bank_movement ? normal_code(m.deposit_concept) : std::string());
    t.FieldPut("CONC_ANULA", m.bank_movement ? normal_code(m.annul_concept) : std::string());
    t.FieldPut("TO_NOMINA", bit(m.to_payroll));
    t.FieldPut("P_ELECTRO", Decimal(m.card_provider));
    t.FieldPut("SHOW", bit(m.shown));
}

ReceiptBlock receipt_block_from_row(const data::WDBTable& t) {
    return ReceiptBlock{trim(t.str("CODIGO")), trim(t.str("DESCRIP")),
                        trim(t.str("SERIAL")), trim(t.str("SERIAL2")),
                        on(t, "LEE_SERIAL"),   static_cast<long>(t.num("LONG_MIN").to_int())};
}

void put_receipt_block_row(data::WDBTable& t, const std::string& business, const ReceiptBlock& b) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(b.code));
    t.FieldPut("DESCRIP", trim(b.name));
    t.FieldPut("SERIAL", normal_code(b.series));
    t.FieldPut("SERIAL2", normal_code(b.pending_series));
    t.FieldPut("LEE_SERIAL", bit(b.typed));
    t.FieldPut("LONG_MIN", Decimal(b.typed ? b.min_length : 0L));
}

std::optional<PaymentConcept> read_payment_concept(data::Db& db, const std::string& business,
                                                   const std::string& code) {
    return read_code_row<PaymentConcept>(db, kConcepts.table, business, code,
                                         payment_concept_from_row);
}
std::optional<PaymentMethod> read_payment_method(data::Db& db, const std::string& business,
                                                 const std::string& code) {
    return read_code_row<PaymentMethod>(db, kMethods.table, business, code,
                                        payment_method_from_row);
}
std::optional<ReceiptBlock> read_receipt_block(data::Db& db, const std::string& business,
                                               const std::string& code) {
    return read_code_row<ReceiptBlock>(db, kBlocks.table, business, code, receipt_block_from_row);
}

bool save_payment_concept(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& old_code, const PaymentConcept& c) {
    if (auto p = check_code_and_name(kConcepts, c.code, c.name); !p.empty()) return refuse(port, p);
    const std::string rev = normal_code(c.reversal);
    if (!rev.empty() && rev != normal_code(c.code) && !exists(db, kConcepts, business, rev))
        return refuse(port, "El Concepto de Reversión " + rev + " no está definido...");
    return write(db, port, kConcepts, business, old_code, c.code,
                 [&](data::WDBTable& t) { put_payment_concept_row(t, business, c); });
}

bool save_payment_method(data::Db& db, UserPort& port, const std::string& business,
                         const std::string& old_code, const PaymentMethod& m) {
    if (auto p = check_code_and_name(kMethods, m.code, m.name); !p.empty()) return refuse(port, p);
    const std::string rev = normal_code(m.reversal);
    if (!rev.empty() && rev != normal_code(m.code) && !exists(db, kMethods, business, rev))
        return refuse(port, "La Forma de Pago de anulación " + rev + " no está definida...");
    if (m.needs_voucher && (m.voucher_min < 0 || m.voucher_min > 99))
        return refuse(port, "Long. Mínima: debe estar entre 0 y 99.");
    if (m.bank_movement && (trim(m.bank).empty() || trim(m.account).empty()))
        return refuse(port,
                      "Para generar el movimiento bancario debe indicar el Banco y la Cuenta.");
    if (m.bank_movement && normal_code(m.deposit_concept).empty())
        return refuse(port, "Para generar el movimiento bancario debe indicar el Concepto.");
    return write(db, port, kMethods, business, old_code, m.code,
                 [&](data::WDBTable& t) { put_payment_method_row(t, business, m); });
}

bool save_receipt_block(data::Db& db, UserPort& port, const std::string& business,
                        const std::string& old_code, const ReceiptBlock& b) {
    if (auto p = check_code_and_name(kBlocks, b.code, b.name); !p.empty()) return refuse(port, p);
    // A block numbers from its series unless the number is typed.
    if (!b.typed && normal_code(b.series).empty())
        return refuse(port, "El Serial de Recibos es requerido...");
    for (const auto& s : {b.series, b.pending_series})
        if (!normal_code(s).empty() && !business_series_exists(db, business, s))
            return refuse(port, "El Serial " + normal_code(s) + " no está definido...");
    if (b.typed && (b.min_length < 0 || b.min_length > 15))
        return refuse(port, "Long. Mínima: debe estar entre 0 y 15.");
    return write(db, port, kBlocks, business, old_code, b.code,
                 [&](data::WDBTable& t) { put_receipt_block_row(t, business, b); });
}

bool delete_payment_concept(data::Db& db, UserPort& port, const std::string& business,
                            const std::string& code) {
    const std::string c = normal_code(code);
    std::string applied;
    if (key_exists(db, "DET_MOVE", "DET_MOV3", {business, c})) applied = "abonos registrados";
    return remove(
        db, port, kConcepts, business, c,
        {applied,
         named_by(db, "CONCEPT2", "OPUESTO", c, business, "el Concepto de Abono", "CODIGO"),
         named_by(db, "CONCEPT1", "ABONO_DEF", c, business, "el Concepto", "CONCEPTO"),
         named_by(db, "CONCEPT1", "ABONO_DEF2", c, business, "el Concepto", "CONCEPTO")});
}

bool delete_payment_method(data::Db& db, UserPort& port, const std::string& business,
                           const std::string& code) {
    const std::string c = normal_code(code);
    return remove(db, port, kMethods, business, c,
                  {named_by(db, "TIPO_MOV", "OPUESTO", c, business, "la Forma de Pago", "CODIGO"),
                   named_by(db, "CONCEPT1", "T_MOV_DEF", c, business, "el Concepto", "CONCEPTO")});
}

bool delete_receipt_block(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& code) {
    const std::string c = normal_code(code);
    return remove(db, port, kBlocks, business, c,
                  {named_by(db, "CONCEPT1", "ABONO_BLO", c, business, "el Concepto", "CONCEPTO")});
}

}  // namespace qz::domain
