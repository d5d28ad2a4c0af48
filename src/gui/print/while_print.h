#pragma once
// The progress window of a print job ("WHILE_PRINT", "Imprimiendo..."): the document, the page,
// the seconds gone, and a Cancel button that stops the job. It also disables the report's
// screen while the job runs.
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

#include "services/print/print_device.h"

class QLabel;
class QTimer;

namespace qz::services {
class PrinterFunction;
}

namespace qz::gui {

class WhilePrint : public QDialog, public services::PrintProgress {
    Q_OBJECT
public:
    enum Id { kIdDocument = 301, kIdPage = 500, kIdThird = 302, kIdSeconds = 503, kIdCancel = 201 };

    WhilePrint(QWidget* owner, services::PrinterFunction& job);

    void open() override;
    void show_document(const std::string& line) override;
    void show_page(const std::string& page) override;
    void close() override;
    void pump() override;
    void owner_enabled(bool enabled) override;

private:
    void tick();

    QPointer<QWidget> m_owner;
    services::PrinterFunction& m_job;
    QLabel* m_document = nullptr;
    QLabel* m_page = nullptr;
    QLabel* m_seconds = nullptr;
    QTimer* m_timer = nullptr;
    QElapsedTimer m_clock;
    int m_calls = 0;
};

}  // namespace qz::gui
