// The tree: the cargo index finds nodes however they were added, marks and searches reach the
// right nodes, the compact item packs its facts into one number, and the menu and printout
// follow what the screen asked for.
#include "gui/lists/treeview.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <random>

#include "gui/framework/framework_test_util.h"

namespace qz::gui {
namespace {

// Accounts: 1 Activos {11 Caja {111, 112}, 12 Bancos}, 2 Pasivos {21}.
struct Accounts {
    TREEVIEW tree;
    TREELINK *activos, *caja, *bancos, *pasivos;
    Accounts(bool small = false) : tree(nullptr, small) {
        TREELINK* root = tree.GetRoot();
        activos = root->AddLastChild("Activos", std::string("1"));
        pasivos = root->AddLastChild("Pasivos", std::string("2"));
        caja = activos->AddLastChild("Caja", std::string("11"));
        bancos = caja->AddAfter("Bancos", std::string("12"));
        caja->AddLastChild("Caja chica", std::string("111"));
        caja->AddLastChild("Caja general", std::string("112"));
        pasivos->AddFirstChild("Proveedores", std::string("21"));
    }
};

TEST(TreeView, FindCargoAfterAddsInRandomOrder) {
    TREEVIEW tree;
    std::vector<int> codes(3000);
    for (int i = 0; i < 3000; ++i) codes[static_cast<size_t>(i)] = i * 2;
    std::shuffle(codes.begin(), codes.end(), std::mt19937(7));
    TREELINK* group = tree.GetRoot()->AddLastChild("Grupo");
    for (int c : codes) group->AddLastChild("N" + std::to_string(c), Decimal(c));
    for (int c : {0, 2, 1234, 5998}) {
        TREELINK* n = tree.FIND_CARGO(Decimal(c));
        ASSERT_NE(n, nullptr) << c;
        EXPECT_EQ(n->TreeItem().GetText(), "N" + std::to_string(c));
    }
    EXPECT_EQ(tree.FIND_CARGO(Decimal(1235)), nullptr);
    EXPECT_EQ(tree.FIND_CARGO(Decimal(6000)), nullptr);
    EXPECT_EQ(tree.FIND_CARGO(std::string("0")), nullptr) << "a text is not a number";
    // Killed nodes leave the index.
    tree.FIND_CARGO(Decimal(1234))->Kill();
    EXPECT_EQ(tree.FIND_CARGO(Decimal(1234)), nullptr);
    group->Kill();
    EXPECT_EQ(tree.FIND_CARGO(Decimal(2)), nullptr);
    EXPECT_EQ(tree.COUNTALL(), 0);
}

TEST(TreeView, ShapeLevelsAndSortedInsertion) {
    Accounts a;
    EXPECT_EQ(a.tree.GETLEVEL(a.activos), 1);
    EXPECT_EQ(a.tree.GETLEVEL(a.tree.FIND_CARGO(std::string("112"))), 3);
    EXPECT_TRUE(a.tree.IS_LEAF(a.bancos));
    EXPECT_FALSE(a.tree.IS_LEAF(a.caja));
    EXPECT_EQ(a.caja->GetNextSibling(), a.bancos);
    EXPECT_TRUE(a.bancos->IsLastChild());
    EXPECT_EQ(a.tree.model()->rowCount(a.tree.index_of(a.caja)), 2);
    EXPECT_TRUE(a.bancos->MOVEUP());
    EXPECT_EQ(a.activos->GetFirstChild(), a.bancos);
    a.tree.SORTSIBLINGS(a.activos);
    EXPECT_EQ(a.activos->GetFirstChild(), a.caja);
    a.tree.SORTSIBLINGS(a.activos, 1);
    EXPECT_EQ(a.activos->GetFirstChild(), a.bancos);
    a.tree.SORT(1);  // from now on siblings stay in text order whatever builder is used
    EXPECT_EQ(a.activos->AddFirstChild("Cuentas por cobrar", std::string("13"))->row(), 2);
    EXPECT_EQ(a.activos->AddLastChild("activo fijo", std::string("14"))->row(), 0);
    EXPECT_EQ(a.caja->row(), 2);
    EXPECT_EQ(a.tree.index_of(a.caja).row(), 2);
    a.tree.EXPAND(2);
    EXPECT_TRUE(a.activos->IsOpened());
    EXPECT_FALSE(a.caja->IsOpened());
    a.tree.EXPAND(-1);
    EXPECT_TRUE(a.caja->IsOpened());
    EXPECT_TRUE(a.tree.isExpanded(a.tree.index_of(a.caja)));
    a.tree.EXPAND_SUBTREE(a.activos, false);
    EXPECT_FALSE(a.tree.isExpanded(a.tree.index_of(a.caja)));
    EXPECT_TRUE(a.pasivos->IsOpened());
}

TEST(TreeView, MarksBySubTreeAndPathAreCounted) {
    Accounts a;
    a.tree.MARK_SUBTREE(a.activos);
    EXPECT_EQ(a.tree.GET_MARKS().size(), 5u);  // Activos, Caja, 111, 112, Bancos
    EXPECT_EQ(a.tree.COUNT_TREE(a.activos), 4);
    EXPECT_EQ(a.tree.COUNT_ITEMS(), 2);
    EXPECT_EQ(a.tree.COUNTALL(), 7);
    a.tree.CLEAR_SUBTREE(a.caja);
    EXPECT_EQ(a.tree.GET_MARKS(), (std::vector<TREELINK*>{a.activos, a.bancos}));
    a.tree.CLEAR_ALL();
    a.tree.MARK_ROOT(a.tree.FIND_CARGO(std::string("111")));
    EXPECT_EQ(a.tree.GET_MARKS().size(), 3u);
    EXPECT_EQ(a.tree.model()->data(a.tree.index_of(a.caja), Qt::CheckStateRole).toInt(),
              Qt::Checked);
    a.tree.DELETE_MARKS();
    EXPECT_EQ(a.tree.COUNTALL(), 2);
    EXPECT_EQ(a.tree.FIND_CARGO(std::string("111")), nullptr);

    Accounts single;
    single.tree.MULTIPLE_SELECTION(false);
    single.tree.MARK_ITEM(single.caja);
    single.tree.MARK_ITEM(single.bancos);
    EXPECT_EQ(single.tree.GET_MARKS(), (std::vector<TREELINK*>{single.bancos}));
}

TEST(TreeView, SearchMarksCargoAndTextAndClears) {
    Accounts a;
    EXPECT_EQ(a.tree.MARK_SEARCH("Caja"), 3);
    EXPECT_TRUE(a.caja->TreeItem().FOUND());
    EXPECT_FALSE(a.bancos->TreeItem().FOUND());
    EXPECT_EQ(a.tree.MARK_SEARCH("caja"), 0) << "case-sensitive";
    EXPECT_EQ(a.tree.MARK_SEARCH("12Ban"), 1) << "cargo followed by text";
    EXPECT_TRUE(a.bancos->TreeItem().FOUND());
    a.tree.CLEAR_SEARCH();
    for (TREELINK* n : a.tree.GETLINKS()) EXPECT_FALSE(n->TreeItem().FOUND());
}

TEST(TreeView, CompactItemPacksMarkFoundAndPicture) {
    TVITEM2 item;
    item._BitMap(3);
    item._Marked(true);
    EXPECT_EQ(item.MARK_TB, 61);
    item._FOUND(true);
    EXPECT_EQ(item.MARK_TB, 63);
    EXPECT_TRUE(item.Marked());
    EXPECT_TRUE(item.FOUND());
    EXPECT_EQ(item.BitMap(), 3);
    item._Marked(false);
    EXPECT_EQ(item.MARK_TB, 62);
    item._FOUND(false);
    item._BitMap(1);
    EXPECT_EQ(item.MARK_TB, 20);
    item.SetCargo(std::string("X"), 5);
    EXPECT_FALSE(item.Getcargo(5).has_value());

    Accounts small(true);
    small.tree.MARK_SUBTREE(small.caja);
    EXPECT_EQ(small.tree.GET_MARKS().size(), 3u);
    EXPECT_EQ(small.tree.MARK_SEARCH("Caja"), 3);
    EXPECT_EQ(dynamic_cast<TVITEM2&>(small.caja->TreeItem()).MARK_TB, 3);
}

TEST(TreeView, MenuCaptionsSeparatorsAndPrintout) {
    Accounts a;
    std::vector<std::optional<std::string>> captions(15);
    captions[0] = "Expander...";
    captions[2] = "Colapsar...";
    captions[5] = "Marcar item";
    captions[13] = "Buscar...";
    a.tree.DEFINE_MENU(captions);
    std::unique_ptr<QMenu> menu(a.tree.build_menu(a.caja, nullptr));
    QStringList shown;
    for (QAction* act : menu->actions())
        shown << (act->isSeparator() ? "|" : act->text());
    EXPECT_EQ(shown.join(","), "Expander...,Colapsar...,|,Marcar item,|,Buscar...");
    menu->actions()[3]->trigger();
    EXPECT_TRUE(a.caja->TreeItem().Marked());
    int searched = 0;
    a.tree._ON_SEARCH([&] { ++searched; });
    a.tree.menu_command(14, nullptr);
    EXPECT_EQ(searched, 1);
    a.tree.menu_command(11, a.bancos);  // no add block: an empty first child, opened
    EXPECT_EQ(a.tree.COUNT_TREE(a.bancos), 1);
    EXPECT_TRUE(a.bancos->IsOpened());

    std::vector<TreePrintLine> printed;
    test::LendingWorkspace workspace;
    workspace.tree_printer = [&](const std::string& title, const std::vector<TreePrintLine>& lines,
                                 bool) {
        EXPECT_EQ(title, "Catálogo");
        printed = lines;
    };
    a.tree.TREE_NAME("Catálogo");
    a.tree._PRINT_LEAF(false);
    EXPECT_TRUE(a.tree.PRINT_TREE());
    ASSERT_EQ(printed.size(), 4u);  // the parents only
    EXPECT_EQ(printed[1].level, 2);
    EXPECT_EQ(printed[1].text, "Caja");
    EXPECT_TRUE(printed[1].marked);
}

}  // namespace
}  // namespace qz::gui
