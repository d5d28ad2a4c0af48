#include "data/catalogue.h"

#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace qz::data;

namespace {

const TableDef& table(const std::string& name) {
    const TableDef* t = Catalogue::instance().find(name);
    if (!t) throw std::runtime_error("table not declared: " + name);
    return *t;
}

const OrderDef& order(const std::string& tbl, const std::string& tag) {
    const OrderDef* o = table(tbl).find_order(tag);
    if (!o) throw std::runtime_error("order not declared: " + tbl + "." + tag);
    return *o;
}

}  // namespace

TEST(Catalogue, BuildsWithEveryGroupDeclared) {
    // Repeated tables, fields or orders, and orders over missing fields, throw while building.
    ASSERT_NO_THROW(Catalogue::instance());
    for (const char* name :
         {"NEGOCIOS", "USUARIOS", "F_SYS", "LOG_ROLL", "BITACORA", "DOCUMENT", "ENC_MOVE",
          "T_CAMBIO", "SERIALES", "ENC_AS", "F_FAC", "CLIENTES", "DET_CLIE", "AGENTES", "C_REMOTA"})
        EXPECT_NE(Catalogue::instance().find(name), nullptr) << name;
}

TEST(Catalogue, NumbersFitTheirStorage) {
    for (const auto& name : Catalogue::instance().names()) {
        for (const auto& f : table(name).fields()) {
            if (f.kind != FieldKind::N) continue;
            // SQLite keeps numbers as 64-bit integers scaled by their decimals.
            EXPECT_LE(f.width, 18) << name << "." << f.name;
            EXPECT_LT(f.decimals, f.width) << name << "." << f.name;
        }
    }
}

TEST(Catalogue, PassCodeFieldsHoldAHash) {
    const std::regex pass_code("CLAVE|PASSWORD|PASSWRD[0-9]");
    int seen = 0;
    for (const auto& name : Catalogue::instance().names()) {
        for (const auto& f : table(name).fields()) {
            // The user table keeps legacy passwords here and its hashes in PWD_HASH.
            if (!std::regex_match(f.name, pass_code) || name == "USUARIOS") continue;
            EXPECT_GE(f.width, kPassCodeWidth) << name << "." << f.name;
            ++seen;
        }
    }
    EXPECT_GE(seen, 8);
}

TEST(Catalogue, OrderKeysAreBoundedAndComputedFromRealFields) {
    const std::regex quoted("\"([A-Za-z0-9_]+)\"");
    for (const auto& name : Catalogue::instance().names()) {
        const TableDef& t = table(name);
        for (const auto& o : t.orders()) {
            EXPECT_GT(o.key_width(), 0) << name << "." << o.tag;
            EXPECT_LT(o.key_width(), 250) << name << "." << o.tag;
            for (const auto& p : o.parts) {
                EXPECT_GT(p.width, 0) << name << "." << o.tag;
                if (p.kind != KeyPart::Kind::Expr) continue;
                // A misspelt field in a class expression only fails when the schema is made.
                for (std::sregex_iterator m(p.expr.begin(), p.expr.end(), quoted), end; m != end;
                     ++m)
                    EXPECT_NE(t.field((*m)[1].str()), nullptr)
                        << name << "." << o.tag << ": " << (*m)[1];
            }
        }
    }
}

TEST(Catalogue, RateLookupKeyIsBusinessPairAndDaysTo2090) {
    const OrderDef& o = order("T_CAMBIO", "T_CAMB2");
    ASSERT_EQ(o.parts.size(), 4u);
    EXPECT_EQ(o.parts[0].field, "NEGOCIO");
    EXPECT_EQ(o.parts[1].field, "MONEDA1");
    EXPECT_EQ(o.parts[2].field, "MONEDA2");
    EXPECT_EQ(o.parts[3].kind, KeyPart::Kind::Days2090);
    EXPECT_EQ(o.parts[3].field, "FECHA");
    EXPECT_EQ(o.key_width(), 15 + 2 + 2 + 14);
}

