#include "domain/spa/reservations/reservation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "domain/ledger/serials.h"
#include "domain/spa/reservations/capacity.h"
#include "domain/spa/reservations/confirmation.h"
#include "domain/spa/reservations/form_lists.h"
#include "domain/spa/reservations/line_pricing.h"
#include "domain/spa/reservations/reservation_actions.h"
#include "spa_fixture.h"

using namespace qz;
using namespace qz::domain::spa;
using qz::test::Engine;
using qz::test::kSpaBiz;

class SpaReservationTest : public test::SpaFixture {
protected:
    void SetUp() override {
        test::SpaFixture::SetUp();
        if (IsSkipped()) return;
        add_room("S4", 4);
        form = std::make_unique<SpaReservation>(*db, inst->port, kSpaBiz, "ANA");
        form->start_new("S4", Date(2026, 5, 12), "10:00");
    }
    void add_article(const std::string& code, const char* tax, int check_d1 = 0,
                     const char* cap = "0", const std::string& subline = "") {
        test::add_record(*db, "DEF_ART",
                         {{"NEGOCIO", kSpaBiz}, {"CODIGO", code}, {"DESCRIP", "Servicio " + code},
                          {"IMP_ART", Decimal::parse(tax)}, {"CHECK_D1", Decimal(check_d1)},
                          {"CHECK_D2", Decimal::parse(cap)}, {"LINEA", std::string("SPA")},
                          {"SUBLINEA", subline}});
    }
    void list_price(const std::string& type, const std::string& art, const char* price) {
        test::add_record(*db, "DET_PREC", {{"NEGOCIO", kSpaBiz}, {"CODIGO", type},
                                           {"ARTICULO", art}, {"PRECIO", Decimal::parse(price)}});
    }
    const std::string& last_message() { return inst->port.messages.back(); }
    std::unique_ptr<SpaReservation> form;
};

TEST_P(SpaReservationTest, ValidationRunsInOrderAndNamesTheField) {
    using F = FormField;
    auto& h = form->header;
    const auto step = [&](std::optional<F> want, const std::string& text) {
        EXPECT_EQ(form->validate(), want) << text;
        if (want) {
            EXPECT_NE(last_message().find(text), std::string::npos) << text;
        }
    };
    h.start.clear();
    h.date = Date{};
    step(F::Name, "El Nombre es requerido...");
    h.name = "Ana Mora";
    step(F::Date, "La fecha es requerida...");
    // A date typed wrong is told as the calendar tells it, not as a missing one.
    for (const char* typed : {"31/02/2027", "00/00/0000", "12/05/202", "1//"}) {
        form->type_date(typed);
        step(F::Date, kBadDateText);
    }
    form->type_date("//");  // the empty field
    step(F::Date, "La fecha es requerida...");
    form->type_date("12/05/2026");
    step(F::Start, "La hora inicial es requerida...");
    h.start = "10:00";
    step(F::End, "La hora final es requerida...");
    h.end = "10:00";
    step(F::End, "La hora final no puede ser menor o igual a la hora inicial.");
    h.end = "11:00";
    step(F::Persons, "El Número de Personas es requerido...");
    h.persons = 5;
    h.room.clear();
    step(F::Room, "La sala es requerida...");
    h.room = "S4";
    h.email = "ana.hotel.test";
    step(F::Email, "email inválido: ana.hotel.test");
    h.email = "ana@hotel.test";
    h.date = Date(2026, 5, 9);
    step(F::Date, "No está permitido crear Reservaciones con fecha anterior a la actual...");
    h.date = Date(2026, 5, 12);
    step(F::Persons, "Excede la capacidad máxima de personas en sala");
    h.persons = 3;
    ASSERT_EQ(book("S4", "10:30", "12:00", 2).status, BookingStatus::Saved);
    step(F::Start, "Reserva : R00001 (10:30 - 12:00)");
    h.persons = 2;
    step(std::nullopt, "");
}

