#include "gui/card/read_tccard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/picture.h"
#include "core/text.h"
#include "gui/framework/dialog_box.h"
#include "services/terminals/card_track.h"
#include "services/terminals/serial_port.h"

namespace qz::gui {

using namespace read_tccard;
namespace terminals = services::terminals;

namespace {

constexpr const char* kNoPort = "Puerto no disponible";

class ReadTcCardDialog : public DIALOG_BOX {
public:
    ReadTcCardDialog(QWidget* owner, terminals::SerialPort& port, std::string caption,
                     std::chrono::milliseconds poll)
        : DIALOG_BOX("READ_TCCARD", owner),
          m_port(port),
          m_caption(std::move(caption)),
          m_poll(poll) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* amount = Add(new QLabel(QString::fromStdString(m_caption), this), kAmount);
        amount->setAlignment(Qt::AlignCenter);
        layout->addWidget(amount);
        CHANGE_FONT(kAmount, "Times New Roman", 40);
        m_status = Add(new QLabel("Deslice la tarjeta", this), kStatus);
        m_status->setAlignment(Qt::AlignCenter);
        layout->addWidget(m_status);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Lectura de Tarjeta");
        m_timer = new QTimer(this);
        m_timer->setInterval(static_cast<int>(m_poll.count()));
        connect(m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer->start();
        return true;
    }

    std::optional<terminals::CardReading> take_card() { return std::move(m_card); }
    bool line_failed() const { return m_line_failed; }

private:
    void poll() {
        if (!m_text.read_from(m_port)) {
            m_line_failed = true;
            finish_with(kCmdCancel);
            return;
        }
        terminals::TrackSplit split = terminals::split_track(m_text.text());
        switch (split.status) {
            case terminals::TrackStatus::Incomplete:
                if (!m_text.text().empty()) m_status->setText("Leyendo tarjeta...");
                break;
            case terminals::TrackStatus::Unreadable:
                // A bad swipe is dropped whole; the next one starts from a clean text.
                m_text.clear();
                m_status->setText("Lectura incompleta, deslice la tarjeta de nuevo");
                break;
            case terminals::TrackStatus::Complete:
                m_card = std::move(split.card);
                finish_with(kCmdOk);
                break;
        }
    }
    void finish_with(int result) {
        m_timer->stop();
        m_text.clear();
        EndDialog(result);
    }

    terminals::SerialPort& m_port;
    std::string m_caption;
    std::chrono::milliseconds m_poll;
    terminals::TrackText m_text;
    std::optional<terminals::CardReading> m_card;
    bool m_line_failed = false;
    QLabel* m_status = nullptr;
    QTimer* m_timer = nullptr;
};

}  // namespace

StripeCardReader::StripeCardReader(QWidget* owner, UserPort& port, const IniFile& ini,
                                   std::string business, std::chrono::milliseconds poll)
    : m_owner(owner), m_port(port), m_ini(ini), m_business(std::move(business)), m_poll(poll) {}

std::optional<terminals::CardReading> StripeCardReader::READ_TCCARD(
    const std::string& currency_symbol, const Decimal& amount) {
    terminals::SerialPort line;
    if (!line.open(terminals::card_reader_device(m_ini, m_business))) {
        m_port.message(MsgStyle::Error, "", kNoPort);
        return std::nullopt;
    }
    const std::string caption =
        currency_symbol + " " + trim(pic_format(amount, "999,999,999,999.99"));
    ReadTcCardDialog dialog(m_owner, line, caption, m_poll);
    const bool read = dialog.run() == kCmdOk;
    line.close();
    if (dialog.line_failed()) m_port.message(MsgStyle::Error, "", kNoPort);
    if (!read) return std::nullopt;
    return dialog.take_card();
}

}  // namespace qz::gui