TEST(Catalogue, KeysHaveTheLayoutTheirCallersSeek) {
    struct Case {
        const char* tbl;
        const char* tag;
        int width;
    };
    // Business + user number (8) + right id (8); business + user number (4); the newest-first
    // note key sought with 40 blanks; the open-documents class right after the business.
    for (const Case& c : {Case{"MENUS", "MENUS", 31}, Case{"DET_PERF", "DET_PERF", 31},
                          Case{"USUARIOS", "USUARIO3", 19}, Case{"LOG_DIAG", "LOG_DIAG", 25},
                          Case{"BITACORA", "BITA_INV", 40}, Case{"DOCUMENT", "DOCUMEN8", 31},
                          Case{"DOCUMENT", "DOCUMENT", 30}, Case{"SERIALES", "SERIALES", 40}})
        EXPECT_EQ(order(c.tbl, c.tag).key_width(), c.width) << c.tbl << "." << c.tag;

    const OrderDef& open = order("DOCUMENT", "DOCUMEN8");
    EXPECT_EQ(open.parts[1].kind, KeyPart::Kind::Expr);
    EXPECT_EQ(open.parts[1].width, 1);
    // Series of a module are listed by seeking business + module + blanks of a shared owner.
    const OrderDef& by_module = order("SERIALES", "SERIAL3");
    ASSERT_GE(by_module.parts.size(), 3u);
    EXPECT_EQ(by_module.parts[1].field, "MODULO");
    EXPECT_EQ(by_module.parts[2].field, "USUARIO");
}

TEST(Catalogue, BusinessLeadsEveryKeyOfSharedTables) {
    for (const char* name :
         {"DOCUMENT", "DET_DOC",  "ENC_DOC2", "DOC_PARC", "ENC_MOVE", "DET_MOVE", "DET_MOV2",
          "DET_MOV3", "DET_DOC3", "T_CAMBIO", "MONEDAS",  "CONCEPT1", "CONCEPT2", "TIPO_MOV",
          "SERIALES", "ENC_AS",   "DET_AS",   "F_FAC",    "CLIENTES", "DET_CLIE", "EST_CLIE",
          "AUT_CRED", "USUARIOS", "MENUS",    "DET_PERF", "TXT_SRCH"}) {
        for (const auto& o : table(name).orders()) {
            ASSERT_FALSE(o.parts.empty()) << name << "." << o.tag;
            EXPECT_EQ(o.parts[0].kind, KeyPart::Kind::Field) << name << "." << o.tag;
            EXPECT_EQ(o.parts[0].field, "NEGOCIO") << name << "." << o.tag;
        }
    }
}

TEST(Catalogue, OnlyRecordIdentitiesAreUnique) {
    for (auto [tbl, tag] :
         std::vector<std::pair<const char*, const char*>>{{"DOCUMENT", "DOCUMENT"},
                                                          {"ENC_MOVE", "ENC_MOVE"},
                                                          {"CLIENTES", "CLIENTES"},
                                                          {"DET_CLIE", "DET_CLIE7"},
                                                          {"MONEDAS", "MONEDAS"},
                                                          {"CONCEPT1", "CONCEPT1"},
                                                          {"SERIALES", "SERIALES"},
                                                          {"USUARIOS", "USUARIOS"},
                                                          {"F_FAC", "F_FAC"}})
        EXPECT_TRUE(order(tbl, tag).unique) << tbl << "." << tag;

    // Lines and log rows repeat their keys; voucher numbers repeat across journals; the branch
    // work table must accept a repeated code so the editor can refuse it with its message.
    for (const char* name : {"DET_DOC", "DOC_PARC", "DET_MOVE", "DET_MOV2", "DET_MOV3", "DET_DOC3",
                             "ENC_AS", "DET_AS", "MENUS", "DET_PERF", "LOG_DIAG", "LOG_E_S",
                             "LOG_ROLL", "BITACORA", "EST_CLIE", "TMP_CLIE"})
        for (const auto& o : table(name).orders()) EXPECT_FALSE(o.unique) << name << "." << o.tag;
}

TEST(Catalogue, WorkAndPendingCopiesHoldEveryFieldOfTheirSource) {
    for (auto [copy, source] :
         std::vector<std::pair<const char*, const char*>>{{"TMP_CLIE", "DET_CLIE"},
                                                          {"PDOCUMEN", "DOCUMENT"},
                                                          {"PDET_DOC", "DET_DOC"},
                                                          {"PENC_MOV", "ENC_MOVE"},
                                                          {"PDET_MOV", "DET_MOVE"},
                                                          {"PDET_MV2", "DET_MOV2"}}) {
        for (const auto& f : table(source).fields()) {
            const FieldDef* c = table(copy).field(f.name);
            ASSERT_NE(c, nullptr) << copy << "." << f.name;
            EXPECT_EQ(c->kind, f.kind) << copy << "." << f.name;
            EXPECT_EQ(c->width, f.width) << copy << "." << f.name;
            EXPECT_EQ(c->decimals, f.decimals) << copy << "." << f.name;
        }
    }
    EXPECT_TRUE(table("TMP_CLIE").is_template());
    EXPECT_NE(table("TMP_CLIE").field("N_REC"), nullptr);
    EXPECT_FALSE(table("PDOCUMEN").is_template());
}
