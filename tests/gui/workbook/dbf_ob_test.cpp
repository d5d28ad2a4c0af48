// The grid export window as the user opens it: "Spa" › "Reservas Registradas", a right click on
// the grid, "Exportar a Excel". It keeps the reservations screen disabled while open, exports
// and gives the screen back, mails the book instead, refuses an empty file name and stops when
// asked.
#include "gui/workbook/dbf_ob.h"

#include <QLabel>
#include <QLineEdit>

#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/workspace.h"
#include "gui/main_window_fixture.h"
#include "gui/spa/reservations/spa_hist.h"
#include "services/workbook/book_test_util.h"

namespace qz::gui {
namespace {

namespace fs = std::filesystem;

constexpr int kReservations = 6429, kFile = 503, kFolder = 504, kCounter = 501, kState = 502;

class DbfObTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        hist = choose(kReservations);
        ASSERT_TRUE(hist);
        ASSERT_EQ(hist->objectName(), "SPA_HIST");
        WBLISTBOX* grid = hist->control_as<WBLISTBOX>(spa_hist::kGrid);
        ASSERT_TRUE(context_menu(grid->viewport(), "Exportar a Excel"));
        window_ = screen_as<DBF_OB>("DBF_OB");
        ASSERT_TRUE(window_);
    }
    template <class W>
    W* field(int id) {
        return window_->control_as<W>(id);
    }
    void press(int id) { QTest::mouseClick(window_->control(id), Qt::LeftButton); }
    fs::path book() const { return ctx.temp_dir / "GRID_Reservas Registradas.xlsx"; }

    QPointer<WDIAG> hist;
    QPointer<DBF_OB> window_;
};

TEST_F(DbfObTest, ExportsTheScreensGridAndGivesTheScreenBack) {
    EXPECT_EQ(active_screen(), window_.data());
    // Its frame fits it: no wide empty band around a window of fixed size.
    const QWidget* frame = window_->parentWidget();
    EXPECT_LE(frame->width() - window_->width(), 20);
    EXPECT_LE(frame->height() - window_->height(), 60);
    EXPECT_FALSE(hist->isEnabled());
    EXPECT_TRUE(window_->isEnabled());
    EXPECT_EQ(field<QLineEdit>(kFolder)->text().toStdString(), ctx.temp_dir.string());
    // The fields take what is typed.
    auto* file = field<QLineEdit>(kFile);
    file->setFocus();
    file->selectAll();
    QTest::keyClicks(file, "Reservas");
    EXPECT_EQ(file->text(), "Reservas");
    press(kCmdOk);
    settle();
    ASSERT_TRUE(fs::exists(book()));
    const auto sheet = qz::test::read_back(book()).at(0);
    EXPECT_EQ(qz::test::cell(sheet, 9, 1).text, "Código");
    EXPECT_EQ(qz::test::cell(sheet, 10, 1).text, "SPA000001");
    EXPECT_EQ(qz::test::cell(sheet, 15, 1).text, "SPA000006");
    EXPECT_FALSE(window_);
    EXPECT_TRUE(hist->isEnabled());
    EXPECT_EQ(active_screen(), hist.data());
    EXPECT_EQ(open_screens(), (QStringList{"AGEN_SPA", "SPA_HIST"}));
}

TEST_F(DbfObTest, MailingHandsTheBookToTheMailerAndStaysOpen) {
    // The main window lends the test's mail step instead of the session's address dialog.
    struct RecordingMail : FrameworkLinks {
        std::vector<FileMailRequest> mailed;
        bool mail_file(QWidget*, const FileMailRequest& r) override {
            mailed.push_back(r);
            return true;
        }
    } links;
    const auto& mailed = links.mailed;
    window->set_links(&links);
    press(201);
    window->set_links(ctx.navigation.get());
    ASSERT_EQ(mailed.size(), 1u);
    EXPECT_TRUE(mailed[0].grid);
    EXPECT_EQ(mailed[0].title, "Grid");
    EXPECT_EQ(mailed[0].file, book());
    EXPECT_EQ(field<QLabel>(kState)->text(), "Datos transferidos!");
    EXPECT_EQ(field<QLabel>(kCounter)->text(), "7");
    press(kCmdCancel);
    settle();
    EXPECT_FALSE(window_);
    EXPECT_TRUE(hist->isEnabled());
}

TEST_F(DbfObTest, EmptyFileNameIsRefusedAndNothingWritten) {
    field<QLineEdit>(kFile)->setText("  ");
    press(kCmdOk);
    EXPECT_EQ(boxes.last_text(), "Debe definir el nombre del archivo Destino");
    EXPECT_TRUE(window_);
    EXPECT_FALSE(fs::exists(book()));
}

TEST_F(DbfObTest, StopEndsTheExportAfterTheRowUnderWay) {
    test::post_click(window_->control(kCmdCancel));
    press(kCmdOk);
    settle();
    ASSERT_TRUE(fs::exists(book()));
    const auto sheet = qz::test::read_back(book()).at(0);
    EXPECT_EQ(qz::test::cell(sheet, 10, 1).text, "SPA000001");
    EXPECT_EQ(qz::test::cell(sheet, 11, 1).type, services::CellType::Empty);
}

}  // namespace
}  // namespace qz::gui
