// Notes in the customer log of the demonstration customers (two about the agency's invoice) and a
// few people of the national ID registry, so the log window, its printout and the registry lookup
// have something to show.
#include "core/datetime_text.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_rows.h"

namespace qz::domain::demo {

namespace {

struct Note {
    const char* customer;
    int days_ago;
    const char* time;
    const char* user;
    bool about_invoice;
    const char* text;
};
constexpr Note kNotes[] = {
    {"3101123456", 2, "16:10:00", "SUP", true,
     "Se envió la factura del paquete de bienestar por correo.\r\nLa agencia confirma recibido."},
    {"3101123456", 0, "09:05:00", "CAJ", true,
     "Llamada de cobro: la contadora promete el pago para el viernes."},
    {"3101123456", 20, "11:30:00", "SUP", false,
     "Renovación del convenio de tarifas para 2026.\r\nSolicitan 10% en masajes de grupo."},
    {"3101998877", 45, "15:00:00", "SUP", false,
     "Cliente inactivo por morosidad; no otorgar crédito sin autorización."},
    {"114560789", 3, "10:45:00", "CAJ", false, "Prefiere citas temprano en la mañana."},
};

struct Person {
    const char* id;
    const char* name;
    const char* surname1;
    const char* surname2;
};
constexpr Person kPeople[] = {{"114560789", "MARIA JOSE", "VARGAS", "SOLANO"},
                              {"205430876", "CARLOS", "MORA", "JIMENEZ"},
                              {"109870654", "ANA LUCIA", "ROJAS", "CHAVES"},
                              {"603210987", "JOSE PABLO", "QUESADA", "ARAYA"},
                              {"701230456", "LAURA", "CAMPOS", "VILLALOBOS"}};

// The first document of the customer; "" when it has none.
std::string first_document(data::Db& db, const std::string& customer) {
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMEN3");
    std::string number;
    if (t->Seek(data::order_key("DOCUMENT", "DOCUMEN3", {kBiz, customer})))
        number = trim(t->str("DOCUMENTO"));
    data::KILLTABLA(db, t);
    return number;
}

}  // namespace

void load_customer_log(data::Db& db, const Date& today) {
    RowWriter log(db, "BITACORA");
    for (const auto& n : kNotes) {
        const Date day = today - n.days_ago;
        const std::string text = n.text;
        log.add({{"CLIENTE", n.customer},
                 {"DOCUMENTO", n.about_invoice ? first_document(db, n.customer) : ""},
                 {"FECHA", day},
                 {"HORA", n.time},
                 {"DESCRIP", text},
                 {"DESCRIP2", text.substr(0, text.find('\r'))},
                 {"USUARIO", n.user},
                 {"INFO_USER", std::string("demo / QUARTZEN ") + day.dtoc() + " " + n.time},
                 {"INVERSO", NUM_INVERSO(day, n.time)}});
    }
    RowWriter padron(db, "PADRON");
    for (const auto& p : kPeople)
        padron.add({{"CEDULA", p.id},
                    {"NOMBRE_C", std::string(p.surname1) + " " + p.surname2 + " " + p.name},
                    {"NOMBRE", p.name},
                    {"APELLIDO1", p.surname1},
                    {"APELLIDO2", p.surname2}});
}

}  // namespace qz::domain::demo
