// A spa reservation invoiced at the point of sale, over the demonstration: the sale takes the
// reservation's services at their quoted prices, and the invoice is linked to one reservation
// exactly once.
#include "domain/spa/reservations/reservation_sale.h"

#include <stdexcept>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/cash/register_defaults.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "domain/spa/reservations/reservation_row.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;

namespace {

// The demonstration's first booking: room 201's couple today, one MAS003 massage.
constexpr const char* kBooking = "SPA000001";

class ReservationSaleTest : public test::DemoLedgerTest {
protected:
    pos::SaleDraft draft() {
        pos::SaleDraft d(*db, inst->port, "HOTEL", {pos::SaleKind::Spa, 0, kBooking});
        const auto reg = cash::read_register(*db, cash::kPosRegisters, "HOTEL", "SPA1");
        EXPECT_TRUE(reg.has_value());
        if (reg) d.PARAMS_CAJA(cash::sale_defaults(*reg));
        return d;
    }
    spa::SpaHeader reservation() {
        auto t = data::USE(*db, "SPA_RESE", "SPA_RESE");
        EXPECT_TRUE(t->Seek(spa::reservation_key("HOTEL", kBooking)));
        spa::SpaHeader h = spa::reservation_from_row(*t);
        data::KILLTABLA(*db, t);
        return h;
    }
    void set_line_price(const Decimal& price) {
        test::edit_record(*db, "SPA_RESD", "SPA_RESD",
                          spa::reservation_lines_key("HOTEL", kBooking),
                          [&](data::WDBTable& t) { t.FieldPut("PRECIO", price); });
    }
};

}  // namespace

TEST_P(ReservationSaleTest, TheSaleTakesTheQuotedServicesAndTheRegisterKeepsItsDefaults) {
    // A price agreed on the reservation that the list would not give: the invoice charges it.
    set_line_price(Decimal(31000));
    pos::SaleDraft d = draft();
    ASSERT_TRUE(spa::load_reservation_sale(*db, inst->port, "HOTEL", kBooking, d));
    ASSERT_EQ(d.lines().size(), 2u);  // the service and the final empty row
    const pos::SaleLine& l = d.lines()[0];
    EXPECT_EQ(l.code, "MAS003");
    EXPECT_EQ(l.price, Decimal(31000));
    EXPECT_TRUE(l.manual);
    EXPECT_EQ(trim(l.source_document), kBooking);
    EXPECT_EQ(d.header().contact[pos::kName], reservation().name);
    EXPECT_EQ(d.header().price_type, reservation().price_type);
    EXPECT_EQ(d.header().customer, "CONTADO");
    EXPECT_EQ(d.figures().invoiced, l.total);
}

TEST_P(ReservationSaleTest, AReservationThatCannotBeInvoicedFillsNothing) {
    test::edit_record(*db, "SPA_RESE", "SPA_RESE", spa::reservation_key("HOTEL", kBooking),
                      [](data::WDBTable& t) { t.FieldPut("ENCARGADO", std::string()); });
    pos::SaleDraft d = draft();
    EXPECT_FALSE(spa::load_reservation_sale(*db, inst->port, "HOTEL", kBooking, d));
    EXPECT_EQ(said(), "No se puede facturar, debe indicar primero el encargado de la Reserva.");
    EXPECT_EQ(d.lines().size(), 1u);
}

TEST_P(ReservationSaleTest, TheInvoiceIsLinkedOnceAndASecondLinkIsRefused) {
    {
        data::Transaction tx(*db);
        spa::link_reservation_invoice(*db, "HOTEL", kBooking, "FC0000099");
        tx.commit();
    }
    EXPECT_EQ(reservation().state, spa::kInvoiced);
    EXPECT_EQ(trim(reservation().mov_cxc), "FC0000099");
    // Another workstation's sale of the same reservation must roll back, not re-link it.
    data::Transaction tx(*db);
    EXPECT_THROW(spa::link_reservation_invoice(*db, "HOTEL", kBooking, "FC0000100"),
                 std::runtime_error);
    EXPECT_EQ(trim(reservation().mov_cxc), "FC0000099");
}

INSTANTIATE_TEST_SUITE_P(Engines, ReservationSaleTest,
                         ::testing::Values(test::Engine::SQLite, test::Engine::PostgreSQL),
                         test::engine_name);
