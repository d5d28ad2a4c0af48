// FAC_POS2 over the demonstration hotel, opened from the menu: the applied note is shown
// read-only, a code typed into the empty row brings its article and a new empty row, an unknown
// code is refused, "Nueva Nota" saves the open note first, "Borrar" asks, and the document
// viewer's "Crear Nota de Devolución" opens a note returning the chosen invoice's articles.
#include "gui/pos/returns/return_notes_screen.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "core/text.h"
#include "domain/ledger/document_reads.h"
#include "domain/pos/return_notes.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/message_box.h"
#include "gui/ledger/viewer/document_viewer.h"
#include "gui/main_window_fixture.h"
#include "gui/pos/returns/commands.h"

namespace qz::gui {
namespace {

namespace dp = domain::pos;

class ReturnNotesScreenTest : public test::MainWindowFixture {
protected:
    WDIAG* open_from_menu() {
        choose(kCmdReturnNotes);
        return screen("FAC_POS2");
    }
    static QTableWidget* grid(QWidget* s, int id) {
        return s->findChild<QTableWidget*>(QString::number(id));
    }
    // Chooses the note `number` in the list, as a click on its row does.
    static void pick(QWidget* s, const std::string& number) {
        auto* list = grid(s, kReturnList);
        for (int r = 0; r < list->rowCount(); ++r)
            if (list->item(r, 0)->text().toStdString() == number) list->setCurrentCell(r, 0);
        settle();
    }
    static void type_code(QWidget* s, int row, const QString& code) {
        grid(s, kReturnLines)->item(row, kCodeCol)->setText(code);
        settle();
    }
    static std::string cell(QWidget* s, int row, int column) {
        return grid(s, kReturnLines)->item(row, column)->text().toStdString();
    }
    std::vector<dp::ReturnHeader> notes() { return dp::business_return_notes(*ctx.db, "HOTEL"); }
    long stored_lines(const std::string& number) {
        return static_cast<long>(dp::read_return_lines(*ctx.db, "HOTEL", number).size());
    }
    // The demonstration's open note and its applied one.
    std::string note(bool applied) {
        for (const auto& n : notes())
            if (n.applied == applied) return n.number;
        return "";
    }
};

TEST_F(ReturnNotesScreenTest, TheAppliedNoteIsShownButCannotBeChangedOrDeleted) {
    auto* s = open_from_menu();
    ASSERT_TRUE(s);
    ASSERT_EQ(grid(s, kReturnList)->rowCount(), 2);
    const std::string applied = note(true);
    pick(s, applied);
    EXPECT_TRUE(s->findChild<QLabel*>(QString::number(kReturnTitle))->text().contains("aplicada"));
    EXPECT_EQ(grid(s, kReturnLines)->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(s->findChild<QPushButton*>(QString::number(kReturnDelete))->isEnabled());
    EXPECT_FALSE(s->findChild<QComboBox*>(QString::number(kReturnCurrency))->isEnabled());
    EXPECT_EQ(cell(s, 0, kCodeCol), "ACE001");
    EXPECT_EQ(stored_lines(applied), 2);
}

TEST_F(ReturnNotesScreenTest, TypedCodesFillTheirRowsAndANewNoteSavesTheOpenOne) {
    auto* s = open_from_menu();
    ASSERT_TRUE(s);
    const std::string open = note(false);
    pick(s, open);
    ASSERT_EQ(grid(s, kReturnLines)->rowCount(), 2) << "its line and the empty row";

    type_code(s, 1, "NOEXISTE");
    EXPECT_EQ(boxes.last_text(), dp::kReturnCodeMissing);
    EXPECT_EQ(cell(s, 1, kCodeCol), "") << "the unknown code is blanked";

    type_code(s, 1, "cre001");
    EXPECT_EQ(cell(s, 1, kCodeCol), "CRE001");
    EXPECT_EQ(cell(s, 1, kNameCol), "Crema Hidratante Corporal");
    EXPECT_FALSE(cell(s, 1, kPriceCol).empty());
    EXPECT_EQ(grid(s, kReturnLines)->rowCount(), 3) << "a new empty row is kept at the end";
    EXPECT_EQ(stored_lines(open), 1) << "nothing is written while the note stays open";

    press(s, kReturnNew);
    EXPECT_EQ(stored_lines(open), 2);
    EXPECT_EQ(grid(s, kReturnList)->rowCount(), 3);
    EXPECT_EQ(grid(s, kReturnLines)->rowCount(), 1);
}

TEST_F(ReturnNotesScreenTest, DeletingAsksFirstAndOkSavesAndCloses) {
    auto* s = open_from_menu();
    ASSERT_TRUE(s);
    press(s, kReturnNew);
    ASSERT_EQ(notes().size(), 3U);
    boxes.then(kIdCancel);
    press(s, kReturnDelete);
    EXPECT_EQ(notes().size(), 3U);
    boxes.then(kIdOk);
    press(s, kReturnDelete);
    EXPECT_EQ(notes().size(), 2U);
    EXPECT_EQ(grid(s, kReturnList)->rowCount(), 2);

    pick(s, note(false));
    type_code(s, 1, "PAN001");
    press(s, kCmdOk);
    EXPECT_FALSE(screen("FAC_POS2"));
    EXPECT_EQ(stored_lines(note(false)), 2);
}

TEST_F(ReturnNotesScreenTest, TheViewerCreatesANoteReturningTheInvoicesArticles) {
    auto* v = dynamic_cast<DocumentViewer*>(choose(DocumentViewer::kContext));
    ASSERT_TRUE(v);
    auto* customer = v->findChild<QLineEdit*>(QString::number(kViewCustomer));
    customer->setText("3101123456");
    emit customer->editingFinished();
    settle();
    v->grid()->GOTOP();
    settle();
    const auto doc = v->chosen();
    ASSERT_TRUE(doc);
    const auto invoice = domain::read_document_data(*ctx.db, "HOTEL", doc->number);
    ASSERT_TRUE(invoice);
    ASSERT_TRUE(edit(kCmdReturnFromDocument));
    settle();
    auto* s = screen("FAC_POS2");
    ASSERT_TRUE(s);
    ASSERT_EQ(notes().size(), 3U);
    const dp::ReturnHeader made = notes().back();
    EXPECT_EQ(made.currency, invoice->header.currency.code);
    const auto lines = dp::read_return_lines(*ctx.db, "HOTEL", made.number);
    ASSERT_EQ(lines.size(), invoice->lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].code, invoice->lines[i].code);
        EXPECT_EQ(lines[i].quantity, invoice->lines[i].quantity);
        EXPECT_EQ(lines[i].price, invoice->lines[i].price);
    }
    EXPECT_EQ(cell(s, 0, kCodeCol), invoice->lines[0].code) << "the screen shows the new note";
}

}  // namespace
}  // namespace qz::gui
