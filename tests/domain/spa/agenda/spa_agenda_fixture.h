#pragma once
// A throwaway installation with the spa rows the agenda tests need, written as a receptionist's
// bookings would leave them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "data/table_ops.h"
#include "support/test_db.h"

namespace qz::test {

inline const std::string kSpa = "SPA";

struct SpaBooking {
    std::string code, room, start, end, name;
    int persons = 1;
    int state = 1;
    std::string agent, hotel_room, observation;
    std::string service;  // article of its only line; "" = no line
};

class SpaAgendaFixture : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<TestInstall>(GetParam());
        db = inst->open();
    }

    void put(const std::string& table, const std::vector<std::pair<std::string, data::Value>>& f) {
        data::Table t = data::USE(*db, table);
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", kSpa);
        for (const auto& [name, value] : f) t->FieldPut(name, value);
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(*db, t);
    }
    void settings(int interval, const std::string& first, const std::string& last) {
        put("F_FAC",
            {{"SPA_H_AGEN", Decimal(interval)}, {"HI_AGE_RES", first}, {"HF_AGE_RES", last}});
    }
    void room(const std::string& code, const std::string& name, int capacity) {
        put("SPA_SALA", {{"CODIGO", code}, {"DESCRIP", name}, {"CAPAC_MAX", Decimal(capacity)}});
    }
    void agent(const std::string& code, const std::string& name) {
        put("AGENTES", {{"CODIGO", code}, {"NOMBRE", name}});
    }
    void article(const std::string& code, const std::string& name) {
        put("DEF_ART", {{"CODIGO", code}, {"DESCRIP", name}});
    }
    void book(const SpaBooking& b, const Date& day) {
        put("SPA_RESE", {{"CODIGO", b.code},
                         {"ESTADO", Decimal(b.state)},
                         {"FECHA", day},
                         {"HORA_INI", b.start},
                         {"HORA_FIN", b.end},
                         {"COD_SALA", b.room},
                         {"ENCARGADO", b.agent},
                         {"COD_ROOM", b.hotel_room},
                         {"A_NOMBRE", b.name},
                         {"NUM_PERSON", Decimal(b.persons)},
                         {"OBSERVAC", b.observation}});
        if (!b.service.empty())
            put("SPA_RESD", {{"COD_RESER", b.code},
                             {"CONSECU", Decimal(1)},
                             {"CODIGO", b.service},
                             {"CANTIDAD", Decimal(1)}});
    }

    std::unique_ptr<TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

}  // namespace qz::test