TEST_P(SpaReservationTest, SavingNumbersFromTheSeriesAndKeepsPastDatesOfOldBookings) {
    auto& h = form->header;
    h.name = "Ana Mora";
    h.end = "11:00";
    h.persons = 1;
    h.email = "ana@x.test";
    test::edit_record(*db, "F_FAC", "F_FAC", kSpaBiz,
                      [](data::WDBTable& t) { t.FieldPut("SPA_A_MAIL", Decimal(1)); });
    int queued = 0;
    form->send_confirmation = [&](const SpaReservation&) { return ++queued > 0; };
    EXPECT_EQ(form->save(), std::nullopt);
    EXPECT_EQ(queued, 1);
    // The confirmation is queued for the mail service, not sent: the user hears just that.
    const auto& shown = inst->port.messages;
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[shown.size() - 2], "Confirmación: Número de Reservación asignado: R00001");
    EXPECT_EQ(last_message(),
              std::string("Confirmación: ") + kConfirmQueued + "\r\nDestino: ana@x.test");
    EXPECT_EQ(form->mode(), FormMode::Modify);
    EXPECT_EQ(form->header.state, kActive);
    EXPECT_EQ(form->header.user_reg, "ANA");
    EXPECT_EQ(form->header.date_reg, Date(2026, 5, 10));
    // A day later the reservation may be kept on its date, but not moved into the past.
    inst->clock.freeze(DateTime{Date(2026, 5, 13), "09:00:00"});
    EXPECT_EQ(form->save(), std::nullopt);
    form->header.date = Date(2026, 5, 11);
    EXPECT_EQ(form->save(), FormField::Date);
    EXPECT_EQ(last_message(), "Error: No está permitido modificar la fecha de la reserva a una fecha "
                              "anterior a la actual...");
}

TEST_P(SpaReservationTest, NumberingFailuresWriteNothing) {
    EXPECT_EQ(domain::GET_NXSERIAL(*db, kSpaBiz, "NONE"), pad_right("NO_SERIAL!", 15));
    EXPECT_EQ(domain::GET_CURRENTSERIAL(*db, kSpaBiz, "SPA"), pad_right("R00001", 15));
    EXPECT_EQ(domain::GET_NXSERIAL(*db, kSpaBiz, "SPA"), pad_right("R00001", 15));
    EXPECT_EQ(book("S4", "10:00", "11:00", 1).code, "R00002");
    // The number the series gives next is already a reservation's.
    test::edit_record(*db, "SERIALES", "SERIALES",
                      data::order_key("SERIALES", "SERIALES", {kSpaBiz, "", "SPA"}),
                      [](data::WDBTable& t) { t.FieldPut("NUMERO", Decimal(1)); });
    // The taken number is spent and the next free one used, once and for all.
    auto r = book("S4", "12:00", "13:00", 1);
    EXPECT_EQ(r.status, BookingStatus::Saved);
    EXPECT_EQ(r.code, "R00003");
    EXPECT_EQ(domain::GET_CURRENTSERIAL(*db, kSpaBiz, "SPA"), pad_right("R00004", 15));
    test::edit_record(*db, "F_FAC", "F_FAC", kSpaBiz,
                      [](data::WDBTable& t) { t.FieldPut("SPA_SERIAL", std::string("")); });
    r = book("S4", "12:00", "13:00", 1);
    EXPECT_EQ(r.status, BookingStatus::NoSerial);
    EXPECT_EQ(r.message, "Falta definir el serial. No se puede asignar un número de reserva...");
    EXPECT_EQ(room_day_bookings(*db, kSpaBiz, "S4", Date(2026, 5, 12), "").size(), 2u);
}

