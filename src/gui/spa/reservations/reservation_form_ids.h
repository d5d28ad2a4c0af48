#pragma once
// Control ids of the reservation form SPA_RESE (each control's objectName).
#include "domain/spa/reservations/reservation.h"

namespace qz::gui::spa_form {

enum Id {
    kName = 501,
    kDate = 502,
    kStartHour = 503,
    kStartMinute = 504,
    kEndHour = 505,
    kEndMinute = 506,
    kPersons = 507,
    kRoom = 508,
    kAgent = 509,
    kHotelRoom = 510,
    kPhones = 511,
    kEmail = 512,
    kNotes = 513,
    kPriceType = 514,
    kState = 515,
    kCode = 516,
    kLines = 520,
    kAddLine = 521,
    kDeleteLine = 522,
    kSubtotal = 530,
    kDiscount = 531,
    kTax = 532,
    kTotal = 533,
};

// The control a refused check puts the focus on.
int focus_id(domain::spa::FormField f);

}  // namespace qz::gui::spa_form
