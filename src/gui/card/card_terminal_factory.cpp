#include "gui/card/card_terminal_factory.h"

#include <QCoreApplication>

#include "gui/card/read_tccard.h"
#include "gui/card/voucher_printer.h"
#include "services/terminals/card_service.h"

namespace qz::gui {

namespace {

namespace st = services::terminals;

// The service with the reader and the printer it was handed: they live as long as it does.
class WorkstationCardTerminal : public domain::pos::CardTerminal {
public:
    WorkstationCardTerminal(QWidget* owner, data::Db& db, UserPort& port, const IniFile& ini,
                            const std::string& business)
        : m_reader(owner, port, ini, business),
          m_printer(owner, ini, port),
          m_service(db, port, ini,
                    st::card_libraries(ini, QCoreApplication::applicationDirPath().toStdString()),
                    m_reader, m_printer) {}

    domain::pos::CardAnswer PAGO_ELECTRONICO(const domain::pos::CardRequest& request) override {
        return m_service.PAGO_ELECTRONICO(request);
    }

private:
    StripeCardReader m_reader;
    CredomaticVoucherPrinter m_printer;
    st::CardService m_service;
};

}  // namespace

std::unique_ptr<domain::pos::CardTerminal> make_card_terminal(QWidget* owner, data::Db& db,
                                                              UserPort& port, const IniFile* ini,
                                                              const std::string& business) {
    if (!ini) return std::make_unique<domain::pos::UnconfiguredCardTerminal>(port);
    return std::make_unique<WorkstationCardTerminal>(owner, db, port, *ini, business);
}

}  // namespace qz::gui