TEST_P(SpaReservationTest, LinesArePricedLimitedAndTotalledTermByTerm) {
    add_article("MAS", "13", 1, "10");        // its own 10 % limit
    add_article("FAC", "13", 0, "0", "SUB");  // limited by its sub-line
    add_article("SAU", "0");                  // no limit at all
    test::add_record(*db, "SUB_LIN", {{"NEGOCIO", kSpaBiz}, {"LINEA", std::string("SPA")},
                                      {"CODIGO", std::string("SUB")}, {"CHECK_D1", Decimal(1)},
                                      {"CHECK_D2", Decimal(5)}});
    list_price("01", "MAS", "33.33");
    list_price("01", "FAC", "10.00");
    test::add_record(*db, "PRE_CLIE", {{"NEGOCIO", kSpaBiz}, {"CLIENTE", std::string("C1")},
                                       {"ARTICULO", std::string("FAC")},
                                       {"T_PRECIO", std::string("01")}, {"PRECIO", 8_d}});
    form->header.price_type = "01";
    form->customer = "C1";
    ASSERT_TRUE(form->set_article(0, "MAS"));
    ASSERT_TRUE(form->set_article(1, "FAC"));
    ASSERT_TRUE(form->set_article(2, "SAU"));
    EXPECT_EQ(form->lines[0].price, 33.33_d);
    EXPECT_EQ(form->lines[0].price_origin, kPriceList);
    EXPECT_EQ(form->lines[1].price, 8_d);
    EXPECT_EQ(form->lines[1].price_origin, kCustomerPrice);
    EXPECT_EQ(form->lines[2].price, 0_d);
    form->set_price(2, 12.5_d);
    EXPECT_EQ(form->lines[2].price_origin, kTypedPrice);

    form->set_discount(0, 15_d);
    EXPECT_EQ(last_message(), "Atención: El Descuento es mayor al autorizado. Artículo: MAS:Servicio MAS");
    EXPECT_EQ(form->lines[0].discount, 10_d);
    form->set_discount(1, 7_d);
    EXPECT_EQ(form->lines[1].discount, 5_d);
    const size_t shown = inst->port.messages.size();
    form->set_discount(2, 50_d);
    EXPECT_EQ(inst->port.messages.size(), shown);

    // A change of price type prices again all but the typed price.
    list_price("02", "MAS", "40");
    form->header.price_type = "02";
    form->reprice();
    EXPECT_EQ(form->lines[0].price, 40_d);
    EXPECT_EQ(form->lines[1].price, 0_d);
    EXPECT_EQ(form->lines[2].price, 12.5_d);

    // 3 x 33.33 at 10 % off and 13 % tax: each term is rounded before it is added.
    std::vector<SpaLine> lines(2);
    lines[0].quantity = 3_d;
    lines[0].price = 33.33_d;
    lines[0].discount = 10_d;
    lines[0].tax = 13_d;
    lines[1].quantity = 1_d;
    lines[1].price = 0.05_d;
    lines[1].discount = 50_d;
    lines[1].tax = 13_d;
    const Totals t = line_totals(lines);
    EXPECT_EQ(t.subtotal, 100.04_d);  // 99.99 + 0.05
    EXPECT_EQ(t.discount, 10.03_d);   // 9.999 -> 10.00, 0.025 -> 0.03
    EXPECT_EQ(t.tax, 11.70_d);        // 11.69883 -> 11.70, 0.00325 -> 0.00
    EXPECT_EQ(t.total, 101.72_d);     // 101.68983 -> 101.69, 0.02825 -> 0.03
}

// The register's default customer is that of the register named, not of one whose code merely
// begins with it.
TEST_P(SpaReservationTest, TheSpaRegisterGivesItsOwnDefaultCustomer) {
    test::add_record(
        *db, "CAJA_ENC",
        {{"NEGOCIO", kSpaBiz}, {"CODIGO", std::string("SP1")}, {"DEF_CLIEN", std::string("C2")}});
    EXPECT_EQ(spa_default_customer(*db, kSpaBiz, "SP1"), "C2");
    EXPECT_EQ(spa_default_customer(*db, kSpaBiz, "SP"), "");
    EXPECT_EQ(spa_default_customer(*db, kSpaBiz, ""), "");
    EXPECT_EQ(spa_default_customer(*db, "OTRO", "SP1"), "");
}

