#pragma once
// DBF_OB: the window that exports a grid to a workbook. It proposes the session's TEMP folder
// and a scratch file name, writes the grid row by row with a counter the user can stop, then
// opens the book with the desktop's program (button 1) or mails it (button 201).
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "gui/framework/wdiag.h"
#include "services/print/excel_sink.h"
#include "services/workbook/grid_export_source.h"

class QBoxLayout;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qz::gui {

struct DbfObSettings {
    std::filesystem::path temp_folder;  // the session's TEMP (local path when configured)
    std::filesystem::path bmp_folder;   // the installation's BMP
    std::string logo;                   // XLOGOFILE
    services::PrintStamp stamp;
    // Opens the finished book; the desktop's program (xdg-open) when not set.
    std::function<void(const std::filesystem::path&)> open_file;
};

class DBF_OB : public WDIAG {
public:
    DBF_OB(QWidget* owner, std::unique_ptr<services::GridExportSource> source, std::string caption,
           DbfObSettings settings);

    bool Init() override;
    // Export and open (1) or export and mail (201).
    void EXP_DBF(bool for_mail);
    void STOP_EXPORT() { GoOn = false; }

    bool GoOn = false;
    bool InCycle = false;

private:
    void add_fields(QFormLayout* form);
    void add_buttons(QBoxLayout* layout);
    void set_busy(bool busy);
    void open_book(const std::filesystem::path& file);

    std::unique_ptr<services::GridExportSource> m_source;
    std::string m_caption;
    DbfObSettings m_settings;
    QLabel* m_counter = nullptr;    // 501
    QLabel* m_state = nullptr;      // 502
    QLineEdit* m_file = nullptr;    // 503
    QLineEdit* m_folder = nullptr;  // 504
    QPushButton* m_export = nullptr;
    QPushButton* m_mail = nullptr;
};

// Opens the export window over `owner` (disabled while it is open) for the grid `source` of the
// screen whose caption is `caption`.
void open_dbf_ob(QWidget* owner, std::unique_ptr<services::GridExportSource> source,
                 const std::string& caption, DbfObSettings settings);

}  // namespace qz::gui
