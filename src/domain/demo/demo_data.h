#pragma once
// The demonstration business: one hotel spa with its currencies and rates, users and rights,
// settings, document and payment codes, number series, customers, a spa register with its
// operators, treatment rooms, services and prices, therapists, hotel rooms and guests in house.
#include <string>

#include "data/db.h"

namespace qz::domain {

// The station whose card terminals the demonstration defines (P_ELECT): a workstation charges
// cards through them once its QUARTZEN.INI names this station for the business (section
// ESTACION_CREDIT, key HOTEL).
inline constexpr const char* kDemoCardStation = "SPA";

// Loads the demonstration business into the installation in one transaction: all of it or,
// when anything fails, nothing (the error is thrown on). Returns a summary for the person who
// asked for it, with the login names and passwords of the users.
std::string install_demo_data(data::Db& db);

}  // namespace qz::domain
