#pragma once
// The small add / modify forms of the maintenance screens, built from a list of fields:
// each field is a control whose objectName is its id. OK hands the values to `save`, which
// shows its own refusals; the form closes only once it saved.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/amount.h"
#include "core/user_port.h"

class QWidget;

namespace qz::gui {

struct FormField {
    // Secret: a pass code, typed without being shown.
    enum class Kind { Text, Number, Check, Choice, Memo, Secret };
    int id = 0;
    std::string label;
    Kind kind = Kind::Text;
    std::string value;   // text, number as text, "1"/"0" for a check, the chosen code
    int max_length = 0;  // typed characters; 0 = no limit
    bool read_only = false;
    std::vector<std::pair<std::string, std::string>> choices;  // {code, caption}
    // A number kept in a table field: typed and checked through that field.
    std::optional<AmountField> amount;
};

using FormValues = std::map<int, std::string>;  // by field id

// Runs the form modally; true when `save` accepted the values.
bool run_master_form(QWidget* owner, const std::string& dlg_name, const std::string& caption,
                     std::vector<FormField> fields,
                     const std::function<bool(const FormValues&)>& save);

inline constexpr int kFormOk = 1, kFormCancel = 2;

// Reads each {field, id, out} number of the form's values through its amount field; false at
// the first that is not one, after telling the user why through `port`.
struct FormNumber {
    const AmountField* field;
    int id;
    Decimal* out;
};
bool read_form_numbers(UserPort& port, const FormValues& values,
                       std::initializer_list<FormNumber> numbers);

}  // namespace qz::gui
