#pragma once
// A throwaway installation with what spa bookings need: a room, a series, a price list.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/spa/reservations/booking.h"
#include "support/record_edit.h"
#include "support/test_db.h"

namespace qz::test {

inline const std::string kSpaBiz = "HOTEL";

class SpaFixture : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<TestInstall>(GetParam());
        db = inst->open();
        inst->clock.freeze(DateTime{Date(2026, 5, 10), "09:00:00"});
        add_record(*db, "F_FAC", {{"NEGOCIO", kSpaBiz}, {"SPA_SERIAL", std::string("SPA")}});
        add_series("SPA", 0);
    }
    void add_series(const std::string& code, long last, const std::string& prefix = "R",
                    long indent = 5) {
        add_record(*db, "SERIALES",
                   {{"NEGOCIO", kSpaBiz}, {"CODIGO", code}, {"NUMERO", Decimal(last)},
                    {"PREFIJO", prefix}, {"INDENT", Decimal(indent)}});
    }
    void add_room(const std::string& code, int capacity) {
        add_record(*db, "SPA_SALA", {{"NEGOCIO", kSpaBiz}, {"CODIGO", code},
                                     {"DESCRIP", "Sala " + code}, {"CAPAC_MAX", Decimal(capacity)}});
    }
    domain::spa::BookingResult book(const std::string& room, const std::string& start,
                                    const std::string& end, int persons,
                                    Date date = Date(2026, 5, 12)) {
        domain::spa::BookingRequest r;
        r.business = kSpaBiz;
        r.user = "ANA";
        r.header.room = room;
        r.header.date = date;
        r.header.start = start;
        r.header.end = end;
        r.header.persons = persons;
        r.header.name = "Huésped";
        return domain::spa::book_reservation(*db, r);
    }
    std::unique_ptr<TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

}  // namespace qz::test
