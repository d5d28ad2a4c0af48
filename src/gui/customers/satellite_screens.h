#pragma once
// What the customer list opens for the chosen customer beside its master record: its referrals
// (CLIENT_4), its associates (CLIENT_6 with the editor CLIENT_7) and its commission on tours
// (MODICOMIS4 and the tours' list).
#include <string>

#include "data/db.h"

class QWidget;

namespace qz::gui {

class MasterListScreen;
class Principal;

// VER_REFERIDOS, VER_ASOCIADOS, ED_COMISION, QUITAR_COMIS and VER_TOURS of the customer list,
// each on the customer of the list's chosen row.
void register_satellite_operations(Principal& w);

MasterListScreen* open_referrals(QWidget* owner, data::Db& db, const std::string& business,
                                 const std::string& customer);
MasterListScreen* open_associates(QWidget* owner, data::Db& db, const std::string& business,
                                  const std::string& customer);

// "MODICOMIS4": one percentage for every tour article; true when it was written.
bool edit_tour_commissions(QWidget* owner, data::Db& db, const std::string& business,
                           const std::string& customer);
// VER_TOURS: the tours with the customer's commission on each.
void show_tours(QWidget* owner, data::Db& db, const std::string& business,
                const std::string& customer);

// Field ids of the referral, clerk, associate and commission forms.
enum SatelliteField {
    kSatCode = 601,
    kSatName,
    kSatPhone,
    kSatPhone2,
    kSatEmail,
    kSatPoBox,
    kSatClerk,
    kSatPassCode,
    kSatBirth,
    kSatAddress,
    kSatSex,
    kSatRelation,
    kSatSelfConsumption,
    kSatCard,
    kSatCommission,
    kSatTours,
};

}  // namespace qz::gui
