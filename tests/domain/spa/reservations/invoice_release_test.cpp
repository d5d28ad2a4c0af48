// The spa hears of annulled invoices: the reservation invoiced into one is free again. A
// listener that fails does not undo the annulment, and the others are still told.
#include "domain/spa/reservations/invoice_release.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "domain/ledger/annulment_fixture.h"
#include "domain/ledger/document_annulment_listeners.h"
#include "domain/spa/reservations/reservation_actions.h"
#include "domain/spa/reservations/reservation_row.h"

using namespace qz;
using namespace qz::test;

namespace {

class InvoiceReleaseTest : public AnnulmentTest {
protected:
    // The demonstration's reservation invoiced into its credit invoice.
    domain::spa::SpaHeader booking() {
        data::Table t = data::USE(*db, "SPA_RESE", "SPA_RESE");
        EXPECT_TRUE(t->Seek(data::order_key("SPA_RESE", "SPA_RESE", {kHotel, code})));
        auto h = domain::spa::reservation_from_row(*t);
        data::KILLTABLA(*db, t);
        return h;
    }
    std::string code;
};

TEST_P(InvoiceReleaseTest, AnAnnulledInvoiceFreesItsReservation) {
    domain::spa::listen_to_document_annulments();
    data::Table t = data::USE(*db, "SPA_RESE", "SPA_RESE13");
    ASSERT_TRUE(t->Seek(data::order_key("SPA_RESE", "SPA_RESE13", {kHotel, kDemoInvoice})));
    code = trim(t->str("CODIGO"));
    data::KILLTABLA(*db, t);
    ASSERT_EQ(booking().state, domain::spa::kInvoiced);
    EXPECT_EQ(domain::spa::check_invoice_annulment(*db, inst->port, kHotel, code), kDemoInvoice);

    ASSERT_EQ(annul(kDemoInvoice).status, domain::AnnulmentStatus::Annulled) << said();
    EXPECT_EQ(booking().state, domain::spa::kActive);
    EXPECT_EQ(booking().mov_cxc, "");
    EXPECT_FALSE(domain::spa::check_invoice_annulment(*db, inst->port, kHotel, code));
    EXPECT_EQ(said(), "La reserva no tiene ninguna factura asociada");
}

TEST_P(InvoiceReleaseTest, AFailingListenerLeavesTheAnnulmentAndTheOthersStanding) {
    std::vector<std::string> heard;
    domain::on_document_annulled("a", [](data::Db&, UserPort&, const domain::AnnulledDocument&) {
        throw std::runtime_error("sin conexión");
    });
    domain::on_document_annulled("b", [&](data::Db&, UserPort&, const domain::AnnulledDocument& a) {
        heard.push_back(a.document + ">" + a.mirror);
    });
    const auto r = annul(kDemoInvoice);
    domain::on_document_annulled("a", {});
    domain::on_document_annulled("b", {});
    ASSERT_EQ(r.status, domain::AnnulmentStatus::Annulled);
    EXPECT_EQ(heard, std::vector<std::string>{kDemoInvoice + ">" + kDemoInvoice + "-A"});
    const auto& m = inst->port.messages;
    EXPECT_NE(std::find(m.begin(), m.end(),
                        "Error: El documento " + kDemoInvoice +
                            " quedó anulado, pero no se pudo actualizar lo que dependía de él (a): "
                            "sin conexión"),
              m.end());
    EXPECT_EQ(trim(doc(kDemoInvoice)->str("ANULADO")), kDemoInvoice + "-A");
}

INSTANTIATE_TEST_SUITE_P(Engines, InvoiceReleaseTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engine_name);

}  // namespace
