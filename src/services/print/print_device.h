#pragma once
// What a print job needs from the platform, without knowing it: the device pages are drawn on,
// the window that shows progress and offers Cancel, and how wide a text really is.
#include <functional>
#include <memory>
#include <string>

#include "services/print/page.h"

namespace qz::services {

class PrinterFunction;

// A printer (or PDF file) opened for one job. Codes are 0 for success.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    // Page size in device units and the vertical resolution the font heights follow.
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual int dpi_y() const = 0;
    // Starts the print job; false when the printer refuses it.
    virtual bool start_doc(const std::string& doc_name) = 0;
    virtual int start_page() = 0;
    // Draws the finished page and ends it.
    virtual int end_page(const Page& page) = 0;
    virtual void end_doc() = 0;
    virtual void abort_doc() = 0;
};

// Opens the device for the job's printer, orientation and copies; null when it cannot. A job
// that only records pages asks for one to measure with and never starts it.
using DeviceFactory = std::function<std::unique_ptr<PrintDevice>(const PrinterFunction& job)>;

// The progress window (WHILE_PRINT) and the owner screen, as a job sees them.
class PrintProgress {
public:
    virtual ~PrintProgress() = default;
    virtual void open() {}
    virtual void show_document(const std::string& line) { (void)line; }
    virtual void show_page(const std::string& page) { (void)page; }
    virtual void close() {}
    // Lets pending window messages run, so Cancel can be pressed.
    virtual void pump() {}
    virtual void owner_enabled(bool enabled) { (void)enabled; }
};

}  // namespace qz::services
