#include "services/print/predet_store.h"

#include <system_error>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"

namespace qz::services {

namespace {

std::string row_key(const std::string& business, const std::string& code) {
    return data::order_key("PREDET_P", "PREDET_P", {trim(business), trim(code)});
}

PredetRow row_of(data::WDBTable& t) {
    return PredetRow{trim(t.str("CODIGO")), trim(t.str("DESCRIP")), trim(t.str("COMANDA")),
                     trim(t.str("RUNNER")), t.RecNo()};
}

}  // namespace

std::vector<PredetRow> list_predet(data::Db& db, const std::string& business) {
    std::vector<PredetRow> rows;
    data::Table t = data::USE(db, "PREDET_P", "PREDET_P");
    t->SetScope(data::business_key(business), data::business_key(business));
    for (t->GoTop(); !t->Eof(); t->Skip()) rows.push_back(row_of(*t));
    data::KILLTABLA(db, t);
    return rows;
}

std::optional<PredetRow> find_predet(data::Db& db, const std::string& business,
                                     const std::string& code) {
    data::Table t = data::USE(db, "PREDET_P", "PREDET_P");
    std::optional<PredetRow> row;
    if (t->Seek(row_key(business, code)) && trim(t->str("CODIGO")) == trim(code)) row = row_of(*t);
    data::KILLTABLA(db, t);
    return row;
}

std::optional<PredetProblem> check_predet(data::Db& db, const std::string& business,
                                          const PredetRow& row, const PrinterProfileKeys& keys,
                                          const PrinterPort& printers, bool adding) {
    if (trim(row.CODIGO).empty()) return PredetProblem{"Error", "Debe definir un Código válido"};
    if (trim(row.DESCRIP).empty())
        return PredetProblem{"Error", "Debe definir una Descripción válida"};
    if (adding && find_predet(db, business, row.CODIGO))
        return PredetProblem{
            "Error", "Ya existe una Impresora Predeterminada con el Código " + trim(row.CODIGO)};
    const bool local = trim(row.CODIGO) == kLocalPrinterProfile;
    if (keys.search == "1" || local) return std::nullopt;
    if (trim(keys.printer).empty())
        return PredetProblem{"ERROR",
                             "El registro de Impresora Predefinida\nno tiene impresora asociada."};
    if (!printers.knows(keys.printer))
        return PredetProblem{"ERROR", "La impresora definida por Windows no es válida"};
    return std::nullopt;
}

std::optional<PredetProblem> save_predet(data::Db& db, IniFile& ini, const std::string& business,
                                         PredetRow& row, const PrinterProfileKeys& keys,
                                         const PrinterPort& printers, bool adding) {
    if (adding) row.CODIGO = upper_ascii(trim(row.CODIGO));
    if (auto problem = check_predet(db, business, row, keys, printers, adding)) return problem;
    {
        data::Transaction tx(db);
        data::Table t = data::USE(db, "PREDET_P", "PREDET_P");
        if (adding) {
            data::ADD_NEW_REC(*t);
            t->FieldPut("NEGOCIO", trim(business));
            t->FieldPut("CODIGO", row.CODIGO);
        } else {
            t->GoTo(row.recno);
            data::LOCK_FOR_MODIFY(*t);
        }
        t->FieldPut("DESCRIP", trim(row.DESCRIP));
        t->FieldPut("COMANDA", trim(row.COMANDA));
        t->FieldPut("RUNNER", trim(row.RUNNER));
        data::UNLOCK_FOR_MODIFY(*t);
        row.recno = t->RecNo();
        data::KILLTABLA(db, t);
        tx.commit();
    }
    try {
        write_profile_keys(ini, business, row.CODIGO, keys);
    } catch (const std::exception&) {
        return PredetProblem{"ERROR",
                             "Error en Escritura de Datos\nPuede ser que la carpeta WINDOWS no "
                             "tiene Escritura habilitada"};
    }
    return std::nullopt;
}

void delete_predet(data::Db& db, const std::string& business, const std::string& code) {
    data::Transaction tx(db);
    data::Table t = data::USE(db, "PREDET_P", "PREDET_P");
    if (t->Seek(row_key(business, code)) && trim(t->str("CODIGO")) == trim(code)) {
        data::LOCK_FOR_MODIFY(*t);
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
}

}  // namespace qz::services
