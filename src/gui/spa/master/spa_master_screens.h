#pragma once
// The spa's maintenance screens of "Servicios Adicionales".
#include <string>

#include "core/ini_file.h"
#include "data/db.h"

class QWidget;

namespace qz::gui {

class MasterListScreen;

// "Definición de Salas" (6416): the screen SPA_SALA; its form SPA_ESAL adds and changes rooms.
MasterListScreen* open_spa_rooms(QWidget* owner, data::Db& db, const std::string& business);
// "Definición de Agentes" (2831): the screen AGENTE; its form AGENTE_F.
MasterListScreen* open_agents(QWidget* owner, data::Db& db, const std::string& business);
// Services and articles with their inventory fields and bar codes (DEF_SPA_ART), sub-lines with
// their stock, price and discount checks (SPA_SUBLIN), price types (SPA_T_PREC), price lists
// (SPA_L_PREC) and customers' special prices (SPA_P_ESP).
MasterListScreen* open_services(QWidget* owner, data::Db& db, const std::string& business);
MasterListScreen* open_sublines(QWidget* owner, data::Db& db, const std::string& business);
MasterListScreen* open_price_types(QWidget* owner, data::Db& db, const std::string& business);
MasterListScreen* open_price_lists(QWidget* owner, data::Db& db, const std::string& business);
MasterListScreen* open_special_prices(QWidget* owner, data::Db& db, const std::string& business);

// The button of the services list that opens the article's bar codes.
inline constexpr int kServiceBarCodes = 204;

// "Parámetros Generales" (6427), dialog SPA_PARAM. `ini` may be null (no settings file).
bool open_spa_params(QWidget* owner, data::Db& db, const std::string& business, IniFile* ini);

// Field ids of the forms.
enum SpaMasterField {
    kFCode = 501,
    kFName,
    kFCapacity,
    kFBlocked,
    kFAddress,
    kFPhone,
    kFDiscount,
    kFActive,
    kFSpa,
    kFTax,
    kFLine,
    kFSubline,
    kFCheck,
    kFMaxDiscount,
    kFTicket,
    kFCurrency,
    kFTaxIncluded,
    kFType,
    kFArticle,
    kFCustomer,
    kFPrice,
    kFAltCode,
    kFStocked,
    kFSuggested,
    kFCost,
    kFNoStockCheck,
    kFReadText,
    kFInvoiceText,
    kFCheckStock,
    kFNoLowerPrice,
    kFNoRaisePrice,
    kPSerial = 601,
    kPMail,
    kPMailText,
    kPStep,
    kPFirst,
    kPLast,
    kPRegisterDefaults,
    kPRegister
};

}  // namespace qz::gui
