#include "gui/framework/traduct.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

#include "core/picture.h"

namespace qz::gui {

namespace {
// Position of `needle` in `hay` ignoring case. Upper-casing keeps the byte length of the Latin
// letters, so a position in the upper-cased text is a position in the original.
size_t find_nocase(const std::string& hay, const std::string& needle) {
    const std::string h = upper_latin(hay), n = upper_latin(needle);
    if (h.size() != hay.size() || n.size() != needle.size()) return hay.find(needle);
    return h.find(n);
}

std::string replaced(std::string text, size_t pos, size_t len, const std::string& to) {
    return text.replace(pos, len, to);
}

QString translated(const QString& caption) {
    const std::string before = caption.toStdString();
    const std::string after = CHECK_TRADUCT(before, XTRADUCT());
    return after == before ? caption : QString::fromStdString(after);
}
}  // namespace

std::string CHECK_TRADUCT(const std::string& caption, const std::vector<TraductRow>& rows) {
    for (const auto& row : rows) {
        if (row.from.empty()) continue;
        const size_t len = row.from.size();
        const size_t at = find_nocase(caption, row.from);
        if (at != std::string::npos && (row.mode == 1 || caption.size() == len))
            return replaced(caption, at, len, row.to);
        if (row.mode != 0) continue;
        if (size_t p = find_nocase(caption, row.from + " "); p != std::string::npos)
            return replaced(caption, p, len, row.to);
        if (size_t p = find_nocase(caption, " " + row.from); p != std::string::npos)
            return replaced(caption, p + 1, len, row.to);
    }
    return caption;
}

void translate_captions(QWidget& root) {
    if (XTRADUCT().empty()) return;
    for (auto* label : root.findChildren<QLabel*>()) label->setText(translated(label->text()));
    for (auto* button : root.findChildren<QAbstractButton*>())
        button->setText(translated(button->text()));
    for (auto* group : root.findChildren<QGroupBox*>()) group->setTitle(translated(group->title()));
    for (auto* tabs : root.findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i) tabs->setTabText(i, translated(tabs->tabText(i)));
}

}  // namespace qz::gui
