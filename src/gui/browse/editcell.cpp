#include "gui/browse/editcell.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/table_ops.h"
#include "gui/browse/add2browse.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

namespace {
bool starts_edit(int key, const QString& text) {
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter || key == 1)
        return true;
    const int code = text.isEmpty() ? key : text.at(0).toUpper().unicode();
    return code >= 48 && code <= 111;
}

// Keys of the cell editor: Enter confirms. In numbers "+" re-formats, "-" and "'" are ignored,
// "." only where the picture has decimals, and digits typed at the end go in before the point.
class EditKeys : public QObject {
public:
    EditKeys(DIALOG_BOX& dlg, LR_MASKED& edit, bool decimals)
        : QObject(&edit), m_dlg(dlg), m_edit(edit), m_dec(decimals) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            m_dlg.on_command(kCmdOk);
            return true;
        }
        if (m_edit.GetType() != 'N') return false;
        const QString t = k->text();
        if (t == "+" || k->key() == 161) {
            m_edit.commit();
            return true;
        }
        if (t == "-" || t == "'") return true;
        if (t == "." && !m_dec) return true;
        const int point = m_edit.text().indexOf('.');
        if (t.size() == 1 && t[0].isDigit() && point >= 0 && !m_edit.hasSelectedText() &&
            m_edit.cursorPosition() == m_edit.text().size()) {
            m_edit.setCursorPosition(point);
        }
        return false;
    }

private:
    DIALOG_BOX& m_dlg;
    LR_MASKED& m_edit;
    bool m_dec;
};
}  // namespace

bool Editcell::Editar(data::WDBTable& table, WBROWSE& grid, int key, const QString& text,
                      bool clear) {
    if (!starts_edit(key, text) || table.Eof() || !grid.currentIndex().isValid()) return false;
    const WBCOLUMN& col = grid.GETCOLUMN(grid.Col_Pos());
    const std::string field = field_of_expression(col.wbCargo);
    if (field.empty() || !table.FieldPos(field)) return false;
    data::Value current = table.FieldGet(field);
    LR_MASKED::Value value;
    std::string picture = col.wbPicture;
    if (auto* s = std::get_if<std::string>(&current)) value = clear ? std::string() : *s;
    else if (auto* n = std::get_if<Decimal>(&current)) value = *n;
    else if (auto* d = std::get_if<Date>(&current)) value = *d, picture = "99/99/99";
    else return false;
    if (std::holds_alternative<Decimal>(value) && !picture.empty() &&
        picture.find_first_not_of("9,.") == std::string::npos)
        picture = "@K " + picture;

    DIALOG_BOX dlg("EDICION", &grid);
    dlg.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    auto* layout = new QVBoxLayout(&dlg);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* edit = dlg.Add(new LR_MASKED(&dlg, 500, value, picture), 500);
    edit->setFont(grid.font());
    layout->addWidget(edit);
    const QRect cell = grid.visualRect(grid.currentIndex());
    dlg.setGeometry(QRect(grid.viewport()->mapToGlobal(cell.topLeft()), cell.size()));
    edit->installEventFilter(new EditKeys(dlg, *edit, picture.find('.') != std::string::npos));
    bool accepted = false;
    dlg.set_procedure([&](DIALOG_BOX& d, int message, int id) {
        if (message == DIALOG_BOX::kInitDialog) {
            edit->setFocus();
            if (!text.isEmpty() && key != Qt::Key_Space && key != Qt::Key_Return &&
                key != Qt::Key_Enter) {
                if (edit->GetType() == 'D') edit->clear();
                else edit->selectAll();
                edit->insert(text);
            }
            return true;
        }
        if (message == DIALOG_BOX::kCommand && id == kCmdOk) {
            if (!edit->commit()) return true;
            if (edit->GetType() == 'D' && !edit->date().empty() && edit->date().year() < 1900) {
                MESSAGE_BOX(&d, "Fecha inválida", "Atención", kMbOk | kMbIconExclamation);
                return true;
            }
            accepted = true;
            d.EndDialog(kCmdOk);
            return true;
        }
        return false;
    });
    dlg.run();
    if (!accepted) return false;
    data::LOCK_FOR_MODIFY(table);
    std::visit([&](const auto& v) { table.FieldPut(field, data::Value(v)); }, edit->value());
    data::UNLOCK_FOR_MODIFY(table);
    grid.REFRESHALL();
    grid.setFocus();
    return true;
}

}  // namespace qz::gui
