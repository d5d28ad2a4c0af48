#include "domain/pos/inventory_issue.h"

#include <map>
#include <stdexcept>

#include "core/picture.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/serials.h"
#include "domain/pos/articles.h"
#include "domain/pos/inventory_codes.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

const Date kLimitDate(2090, 1, 1);
constexpr const char* kLimitTime = "24:60:60";

void require_transaction(data::Db& db, const char* what) {
    if (db.tx_depth <= 0)
        throw std::logic_error(std::string(what) + " needs the caller's transaction");
}

// One article of the movement, however many lines it has.
struct Plan {
    Article article;
    std::optional<ArticleStock> stock;  // its warehouse row as locked
    long recno = 0;
    Decimal total;           // units over all its lines
    Decimal running;         // stock as the lines are written
    Decimal entry_value;     // cost of the units that came in
    Decimal held_elsewhere;  // stock in every warehouse before an entry, for the average cost
};

// The average cost after `quantity` units worth `value` join `before` units at `average`.
// Units owed (a stock below zero) have no cost of their own to average with.
Decimal weighted_average(const Decimal& before, const Decimal& average, const Decimal& quantity,
                         const Decimal& value) {
    const Decimal base = before > Decimal(0) ? before : Decimal(0);
    return ((base * average + value) / (base + quantity)).round(4);
}

Decimal stock_in_every_warehouse(data::Db& db, const std::string& business,
                                 const std::string& article) {
    data::UseOptions o;
    o.order = "ARTIC1";
    o.read_only = true;
    data::Table t = data::USE(db, "ARTICULO", o);
    const std::string key = data::order_key("ARTICULO", "ARTIC1", {business, article});
    t->SetScope(key, key);
    Decimal total;
    for (t->GoTop(); !t->Eof(); t->Skip()) total += t->num("CANTIDAD");
    data::KILLTABLA(db, t);
    return total;
}

class MovementWriter {
public:
    MovementWriter(data::Db& db, const InventoryMovement& m, bool out)
        : m_db(db), m_m(m), m_out(out), m_stock(data::USE(db, "ARTICULO", "ARTIC1")) {}
    ~MovementWriter() { data::KILLTABLA(m_db, m_stock); }
    MovementWriter(const MovementWriter&) = delete;
    MovementWriter& operator=(const MovementWriter&) = delete;

    // Reads every article and locks its stock row, in code order so that two movements never
    // wait for each other; "" when the movement may go, else why not (and `article`).
    std::string plan(std::string& article) {
        for (const InventoryLine& l : m_m.lines) {
            article = normal_code(l.article);
            if (l.quantity.is_zero()) return "No se permiten Cantidades en Cero";
            if (l.quantity < Decimal(0)) return "La cantidad debe ser mayor que cero...";
            auto it = m_plans.find(article);
            if (it == m_plans.end()) {
                auto a = read_article(m_db, m_m.business, article);
                if (!a) return kUnknownArticle;
                it = m_plans.emplace(article, Plan{*a}).first;
            }
            it->second.total += l.quantity;
        }
        for (auto& [code, p] : m_plans) {
            article = code;
            if (auto problem = lock_and_judge(p); !problem.empty()) return problem;
        }
        return "";
    }

    void write(const std::string& number, MovementResult& r) {
        write_header(number);
        data::Table lines = data::USE(m_db, "DET_INV", "DET_INV");
        for (const InventoryLine& l : m_m.lines) {
            Plan& p = m_plans.at(normal_code(l.article));
            r.stock_before.push_back(p.running);
            const Decimal cost = l.cost.is_zero() ? p.article.average_cost : l.cost;
            write_line(*lines, number, p, l.quantity, cost);
            p.running += m_out ? Decimal(0) - l.quantity : l.quantity;
            p.entry_value += l.quantity * cost;
        }
        data::KILLTABLA(m_db, lines);
        for (auto& [code, p] : m_plans)
            if (p.article.stocked) move_stock(p, r);
    }

private:
    // Only stocked articles have stock to lock, judge and move.
    std::string lock_and_judge(Plan& p) {
        if (!p.article.stocked) return "";
        const std::string code = p.article.code;
        if (lock_at_key(*m_stock, stock_key(m_m.business, code, m_m.warehouse))) {
            p.stock = stock_from_row(*m_stock);
            p.recno = m_stock->RecNo();
            p.running = p.stock->quantity;
            data::UNLOCK_FOR_MODIFY(*m_stock);  // kept by the transaction until it ends
        }
        if (!m_out) {
            p.held_elsewhere = stock_in_every_warehouse(m_db, m_m.business, code);
            return "";
        }
        if (p.stock && !p.stock->active) return inactive_in_warehouse(code);
        if (!m_m.check_stock ||
            !stock_checked(p.article,
                           read_subline(m_db, m_m.business, p.article.line, p.article.subline)))
            return "";
        if (!p.stock) return kNoStockRow;
        if (p.stock->quantity - p.total < Decimal(0)) return short_stock_message(p.stock->quantity);
        return "";
    }

