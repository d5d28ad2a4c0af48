#pragma once
// The catalogue: one declaration per table with its fields and orders. The schema of both engines,
// the order keys (computed by the database as indexed generated columns) and the temporary-table
// templates all come from here.
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qz::data {

// C text (fixed width, blank padded), N number (exact decimal), D date, L logical, M memo
// (free-length text), T time text "HH:MM:SS".
enum class FieldKind : char { C = 'C', N = 'N', D = 'D', L = 'L', M = 'M', T = 'T' };

// Width of a C field that keeps a pass code: the longest argon2id hash the hashing library
// writes. Codes are stored hashed (domain/session/pass_code.h), never in the 10 characters
// they are compared on.
inline constexpr int kPassCodeWidth = 127;

struct FieldDef {
    std::string name;  // upper case, at most 10 characters
    FieldKind kind = FieldKind::C;
    int width = 0;     // characters for C/T, total digits for N, 8 for D, 1 for L, 0 for M
    int decimals = 0;  // N only
};

// One part of an order key.
struct KeyPart {
    enum class Kind {
        Field,     // field value, blank padded (or cut) to the field's width
        Upper,     // same, ASCII letters upper-cased
        Date,      // date field as "YYYYMMDD", eight blanks when empty
        Number,    // integer number field right-aligned in `width` characters
        Days2090,  // days from a date field to 01/01/2090, as `width` (14) zero-padded digits
        Expr,      // engine-neutral SQL expression over quoted field names giving `width` chars
    };
    // Expressions run on SQLite and PostgreSQL alike, so they use only CASE, comparisons, TRIM,
    // SUBSTR, || and literals. Stored forms: C and T fields right-trimmed text, N fields exact
    // numbers (scaled integers on SQLite, so compare them with 0 only), D fields "YYYYMMDD" or ""
    // when empty, L fields 0/1. Example: kx("CASE WHEN \"SALDO\" <> 0 THEN '0' ELSE '1' END", 1).
    Kind kind = Kind::Field;
    std::string field;
    int width = 0;
    std::string expr;
};

struct OrderDef {
    std::string tag;
    std::vector<KeyPart> parts;
    bool unique = false;
    int key_width() const;
};

class TableDef {
public:
    TableDef() = default;
    explicit TableDef(std::string name, bool is_template = false)
        : m_name(std::move(name)), m_template(is_template) {}

    // Builders used by the declarations.
    TableDef& C(const std::string& name, int width);
    TableDef& N(const std::string& name, int width, int decimals = 0);
    TableDef& D(const std::string& name);
    TableDef& L(const std::string& name);
    TableDef& M(const std::string& name);
    TableDef& T(const std::string& name);
    TableDef& order(const std::string& tag, std::vector<KeyPart> parts, bool unique = false);

    const std::string& name() const { return m_name; }
    // Templates live in PROFILE: they are never shared tables, only the model of temporary ones.
    bool is_template() const { return m_template; }
    const std::vector<FieldDef>& fields() const { return m_fields; }
    const std::vector<OrderDef>& orders() const { return m_orders; }
    const FieldDef* field(const std::string& name) const;  // case-insensitive; null if absent
    int field_pos(const std::string& name) const;          // 1-based; 0 if absent
    const OrderDef* find_order(const std::string& tag) const;
    TableDef renamed(const std::string& name, bool is_template = false) const;

private:
    std::string m_name;
    bool m_template = false;
    std::vector<FieldDef> m_fields;
    std::vector<OrderDef> m_orders;
};

// Key-part shorthands for the declarations.
KeyPart kf(const std::string& field);                 // field padded to its width
KeyPart kup(const std::string& field);                // upper-cased field
KeyPart kd(const std::string& field);                 // date as YYYYMMDD
KeyPart kn(const std::string& field, int width);      // number right-aligned in width
KeyPart kinv(const std::string& field);               // days to 01/01/2090, 14 digits
KeyPart kx(const std::string& sql_expr, int width);   // computed class characters

class Catalogue {
public:
    // The catalogue of every table the system knows.
    static const Catalogue& instance();

    void add(TableDef def);
    const TableDef* find(const std::string& name) const;  // case-insensitive
    const std::vector<std::string>& names() const { return m_order; }
    size_t size() const { return m_order.size(); }

private:
    std::map<std::string, TableDef> m_tables;  // by upper-case name
    std::vector<std::string> m_order;          // declaration order
};

// Declared in the catalogue/*.cpp files, one per subsystem.
void declare_session_tables(Catalogue& cat);      // businesses, users, rights, settings, logs
void declare_ledger_tables(Catalogue& cat);       // documents, payments, currencies, numbering,
                                                  // accounting entries
void declare_customer_tables(Catalogue& cat);     // customers, branches, classifications, credit
void declare_pos_tables(Catalogue& cat);          // point of sale, articles, inventory, prices
void declare_cash_tables(Catalogue& cat);         // registers, shifts, closings, card terminals
void declare_spa_tables(Catalogue& cat);          // spa agenda, deposits, hotel tables read
void declare_collection_tables(Catalogue& cat);   // stages, reports, mail queue, work templates
void declare_all_tables(Catalogue& cat);

}  // namespace qz::data
