// The amounts of a reservation's lines: refused where they are typed when their field cannot
// hold them, and every line checked again when saving, so nothing the database would refuse
// (or a discount above its limit) gets past the form.
#include <gtest/gtest.h>

#include "domain/spa/reservations/capacity.h"
#include "domain/spa/reservations/reservation.h"
#include "spa_fixture.h"

using namespace qz;
using namespace qz::domain::spa;
using qz::test::Engine;
using qz::test::kSpaBiz;
using A = LineAmount;

class SpaLineAmountsTest : public test::SpaFixture {
protected:
    void SetUp() override {
        test::SpaFixture::SetUp();
        if (IsSkipped()) return;
        add_room("S4", 4);
        for (const char* code : {"MAS", "SAU"})  // MAS allows 10 % off, SAU has no limit
            test::add_record(*db, "DEF_ART",
                             {{"NEGOCIO", kSpaBiz},
                              {"CODIGO", std::string(code)},
                              {"DESCRIP", std::string("Servicio ") + code},
                              {"CHECK_D1", Decimal(code[0] == 'M')},
                              {"CHECK_D2", 10_d}});
        form = std::make_unique<SpaReservation>(*db, inst->port, kSpaBiz, "ANA");
        form->start_new("S4", Date(2026, 5, 12), "10:00");
        form->header = {"", kActive, Date(2026, 5, 12), "10:00", "11:00", "S4", "", "", "Ana", 1};
        ASSERT_TRUE(form->set_article(0, "SAU"));
    }
    std::string said() const { return inst->port.messages.back(); }
    bool nothing_saved() {
        return room_day_bookings(*db, kSpaBiz, "S4", Date(2026, 5, 12), "").empty();
    }
    std::unique_ptr<SpaReservation> form;
};

TEST_P(SpaLineAmountsTest, TypedAmountsTheirFieldCannotHoldAreRefusedAndTheLineKept) {
    EXPECT_FALSE(form->set_quantity(0, -3_d));
    EXPECT_EQ(said(), "Error: Cantidad: no se admiten valores negativos.");
    EXPECT_FALSE(form->set_price(0, -1_d));
    EXPECT_FALSE(form->type_amount(0, A::Discount, "150"));
    EXPECT_EQ(said(), "Error: Descuento: debe estar entre 0 y 100.");
    // Each amount fits its field, but not the line's total the invoice would carry.
    ASSERT_TRUE(form->type_amount(0, A::Price, "99,999,999,999,999"));
    EXPECT_EQ(form->lines[0].price_origin, kTypedPrice);
    EXPECT_FALSE(form->type_amount(0, A::Quantity, "999,999,999"));
    EXPECT_EQ(said(),
              "Error: Total de la línea SAU: el valor excede el máximo del campo "
              "(99,999,999,999,999.99).");
    EXPECT_EQ(form->lines[0].quantity, 1_d);
    EXPECT_EQ(form->lines[0].discount, 0_d);
}

TEST_P(SpaLineAmountsTest, SavingChecksEveryLineAgainAndWritesNothingOnARefusal) {
    ASSERT_TRUE(form->set_article(1, "SAU"));
    form->lines[1].quantity = -3_d;  // as a line could hold it before the checks existed
    EXPECT_EQ(form->save(), FormField::Lines);
    EXPECT_EQ(said(), "Error: Cantidad: no se admiten valores negativos.");
    EXPECT_EQ(form->refused_line()->line, 1u);
    form->lines[1].quantity = 1_d;
    form->lines[1].price = Decimal::parse("100000000000000");
    EXPECT_EQ(form->save(), FormField::Lines);  // once the engine's error
    EXPECT_EQ(form->refused_line()->amount, A::Price);
    form->lines[0].price = form->lines[1].price = Decimal::parse("60000000000000");
    EXPECT_EQ(form->save(), FormField::Lines);  // each line fits, their sum does not
    EXPECT_EQ(said(), "Error: Total: el valor excede el máximo del campo (99,999,999,999,999.99).");
    EXPECT_TRUE(nothing_saved());
    form->lines[0].price = 1_d;
    EXPECT_EQ(form->save(), std::nullopt);
    EXPECT_FALSE(nothing_saved());
}

TEST_P(SpaLineAmountsTest, TheAuthorisedDiscountHoldsWhateverChangesAfterIt) {
    ASSERT_TRUE(form->set_discount(0, 50_d));  // SAU has no limit
    ASSERT_TRUE(form->set_article(0, "MAS"));
    EXPECT_EQ(said(), "Atención: El Descuento es mayor al autorizado. Artículo: MAS:Servicio MAS");
    EXPECT_EQ(form->lines[0].discount, 10_d);
    // The limit is lowered after the discount was typed: saving cuts it back and stops, so the
    // user sees the new total before it is written.
    test::edit_record(*db, "DEF_ART", "DEF_ART",
                      data::order_key("DEF_ART", "DEF_ART", {kSpaBiz, "MAS"}),
                      [](data::WDBTable& t) { t.FieldPut("CHECK_D2", 5_d); });
    EXPECT_EQ(form->save(), FormField::Lines);
    EXPECT_EQ(form->refused_line()->amount, A::Discount);
    EXPECT_EQ(form->lines[0].discount, 5_d);
    EXPECT_TRUE(nothing_saved());
    EXPECT_EQ(form->save(), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Spa, SpaLineAmountsTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
