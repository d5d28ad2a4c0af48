#pragma once
// Print tests on the screen: a printer list and a device that remember what they were given,
// installed in the print context for the length of a test.
#include <QApplication>
#include <QProcess>
#include <filesystem>
#include <memory>
#include <vector>

#include "gui/framework/wdiag.h"
#include "gui/print/print_context.h"

namespace qz::gui::test {

class ListedPrinters : public services::PrinterPort {
public:
    std::vector<std::string> installed() const override { return {"Recepcion_HP", "Caja_Epson"}; }
    std::string default_printer() const override { return "Recepcion_HP"; }
};

struct Printed {
    std::string doc;
    std::vector<services::Page> pages;
    bool ended = false;
};

class RecordingDevice : public services::PrintDevice {
public:
    explicit RecordingDevice(Printed& out) : m_out(out) {}
    int width() const override { return 2480; }
    int height() const override { return 3508; }
    int dpi_y() const override { return 300; }
    bool start_doc(const std::string& name) override {
        m_out.doc = name;
        return true;
    }
    int start_page() override { return 0; }
    int end_page(const services::Page& page) override {
        m_out.pages.push_back(page);
        return 0;
    }
    void end_doc() override { m_out.ended = true; }
    void abort_doc() override {}

private:
    Printed& m_out;
};

// A temporary folder as the jobs' TEMP, fake printers, and the context restored afterwards.
class PrintContextScope {
public:
    PrintContextScope()
        : saved(print_context()),
          temp(std::filesystem::temp_directory_path() /
               ("qz_print_gui_" + std::to_string(QCoreApplication::applicationPid()))) {
        std::filesystem::remove_all(temp);
        std::filesystem::create_directories(temp);
        PrintContext& c = print_context();
        c.printers = std::make_shared<ListedPrinters>();
        c.environment = [this] {
            services::PrintEnvironment env;
            env.temp_dir = temp;
            env.XGRAYED = 1;
            return env;
        };
        c.store_grayed = [this](int g) { grayed = g; };
    }
    ~PrintContextScope() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* screen = dynamic_cast<WDIAG*>(w); screen && !screen->lDestroyed())
                screen->ENDDIALOG();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        print_context() = saved;
        std::filesystem::remove_all(temp);
    }
    void record_into(Printed& out) {
        print_context().device_factory = [&out](const services::PrinterFunction&) {
            return std::make_unique<RecordingDevice>(out);
        };
    }
    bool temp_is_empty() const { return std::filesystem::is_empty(temp); }

    PrintContext saved;
    std::filesystem::path temp;
    int grayed = -1;
};

// Pages of a PDF as pdfinfo counts them; -1 when it cannot tell.
inline int pdf_pages(const std::filesystem::path& file) {
    QProcess p;
    p.start("pdfinfo", {QString::fromStdString(file.string())});
    if (!p.waitForFinished(10000)) return -1;
    for (const QString& line : QString(p.readAllStandardOutput()).split('\n'))
        if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    return -1;
}

}  // namespace qz::gui::test
