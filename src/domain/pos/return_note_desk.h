#pragma once
// FAC_POS2's state and rules: the business's return notes, the note open on screen with its
// lines held in memory until the note is left (through a new note, another note or OK), and the
// price type and currency chosen for it. An applied note is shown but never changed.
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/pos/return_notes.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

class ReturnNoteDesk {
public:
    ReturnNoteDesk(data::Db& db, UserPort& port, std::string business);

    const std::vector<ReturnHeader>& notes() const { return m_notes; }
    const std::vector<CodeName>& price_types() const { return m_price_types; }
    const std::vector<CodeName>& currencies() const { return m_currencies; }
    bool has_note() const { return m_note.has_value(); }
    const ReturnHeader& note() const { return *m_note; }
    // The open note's lines; the last one is always the empty row a new code is typed into.
    const std::vector<ReturnLine>& lines() const { return m_lines; }
    bool read_only() const { return !m_note || m_note->applied; }

    // Leaves the open note (saving it) and opens `number`; false when the open one could not
    // be saved or `number` is gone.
    bool open_note(const std::string& number);
    // Saves the open note, then starts a new one with the next number and the default price
    // type and currency. False (after telling the user) when either cannot be done.
    bool new_note();
    // Saves the open note, then starts a new one returning the article lines of the document
    // `number`, in its currency.
    bool new_note_from_document(const std::string& number);

    // The code typed on line `row`: "" when taken (the line priced from the chosen price type),
    // else the refusal, which leaves the line blank for a code not found.
    std::string set_code(size_t row, const std::string& typed);
    std::string set_quantity(size_t row, const Decimal& quantity);
    void set_price_type(const std::string& code);
    void set_currency(const std::string& code);

    // Writes the open note when it can be changed; true when nothing was left unsaved. A note
    // applied or deleted meanwhile elsewhere is refused and read again as it now stands.
    bool save();
    // Asks, then deletes the open note; true when deleted.
    bool remove();

private:
    bool leave_note();
    bool start_note(const ReturnHeader& header, const std::vector<ReturnLine>& lines);
    void load(const ReturnHeader& header);
    // After a refused write: the note as it is stored now, or none when it is gone.
    void reload();
    void keep_empty_row();
    void refresh_notes();
    std::string refuse(const std::string& why);

    data::Db& m_db;
    UserPort& m_port;
    std::string m_business;
    ReturnDefaults m_defaults;
    std::vector<CodeName> m_price_types, m_currencies;
    std::vector<ReturnHeader> m_notes;
    std::optional<ReturnHeader> m_note;
    std::vector<ReturnLine> m_lines;
};

// The article lines of a document as the lines of a note that returns them; empty when the
// document has none (or does not exist).
std::vector<ReturnLine> document_return_lines(data::Db& db, const std::string& business,
                                              const std::string& number);

}  // namespace qz::domain::pos