TEST_P(SpaReservationTest, SavedLinesFollowTheScreen) {
    add_article("MAS", "13");
    add_article("SAU", "0");
    auto& h = form->header;
    h.name = "Ana";
    h.end = "11:00";
    h.persons = 1;
    form->set_article(0, "MAS");
    form->set_article(1, "SAU");
    form->set_article(2, "SAU");
    form->set_quantity(2, 0_d);  // never written
    ASSERT_EQ(form->save(), std::nullopt);
    ASSERT_EQ(form->lines.size(), 2u);
    form->remove_line(0);
    form->set_quantity(1, 2_d);
    form->set_article(2, "MAS");
    ASSERT_EQ(form->save(), std::nullopt);
    ASSERT_EQ(form->lines.size(), 2u);
    EXPECT_EQ(form->lines[0].article, "SAU");
    EXPECT_EQ(form->lines[0].quantity, 2_d);
    EXPECT_EQ(form->lines[1].article, "MAS");
    form->set_quantity(1, 0_d);  // a quantity taken to zero deletes the line
    ASSERT_EQ(form->save(), std::nullopt);
    EXPECT_EQ(form->lines.size(), 1u);
    EXPECT_FALSE(check_invoicing(*db, inst->port, kSpaBiz, form->header.code));
    EXPECT_EQ(last_message(),
              "Error: No se puede facturar, debe indicar primero el encargado de la Reserva.");
}

TEST_P(SpaReservationTest, CancellingAndInvoicingFollowTheState) {
    const std::string code = book("S4", "10:00", "11:00", 1).code;
    CancelRequest c{kSpaBiz, "", "ANA", "ana / caja1"};
    EXPECT_FALSE(cancel_reservation(*db, inst->port, c));
    EXPECT_EQ(last_message(), "Error: Debe seleccionar una reserva");
    c.code = code;
    inst->port.answer = false;
    EXPECT_FALSE(cancel_reservation(*db, inst->port, c));
    // Only lines with a quantity can be invoiced.
    test::edit_record(*db, "SPA_RESE", "SPA_RESE",
                      data::order_key("SPA_RESE", "SPA_RESE", {kSpaBiz, code}),
                      [](data::WDBTable& t) {
                          t.FieldPut("ENCARGADO", std::string("01"));
                          t.FieldPut("T_PRECIO", std::string("01"));
                      });
    test::add_record(*db, "SPA_RESD", {{"NEGOCIO", kSpaBiz}, {"COD_RESER", code},
                                       {"CODIGO", std::string("MAS")}, {"CANTIDAD", 0_d}});
    EXPECT_FALSE(check_invoicing(*db, inst->port, kSpaBiz, code));
    EXPECT_EQ(last_message(), "Error: No hay nada que facturar...");
    EXPECT_FALSE(check_invoice_annulment(*db, inst->port, kSpaBiz, code));
    EXPECT_EQ(last_message(), "Error: La reserva no tiene ninguna factura asociada");

    test::edit_record(*db, "SPA_RESE", "SPA_RESE",
                      data::order_key("SPA_RESE", "SPA_RESE", {kSpaBiz, code}),
                      [](data::WDBTable& t) { t.FieldPut("ESTADO", Decimal(kInvoiced)); });
    inst->port.answer = true;
    EXPECT_FALSE(cancel_reservation(*db, inst->port, c));
    EXPECT_EQ(last_message(), "Error: No se puede anular una reserva que ya fue facturada.");
    EXPECT_FALSE(check_invoicing(*db, inst->port, kSpaBiz, code));
    EXPECT_EQ(last_message(),
              "Error: No se puede facturar, el estado de la Reserva no permite esta acción.");

    test::edit_record(*db, "SPA_RESE", "SPA_RESE",
                      data::order_key("SPA_RESE", "SPA_RESE", {kSpaBiz, code}),
                      [](data::WDBTable& t) { t.FieldPut("ESTADO", Decimal(kActive)); });
    inst->clock.freeze(DateTime{Date(2026, 5, 11), "08:30:00"});
    EXPECT_TRUE(cancel_reservation(*db, inst->port, c));
    SpaReservation r(*db, inst->port, kSpaBiz, "ANA");
    ASSERT_TRUE(r.load(code, FormMode::Consult));
    EXPECT_EQ(r.header.state, kCancelled);
    EXPECT_EQ(r.header.user_anul, "ANA");
    EXPECT_EQ(r.header.date_anul, Date(2026, 5, 11));
    EXPECT_EQ(r.header.time_anul, "08:30:00");
    EXPECT_EQ(r.header.info_anul, "ana / caja1");
    // A cancelled reservation keeps its first stamp.
    inst->clock.freeze(DateTime{Date(2026, 5, 12), "08:30:00"});
    EXPECT_FALSE(cancel_reservation(*db, inst->port, c));
}

