#include "domain/search/txt_srch.h"

#include <set>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"

namespace qz::domain {

namespace {

constexpr std::size_t kNegocio = 15, kTabla = 10, kDocumento = 15, kWord = 40;
const std::string kFreed(kNegocio, 'X');

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string upper_latin(const std::string& text) {
    std::string out = upper_ascii(text);
    // Latin-1 small letters U+00E0..U+00FE (except ÷ U+00F7) are two bytes C3 A0..C3 BE; their
    // capitals sit 0x20 lower.
    for (std::size_t i = 0; i + 1 < out.size(); ++i) {
        auto lead = static_cast<unsigned char>(out[i]);
        auto next = static_cast<unsigned char>(out[i + 1]);
        if (lead == 0xC3 && next >= 0xA0 && next <= 0xBE && next != 0xB7) {
            out[i + 1] = static_cast<char>(next - 0x20);
            ++i;
        }
    }
    return out;
}

std::vector<std::string> index_words(const std::string& text) {
    std::vector<std::string> words;
    std::set<std::string> seen;
    const std::string upper = upper_latin(text);
    std::size_t i = 0;
    while (i < upper.size()) {
        while (i < upper.size() && is_blank(upper[i])) ++i;
        std::size_t end = i;
        while (end < upper.size() && !is_blank(upper[end])) ++end;
        std::string word = upper.substr(i, end - i);
        i = end;
        if (utf8_length(word) <= 2) continue;
        word = utf8_substr(word, 0, kWord);
        if (seen.insert(word).second) words.push_back(word);
    }
    return words;
}

TXT_SRCH::TXT_SRCH(data::Db& db, std::string negocio, std::size_t max_items)
    : Negocio(std::move(negocio)), Max_Items(max_items), m_db(db) {}

TXT_SRCH::~TXT_SRCH() { AXIT(); }

void TXT_SRCH::AXIT() {
    if (m_table) data::KILLTABLA(m_db, m_table, true);
}

data::WDBTable& TXT_SRCH::table() {
    if (!m_table) m_table = data::USE(m_db, "TXT_SRCH", "TXT_SRCH4");
    return *m_table;
}

std::string TXT_SRCH::word_key(const std::string& negocio, const std::string& tabla,
                               const std::string& document, const std::string& word) const {
    return data::order_key("TXT_SRCH", "TXT_SRCH4", {negocio, upper_ascii(tabla), document, word});
}

bool TXT_SRCH::indexed(const std::string& key) {
    auto& t = table();
    t.SetOrder("TXT_SRCH4");
    return t.Seek(key);
}

// Locks the first freed row nobody else is taking; false when there is none.
bool TXT_SRCH::take_freed_row() {
    auto& t = table();
    t.SetOrder("TXT_SRCH4");
    for (t.Seek(kFreed, true); !t.Eof() && starts_with(t.CurrentKey(), kFreed); t.Skip()) {
        if (!t.RLock()) continue;  // another workstation is reusing it
        t.Skip(0);                 // re-read: it may have been taken before our lock
        if (t.str("NEGOCIO") == kFreed) return true;
        t.UnlockRecord(t.RecNo());
    }
    return false;
}

void TXT_SRCH::add_word(const std::string& negocio, const std::string& tabla,
                        const std::string& document, long id, const std::string& word) {
    if (indexed(word_key(negocio, tabla, document, word))) return;
    auto& t = table();
    if (!take_freed_row()) data::ADD_NEW_REC(t);
    t.FieldPut("NEGOCIO", negocio);
    t.FieldPut("DOCUMENTO", utf8_substr(document, 0, kDocumento));
    t.FieldPut("ID", Decimal(id));
    t.FieldPut("T_ITEM", word);
    t.FieldPut("TABLA", utf8_substr(upper_ascii(tabla), 0, kTabla));
    data::UNLOCK_WITHOUT_LOG(t);
}

void TXT_SRCH::add_texts(const std::string& negocio, const std::string& tabla,
                         const std::string& document, long id,
                         const std::vector<std::string>& texts) {
    data::Transaction tx(m_db);
    for (const auto& text : texts)
        for (const auto& word : index_words(text)) add_word(negocio, tabla, document, id, word);
    tx.commit();
}

void TXT_SRCH::del_texts(const std::string& negocio, const std::string& tabla,
                         const std::string& document, const std::vector<std::string>& texts) {
    data::Transaction tx(m_db);
    auto& t = table();
    for (const auto& text : texts)
        for (const auto& word : index_words(text)) {
            if (!indexed(word_key(negocio, tabla, document, word))) continue;
            data::LOCK_WITHOUT_LOG(t);
            t.FieldPut("NEGOCIO", kFreed);
            data::UNLOCK_WITHOUT_LOG(t);
        }
    tx.commit();
}

void TXT_SRCH::ADD_TEXTO(const std::string& document, long id, const std::string& text,
                         const std::string& tabla) {
    add_texts(Negocio, tabla, document, id, {text});
}

void TXT_SRCH::DEL_TEXTO(const std::string& document, long, const std::string& text,
                         const std::string& tabla) {
    del_texts(Negocio, tabla, document, {text});
}

std::vector<TextHit> TXT_SRCH::SEARCH(const std::vector<std::string>& words,
                                      const std::vector<std::string>& tables) {
    std::vector<std::string> wanted;
    for (const auto& w : words)
        if (!trim(w).empty()) wanted.push_back(utf8_substr(upper_latin(trim(w)), 0, kWord));
    std::vector<TextHit> hits;
    if (wanted.empty()) return hits;
    auto& t = table();
    std::size_t collected = 0;
    for (const auto& tabla : tables) {
        // Documents under the first word, along TXT_SRCH5 (business + table + word).
        const std::string first =
            data::order_key("TXT_SRCH", "TXT_SRCH5", {Negocio, upper_ascii(tabla), wanted.front()});
        std::vector<std::string> documents;
        t.SetOrder("TXT_SRCH5");
        t.SetScope(first, first);
        for (t.GoTop(); !t.Eof() && collected < Max_Items; t.Skip(), ++collected)
            documents.push_back(t.str("DOCUMENTO"));
        t.ClearScope();
        std::set<std::string> seen;  // two workstations may have indexed the same word at once
        for (const auto& doc : documents) {
            if (!seen.insert(doc).second) continue;
            bool all = true;
            for (std::size_t i = 1; i < wanted.size() && all; ++i)
                all = indexed(word_key(Negocio, tabla, doc, wanted[i]));
            if (all) hits.push_back({trim(tabla), trim(doc)});
        }
    }
    return hits;
}

TxtSrchHook::~TxtSrchHook() {
    if (m_db.full_text == this) m_db.full_text = nullptr;
}

void TxtSrchHook::update(int mode, const std::string& negocio, const std::string& document,
                         const std::vector<std::string>& texts) {
    update(mode, "", negocio, document, texts);
}

void TxtSrchHook::update(int mode, const std::string& table, const std::string& negocio,
                         const std::string& document, const std::vector<std::string>& texts) {
    if (mode == 1) m_index.del_texts(negocio, table, document, texts);
    if (mode == 2) m_index.add_texts(negocio, table, document, 0, texts);
}

std::unique_ptr<TxtSrchHook> install_full_text(data::Db& db) {
    if (!data::IS_FILE(db, "F_TXT_S")) return nullptr;
    std::vector<std::pair<std::string, std::string>> files;
    {
        data::Table list = data::USE(db, "F_TXT_S", "T_TXT_S");
        for (list->GoTop(); !list->Eof(); list->Skip())
            files.emplace_back(trim(list->str("TABLA")), trim(list->str("DOCUMENTO")));
        data::KILLTABLA(db, list, true);
    }
    if (files.empty()) return nullptr;
    db.XTXT_SRCH_FILES = std::move(files);
    auto hook = std::make_unique<TxtSrchHook>(db);
    db.full_text = hook.get();
    return hook;
}

}  // namespace qz::domain