    void write_header(const std::string& number) {
        data::Table t = data::USE(m_db, "ENC_INV", "ENC_INV");
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", m_m.business);
        t->FieldPut("MOVIMIENTO", number);
        t->FieldPut("CONCEPTO", normal_code(m_m.concept_code));
        t->FieldPut("BODEGA", normal_code(m_m.warehouse));
        t->FieldPut("NOMBRE", trim(m_m.name));
        t->FieldPut("PROVEEDOR", trim(m_m.supplier));
        t->FieldPut("DOCUMENTO", trim(m_m.document));
        t->FieldPut("FECHA", m_m.date);
        t->FieldPut("HORA", m_m.time);
        t->FieldPut("F_LIMITE", kLimitDate);
        t->FieldPut("H_LIMITE", std::string(kLimitTime));
        t->FieldPut("USUARIO", m_m.user);
        t->FieldPut("INFO_USER", m_m.info);
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(m_db, t);
    }

    void write_line(data::WDBTable& t, const std::string& number, const Plan& p,
                    const Decimal& quantity, const Decimal& cost) {
        data::ADD_NEW_REC(t);
        t.FieldPut("NEGOCIO", m_m.business);
        t.FieldPut("MOVIMIENTO", number);
        t.FieldPut("N_INDEX", Decimal(1));
        t.FieldPut("CODIGO", p.article.code);
        t.FieldPut("BODEGA", normal_code(m_m.warehouse));
        t.FieldPut("CANTIDAD", quantity);
        t.FieldPut("INV_TOT", p.running);
        for (const char* f : {"FOB", "CIF", "COSTO", "COSTO_PROM"}) t.FieldPut(f, cost);
        t.FieldPut("FECHA", m_m.date);
        t.FieldPut("HORA", m_m.time);
        t.FieldPut("F_LIMITE", kLimitDate);
        t.FieldPut("H_LIMITE", std::string(kLimitTime));
        data::UNLOCK_NEW_REC(t);
    }

    void move_stock(Plan& p, MovementResult& r) {
        const std::string code = p.article.code;
        if (p.stock) {
            m_stock->GoTo(p.recno);
            data::LOCK_FOR_MODIFY(*m_stock);
            m_stock->FieldPut("CANTIDAD", p.running);
            if (!m_out)
                m_stock->FieldPut("COSTO_PROM",
                                  weighted_average(p.stock->quantity, p.stock->average_cost,
                                                   p.total, p.entry_value));
            data::UNLOCK_FOR_MODIFY(*m_stock);
        } else if (!m_out) {
            // Units received open the article in the warehouse.
            data::ADD_NEW_REC(*m_stock);
            put_stock_row(*m_stock, m_m.business,
                          ArticleStock{code, normal_code(m_m.warehouse), p.running, Decimal(0),
                                       (p.entry_value / p.total).round(4), true});
            data::UNLOCK_NEW_REC(*m_stock);
        } else {
            r.warnings.push_back("El artículo " + code + " no tiene bodega definida. Bodega: " +
                                 normal_code(m_m.warehouse));
        }
        if (!m_out) update_article_cost(p);
    }

    void update_article_cost(const Plan& p) {
        data::Table t = data::USE(m_db, "DEF_ART", "DEF_ART");
        if (lock_at_key(*t, article_key(m_m.business, p.article.code))) {
            t->FieldPut("COSTO_PROM", weighted_average(p.held_elsewhere, t->num("COSTO_PROM"),
                                                       p.total, p.entry_value));
            data::UNLOCK_FOR_MODIFY(*t);
        }
        data::KILLTABLA(m_db, t);
    }