TEST_P(SpaReservationTest, ABlockedRoomTakesNoNewBookingsButKeepsItsOwn) {
    add_room("S5", 4);
    auto& h = form->header;
    h.name = "Ana";
    h.end = "11:00";
    h.persons = 1;
    ASSERT_EQ(form->save(), std::nullopt);
    test::edit_record(*db, "SPA_SALA", "SPA_SALA",
                      data::order_key("SPA_SALA", "SPA_SALA", {kSpaBiz, "S4"}),
                      [](data::WDBTable& t) { t.FieldPut("BLOQUEADO", 1_d); });
    const std::string blocked = "Error: La Sala está bloqueada y no admite nuevas reservaciones.";
    // What was booked in it before stays there and may still be changed.
    h.phones = "2222-3333";
    EXPECT_EQ(form->save(), std::nullopt);
    // No new booking and no booking moved into it, neither on the form nor under the lock.
    form->start_new("S4", Date(2026, 5, 12), "12:00");
    h.name = "Berta";
    h.end = "13:00";
    h.persons = 1;
    EXPECT_EQ(form->save(), FormField::Room);
    EXPECT_EQ(last_message(), blocked);
    EXPECT_NE(book("S4", "12:00", "13:00", 1).status, BookingStatus::Saved);
    h.room = "S5";
    ASSERT_EQ(form->save(), std::nullopt);
    h.room = "S4";
    EXPECT_EQ(form->save(), FormField::Room);
    EXPECT_EQ(last_message(), blocked);
    BookingRequest move{kSpaBiz, "ANA", h, {}, false};
    EXPECT_NE(book_reservation(*db, move).status, BookingStatus::Saved);
    EXPECT_EQ(room_day_bookings(*db, kSpaBiz, "S4", Date(2026, 5, 12), "").size(), 1u);
    for (const auto& r : spa_rooms(*db, kSpaBiz)) EXPECT_NE(r.code, "S4");
}

TEST_P(SpaReservationTest, PersonsInChargeAreTheActiveAgentsThatSeeTheSpa) {
    const auto agent = [&](const char* code, const char* name, const char* active, int spa) {
        test::add_record(*db, "AGENTES",
                         {{"NEGOCIO", kSpaBiz},
                          {"CODIGO", std::string(code)},
                          {"NOMBRE", std::string(name)},
                          {"ACTIVO", std::string(active)},
                          {"VER_SPA", Decimal(spa)}});
    };
    agent("01", "Luz", "S", 1);
    agent("02", "Ventas", "S", 0);
    agent("03", "Ida", "N", 1);
    agent("04", "Eva", "", 1);
    std::vector<std::string> codes;
    for (const auto& a : spa_agents(*db, kSpaBiz)) codes.push_back(a.code);
    EXPECT_EQ(codes, (std::vector<std::string>{"01", "04"}));
}

TEST_P(SpaReservationTest, TheCancellationStampIsCutByCharacters) {
    const std::string code = book("S4", "10:00", "11:00", 1).code;
    const std::string info = std::string(59, 'a') + "ñb";
    ASSERT_TRUE(cancel_reservation(*db, inst->port, {kSpaBiz, code, "ANA", info}));
    SpaReservation r(*db, inst->port, kSpaBiz, "ANA");
    ASSERT_TRUE(r.load(code, FormMode::Consult));
    EXPECT_EQ(r.header.info_anul, std::string(59, 'a') + "ñ");
}

