#pragma once
// A customer (CLIENTES) and its branches (DET_CLIE and the editor's copy TMP_CLIE, which share
// the branch layout). These mappers are the one place that knows the rows: every reader and
// writer of the customer master goes through them.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain::customers {

// TIPO_ANU: why a customer was deactivated (0 while active).
enum Reason { kNoReason = 0, kMorosos = 1, kSolicito = 2, kPlazoVencido = 3, kUpGrade = 4 };

struct Customer {
    std::string code;      // CODIGO
    std::string name;      // NOMBRE
    std::string legal_id;  // JURIDICA
    std::string social;    // SOCIAL
    std::string initials;  // SIGLAS
    std::string clas1, clas2, clas3;
    std::string category;  // CATEGORIA (CATEGORS)
    bool active = true;    // ESTADO
    Date admitted;         // F_INGRESO
    Date withdrawn;        // F_RETIRO, kept only while inactive
    int reason = kNoReason;
    bool read_name = false;            // LEE_NOM
    bool taxed = true;                 // COBRA_IMP "S"; "N" = exempt
    bool no_invoice = false;           // NO_FACTUR
    bool cash_only = false;            // SOLO_CONT
    bool commission_in_price = false;  // COMIS_PREC
    std::string supplier;              // COD_PROVEE
    std::string comment;               // COMENTARIO
    bool associates = false;           // ASOCIADOS
};

struct Branch {
    std::string code, name, social, legal_id, address, po_box, attention;
    std::string phone, phone2, phone3, phone4, fax, fax2, email;
    bool principal = false;      // PRINCIPAL "S"/"N"
    Decimal limit;               // LIMITE
    std::string limit_currency;  // MON_LIMITE; blank = none chosen
    int max_days = 30;
    bool individual_credit = false;  // IND_DIAS
    Decimal discount;
    bool discount_included = false;  // DESC_INCL
    std::string price_type;          // T_PRECIO; blank = none chosen
    // SUGIERE_A: nothing = no agent chosen; "" = "Ninguno" (stored as blanks).
    std::optional<std::string> agent;
    std::string doc_concept;     // SUGIERE_C; blank = none chosen
    std::string classification;  // CATEGORIA (CLAS_CL2)
    std::string sales_link;      // ASIENTO1
    bool auto_collect = false;   // AUT_COBRO
    int collect_day = 0;         // F_COBRO
    bool no_check = false;       // NO_CHECK
    std::string unique_id, card;
    int card_year = 0, card_month = 0;
    std::string zone, stage, cost_centre;  // COD_ZONA, ETAPA_COB, C_COSTO
    Decimal commission;                    // PORCE_COMI
    std::string general_manager, financial_manager, president;
    int guarantee_type = 0;  // 0 Ninguno .. 4 Otras
    std::string guarantee_doc, guarantee_notes, notes;
};

Customer customer_from_row(const data::WDBTable& t);
void put_customer_row(data::WDBTable& t, const std::string& business, const Customer& c);
Branch branch_from_row(const data::WDBTable& t);
// The customer code is the owner's; `t` is DET_CLIE or TMP_CLIE.
void put_branch_row(data::WDBTable& t, const std::string& business, const std::string& customer,
                    const Branch& b);

std::optional<Customer> read_customer(data::Db& db, const std::string& business,
                                      const std::string& code);
// The branches of a customer in branch-code order, each with its DET_CLIE record number.
struct StoredBranch {
    Branch branch;
    long recno = 0;
};
std::vector<StoredBranch> customer_branches(data::Db& db, const std::string& business,
                                            const std::string& customer);
// The principal first, then the others in code order: how the list shows them.
std::vector<StoredBranch> branches_principal_first(data::Db& db, const std::string& business,
                                                   const std::string& customer);

// The reasons of deactivation as the editor offers them, index = TIPO_ANU - 1.
const std::vector<std::string>& reason_names();

}  // namespace qz::domain::customers
