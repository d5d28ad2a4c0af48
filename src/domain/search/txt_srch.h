#pragma once
// TXT_SRCH: the word index behind free-text search. Every word of more than two characters of a
// document's texts is one row of table TXT_SRCH (business, table, document, word); a search
// returns the documents that hold every word asked for. Rows are never deleted: a freed row gets
// "X" repeated in NEGOCIO and is taken again by the next word added, so the table stops growing
// once it has reached the size of the texts it indexes.
#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

// The words of a text as the index keeps them: upper-cased (Latin letters with their accents
// too), split at blanks, longer than two characters, cut to the width of T_ITEM, each once.
std::vector<std::string> index_words(const std::string& text);
// Upper case of a UTF-8 text: ASCII and the Latin-1 letters (á → Á, ñ → Ñ).
std::string upper_latin(const std::string& text);

struct TextHit {
    std::string table;
    std::string document;
    bool operator==(const TextHit&) const = default;
};

class TXT_SRCH {
public:
    // INIT: the index of business `negocio`; a search returns at most `max_items` documents.
    TXT_SRCH(data::Db& db, std::string negocio, std::size_t max_items = 20000);
    ~TXT_SRCH();
    TXT_SRCH(const TXT_SRCH&) = delete;
    TXT_SRCH& operator=(const TXT_SRCH&) = delete;

    void SET_NEGOCIO(const std::string& negocio) { Negocio = negocio; }
    // Indexes (or frees) the words of `text` for one document of `table`; each call is one
    // transaction.
    void ADD_TEXTO(const std::string& document, long id, const std::string& text,
                   const std::string& table = "");
    void DEL_TEXTO(const std::string& document, long id, const std::string& text,
                   const std::string& table = "");
    // The same for a business other than the current one (the full-text hook knows the
    // business of each record).
    void add_texts(const std::string& negocio, const std::string& table,
                   const std::string& document, long id, const std::vector<std::string>& texts);
    void del_texts(const std::string& negocio, const std::string& table,
                   const std::string& document, const std::vector<std::string>& texts);
    // Documents of the given tables indexed under every word (blank words are ignored).
    std::vector<TextHit> SEARCH(const std::vector<std::string>& words,
                                const std::vector<std::string>& tables);
    // Closes the table; the next call opens it again.
    void AXIT();

    std::string Negocio;
    std::size_t Max_Items;

private:
    data::WDBTable& table();
    std::string word_key(const std::string& negocio, const std::string& tabla,
                         const std::string& document, const std::string& word) const;
    void add_word(const std::string& negocio, const std::string& tabla,
                  const std::string& document, long id, const std::string& word);
    bool take_freed_row();
    bool indexed(const std::string& key);

    data::Db& m_db;
    data::Table m_table;
};

// The table layer's full-text hook over the word index: texts of a record leave the index when
// it is locked for a change and come back when it is released.
class TxtSrchHook : public data::FullTextHook {
public:
    explicit TxtSrchHook(data::Db& db) : m_db(db), m_index(db, "") {}
    ~TxtSrchHook() override;
    void update(int mode, const std::string& negocio, const std::string& document,
                const std::vector<std::string>& texts) override;
    void update(int mode, const std::string& table, const std::string& negocio,
                const std::string& document, const std::vector<std::string>& texts) override;
    TXT_SRCH& index() { return m_index; }

private:
    data::Db& m_db;
    TXT_SRCH m_index;
};

// Reads the tables taking part in full-text search from F_TXT_S into XTXT_SRCH_FILES and, when
// there are any, installs the hook on the session's database. The hook must outlive the handles
// the session opens afterwards; null when there is nothing to index.
std::unique_ptr<TxtSrchHook> install_full_text(data::Db& db);

}  // namespace qz::domain
