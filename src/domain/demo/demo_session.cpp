// The business itself, its currencies and rates, its users with their rights and the settings
// every workstation reads at start.
#include <iterator>
#include <vector>

#include "core/legacy_crypt.h"
#include "core/stamp.h"
#include "core/text.h"
#include "domain/demo/demo_rows.h"
#include "domain/session/password.h"

namespace qz::domain::demo {

namespace {

// Dollars into colones over the last two months, newest last. Buying and selling rates sit a
// fixed spread below and above the reference rate.
struct DatedRate {
    long days_back;
    const char* reference;
};
constexpr DatedRate kRates[] = {{60, "512.40"}, {30, "509.85"}, {7, "507.30"}, {0, "506.15"}};
const Decimal kSpread = Decimal::parse("3.25");

// Menu command ids, grouped as the menus show them.
const std::vector<int> kPasswordChange = {2904};
const std::vector<int> kMaintenance = {2915, 2782, 2000, 4660, 4696, 2152, 2539, 2905, 2783,
                                       2901, 2841, 3814, 2588, 2589, 2590, 4146, 6282, 6361,
                                       2987, 6190, 6194, 6195, 6196, 6197, 6198};
const std::vector<int> kSpaDesk = {6415, 6429, 6430, 6431, 6432, 6433,
                                   6444, 6435, 6436, 6437, 6645, 6660, 6670};
const std::vector<int> kSpaAdmin = {6434, 6427, 6416, 6417, 6418, 6419};
// "Depósitos": the deposit screen, the people who deposit and the deposit concepts (both lists
// with their "Editar" operations), the deposits' view, the hotel's reservations and the
// deposits' listings.
const std::vector<int> kDeposits = {6705, 6706, 6711, 6712, 6713, 6700, 6701, 6702,
                                    6703, 6704, 6707, 6708, 6709, 6710};
// The inventory: warehouses, stock per warehouse, concepts, receipts and adjustments, movements.
const std::vector<int> kInventory = {6460, 6461, 6462, 6463, 6464};
const std::vector<int> kRegisters = {2839, 2301, 2302, 2303, 2918, 2919,
                                     2920, 4098, 6640, 6641, 6650};
const std::vector<int> kAgents = {2831, 2336, 2337, 2338};
const std::vector<int> kCustomerDesk = {2833, 2342, 2343, 3624, 2519, 3429, 3430};
const std::vector<int> kCustomerAdmin = {
    2344, 4365, 2652, 2725, 3757, 3431, 4541, 4971, 6570, 6571, 6572, 6573, 6574, 6575,
    6576, 6577, 6578, 6579, 6580, 6581, 6582, 6583, 6584, 6585, 6586, 6587, 6588, 6589,
    6590, 6591, 6592, 6593, 6594, 6595, 6596, 6597, 6598, 6599, 6600, 6601, 6602};
// "Cuentas por Cobrar" and the "Editar" operations of its screens and of the rates and series.
const std::vector<int> kLedger = {
    6502, 6503, 6504, 6506, 6507, 6508, 6510, 6511, 6512, 6513, 6514, 6515, 6516, 6520, 6521, 6522,
    6523, 6524, 6525, 6526, 6527, 6528, 6530, 6531, 6532, 6533, 6534, 6535, 6536, 6537, 6538, 6539,
    6540, 6541, 6542, 6543, 6544, 6545, 6546, 6547, 6548, 6550, 6551, 6552, 6553, 6555, 6556, 6557,
    6558, 6559, 6560, 6561, 6562, 6563, 6519, 6564, 6509, 6517, 6518, 6680, 6690, 6691, 6692, 6693};

// "Gestión de Cobro": the collections screen, the stages, authorisers and collectors with their
// "Editar" operations; "Pedidos": the order and proforma stages and authorisers with theirs.
const std::vector<int> kCollections = {6720, 6721, 6722, 6723, 6724, 6725, 6726, 6727, 6728, 6729,
                                       6730, 6731, 6732, 6741, 6742, 6743, 6744, 6745, 6746, 6747,
                                       6748, 6749, 6750, 6751, 6752, 6753, 6754, 6755, 6756};

// "Consulta de Documentos" and its operations; the repair of figures (6621) is a supervisor's.
const std::vector<int> kDocumentViewer = {6505, 6610, 6611, 6612, 6613, 6614, 6615, 6616,
                                          6617, 6618, 6619, 6620, 6621, 6622, 6623, 6624,
                                          6625, 6626, 6627, 6628, 6629, 6630, 6672};

struct DemoUser {
    int number;
    const char* login;  // upper case, as the login dialog turns what is typed
    const char* abbreviation;
    const char* password;
    bool supervisor;
    const char* role;
    std::vector<const std::vector<int>*> rights;
};

const DemoUser kUsers[] = {
    {1,
     "SUPERVISOR",
     "SUP",
     "QUARTZEN",
     true,
     "supervisor, todos los derechos",
     {&kPasswordChange, &kMaintenance, &kSpaDesk, &kSpaAdmin, &kDeposits, &kInventory, &kRegisters,
      &kAgents, &kCustomerDesk, &kCustomerAdmin, &kLedger, &kDocumentViewer, &kCollections}},
    {2,
     "CAJERO",
     "CAJ",
     "CAJA2026",
     false,
     "agenda, reservas y facturación del spa",
     {&kPasswordChange, &kSpaDesk, &kCustomerDesk}},
};

// Passwords are stored only as argon2id hashes (ADASIPA 2); PASSWORD stays blank.
void put_password(std::vector<Field>& row, const char* password) {
    row.push_back({"PASSWORD", std::string()});
    row.push_back({"ADASIPA", 2});
    row.push_back({"PWD_HASH", hash_password(password)});
}

}  // namespace

void load_business_and_currencies(data::Db& db, const Date& today, Summary& out) {
    RowWriter neg(db, "NEGOCIOS");
    neg.add({{"CODIGO", kBiz},
             {"DESCRIP", "Hotel Quartzen Spa & Resort"},
             {"MONEDA_CON", kColones},
             {"MONEDA_D", kDollars},
             {"CHECK_MON", 1},  // stale rates are counted in days...
             {"CANT_MON", 30},  // ...and a month without a new rate is too old
             {"INTENTOS", 3},
             {"DIAS_CLAVE", 90},
             {"SIZE_CLAVE", 4}});

    RowWriter cur(db, "MONEDAS");
    cur.add({{"CODIGO", kColones}, {"DESCRIP", "Colones"}, {"SIGLAS", "CRC"}, {"SIMBOLO", "₡"}});
    cur.add({{"CODIGO", kDollars}, {"DESCRIP", "Dólares"}, {"SIGLAS", "USD"}, {"SIMBOLO", "$"}});

    RowWriter pair(db, "DET_MON");
    pair.add({{"MONEDA_1", kDollars}, {"MONEDA_2", kColones}, {"DESCRIP", "Colones   (₡)"}});

    RowWriter rates(db, "T_CAMBIO");
    const std::string stamp = info_user(db.clock().now());
    for (const auto& r : kRates) {
        const Decimal rate = Decimal::parse(r.reference);
        rates.add({{"MONEDA1", kDollars},
                   {"MONEDA2", kColones},
                   {"FECHA", today - r.days_back},
                   {"LIMITE", date_2090()},
                   {"CAMBIO", rate},
                   {"CAMBIO2", rate - kSpread},
                   {"CAMBIO3", rate + kSpread},
                   {"CAMBIO4", rate},
                   {"CAMBIO5", rate},
                   {"USUARIO", "SUP"},
                   {"INFO_USER", stamp}});
    }
    const Decimal now = Decimal::parse(kRates[std::size(kRates) - 1].reference);
    out.push_back("  Moneda contable: CO Colones (₡); segunda moneda: US Dólares ($)");
    out.push_back("  Tipo de cambio US->CO al " + today.dtoc4() + ": " + now.to_string(2) +
                  " (compra " + (now - kSpread).to_string(2) + ", venta " +
                  (now + kSpread).to_string(2) + ")");
}

void load_users_and_rights(data::Db& db, const Date& today, Summary& out) {
    const DateTime now = db.clock().now();
    RowWriter users(db, "USUARIOS");
    RowWriter menus(db, "MENUS");
    out.push_back("Usuarios (nombre / clave):");
    for (const auto& u : kUsers) {
        std::vector<Field> row = {{"CODIGO", u.number},
                                  {"NOMBRE", u.login},
                                  {"USUARIO", u.login},
                                  {"ABREVIA", u.abbreviation},
                                  {"SUPERVISOR", u.supervisor ? 1 : 0},
                                  {"F_CLAVE", today},
                                  {"H_CLAVE", now.time},
                                  {"INFO_CLAVE", info_user(now)},
                                  {"DIAS_CLAVE", 90},
                                  {"SIZE_CLAVE", 4},
                                  {"NO_SALIR", u.supervisor ? 1 : 0},
                                  {"PERMISO1", 1},
                                  {"USERNAME", "Spa Quartzen"},
                                  {"USERADDR", "spa@quartzen.local"}};
        put_password(row, u.password);
        users.add(row);
        for (const auto* group : u.rights)
            for (int id : *group) menus.add({{"CODIGO", u.number}, {"ID", id}, {"CHECK_ID", true}});
        out.push_back("  " + pad_right(u.login, 10) + " / " + pad_right(u.password, 10) + " " +
                      u.role);
    }
}

void load_settings(data::Db& db) {
    RowWriter sys(db, "F_SYS");
    sys.add({{"T_FONT", "Calibri"},
             {"T_SIZE", 8},
             {"P_FONT", "Calibri"},
             {"DGROUP", 10000},
             {"MAXTIMEOUT", 10},
             {"MULTITASK", 3},
             {"GRAYED", 1},
             {"REFRESH_B", 1},
             // A calm sea-green look for the demonstration: frames and highlight.
             {"RGB7", 214},
             {"RGB8", 224},
             {"RGB9", 224},
             {"RGB10", 38},
             {"RGB11", 110},
             {"RGB12", 120}});

    RowWriter mail(db, "DEFMAIL");
    mail.add({{"HOST", "localhost"},
              {"SMTP_PORT", 25},
              {"POP3_PORT", 110},
              {"USERNAME", "Spa Quartzen"},
              {"USERADDR", "spa@quartzen.local"},
              {"ID_NAME", "Spa Quartzen"},
              {"NEGOCIO_H", kBiz}});

    RowWriter fonts(db, "FONTS");
    for (const char* name :
         {"Calibri", "Arial", "Cambria", "Tahoma", "Times New Roman", "Courier New"})
        fonts.add({{"T_FONT", name}});
}

}  // namespace qz::domain::demo
