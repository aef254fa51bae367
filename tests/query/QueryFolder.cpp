#include "QueryFolder.h"

#include "ExportReaders.h"
#include "support/SqliteFile.h"
#include "support/TestApplication.h"

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "gui/MainWindowLifecycle.h"
#include "gui/ResultGrid.h"
#include "gui/TagListPanel.h"

namespace tw::testing {

void QueryFolderTest::SetUp() {
    test_support::ensureApplication();
    ASSERT_TRUE(dir_.isValid());
    for (const char* folder : {"avatar", "level", "medal"}) {
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QString::fromLatin1(folder)));
    }
    ASSERT_TRUE(QFile::copy(QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/avatar/unknown.jpg"),
                            filePath(QStringLiteral("avatar/unknown.jpg"))));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TALLYWICK_PROGRAM_DIR "/tallywick110.mdb"),
                            filePath(QStringLiteral("tallywick110.mdb"))))
        << "the delivered database is built into " TALLYWICK_PROGRAM_DIR;
    QFile::setPermissions(filePath(QStringLiteral("tallywick110.mdb")),
                          QFile::ReadOwner | QFile::WriteOwner);
}

void QueryFolderTest::TearDown() {
    window_.reset();
    state_.reset();
}

void QueryFolderTest::seed(const char* sql) {
    ASSERT_EQ(test_support::runSql(filePath(QStringLiteral("tallywick110.mdb")), sql), "");
}

void QueryFolderTest::load(const std::vector<SavedQuery>& queries, const QByteArray& application) {
    // The test's own lines come first: the first of two equal keys is the one read.
    QByteArray ini = "[User]\r\nGamertag=Fred\r\n[Application]\r\n" + application +
                     "Auto_Grid_Highlight=1\r\nQuery_Export_Format=1\r\nQuery_Count=" +
                     QByteArray::number(static_cast<int>(queries.size())) + "\r\n";
    for (size_t n = 0; n < queries.size(); ++n) {
        ini += "[Query_" + QByteArray::number(static_cast<int>(n + 1)) +
               "]\r\nName=" + queries[n].name.toUtf8() + "\r\nSQL=" + queries[n].sql.toUtf8() +
               "\r\n";
    }
    QFile file(filePath(QStringLiteral("tallywick110.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(ini);
    file.close();

    window_ = std::make_unique<MainWindow>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    state_ = std::make_unique<Session>();
    state_->prompter = prompter_.get();
    state_->sleep = [](int) {};
    state_->clock = [] { return QDateTime(QDate(2005, 1, 30), QTime(14, 30, 5)); };
    connectTagList(*state_, *window_, {});
    panel_ = new QueryPanel(*state_, *window_);
    loadMainWindow(*state_, *window_, dir_.path());
    ASSERT_TRUE(state_->db);
    window_->show();
    QApplication::processEvents();
}

void QueryFolderTest::Run(int index) {
    queryList().setCurrentIndex(index);
    control<QPushButton>("cmdRunQuery").click();
}

void QueryFolderTest::selectFilters(int player, int game) {
    control<QRadioButton>(("optFilterPlayer_" + std::to_string(player)).c_str()).setChecked(true);
    control<QRadioButton>(("optFilterGame_" + std::to_string(game)).c_str()).setChecked(true);
}

ResultGrid& QueryFolderTest::resultGrid() const {
    return control<ResultGrid>("flxData");
}

QComboBox& QueryFolderTest::queryList() const {
    return control<QComboBox>("cmbQuery");
}

QLabel& QueryFolderTest::recordCount() const {
    return control<QLabel>("lblRecordCount");
}

QChartView& QueryFolderTest::resultChart() const {
    return control<QChartView>("chtData");
}

QLabel& QueryFolderTest::arrow(bool ascending) const {
    return control<QLabel>(ascending ? "imgAscending" : "imgDescending");
}

QMenu& QueryFolderTest::gridMenu() const {
    return control<QMenu>("mnuFlexGrid");
}

QAction& QueryFolderTest::insertIntoTagList() const {
    return control<QAction>("mnuTagListInsert");
}

void QueryFolderTest::putPicture(const QString& relative, const QByteArray& format) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(filePath(relative), format.constData()));
}

QString QueryFolderTest::cell(int row, int col) const {
    return resultGrid().textMatrix(row, col);
}

uint32_t QueryFolderTest::backColor(int row, int col) const {
    resultGrid().setRow(row);
    resultGrid().setCol(col);
    return resultGrid().cellBackColor();
}

QByteArray QueryFolderTest::debugLog() const {
    return fileContents(filePath(QStringLiteral("debug.log")));
}

void QueryFolderTest::clickCell(int row, int col, Qt::MouseButton button) {
    ResultGrid& grid = resultGrid();
    grid.scrollTo(grid.model()->index(row, col));
    const QPoint at = grid.visualRect(grid.model()->index(row, col)).center();
    QTest::mousePress(grid.viewport(), button, {}, at);
    QTest::mouseRelease(grid.viewport(), button, {}, at);
}

}  // namespace tw::testing
