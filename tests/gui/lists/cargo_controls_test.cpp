// Combo and list boxes keep each entry's cargo beside its text whatever order the control keeps,
// and a failed seek by code leaves no stale selection behind.
#include <QComboBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "gui/framework/dialog_box.h"
#include "gui/framework/framework_test_util.h"
#include "gui/lists/combobox.h"
#include "gui/lists/listbox.h"

namespace qz::gui {
namespace {

std::string code(const std::optional<Cargo>& c) {
    return c ? std::get<std::string>(*c) : std::string("<nil>");
}

struct Screen {
    DIALOG_BOX dialog{"MONEDAS"};
    QComboBox* combo = dialog.Add(new QComboBox(&dialog), 601);
    QListWidget* list = dialog.Add(new QListWidget(&dialog), 602);
};

TEST(CCombobox, ASortedComboKeepsCargosWithTheirTexts) {
    Screen s;
    s.combo->addItem("left over");
    CCOMBOBOX combo(s.dialog, 601);
    EXPECT_EQ(combo.Len(), 0);
    combo.set_sorted(true);
    EXPECT_EQ(combo.Add("  Euro ", 0, std::string("EU")), 0);
    EXPECT_EQ(combo.Add("Colón", 0, std::string("CR")), 0);
    EXPECT_EQ(combo.Add("dólar", 0, std::string("US")), 1);
    EXPECT_EQ(combo.Add("Zloty", 0, std::string("ZL")), 3);
    EXPECT_EQ(combo.Position(), 0) << "adding selects nothing";
    for (int i = 0; i < combo.Len(); ++i) {
        combo._Position(i + 1);
        EXPECT_EQ(combo.CurItem(), s.combo->currentText().toStdString());
    }
    combo.Seek("euro");
    EXPECT_EQ(code(combo.CurCargo()), "EU");
    EXPECT_EQ(s.combo->currentText(), "Euro");
    // An explicit 1-based position inserts there even in a sorted combo.
    EXPECT_EQ(combo.Add("Yen", 1, std::string("JP")), 0);
    combo.GoTop();
    EXPECT_EQ(code(combo.CurCargo()), "JP");
    combo.Skip(10);
    EXPECT_EQ(code(combo.CurCargo()), "ZL");
    EXPECT_EQ(combo.GET_CARGOS().size(), 5u);
}

TEST(CCombobox, SeekCargoWithAnUnknownCodeClearsTheSelection) {
    Screen s;
    CCOMBOBOX combo(s.dialog, 601);
    combo.Add("Colón", 0, std::string("CR"));
    combo.Add("Dólar", 0, std::string("US"));
    EXPECT_TRUE(combo.SeekCargo(std::string("US ")));  // a padded code read from a table
    EXPECT_EQ(combo.CurItem(), "Dólar");
    EXPECT_FALSE(combo.SeekCargo(std::string("XX")));
    EXPECT_EQ(combo.Position(), 0);
    EXPECT_EQ(s.combo->currentIndex(), -1);
    EXPECT_FALSE(combo.CurCargo().has_value());
    EXPECT_TRUE(combo.SeekCargo(std::string("c"), true));
    EXPECT_EQ(combo.CurItem(), "Colón");
    // Numbers and dates are cargos too; kinds never match each other.
    combo.Add("Uno", 0, Decimal(1));
    EXPECT_TRUE(combo.SeekCargo(Decimal(1)));
    EXPECT_FALSE(combo.SeekCargo(std::string("1")));
    combo._Position(99);
    EXPECT_EQ(combo.Position(), 0);
    combo.GoTop();
    EXPECT_TRUE(combo.Delete());
    EXPECT_EQ(code(combo.GET_CARGOS().front()), "US");
    combo.CLEAR_COMBO();
    EXPECT_EQ(s.combo->count(), 0);
}

TEST(CListBox, MultipleSelectionReadsTheCargosOfTheSelectedRows) {
    Screen s;
    s.list->setSortingEnabled(true);
    s.list->setSelectionMode(QAbstractItemView::MultiSelection);
    CListBox list(s.dialog, 602);
    EXPECT_EQ(list.Add("Sauna", 0, std::string("SA")), 0);
    EXPECT_EQ(list.Add("Masaje", 0, std::string("MA")), 0);
    EXPECT_EQ(list.Add("Piscina", 0, std::string("PI")), 1);
    EXPECT_TRUE(list.SELECTCARGO(std::string("SA")));
    EXPECT_TRUE(list.SELECTITEM(0));
    EXPECT_FALSE(list.SELECTCARGO(std::string("XX")));
    EXPECT_EQ(list.GetCargos(), (std::vector<Cargo>{std::string("MA"), std::string("SA")}));
    EXPECT_TRUE(list.ISSELECTED(std::string("SA")));
    EXPECT_FALSE(list.ISSELECTED(std::string("PI")));
    EXPECT_EQ(list.POS_CARGO(std::string("PI")), 1);
    EXPECT_EQ(code(list.GET_POSCARGO(2)), "SA");

    // A new text moves the entry to its place in a sorted list; cargo and mark go with it.
    EXPECT_TRUE(list.SET_TEXT(std::string("SA"), "Baño turco"));
    EXPECT_EQ(s.list->item(0)->text(), "Baño turco");
    EXPECT_EQ(code(list.GET_POSCARGO(0)), "SA");
    EXPECT_TRUE(list.ISSELECTED(std::string("SA")));
    list.SELECTITEM(0, false);
    EXPECT_EQ(list.GetBCargos(), (std::vector<Cargo>{std::string("MA")}));
    EXPECT_EQ(list.GetInfoCargo().size(), 3u);
    list.CLEAR_LISTBOX();
    EXPECT_EQ(s.list->count(), 0);
}

}  // namespace
}  // namespace qz::gui