    data::Db& m_db;
    const InventoryMovement& m_m;
    bool m_out;
    data::Table m_stock;
    std::map<std::string, Plan> m_plans;
};

bool goes_out(const InventoryMovement& m, const InventoryConcept& c) {
    switch (m.direction) {
        case StockDirection::Out:
            return true;
        case StockDirection::In:
            return false;
        case StockDirection::ByConcept:
            break;
    }
    return !c.entry;
}

MovementResult refused(std::string message, std::string article = "") {
    MovementResult r;
    r.message = std::move(message);
    r.article = std::move(article);
    return r;
}

}  // namespace

std::string short_stock_message(const Decimal& stock) {
    return "No hay suficientes existencias. Disponible: " + trim(pic_format(stock, kStockPicture));
}

std::string inactive_in_warehouse(const std::string& article) {
    return "Este Código no es permitido en esta Bodega: " + article;
}

MovementResult post_inventory_movement(data::Db& db, const InventoryMovement& m) {
    require_transaction(db, "post_inventory_movement");
    const auto inv_concept = read_inventory_concept(db, m.business, m.concept_code);
    if (!inv_concept)
        return refused("El concepto de inventario " + normal_code(m.concept_code) +
                       " no está definido...");
    if (!read_warehouse(db, m.business, m.warehouse))
        return refused("La bodega " + normal_code(m.warehouse) + " no está definida...");
    if (m.lines.empty()) return refused("El movimiento no tiene artículos...");
    if (inv_concept->serial.empty())
        return refused("El concepto de inventario " + inv_concept->code +
                       " no tiene consecutivo definido...");
    MovementWriter writer(db, m, goes_out(m, *inv_concept));
    std::string article;
    if (auto problem = writer.plan(article); !problem.empty()) return refused(problem, article);
    const std::string number = GET_NXSERIAL(db, m.business, inv_concept->serial);
    if (is_no_serial(number))
        return refused("El consecutivo " + inv_concept->serial + " del concepto de inventario " +
                       inv_concept->code + " no está definido...");
    MovementResult r;
    r.movement = trim(number);
    writer.write(r.movement, r);
    r.posted = true;
    return r;
}

MovementResult post_manual_movement(data::Db& db, UserPort& port, const InventoryMovement& typed) {
    // Articles are typed as at the counter: by code, bar code or alternative code.
    InventoryMovement m = typed;
    for (InventoryLine& l : m.lines)
        if (auto found = find_article(db, m.business, l.article)) l.article = found->article.code;
    data::Transaction tx(db);
    MovementResult r = post_inventory_movement(db, m);
    // A refusal wrote nothing: ending the transaction only gives the locks back.
    tx.commit();
    if (!r.posted) {
        refuse(port, r.article.empty() ? r.message : r.article + ": " + r.message);
        return r;
    }
    for (const std::string& w : r.warnings) port.message(MsgStyle::Atencion, "", w);
    return r;
}

std::optional<Decimal> reserve_stock(data::Db& db, const std::string& business,
                                     const std::string& warehouse, const std::string& article,
                                     const Decimal& quantity) {
    require_transaction(db, "reserve_stock");
    std::optional<Decimal> after;
    data::Table t = data::USE(db, "ARTICULO", "ARTIC1");
    if (lock_at_key(*t, stock_key(business, article, warehouse))) {
        Decimal held = t->num("BLOQUEO") + quantity;
        // Releasing more than is held (an order changed by hand) leaves nothing held, never a
        // negative reservation that would hide the next order's units.
        if (held < Decimal(0)) held = Decimal(0);
        t->FieldPut("BLOQUEO", held);
        data::UNLOCK_FOR_MODIFY(*t);
        after = held;
    }
    data::KILLTABLA(db, t);
    return after;
}

SaleInventorySettings read_sale_inventory_settings(data::Db& db, const std::string& business) {
    SaleInventorySettings s;
    data::UseOptions o;
    o.order = "F_FAC";
    o.read_only = true;
    data::Table t = data::USE(db, "F_FAC", o);
    if (t->Seek(data::order_key("F_FAC", "F_FAC", {business}))) {
        s.generate = t->num("GENERA_INV") == 1;
        s.concept_code = trim(t->str("CON_INV"));
        s.supplier = trim(t->str("FAC_PROV"));
    }
    data::KILLTABLA(db, t);
    return s;
}

}  // namespace qz::domain::pos
