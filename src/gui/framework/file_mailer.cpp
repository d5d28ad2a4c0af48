#include "gui/framework/file_mailer.h"

namespace qz::gui {

namespace {
FileMailer& installed() {
    static FileMailer mailer;
    return mailer;
}
}  // namespace

void set_file_mailer(FileMailer mailer) { installed() = std::move(mailer); }

bool mail_file(QWidget* owner, const FileMailRequest& request) {
    return installed() ? installed()(owner, request) : false;
}

}  // namespace qz::gui
