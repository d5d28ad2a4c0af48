#pragma once
// The e-mail step of a report or a grid export. The print engine and the export window call
// mail_file; the application installs the mailer (recipient, the LEE_EMAIL dialog, the mail
// queue or direct sending) once the session exists.
#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace qz::gui {

struct FileMailRequest {
    std::filesystem::path file;  // the workbook or the PDF
    std::string title;           // the report's first title, or "Grid"
    std::string document_name;   // the print job's document name (a PDF is renamed after it)
    bool pdf = false;
    bool grid = false;  // from the grid export window
};

// Returns true when the mail was sent or queued.
using FileMailer = std::function<bool(QWidget* owner, const FileMailRequest&)>;

void set_file_mailer(FileMailer mailer);
// False, without a word, when no mailer is installed (no session).
bool mail_file(QWidget* owner, const FileMailRequest& request);

}  // namespace qz::gui
