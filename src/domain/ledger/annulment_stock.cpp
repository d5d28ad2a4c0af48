// The lines of an annulled document copied to its mirror, and what they did to the stock undone:
// a stocked article (DEF_ART TIPO 1) goes back into its warehouse, or out of it when the
// annulled document was an entry, by the direction of the mirror's concept (TIPO2). A
// composite line moved its components (DET_DOC5), so they are moved back instead. The
// document's inventory movement gets its mirror, one line per article line.
#include <optional>
#include <vector>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/value.h"
#include "domain/ledger/annulment_steps.h"
#include "domain/session/master_rows.h"

namespace qz::domain::annulment {

namespace {

// A row's fields in table order, and the line it belongs to (N_INDEX).
struct Row {
    std::vector<data::Value> fields;
    long line = 0;
};

struct Article {
    bool stocked = false;  // DEF_ART TIPO 1
    Decimal average_cost;  // COSTO_PROM
};

std::optional<Article> read_article(data::Db& db, const std::string& business,
                                    const std::string& code) {
    std::optional<Article> a;
    data::Table t = data::USE(db, "DEF_ART", "DEF_ART");
    if (t->Seek(data::order_key("DEF_ART", "DEF_ART", {business, code})))
        a = Article{t->num("TIPO") == 1, t->num("COSTO_PROM")};
    data::KILLTABLA(db, t);
    return a;
}

// Every row of `table` (ordered by business + document) under the document.
std::vector<Row> document_rows(data::Db& db, const std::string& table, const std::string& business,
                               const std::string& document) {
    std::vector<Row> rows;
    data::Table t = data::USE(db, table, table);
    const std::string key = data::order_key(table, table, {business, document});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        Row r;
        for (int i = 1; i <= t->FCount(); ++i) r.fields.push_back(t->FieldGet(i));
        r.line = t->num("N_INDEX").to_int();
        rows.push_back(std::move(r));
    }
    data::KILLTABLA(db, t);
    return rows;
}

// Moves the stock of an article in a warehouse by `quantity`; the stock it had, or nothing when
// the warehouse keeps no row for it (the sale could not move it either).
std::optional<Decimal> move_stock(data::Db& db, const std::string& business,
                                  const std::string& article, const std::string& warehouse,
                                  const Decimal& quantity) {
    std::optional<Decimal> before;
    data::Table t = data::USE(db, "ARTICULO", "ARTIC1");
    if (lock_at_key(*t, data::order_key("ARTICULO", "ARTIC1", {business, article, warehouse}))) {
        before = t->num("CANTIDAD");
        t->FieldPut("CANTIDAD", *before + quantity);
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    return before;
}

// The mirror of the document's inventory movement, numbered as the document's own mirror names it.
std::string movement_mirror(const Doc& d) {
    return mirror_number(d.mov_inv, data::field_width("ENC_INV", "MOVIMIENTO"));
}

class LineCopier {
public:
    LineCopier(data::Db& db, const Stamp& s, const Doc& d, const DocumentConcept& direction,
               std::string mirror)
        : m_db(db),
          m_s(s),
          m_d(d),
          m_mirror(std::move(mirror)),
          m_direction(direction.stock_entry == 1 ? 1 : -1),
          m_lines(data::USE(db, "DET_DOC", "DET_DOC")),
          m_components(data::USE(db, "DET_DOC5", "DET_DOC5")) {}
    // Hands the tables to the transaction; a failure leaves them to their handles instead.
    void close() {
        data::KILLTABLA(m_db, m_lines);
        data::KILLTABLA(m_db, m_components);
    }

    // Copies one line with its components and moves their stock back, and gives the
    // inventory movement (when there is one) its line.
    void copy(const Row& line, const std::vector<Row>& components, data::WDBTable* movement) {
        data::WDBTable& t = *m_lines;
        data::ADD_NEW_REC(t);
        put_fields(t, line);
        const std::string code = trim(t.str("CODIGO"));
        const std::string warehouse = line_warehouse(t.str("BODEGA"));
        const Decimal quantity = t.num("CANTIDAD");
        const auto article = read_article(m_db, m_s.business, code);
        const Decimal cost = article ? article->average_cost : t.num("COSTO");
        put_mirror_fields(t);
        t.FieldPut("COSTO", cost);
        data::UNLOCK_NEW_REC(t);
        std::optional<Decimal> before;
        if (components.empty() && article && article->stocked)
            before = move_stock(m_db, m_s.business, code, warehouse, quantity * m_direction);
        for (const Row& c : components) copy_component(c);
        if (movement) add_movement_line(*movement, code, warehouse, quantity, cost, before);
    }

private:
    static void put_fields(data::WDBTable& t, const Row& r) {
        for (size_t i = 0; i < r.fields.size(); ++i)
            t.FieldPut(static_cast<int>(i) + 1, r.fields[i]);
    }
    std::string line_warehouse(const std::string& own) const {
        return trim(own).empty() ? m_d.warehouse : trim(own);
    }
    void put_mirror_fields(data::WDBTable& t) const {
        t.FieldPut("DOCUMENTO", m_mirror);
        t.FieldPut("FECHA", m_s.date);
        t.FieldPut("HORA", m_s.at.time);
    }
    void copy_component(const Row& component) {
        data::WDBTable& t = *m_components;
        data::ADD_NEW_REC(t);
        put_fields(t, component);
        t.FieldPut("DOCUMENTO", m_mirror);
        const std::string code = trim(t.str("CODIGO"));
        const std::string warehouse = line_warehouse(t.str("BODEGA"));
        const Decimal quantity = t.num("CANTIDAD");
        data::UNLOCK_NEW_REC(t);
        const auto article = read_article(m_db, m_s.business, code);
        if (article && article->stocked)
            move_stock(m_db, m_s.business, code, warehouse, quantity * m_direction);
    }
    void add_movement_line(data::WDBTable& t, const std::string& code, const std::string& warehouse,
                           const Decimal& quantity, const Decimal& cost,
                           const std::optional<Decimal>& before) {
        data::ADD_NEW_REC(t);
        t.FieldPut("NEGOCIO", m_s.business);
        t.FieldPut("MOVIMIENTO", movement_mirror(m_d));
        t.FieldPut("N_INDEX", Decimal(1));
        t.FieldPut("CODIGO", code);
        t.FieldPut("BODEGA", warehouse);
        t.FieldPut("CANTIDAD", quantity);
        t.FieldPut("INV_TOT", before.value_or(Decimal(0)));
        for (const char* f : {"FOB", "CIF", "COSTO", "COSTO_PROM"}) t.FieldPut(f, cost);
        t.FieldPut("FECHA", m_s.date);
        t.FieldPut("HORA", m_s.at.time);
        t.FieldPut("F_LIMITE", Date(2090, 1, 1));
        t.FieldPut("H_LIMITE", std::string("24:60:60"));
        data::UNLOCK_NEW_REC(t);
    }

    data::Db& m_db;
    const Stamp& m_s;
    const Doc& m_d;
    std::string m_mirror;
    int m_direction;
    data::Table m_lines, m_components;
};

// The header of the mirror movement: the opposite concept's inventory concept (the source's
// when it has none), the source's warehouse, "(A) " + the customer's name.
void add_movement_header(data::Db& db, const Stamp& s, const Doc& d,
                         const DocumentConcept& opposite, const std::string& mirror) {
    data::Table src = data::USE(db, "ENC_INV", "ENC_INV");
    std::string concept_code = opposite.stock_concept, warehouse = d.warehouse;
    // Movement numbers repeat across inventory concepts: the source is the one of this document.
    const std::string key = data::order_key("ENC_INV", "ENC_INV", {s.business, d.mov_inv});
    src->SetScope(key, key);
    for (src->GoTop(); !src->Eof(); src->Skip()) {
        if (trim(src->str("DOCUMENTO")) != d.number) continue;
        if (concept_code.empty()) concept_code = trim(src->str("CONCEPTO"));
        if (!trim(src->str("BODEGA")).empty()) warehouse = trim(src->str("BODEGA"));
        break;
    }
    data::KILLTABLA(db, src);
    data::Table t = data::USE(db, "ENC_INV", "ENC_INV");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", s.business);
    t->FieldPut("MOVIMIENTO", movement_mirror(d));
    t->FieldPut("CONCEPTO", concept_code);
    t->FieldPut("BODEGA", warehouse);
    t->FieldPut("NOMBRE", "(A) " + d.name);
    t->FieldPut("DOCUMENTO", mirror);
    t->FieldPut("FECHA", s.date);
    t->FieldPut("HORA", s.at.time);
    t->FieldPut("F_LIMITE", Date(2090, 1, 1));
    t->FieldPut("H_LIMITE", std::string("24:60:60"));
    t->FieldPut("USUARIO", s.user);
    t->FieldPut("INFO_USER", s.info);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
}

// Copies the document's lines with their components to `target`, moving their stock by
// `direction`, and gives the inventory movement (when there is one) a line per article line.
void copy_lines(data::Db& db, const Stamp& s, const Doc& d, const DocumentConcept& direction,
                const std::string& target, data::WDBTable* movement) {
    const std::vector<Row> lines = document_rows(db, "DET_DOC", s.business, d.number);
    const std::vector<Row> components = document_rows(db, "DET_DOC5", s.business, d.number);
    LineCopier copier(db, s, d, direction, target);
    for (const Row& line : lines) {
        std::vector<Row> own;
        for (const Row& c : components)
            if (c.line == line.line) own.push_back(c);
        copier.copy(line, own, movement);
    }
    copier.close();
}

// The rows of a line table that only describe the lines, copied as they are to `target`.
void copy_plain_rows(data::Db& db, const std::string& table, const std::string& business,
                     const std::string& source, const std::string& target) {
    const std::vector<Row> rows = document_rows(db, table, business, source);
    if (rows.empty()) return;
    data::Table t = data::USE(db, table, table);
    for (const Row& r : rows) {
        data::ADD_NEW_REC(*t);
        for (size_t i = 0; i < r.fields.size(); ++i)
            t->FieldPut(static_cast<int>(i) + 1, r.fields[i]);
        t->FieldPut("DOCUMENTO", target);
        data::UNLOCK_NEW_REC(*t);
    }
    data::KILLTABLA(db, t);
}

}  // namespace

void reverse_lines_and_stock(data::Db& db, const Stamp& s, const Doc& d,
                             const DocumentConcept& opposite, const std::string& mirror) {
    data::Table movement;
    if (!d.mov_inv.empty()) {
        add_movement_header(db, s, d, opposite, mirror);
        movement = data::USE(db, "DET_INV", "DET_INV");
    }
    copy_lines(db, s, d, opposite, mirror, movement.get());
    if (movement) data::KILLTABLA(db, movement);
}

void copy_lines_and_stock(data::Db& db, const Stamp& s, const Doc& d,
                          const DocumentConcept& direction, const std::string& target) {
    copy_lines(db, s, d, direction, target, nullptr);
    for (const char* table : {"DET_DOC2", "DET_DOC4"})
        copy_plain_rows(db, table, s.business, d.number, target);
}

}  // namespace qz::domain::annulment
