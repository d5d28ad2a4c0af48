#include "services/workbook/xml_scan.h"

#include <gtest/gtest.h>

using qz::services::XmlScanner;

TEST(XmlScanner, ReadsTagsAttributesAndTextOfBookParts) {
    XmlScanner x(
        R"(<?xml version="1.0"?><!-- c --><x:sst><si><t xml:space="preserve"> a&amp;b </t>)"
        R"(<t><![CDATA[<c>]]>&#233;&#x20AC;</t></si><c r='B2' s="3"/></x:sst>)");
    ASSERT_TRUE(x.next());
    EXPECT_TRUE(x.is("sst"));
    ASSERT_TRUE(x.next() && x.next());
    EXPECT_EQ(x.attr("space"), "preserve");
    EXPECT_EQ(x.text(), " a&b ");
    ASSERT_TRUE(x.next() && x.is_end() && x.next());
    EXPECT_EQ(x.text(), "<c>é€");
    while (x.next() && !x.is("c")) {
    }
    EXPECT_TRUE(x.is_start() && x.is_end());
    EXPECT_EQ(x.attr("r"), "B2");
    EXPECT_FALSE(x.attr("t"));
}

TEST(XmlScanner, DamagedDocumentsEndTheWalkWithoutFault) {
    for (const char* bad : {"<", "<>", "</>", "<a b=\"unclosed>", "<a b=>x", "<!-- open",
                            "&#xFFFFFFFF;<a>", "<a>&unknown;</a"}) {
        XmlScanner x(bad);
        int tags = 0;
        while (x.next() && tags < 10) {
            ++tags;
            (void)x.attr("b");
            (void)x.text();
        }
        EXPECT_LT(tags, 10) << bad;
    }
}
