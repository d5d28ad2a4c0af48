// The grid export window: it proposes TEMP and a scratch name, keeps its owner disabled while
// open, exports and opens the book, mails it instead, refuses an empty file name and stops when
// asked.
#include "gui/workbook/dbf_ob.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "gui/framework/file_mailer.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/message_box.h"
#include "services/workbook/book_test_util.h"

namespace qz::gui {
namespace {

class CountingGrid : public services::GridExportSource {
public:
    long count = 5;
    long at = 0;
    std::vector<services::GridExportColumn> columns() const override {
        return {{"Numero", 6, true}};
    }
    bool first() override { return (at = 1) <= count; }
    bool next() override { return ++at <= count; }
    std::string text(int) const override { return std::to_string(at); }
};

class DbfObTest : public ::testing::Test {
protected:
    void SetUp() override {
        DbfObSettings settings{dir.path() / "TEMP", dir.path() / "BMP", "", qz::test::test_stamp(),
                               [this](const std::filesystem::path& f) { opened.push_back(f); }};
        open_dbf_ob(&owner, grid, "Cajas 1/2", settings);
        for (auto* w : QApplication::topLevelWidgets())
            if (w->objectName() == "DBF_OB" && w->isVisible()) window = dynamic_cast<DBF_OB*>(w);
        ASSERT_TRUE(window);
    }
    void TearDown() override {
        if (window) window->CLOSEIT(kCmdEnd);
        set_file_mailer({});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template <class W>
    W* field(int id) {
        return window->control_as<W>(id);
    }
    void press(int id) { QTest::mouseClick(window->control(id), Qt::LeftButton); }

    qz::test::TempFolder dir;
    QWidget owner;
    CountingGrid grid;
    QPointer<DBF_OB> window;
    std::vector<std::filesystem::path> opened;
    MessageBoxScript boxes;
};

TEST_F(DbfObTest, ExportsOpensTheBookAndGivesTheOwnerBack) {
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_EQ(field<QLineEdit>(504)->text().toStdString(), (dir.path() / "TEMP").string());
    EXPECT_TRUE(field<QLineEdit>(503)->text().startsWith("T"));
    press(1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], dir.path() / "TEMP" / "GRID_Cajas 1-2.xlsx");
    const auto sheet = qz::test::read_back(opened[0]).at(0);
    EXPECT_EQ(qz::test::cell(sheet, 14, 1).number, Decimal(5));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(DbfObTest, MailingHandsTheBookToTheMailerAndStaysOpen) {
    std::vector<FileMailRequest> mailed;
    set_file_mailer([&](QWidget*, const FileMailRequest& r) {
        mailed.push_back(r);
        return true;
    });
    press(201);
    ASSERT_EQ(mailed.size(), 1u);
    EXPECT_TRUE(mailed[0].grid);
    EXPECT_EQ(mailed[0].title, "Grid");
    EXPECT_TRUE(std::filesystem::exists(mailed[0].file));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(field<QLabel>(502)->text(), "Datos transferidos!");
    EXPECT_EQ(field<QLabel>(501)->text(), "5");
    press(2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(DbfObTest, EmptyFileNameIsRefusedAndNothingWritten) {
    field<QLineEdit>(503)->setText("  ");
    press(1);
    EXPECT_EQ(boxes.last_text(), "Debe definir el nombre del archivo Destino");
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(window);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "TEMP"));
}

TEST_F(DbfObTest, StopEndsTheExportAfterTheRowUnderWay) {
    grid.count = 1000;
    test::post_click(window->control(2));
    press(1);
    ASSERT_EQ(opened.size(), 1u);
    const auto sheet = qz::test::read_back(opened[0]).at(0);
    EXPECT_EQ(qz::test::cell(sheet, 10, 1).number, Decimal(1));
    EXPECT_EQ(qz::test::cell(sheet, 11, 1).type, services::CellType::Empty);
}

}  // namespace
}  // namespace qz::gui
