// What is settled before a number is drawn (the concept's series, a disabled series, the limit),
// the range editor's refusals, and the maintenance form's refusals and saves.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/text.h"
#include "domain/ledger/serials.h"
#include "domain/ledger/series.h"
#include "domain/ledger/series_checks.h"
#include "domain/ledger/series_range.h"
#include "series_fixture.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;
using qz::test::kSeriesBiz;

class SeriesRulesTest : public test::SeriesFixture {
protected:
    bool set_range(const std::string& code, const std::string& next, const std::string& last,
                   bool disabled = false) {
        return MOD_SERI(*db, inst->port, kSeriesBiz, code, {next, last, disabled});
    }
    std::string last_message() const {
        const auto& m = inst->port.messages;
        return m.empty() || !starts_with(m.back(), "Error: ") ? "" : m.back().substr(7);
    }
};

TEST_P(SeriesRulesTest, AConceptNumbersFromItsSeriesOrTheWorkstationsOne) {
    const auto ini_path = std::filesystem::path(inst->home()) / "QUARTZEN.INI";
    IniFile ini(ini_path);
    ini.set("CONCEPT1", "CONCEPTOFA", "CAJA2");
    EXPECT_EQ(concept_series({"FA", "Factura", "FACTURA"}, &ini).series, "FACTURA");
    EXPECT_EQ(concept_series({"FA", "Factura", "FACTURA", false, true}, &ini).series, "CAJA2");
    EXPECT_TRUE(concept_series({"FA", "Factura", "", true}, &ini).typed);
    EXPECT_EQ(concept_series({"NC", "Nota de Crédito", ""}, &ini).refusal,
              "El Concepto Nota de Crédito no tiene consecutivo asignado!");
    EXPECT_EQ(concept_series({"NC", "Nota de Crédito", "NOTAS", false, true}, &ini).refusal,
              "El Concepto Nota de Crédito no tiene consecutivo asignado!");
    EXPECT_FALSE(concept_series({"FA", "Factura", "", false, true}, nullptr).refusal.empty());
}

TEST_P(SeriesRulesTest, ADisabledSeriesOrOneAtItsLimitStopsTheDrawing) {
    add({.code = "FAC", .number = 97, .limit = 100});
    add({.code = "OFF", .number = 1, .disabled = 1});
    add({.code = "FREE", .number = 99999});
    EXPECT_EQ(check_before_drawing(*db, kSeriesBiz, "FAC", "Factura", 3), "");
    EXPECT_EQ(check_before_drawing(*db, kSeriesBiz, "FAC", "Factura", 4),
              "Está sobrepasando el Límite del Consecutivo.  Concepto: Factura\rÚltimo número "
              "válido: 100");
    EXPECT_EQ(check_before_drawing(*db, kSeriesBiz, "FAC", "Factura", 4,
                                   LimitWording::ProformaConversion),
              "Esta Sobrepasando el Límite del Serial Establecido para el Concepto: Factura");
    EXPECT_EQ(check_before_drawing(*db, kSeriesBiz, "OFF", "Tiquete"), kSeriesDisabled);
    EXPECT_EQ(check_before_drawing(*db, kSeriesBiz, "FREE", "Recibo", 1000), "");
    EXPECT_EQ(check_before_drawing(*db, kSeriesBiz, "NONE", "Recibo"),
              "El Concepto Recibo no tiene consecutivo asignado!");
}

TEST_P(SeriesRulesTest, ARangeMustEndSomewhereAndClearOtherActiveSeriesOfItsGroup) {
    add({.code = "CAJA1", .number = 100, .limit = 200, .mutuo = "T1"});
    add({.code = "CAJA2", .number = 0, .limit = 0, .mutuo = "T1"});
    add({.code = "CAJA3", .number = 300, .limit = 400, .mutuo = "T1", .disabled = 1});
    add({.code = "OTRA", .number = 150, .limit = 250, .mutuo = "T2"});
    EXPECT_FALSE(set_range("CAJA2", "1", "0"));
    EXPECT_EQ(last_message(), kNoLastSerial);
    // Its last number falls inside CAJA1's range.
    EXPECT_FALSE(set_range("CAJA2", "50", "150"));
    EXPECT_EQ(last_message(), "Hay conflicto de Consecutivos con el Serial: Serie CAJA1");
    // Its first number - 1 does.
    EXPECT_FALSE(set_range("CAJA2", "151", "180"));
    EXPECT_EQ(number("CAJA2"), 0);
    // Only a disabled series (and one of another group) holds these numbers.
    EXPECT_TRUE(set_range("CAJA2", "301", "350"));
    EXPECT_EQ(number("CAJA2"), 300);
    EXPECT_EQ(std::get<Decimal>(stored("CAJA2", "NUMERO2")).to_int(), 350);
    // A series being disabled is saved without the checks.
    EXPECT_TRUE(set_range("CAJA2", "101", "0", true));
    EXPECT_EQ(std::get<Decimal>(stored("CAJA2", "INACTIVO")).to_int(), 1);
    EXPECT_FALSE(set_range("CAJA2", "1x", "50"));
}

