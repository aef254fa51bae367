// `tallywick report --out` and `tallywick query --out` aimed at a disk with
// no room left (a small tmpfs, mounted when the tests run as root): the job
// fails with exit code 1 and says why, the older file keeps its bytes, no
// temporary is left, and the same command succeeds once room is freed.

#include <QFileInfo>

#include "cli/BatchProgram.h"
#include "support/SmallDisk.h"

namespace tw::testing {
namespace {

class BatchFullDiskTest : public BatchProgramTest {
  protected:
    void SetUp() override {
        if (!disk_.mounted()) {
            GTEST_SKIP() << "no small disk: " << disk_.whyNot().toStdString();
        }
        BatchProgramTest::SetUp();
        startSite({3, 25, 10, 13});
        tags_ = site().featuredGamertags();
        prepareDeliveredProgram(tags_, tags_[0]);
        const BatchRun download = runBatch({QStringLiteral("download"), QStringLiteral("--all")});
        ASSERT_EQ(download.exitCode, 0) << download.err.constData();
    }
    void put(const QString& path, const QByteArray& bytes) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    test_support::SmallDisk disk_;
    QStringList tags_;
};

TEST_F(BatchFullDiskTest, AReportCopyFailsWithTheReasonAndTheOlderFileStays) {
    const QString out = disk_.filePath(QStringLiteral("clan.html"));
    put(out, "older page\r\n");
    ASSERT_TRUE(disk_.fill());

    const QStringList command = {QStringLiteral("report"), tags_[1], QStringLiteral("--out"), out};
    const BatchRun full = runBatch(command);
    EXPECT_EQ(full.exitCode, 1);
    // After the report's own lines (it was made in the program folder).
    EXPECT_EQ(
        linesOf(full.errText()).last(),
        QStringLiteral("tallywick: \"%1\" cannot be written. No space left on device").arg(out));
    EXPECT_EQ(readFile(out), "older page\r\n");
    EXPECT_EQ(disk_.entries(), QStringList{"clan.html"});

    disk_.freeSpace();
    const BatchRun freed = runBatch(command);
    EXPECT_EQ(freed.exitCode, 0) << freed.err.constData();
    QString stem = tags_[1];
    stem.replace(QLatin1Char(' '), QLatin1Char('_'));
    EXPECT_EQ(readFile(out), readFile(filePath(QStringLiteral("tps/") + stem + ".html")));
    EXPECT_EQ(disk_.entries(), QStringList{"clan.html"});
}

TEST_F(BatchFullDiskTest, AQueryExportThatFindsNoRoomIsError75AndTheOlderFileStays) {
    // The grid's formats replace an older file; the workbook gets its sheet
    // added to one, so it starts without.
    for (const char* format : {"csv", "html", "xml", "xls"}) {
        SCOPED_TRACE(format);
        const bool workbook = QLatin1String(format) == QLatin1String("xls");
        const QString out = disk_.filePath(QStringLiteral("career.") + QLatin1String(format));
        if (!workbook) {
            put(out, "older export\r\n");
        }
        const QStringList before = disk_.entries();
        ASSERT_TRUE(disk_.fill());
        const QStringList command = {QStringLiteral("query"),    QStringLiteral("1"),
                                     QStringLiteral("--format"), QLatin1String(format),
                                     QStringLiteral("--out"),    out};
        const BatchRun full = runBatch(command);
        EXPECT_EQ(full.exitCode, 1);
        EXPECT_TRUE(full.errText().contains(workbook ? QStringLiteral("Error #: 3051")
                                                     : QStringLiteral("Error #: 75")))
            << full.err.constData();
        if (workbook) {
            EXPECT_FALSE(QFileInfo::exists(out));
        } else {
            EXPECT_EQ(readFile(out), "older export\r\n");
        }
        EXPECT_EQ(disk_.entries(), before);

        disk_.freeSpace();
        const BatchRun freed = runBatch(command);
        EXPECT_EQ(freed.exitCode, 0) << freed.err.constData();
        EXPECT_GT(readFile(out).size(), 100);
        ASSERT_TRUE(QFile::remove(out));
    }
}

}  // namespace
}  // namespace tw::testing
