#pragma once
// The rows of regular invoices: the sets (CFAC_REG), the regular documents of a set (FAC_REG),
// and the models they are generated from. A model is a header laid out like a receivable
// document with its lines and its instalment plan; a regular document copies its own model
// (ENC_REG / DET_REG / RF_PLAZO, numbered CODIGO with zeros to 10 characters) or a template
// shared by many (ENC_TMPL / DET_TMPL / TF_PLAZO). Every reader and writer of these tables goes
// through the mappers here.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain::regular {

// CFAC_REG: a set of regular documents ("Conjunto de Facturas Regulares").
struct RegularSet {
    std::string code, description;  // CONJUNTO, DESCRIP
};

// FAC_REG: one regular document.
struct RegularDocument {
    long code = 0;                     // CODIGO
    std::string set, description;      // CONJUNTO, DESCRIP
    std::string customer, name;        // CLIENTE, NOM_CLIENT
    std::string branch;                // SUBCLIENTE
    int kind = 0;                      // TIPO: 0 copy of its model, 1 built from a template
    std::string template_code;         // TEMPLATE
    Date cut_off;                      // FECHA_I: the next date it may be generated from
    bool adjust_day = false;           // AJUSTAR_D: dated on day DIA_AJUSTE of the month
    int adjust_to = 0;                 // DIA_AJUSTE
    bool previous_month = false;       // M_ANTERIOR: the billed period is the month before
    bool ranges = false;               // DO_RANGOS: the period runs from RANGO1 to RANGO2
    int range_from = 0, range_to = 0;  // RANGO1, RANGO2
    bool extra_data = false;           // DATOS_ADIC: HORAS and DIAS scale the line quantities
    Decimal hours, days;               // HORAS, DIAS

    // The number of its own model header: CODIGO with zeros to 10 characters.
    std::string model_number() const;
};

// Where a model is kept: the regular documents' own models or the templates.
struct ModelTables {
    const char* header;
    const char* lines;
    const char* plan;
};
inline constexpr ModelTables kRegularModels{"ENC_REG", "DET_REG", "RF_PLAZO"};
inline constexpr ModelTables kTemplates{"ENC_TMPL", "DET_TMPL", "TF_PLAZO"};

// ENC_REG / ENC_TMPL: the header of a model, as the document it becomes.
struct ModelHeader {
    std::string number;                                  // DOCUMENTO
    std::string concept_code;                            // CONCEPTO
    std::string customer, branch, name;                  // CLIENTE, SUBCLIENTE, NOM_CLIENT
    std::string contact_name, legal_id;                  // NOMBRE, CEDULA
    Date date, due;                                      // FECHA, VENCE
    std::string currency, price_type;                    // MONEDA, T_PRECIO
    std::string warehouse, agent;                        // BODEGA, AGENTE
    std::string register_code, operator_code;            // CAJA, DIGITADOR
    std::string sales_centre, cost_centre;               // C_VENTA, C_COSTO
    Decimal gross, amount, balance;                      // BRUTO, MONTO, SALDO
    Decimal freight, load;                               // OTROS1, OTROS2
    Decimal normal_interest, late_interest;              // I_NORMAL, I_MORA
    Decimal rate;                                        // TC_DIFF
    std::string diff_type;                               // COD_DIFF
    std::string order_ref, purchase, contract, contest;  // PEDIDO, COMPRA, CONTRATO, CONCURSO
    std::string description;                             // DESCRIP
    std::string clas1, clas2, clas3, referred;           // CLAS1..3, REFERIDO
};

// DET_REG / DET_TMPL: one line of a model.
struct ModelLine {
    int index = 0;  // N_INDEX
    std::string code;
    Decimal quantity, price, previous_price;  // CANTIDAD, PRECIO, PRECIO_ANT
    Decimal discount, tax, cost;              // DESCUENTO, IMPUESTO (percents), COSTO
    Decimal freight, load;                    // OTROS1, OTROS2
    std::string price_type, warehouse;        // T_PRECIO, BODEGA
    std::string invoice_text;                 // SPEC_FAC
    bool manual = false;                      // PRE_MANUAL
    int special_rule = 0;                     // P_ESP
};

// RF_PLAZO / TF_PLAZO: one instalment of a model, due DIAS after the document's date.
struct ModelInstalment {
    int days = 0;
    Decimal principal, interest;  // MONTO, INTERES
};

struct Model {
    ModelHeader header;
    std::vector<ModelLine> lines;  // in N_INDEX order
    std::vector<ModelInstalment> instalments;
};

RegularSet set_from_row(const data::WDBTable& t);
void put_set_row(data::WDBTable& t, const std::string& business, const RegularSet& s);
RegularDocument regular_from_row(const data::WDBTable& t);
void put_regular_row(data::WDBTable& t, const std::string& business, const RegularDocument& d);
ModelHeader model_header_from_row(const data::WDBTable& t);
void put_model_header_row(data::WDBTable& t, const std::string& business, const ModelHeader& h);
ModelLine model_line_from_row(const data::WDBTable& t);
void put_model_line_row(data::WDBTable& t, const std::string& business, const std::string& number,
                        const ModelLine& l);
ModelInstalment model_instalment_from_row(const data::WDBTable& t);

// Sets.
std::vector<RegularSet> regular_sets(data::Db& db, const std::string& business);
std::optional<RegularSet> read_regular_set(data::Db& db, const std::string& business,
                                           const std::string& code);
// Adds the set or rewrites the one of that code; one transaction.
void write_regular_set(data::Db& db, const std::string& business, const RegularSet& s);

// Regular documents.
std::optional<RegularDocument> read_regular_document(data::Db& db, const std::string& business,
                                                     long code);
// The regular documents of a set, in code order.
std::vector<RegularDocument> set_documents(data::Db& db, const std::string& business,
                                           const std::string& set);
// The regular documents of a customer (every branch), in the order of FAC_REG3.
std::vector<RegularDocument> customer_documents(data::Db& db, const std::string& business,
                                                const std::string& customer);
// Adds the regular document or rewrites the one of its code; one transaction.
void write_regular_document(data::Db& db, const std::string& business, const RegularDocument& d);
// The next free CODIGO of the business (1 for the first).
long next_regular_code(data::Db& db, const std::string& business);

// Models.
std::optional<Model> read_model(data::Db& db, const ModelTables& f, const std::string& business,
                                const std::string& number);
// The headers of every model of the business in `f` (the templates, for their choice).
std::vector<ModelHeader> model_headers(data::Db& db, const ModelTables& f,
                                       const std::string& business);
// Replaces the model of that number (header, lines and instalments) in one transaction.
void write_model(data::Db& db, const ModelTables& f, const std::string& business, const Model& m);
// Deletes the header, lines and instalments of a model in one transaction.
void delete_model(data::Db& db, const ModelTables& f, const std::string& business,
                  const std::string& number);

}  // namespace qz::domain::regular
