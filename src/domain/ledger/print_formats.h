#pragma once
// Page print formats of documents (FORM_DOC with its element rows FORM_D2 and FORM_D4 and its
// page row FORM_D3): the list's rules — add, re-code, delete — and the format as the designer
// edits it, loaded and saved whole.
//
// A format places elements on a grid of `columns` (ANCHO) by kFormatRows cells per sheet,
// whatever the font of each element, so what the designer shows is where it prints. OFFSET and
// OFFSET_H move everything down and right (in cells) to fit pre-printed paper.
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

inline constexpr int kFormatRows = 66;
// CAMPO of an element that draws a horizontal rule LARGO cells long instead of a text.
inline constexpr const char* kRuleField = "LINEA";
inline constexpr int kFormatColumns = 96;  // ANCHO when none is given

// One element: a printable field (CAMPO, see printable_document.h) or a fixed text (CAMPO
// blank, TEXTO the text). For a field TEXTO is an optional caption printed before it, one blank
// apart; texts are kept without trailing blanks, as the table stores them.
struct FormatElement {
    std::string field, text;
    double row = 0, column = 0;
    int width = 0;        // LARGO in cells; 0 = as long as the value
    std::string picture;  // numbers and dates: how they are written
    int font = 2;         // LETRA: the report font, in the order of services::ReportFont (2 = P)
    int align = 0;        // ALINEA: 0 left, 1 centred, 2 right within `width`
    bool operator==(const FormatElement&) const = default;
};

// FORM_D3: how a document uses the sheet.
struct FormatPage {
    int lines = 20;         // LINEAS: detail lines that fit before the document continues
    int docs_per_page = 1;  // DOCS_PAG
    bool no_vertical = false, no_horizontal = false;  // NO_IMP_V, NO_IMP_H: rules not drawn
    int copies = 1;          // COPIAS_H: copies of the document on one sheet
    double copy_offset = 0;  // OFF_COPY: rows between one copy and the next
    bool operator==(const FormatPage&) const = default;
};

struct PrintFormat {
    std::string code, name;
    double offset = 0, offset_h = 0;            // OFFSET (rows), OFFSET_H (columns)
    double columns = kFormatColumns;            // ANCHO
    int nt = 0, letters_br = 0, last_line = 0;  // NT, LETRAS_BR, U_LINEA, kept as found
    FormatPage page;
    std::vector<FormatElement> header;  // FORM_D2
    std::vector<FormatElement> lines;   // FORM_D4: one column of the lines block each
    bool operator==(const PrintFormat&) const = default;
};

struct FormatEntry {
    std::string code, name;
};

std::vector<FormatEntry> list_formats(data::Db& db, const std::string& business);
std::optional<PrintFormat> load_format(data::Db& db, const std::string& business,
                                       const std::string& code);

// What would stop a format from printing well, in the words the designer shows; "" when none.
std::string check_format(const PrintFormat& f);

// A new format with its page row and no elements. Refusals are shown through `port`.
bool add_format(data::Db& db, UserPort& port, const std::string& business, const std::string& code,
                const std::string& name);
// Changes code and name; a new code is written into the format's element and page rows and
// into the concepts' print bindings that use it, all in one transaction.
bool rename_format(data::Db& db, UserPort& port, const std::string& business,
                   const std::string& old_code, const std::string& new_code,
                   const std::string& name);
// After the question, removes the format with its element and page rows; refused while a
// concept prints with it.
bool delete_format(data::Db& db, UserPort& port, const std::string& business,
                   const std::string& code);
// Writes the whole format (parameters, page row and every element) in one transaction.
bool save_format(data::Db& db, UserPort& port, const std::string& business, const PrintFormat& f);

// Appends a format that does not exist yet, whole; the caller checked it and holds the
// transaction (the shipped formats are written this way).
void insert_format(data::Db& db, const std::string& business, const PrintFormat& f);

inline constexpr const char* kFormatDuplicate = "Código de FORMATO Ya definido...";
inline constexpr const char* kFormatDeleteAsk = "Desea borrar el formato?";
inline constexpr const char* kFormatRecoding = "Recodificando...";

}  // namespace qz::domain
