#pragma once
#include <functional>
// A printer, a workbook and a printer list that remember what they were given.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "services/print/printer_function.h"
#include "services/print/printer_profiles.h"
#include "support/golden.h"

namespace qz::services::test {

struct DeviceLog {
    std::vector<Page> pages;
    std::string doc;
    bool ended = false, aborted = false;
};

// An A4 page at 300 dpi (portrait 2480 × 3508, landscape 3508 × 2480).
class FakeDevice : public PrintDevice {
public:
    FakeDevice(DeviceLog& log, int orient) : m_log(log), m_land(orient == 2) {}
    int width() const override { return m_land ? 3508 : 2480; }
    int height() const override { return m_land ? 2480 : 3508; }
    int dpi_y() const override { return 300; }
    bool start_doc(const std::string& name) override {
        m_log.doc = name;
        return true;
    }
    int start_page() override { return 0; }
    int end_page(const Page& page) override {
        m_log.pages.push_back(page);
        return 0;
    }
    void end_doc() override { m_log.ended = true; }
    void abort_doc() override { m_log.aborted = true; }

private:
    DeviceLog& m_log;
    bool m_land;
};

struct SinkLog {
    std::vector<std::string> events;
    bool closed = false;
};

class FakeSink : public ExcelSink {
public:
    explicit FakeSink(SinkLog& log) : m_log(log) {}
    void add_heading(double row, int column, const std::string& text, int, bool) override {
        m_log.events.push_back("H " + std::to_string(row) + " " + std::to_string(column) + " " +
                               text);
    }
    void end_header(const std::string& title1) override { m_log.events.push_back("END " + title1); }
    void add_value(double row, int column, const std::string& text, bool) override {
        m_log.events.push_back("V " + std::to_string(row) + " " + std::to_string(column) + " " +
                               text);
    }
    std::filesystem::path close(const std::vector<std::string>& titles, const std::string&,
                                const std::string& file_name) override {
        m_log.closed = true;
        m_log.events.push_back("CLOSE " + titles.at(0) + " " + file_name);
        return file_name + ".XLSX";
    }

private:
    SinkLog& m_log;
};

class FakePrinters : public PrinterPort {
public:
    std::vector<std::string> names;
    std::string def;
    std::vector<std::string> installed() const override { return names; }
    std::string default_printer() const override { return def; }
};

// A job on the fake printer, with a fixed stamp and no waiting.
inline void wire(PrinterFunction& job, DeviceLog& log) {
    job.device_factory = [&log](const PrinterFunction& j) {
        return std::make_unique<FakeDevice>(log, j.Orient);
    };
    job.sleep = [](int) {};
    job.env.print_font = "Calibri";
    job.env.stamp =
        PrintStamp{DateTime{Date::from_dtos("20260315").value(), "09:30:00"}, "ADM", "RECEPCION"};
}

// The text of the pages `draw` lays out on the fake printer once `titles` set the job's titles
// (no stamp: the pages read the same whenever they are printed).
inline std::string laid_out(const std::function<void(PrinterFunction&)>& titles,
                            const std::function<void(PrinterFunction&)>& draw) {
    DeviceLog device;
    PrinterFunction job;
    job.device_factory = [&device](const PrinterFunction&) {
        return std::make_unique<FakeDevice>(device, 1);
    };
    job.sleep = [](int) {};
    job.env.print_font = "Calibri";
    titles(job);
    EXPECT_TRUE(START_DOC(job, "Prueba", false));
    draw(job);
    RESETPRINT(job, false);
    std::string out;
    for (const auto& p : device.pages) out += serialise(p);
    return out;
}

// Compares with the golden file beside this header; QZ_UPDATE_GOLDEN=1 writes it instead.
inline std::string golden(const std::string& name, const std::string& actual) {
    return ::qz::test::golden_at(__FILE__, name, actual);
}

}  // namespace qz::services::test
