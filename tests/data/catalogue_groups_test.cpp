// Declarations of the point-of-sale, cash, spa and collections tables: the keys their screens
// seek with, codes that travel between tables, and SQL the engine must accept.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "data/catalogue.h"
#include "data/schema.h"
#include "data/sqlite_connection.h"

namespace qz::data {
namespace {

const Catalogue& groups() {
    static const Catalogue cat = [] {
        Catalogue c;
        declare_pos_tables(c);
        declare_cash_tables(c);
        declare_spa_tables(c);
        declare_collection_tables(c);
        return c;
    }();
    return cat;
}

const TableDef& table(const std::string& name) {
    const TableDef* t = groups().find(name);
    if (!t) throw std::runtime_error("falta la tabla " + name);
    return *t;
}

// "Kind:FIELD/width" per part, so a failure shows the whole key.
std::string key_of(const std::string& tbl, const std::string& tag) {
    const OrderDef* o = table(tbl).find_order(tag);
    if (!o) return "(sin orden " + tag + ")";
    std::string out;
    for (const auto& p : o->parts) {
        static const char* kinds = "FUDNIX";
        out += std::string(out.empty() ? "" : " ") + kinds[static_cast<int>(p.kind)] + ":" +
               (p.kind == KeyPart::Kind::Expr ? "expr" : p.field) + "/" + std::to_string(p.width);
    }
    return out;
}

TEST(CatalogueGroups, OrdersAreTheKeysTheScreensSeekWith) {
    // Agenda cells and availability read a room's day; the list filters by state first.
    EXPECT_EQ(key_of("SPA_RESE", "SPA_RESE12"), "F:NEGOCIO/15 F:COD_SALA/4 D:FECHA/8");
    EXPECT_EQ(key_of("SPA_RESE", "SPA_RESE10"), "F:NEGOCIO/15 N:ESTADO/1 F:COD_SALA/4 D:FECHA/8");
    EXPECT_EQ(key_of("SPA_RESD", "SPA_RESD"), "F:NEGOCIO/15 F:COD_RESER/15");
    EXPECT_TRUE(table("SPA_SALA").find_order("SPA_SALA")->unique);
    // In-house rooms: business + "1" + room.
    EXPECT_EQ(key_of("DET_RES2", "DET_RS30"), "F:NEGOCIO/15 N:ESTADO/1 F:ROOM/15");
    // The running shift is the one with an empty end date.
    EXPECT_EQ(key_of("CAJA_DET", "CAJA_DE2"), "F:NEGOCIO/15 F:CAJA/4 D:FECHA_FIN/8");
    EXPECT_TRUE(table("CAJA_ENC").find_order("CAJA_ENC")->unique);
    EXPECT_FALSE(table("CAJA_DET").find_order("CAJA_DE2")->unique);
    // The resend command waits for business + "1" + recipient + date + subject.
    EXPECT_EQ(key_of("E_MSGS", "E_MSGS8"),
              "F:NEGOCIO/15 N:ENVIADO/1 F:TO_USER/100 D:FECHA/8 F:SUBJECT/100");
    EXPECT_EQ(key_of("P_ELECT", "P_ELECT"), "F:NEGOCIO/15 F:CODIGO/15 F:BANCO/2 F:MONEDA/2");
    EXPECT_EQ(key_of("ETAPAS_P", "ETAPAS_P2"), "F:NEGOCIO/15 N:CTRL_CRED/1 F:CODIGO/4");
    EXPECT_EQ(key_of("ARTICULO", "ARTIC1"), "F:NEGOCIO/15 F:ARTICULO/15 F:BODEGA/2");
}

TEST(CatalogueGroups, LinesAndLogsAcceptRepeatedKeys) {
    // A unique index here would refuse the second line of a document or the second attempt
    // logged in the same second.
    for (const auto& name : groups().names()) {
        bool many = name.rfind("DET_", 0) == 0 || name.rfind("LOG_", 0) == 0 || name == "E_MSGS" ||
                    name == "ENC_INV" || name == "SPA_RESD";
        if (!many) continue;
        for (const auto& o : table(name).orders()) EXPECT_FALSE(o.unique) << name << "." << o.tag;
    }
}

TEST(CatalogueGroups, CodesKeepOneWidthWhereverTheyAreSought) {
    const std::vector<std::vector<std::pair<const char*, const char*>>> same_width = {
        {{"SPA_SALA", "CODIGO"}, {"SPA_RESE", "COD_SALA"}},
        {{"ROOMS", "CODIGO"},
         {"DET_RES2", "ROOM"},
         {"SPA_RESE", "COD_ROOM"},
         {"F_PAGO", "ROOM"},
         {"ENC_FOL", "ROOM"},
         {"ENC_FOL", "COD_RES"},
         {"MAESTRAS", "CODIGO"}},
        {{"CAJA_ENC", "CODIGO"},
         {"CAJA_DET", "CAJA"},
         {"VCAJAS", "CODIGO"},
         {"ENC_HCAJ", "CODIGO"},
         {"DET_HCAJ", "CAJA"},
         {"ENC_HLIB", "CAJA"},
         {"ENC_PED", "CAJA"}},
        {{"ETAPAS_B", "CODIGO"},
         {"COBRADOR", "CODIGO"},
         {"TMP_COB", "ETAPA_COB"},
         {"TMP_COB", "COBRADOR"},
         {"ETAPAS_P", "CODIGO"},
         {"ENC_PED", "ETAPA"}},
        {{"DEF_ART", "CODIGO"},
         {"EDIT2", "CODIGO"},
         {"ARTICULO", "ARTICULO"},
         {"BARRAS", "CODIGO"},
         {"SPA_RESD", "CODIGO"},
         {"DET_PED", "CODIGO"}},
        {{"F_PAGO", "PE_TARJ"}, {"LOG_P_EL", "PE_TARJ"}, {"ENC_HLIB", "PE_TARJ"}},
        {{"F_PAGO", "PE_REFNO"}, {"LOG_P_EL", "PE_REFNO"}, {"ENC_HLIB", "PE_REFNO"}},
        {{"F_PAGO", "PE_AUTID"}, {"LOG_P_EL", "PE_AUTID"}, {"ENC_HLIB", "PE_AUTID"}},
        {{"F_PAGO", "PE_TRACE_N"}, {"LOG_P_EL", "PE_TRACE_N"}, {"ENC_HLIB", "PE_TRACE_N"}},
    };
    for (const auto& group : same_width) {
        const FieldDef* first = table(group[0].first).field(group[0].second);
        ASSERT_TRUE(first) << group[0].first << "." << group[0].second;
        for (const auto& [tbl, fld] : group) {
            const FieldDef* f = table(tbl).field(fld);
            ASSERT_TRUE(f) << tbl << "." << fld;
            EXPECT_EQ(f->width, first->width) << tbl << "." << fld;
        }
    }
    // Shared tables belong to a business: it is in every row and leads every key, except in
    // the mail service's queue, which serves all businesses.
    for (const auto& name : groups().names()) {
        const TableDef& t = table(name);
        if (t.is_template()) continue;
        ASSERT_EQ(t.field_pos("NEGOCIO"), 1) << name;
        EXPECT_EQ(t.field("NEGOCIO")->width, 15) << name;
        for (const auto& o : t.orders()) {
            if (name == "E_MSGS" && o.tag == "E_MSGS") continue;
            EXPECT_EQ(o.parts.front().field, "NEGOCIO") << name << "." << o.tag;
        }
    }
}

TEST(CatalogueGroups, WorkTablesAreTemplatesAndTheAgendaHasFifteenRooms) {
    for (const char* name : {"EDIT2", "F_PAGO", "F_PLAZOS", "E_DEVS2", "T_AG_RE2", "TMP_HLI2",
                             "TMP_HLI3", "TMP_COB", "TMP_RC5", "TMP_RC2", "TMP_PAGA", "TMP_CXP2"})
        EXPECT_TRUE(table(name).is_template()) << name;
    for (const char* name : {"T_PAGO", "SPA_RESE", "E_MSGS", "CAJA_DET"})
        EXPECT_FALSE(table(name).is_template()) << name;

    const TableDef& agenda = table("T_AG_RE2");
    EXPECT_NE(agenda.field("SALA1"), nullptr);
    EXPECT_NE(agenda.field("ESTADO15"), nullptr);
    EXPECT_EQ(agenda.field("SALA16"), nullptr);
    EXPECT_EQ(agenda.fields().size(), 31u);
}

// Builds every table in a scratch SQLite file, so each computed key is valid SQL, and reads
// back the class characters of a few keys.
class CatalogueGroupsInSqlite : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = std::filesystem::temp_directory_path() /
                 ("qz_groups_" + std::to_string(::getpid()) + ".db");
        m_db = std::make_unique<SqliteConnection>(m_path.string());
    }
    void TearDown() override {
        m_db.reset();
        for (const char* ext : {"", "-wal", "-shm"}) std::filesystem::remove(m_path.string() + ext);
    }
    std::string key(const std::string& sql) { return m_db->scalar(sql).value_or("(nada)"); }