TEST_P(SeriesRulesTest, ARangeHoldingADocumentAlreadyCreatedIsRefused) {
    add({.code = "FAC", .number = 0, .prefix = "F", .indent = 6});
    add_document("F000120");
    add_document("F000110");
    add_document("F110");     // another width: not a number of this series
    add_document("X000105");  // another prefix
    EXPECT_TRUE(set_range("FAC", "1", "109"));
    EXPECT_FALSE(set_range("FAC", "100", "130"));
    EXPECT_EQ(last_message(), "El Documento: F000110 ya se encuentra creado!");
    EXPECT_TRUE(set_range("FAC", "121", "99999999"));
    EXPECT_EQ(trim(GET_NXSERIAL(*db, kSeriesBiz, "FAC")), "F000121");
}

TEST_P(SeriesRulesTest, TheMaintenanceFormRefusesEveryBadEntryWithItsOwnMessage) {
    add({.code = "FAC", .number = 10});
    const SeriesInput good{"NUEVA", "Nueva serie", "10", "T", "", "", "0", "0", "6"};
    const auto refused = [&](SeriesInput in) {
        Series s;
        return check_series(in, s);
    };
    auto in = good;
    in.code = "";
    EXPECT_EQ(refused(in), "El código del Serial es requerido...");
    in = good;
    in.code = std::string(16, 'A');
    EXPECT_EQ(refused(in), "El código del Serial admite 15 caracteres...");
    in = good;
    in.module = "99";
    EXPECT_EQ(refused(in), "Debe escoger el Módulo del Serial...");
    in = good;
    in.number = "-1";
    EXPECT_EQ(refused(in), "El Número actual no puede ser negativo...");
    in = good;
    in.number = "12345678901";
    EXPECT_EQ(refused(in), "El Número actual admite 10 dígitos...");
    in = good;
    in.limit = "1.5";
    EXPECT_EQ(refused(in), "El Límite debe ser un número entero...");
    in = good;
    in.number = "500";
    in.limit = "400";
    EXPECT_EQ(refused(in), "El Límite no puede ser menor que el Número actual...");
    in = good;
    in.prefix = "FACTURA";
    in.indent = "9";
    EXPECT_EQ(refused(in), "El número con su Prefijo y su Posfijo no cabe en 15 caracteres...");
    in = good;
    in.indent = "16";
    EXPECT_EQ(refused(in), "El Ancho del número no puede pasar de 15...");

    in = good;
    in.code = "fac";
    EXPECT_FALSE(add_series(*db, inst->port, kSeriesBiz, in));
    EXPECT_EQ(last_message(), kSeriesDuplicate);
    ASSERT_TRUE(add_series(*db, inst->port, kSeriesBiz, good));
    const auto added = read_series(*db, kSeriesBiz, "nueva");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->module, "10");
    EXPECT_EQ(added->indent, 6);
    EXPECT_EQ(trim(GET_NXSERIAL(*db, kSeriesBiz, "NUEVA")), "T000001");
}

TEST_P(SeriesRulesTest, ASaveKeepsNumbersDrawnWhileTheFormWasOpen) {
    add({.code = "FAC", .number = 10});
    const auto before = read_series(*db, kSeriesBiz, "FAC");
    ASSERT_TRUE(before);
    GET_NXSERIAL(*db, kSeriesBiz, "FAC");  // another workstation, meanwhile
    SeriesInput in{"FAC", "Facturas de contado", "02", "C", "", "", "10", "0", "4"};
    ASSERT_TRUE(modify_series(*db, inst->port, kSeriesBiz, *before, in));
    EXPECT_EQ(number("FAC"), 11);
    EXPECT_EQ(trim(GET_NXSERIAL(*db, kSeriesBiz, "FAC")), "C0012");
    // A number the user typed is the user's decision.
    in.number = "5";
    ASSERT_TRUE(modify_series(*db, inst->port, kSeriesBiz, *read_series(*db, kSeriesBiz, "FAC"),
                              in));
    EXPECT_EQ(number("FAC"), 5);

    inst->port.answer = false;
    EXPECT_FALSE(delete_series(*db, inst->port, kSeriesBiz, "FAC"));
    EXPECT_TRUE(read_series(*db, kSeriesBiz, "FAC"));
    inst->port.answer = true;
    EXPECT_TRUE(delete_series(*db, inst->port, kSeriesBiz, "FAC"));
    EXPECT_FALSE(read_series(*db, kSeriesBiz, "FAC"));
}

INSTANTIATE_TEST_SUITE_P(Ledger, SeriesRulesTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
