#pragma once
// The list screen of one of the ledger's code tables, wired to the domain's mapper, reader,
// form and deletion of that table.
#include <optional>
#include <string>

#include "core/user_port.h"
#include "data/db.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

// Fields of the set-up forms.
inline std::string field_yes(bool b) { return b ? "1" : "0"; }
inline FormField field_check(int id, const char* label, bool value) {
    return {id, label, FormField::Kind::Check, field_yes(value)};
}
inline FormField field_choice(int id, const char* label, int value, const char* zero,
                              const char* one) {
    return {id, label, FormField::Kind::Choice,  std::to_string(value),
            0,  false, {{"0", zero}, {"1", one}}};
}
inline FormField field_code(int id, const char* label, const std::string& value, int width,
                            bool read_only) {
    return {id, label, FormField::Kind::Text, value, width, read_only};
}
// A list screen over a code table of the business whose rows the domain decodes as `T`.
template <class T>
MasterListScreen* open_list(
    QWidget* owner, data::Db& db, const std::string& business, MasterListSpec s,
    T (*decode)(const data::WDBTable&),
    std::optional<T> (*read)(data::Db&, const std::string&, const std::string&),
    bool (*form)(QWidget*, data::Db&, const std::string&, const std::optional<T>&),
    bool (*remove)(data::Db&, UserPort&, const std::string&, const std::string&)) {
    s.order = s.table;
    s.add = [&db, business, form](QWidget* o) { return form(o, db, business, std::nullopt); };
    s.modify = [&db, business, form, read, decode](QWidget* o, data::WDBTable& t) {
        return form(o, db, business, read(db, business, decode(t).code));
    };
    s.remove = [&db, business, remove, decode](QWidget* o, data::WDBTable& t) {
        QtUserPort port(o);
        return remove(db, port, business, decode(t).code);
    };
    return open_screen<MasterListScreen>(owner, db, business, std::move(s));
}

}  // namespace qz::gui
