#include "gui/print/while_print.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "services/print/printer_function.h"

namespace qz::gui {

WhilePrint::WhilePrint(QWidget* owner, services::PrinterFunction& job)
    : QDialog(owner ? owner->window() : nullptr), m_owner(owner), m_job(job) {
    setObjectName("WHILE_PRINT");
    setWindowTitle(QString::fromUtf8("Imprimiendo..."));
    auto* layout = new QVBoxLayout(this);
    m_document = new QLabel(QString::fromUtf8("Preparando ambiente..."), this);
    m_document->setObjectName(QString::number(kIdDocument));
    m_page = new QLabel(this);
    m_page->setObjectName(QString::number(kIdPage));
    auto* third = new QLabel(this);
    third->setObjectName(QString::number(kIdThird));
    m_seconds = new QLabel("0", this);
    m_seconds->setObjectName(QString::number(kIdSeconds));
    auto* cancel = new QPushButton(QString::fromUtf8("Cancelar "), this);
    cancel->setObjectName(QString::number(kIdCancel));
    for (QWidget* w : {static_cast<QWidget*>(m_document), static_cast<QWidget*>(m_page),
                       static_cast<QWidget*>(third), static_cast<QWidget*>(m_seconds),
                       static_cast<QWidget*>(cancel)})
        layout->addWidget(w);
    m_timer = new QTimer(this);
    m_timer->setInterval(1500);
    connect(m_timer, &QTimer::timeout, this, [this] { tick(); });
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_job.CANCELPRINT();
        m_timer->stop();
    });
}

void WhilePrint::open() {
    m_clock.start();
    m_timer->start();
    show();
}

void WhilePrint::show_document(const std::string& line) {
    m_document->setText(QString::fromStdString(line));
}

void WhilePrint::show_page(const std::string& page) {
    m_page->setText(QString::fromStdString(page));
    pump();
}

void WhilePrint::close() {
    m_timer->stop();
    hide();
}

void WhilePrint::pump() {
    // Repainting on every call would slow long reports; every 50th keeps Cancel responsive.
    if (++m_calls % 50 == 1) QApplication::processEvents();
}

void WhilePrint::owner_enabled(bool enabled) {
    if (m_owner) m_owner->setEnabled(enabled);
}

void WhilePrint::tick() {
    const QString seconds = QString::number(m_clock.elapsed() / 1000).rightJustified(4);
    m_seconds->setText(seconds);
    if (isMinimized()) setWindowTitle(seconds);
}

}  // namespace qz::gui