    std::filesystem::path m_path;
    std::unique_ptr<SqliteConnection> m_db;
};

TEST_F(CatalogueGroupsInSqlite, EveryTableIsCreatedAndClassCharactersComeOut) {
    ASSERT_NO_THROW(migrate(*m_db, groups()));
    for (const auto& name : groups().names()) {
        if (!table(name).is_template()) continue;
        for (const auto& sql : create_table_sql(table(name), "w_" + name, Dialect::SQLite, true))
            ASSERT_NO_THROW(m_db->exec(sql)) << name;
    }

    const std::string biz = "H1" + std::string(13, ' ');
    m_db->exec(
        "INSERT INTO \"DET_RES2\" (\"NEGOCIO\", \"ESTADO\", \"ROOM\") VALUES ('H1', 1, '101')");
    EXPECT_EQ(key("SELECT \"qz_k_DET_RS30\" FROM \"DET_RES2\""),
              biz + "1" + "101" + std::string(12, ' '));

    // Dated special-price rules ("1") come apart from permanent ones ("0").
    m_db->exec("INSERT INTO \"PRE_ESP1\" (\"NEGOCIO\", \"FECHA_FIN\") VALUES ('H1', '20260131')");
    m_db->exec("INSERT INTO \"PRE_ESP1\" (\"NEGOCIO\") VALUES ('H2')");
    EXPECT_EQ(key("SELECT substr(\"qz_k_PRE_ESP1\", 16, 1) FROM \"PRE_ESP1\" WHERE "
                  "\"NEGOCIO\" = 'H1'"),
              "1");
    EXPECT_EQ(key("SELECT substr(\"qz_k_PRE_ESP1\", 16, 1) FROM \"PRE_ESP1\" WHERE "
                  "\"NEGOCIO\" = 'H2'"),
              "0");

    // The open folio marked last sorts before the other open folios of the same room.
    m_db->exec(
        "INSERT INTO \"ENC_FOL\" (\"NEGOCIO\", \"NUMERO\", \"ULTIMO\") VALUES "
        "('H1', 'A', 0), ('H1', 'B', 1)");
    EXPECT_EQ(key("SELECT \"NUMERO\" FROM \"ENC_FOL\" ORDER BY \"qz_k_ENC_FOL3\" LIMIT 1"), "B");
}

}  // namespace
}  // namespace qz::data