TEST_P(SpaReservationTest, InHouseRoomFillsTheGuestOrIsRefused) {
    test::add_record(*db, "DET_RES2", {{"NEGOCIO", kSpaBiz}, {"ROOM", std::string("101")},
                                       {"ESTADO", 1_d}, {"COD_HUESP", std::string("G1")}});
    test::add_record(*db, "DET_RES2", {{"NEGOCIO", kSpaBiz}, {"ROOM", std::string("102")},
                                       {"ESTADO", 2_d}, {"COD_HUESP", std::string("G1")}});
    test::add_record(*db, "HUESPEDES",
                     {{"NEGOCIO", kSpaBiz}, {"CODIGO", std::string("G1")},
                      {"NOMBRE", std::string("Ana")}, {"APELLIDO1", std::string("Mora")},
                      {"APELLIDO2", std::string("Vega")}, {"EMAIL", std::string("ana@x.test")}});
    EXPECT_FALSE(form->choose_hotel_room("102"));
    EXPECT_EQ(last_message(), "Error: No se permite asignar un Room que no está in-house.");
    EXPECT_TRUE(form->header.hotel_room.empty());
    EXPECT_TRUE(form->choose_hotel_room("101"));
    EXPECT_EQ(form->header.name, "Ana Mora Vega");
    EXPECT_EQ(form->header.email, "ana@x.test");
    EXPECT_EQ(in_house_rooms(*db, kSpaBiz), std::vector<std::string>{"101"});
}

TEST_P(SpaReservationTest, ConfirmationCarriesTheServicesAndTheTemplateIsShipped) {
    add_article("MAS", "13");
    test::edit_record(*db, "F_FAC", "F_FAC", data::business_key(kSpaBiz), [](data::WDBTable& t) {
        t.FieldPut("SPA_I_MAIL", std::string("Llegue temprano\r\nArrive early"));
    });
    form->header.email = "ana@x.test";
    form->set_article(0, "MAS");
    const Confirmation c = confirmation_of(*db, kSpaBiz, form->header, form->lines);
    using Fields = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(c.fields, (Fields{{"XDATE", "12/05/2026"},
                                {"XTIME", "10:00"},
                                {"XINFO1", "Servicio MAS\n"},
                                {"XINFO2", "Llegue temprano\r\nArrive early"},
                                {"XUSUARIO", "ana@x.test"}}));
    const auto file = std::filesystem::path(inst->home()) / "HTML" / "SPA.HTM";
    ASSERT_TRUE(ensure_spa_template(inst->home()));
    EXPECT_TRUE(std::filesystem::exists(file));
    std::ofstream(file) << "own";  // a template of the installation is left alone
    ASSERT_TRUE(ensure_spa_template(inst->home()));
    EXPECT_EQ(std::filesystem::file_size(file), 3u);
}

// The mail service marks a message sent; the form waits for the one it queued: same address,
// day and subject, queued at or after the time it asked.
TEST_P(SpaReservationTest, ASentConfirmationIsFoundByAddressDaySubjectAndTime) {
    const Date day(2026, 5, 10);
    const auto mail = [&](const std::string& to, int sent, const Date& d, const char* subject) {
        test::add_record(*db, "E_MSGS",
                         {{"NEGOCIO", kSpaBiz},
                          {"TO_USER", to},
                          {"ENVIADO", Decimal(sent)},
                          {"FECHA", d},
                          {"HORA", std::string("09:15:00")},
                          {"SUBJECT", std::string(subject)}});
    };
    const auto sent = [&](const std::string& to, const char* since) {
        return confirmation_sent(*db, kSpaBiz, to, kConfirmSubject, day, since);
    };
    mail("ana@x.test", 0, day, kConfirmSubject);
    mail("ana@x.test", 1, day, "Otro asunto");
    mail("ana@x.test", 1, day - 1, kConfirmSubject);
    mail("ana@x.test.cr", 1, day, kConfirmSubject);
    EXPECT_FALSE(sent("ana@x.test", "09:00:00"));
    mail("ana@x.test", 1, day, kConfirmSubject);
    EXPECT_TRUE(sent("ana@x.test", "09:00:00"));
    EXPECT_FALSE(sent("ana@x.test", "09:30:00"));
    EXPECT_FALSE(confirmation_sent(*db, "OTRO", "ana@x.test", kConfirmSubject, day, "09:00:00"));
}

INSTANTIATE_TEST_SUITE_P(Spa, SpaReservationTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
