// Files written whole or not at all: SafeFile on an ordinary folder, then the
// workbook and text-table writers on a disk with no room left (a small tmpfs,
// mounted when the tests run as root).

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "db/AppError.h"
#include "db/ErrorOf.h"
#include "db/SafeFile.h"
#include "db/TextTableWriter.h"
#include "db/XlsVectorRecordset.h"
#include "db/XlsWriter.h"
#include "support/QtPrinters.h"
#include "support/SmallDisk.h"

namespace tw {
namespace {

using testing::VectorRecordset;

QByteArray bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList entries(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                               QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

VectorRecordset kills(int rows) {
    std::vector<std::vector<Variant>> values;
    values.reserve(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        values.push_back({Variant(QStringLiteral("Player %1").arg(i)), Variant(int64_t{i})});
    }
    return VectorRecordset({QStringLiteral("Player_Gamertag"), QStringLiteral("Kills")},
                           std::move(values));
}

TEST(SafeFile, ReplacesTheWholeFileOnlyAtCommit) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    put(path, "old page");
    {
        SafeFile file(path);
        ASSERT_TRUE(file.open());
        // Small pieces and one larger than the gathering buffer, in order.
        QByteArray expected;
        for (int i = 0; i < 5000; ++i) {
            const QByteArray line = "line " + QByteArray::number(i) + "\r\n";
            ASSERT_EQ(file.write(line), line.size());
            expected += line;
        }
        const QByteArray block(200000, 'b');
        ASSERT_EQ(file.write(block), block.size());
        expected += block + "end";
        ASSERT_EQ(file.write("end", 3), 3);
        EXPECT_EQ(bytes(path), "old page");  // nothing in place before commit
        ASSERT_TRUE(file.commit());
        EXPECT_EQ(bytes(path), expected);
    }
    EXPECT_EQ(entries(dir.path()), QStringList{"page.html"});
}

TEST(SafeFile, CancelCloseOrDestroyingBeforeCommitKeepTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tallywick110.ini"));
    put(path, "[User]\r\nGamertag=Ann\r\n");
    {
        SafeFile cancelled(path);
        ASSERT_TRUE(cancelled.open());
        cancelled.write("half");
        cancelled.cancel();
        EXPECT_FALSE(cancelled.commit());
        SafeFile closed(path);
        ASSERT_TRUE(closed.open());
        closed.write("half");
        closed.close();
        SafeFile dropped(path);
        ASSERT_TRUE(dropped.open());
        dropped.write(QByteArray(100000, 'h'));
    }
    EXPECT_EQ(bytes(path), "[User]\r\nGamertag=Ann\r\n");
    EXPECT_EQ(entries(dir.path()), QStringList{"tallywick110.ini"});
}

TEST(SafeFile, AFileThatCannotBeMadeGivesFalseAndTheReason) {
    QTemporaryDir dir;
    QString reason;
    EXPECT_FALSE(writeFileSafely(dir.filePath(QStringLiteral("missing/out.csv")), "a", &reason));
    EXPECT_EQ(reason, "No such file or directory");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.xls")));
    EXPECT_FALSE(writeFileSafely(dir.filePath(QStringLiteral("folder.xls")), "a", &reason));
    EXPECT_EQ(reason, "Filename refers to a directory");
    EXPECT_EQ(entries(dir.path()), QStringList{"folder.xls"});
}

using FullDisk = test_support::SmallDiskTest;

TEST_F(FullDisk, AWriteFailsWithTheReasonKeepsTheOldBytesAndSucceedsOnceThereIsRoom) {
    const QString path = disk_.filePath(QStringLiteral("tallywick110.ini"));
    const QByteArray old = "[User]\r\nGamertag=Ann\r\n";
    put(path, old);
    {
        // While it is written the temporary has no name: a kill leaves nothing.
        SafeFile file(path);
        ASSERT_TRUE(file.open());
        ASSERT_EQ(file.write(QByteArray(100000, 'n')), 100000);
        EXPECT_EQ(disk_.entries(), QStringList{"tallywick110.ini"});
    }
    ASSERT_TRUE(disk_.fill());
    QString reason;
    EXPECT_FALSE(writeFileSafely(path, "[User]\r\nGamertag=Bob\r\n", &reason));
    EXPECT_EQ(reason, "No space left on device");
    EXPECT_EQ(bytes(path), old);
    EXPECT_EQ(disk_.entries(), QStringList{"tallywick110.ini"});

    // Streamed: the failure met part-way shows at commit.
    SafeFile streamed(path);
    ASSERT_TRUE(streamed.open());
    for (int i = 0; i < 100; ++i) {
        streamed.write(QByteArray(1000, 's'));
    }
    EXPECT_FALSE(streamed.commit());
    EXPECT_EQ(streamed.errorString(), "No space left on device");
    EXPECT_EQ(bytes(path), old);
    EXPECT_EQ(disk_.entries(), QStringList{"tallywick110.ini"});

    disk_.freeSpace();
    EXPECT_TRUE(writeFileSafely(path, "[User]\r\nGamertag=Bob\r\n", &reason));
    EXPECT_EQ(bytes(path), "[User]\r\nGamertag=Bob\r\n");
    EXPECT_EQ(disk_.entries(), QStringList{"tallywick110.ini"});
}

TEST_F(FullDisk, AWorkbookKeepsItsSheetsWhenTheNextOneFindsNoRoom) {
    const QString path = disk_.filePath(QStringLiteral("career.xls"));
    VectorRecordset first = kills(3);
    ASSERT_EQ(XlsWriter::writeTable(path, QStringLiteral("First"), first), 3);
    const QByteArray before = bytes(path);
    ASSERT_TRUE(disk_.fill());

    VectorRecordset second = kills(50);
    EXPECT_EQ(errorTextOf([&] { XlsWriter::writeTable(path, QStringLiteral("Second"), second); }),
              QStringLiteral("3051: Cannot open the file '%1'.").arg(path));
    EXPECT_EQ(bytes(path), before);
    EXPECT_EQ(disk_.entries(), QStringList{"career.xls"});

    disk_.freeSpace();
    VectorRecordset again = kills(50);
    EXPECT_EQ(XlsWriter::writeTable(path, QStringLiteral("Second"), again), 50);
    // Both sheets are in the file now: a third of either name is refused.
    for (const QString& name : {QStringLiteral("first"), QStringLiteral("SECOND")}) {
        VectorRecordset more = kills(1);
        EXPECT_EQ(errorTextOf([&] { XlsWriter::writeTable(path, name, more); }),
                  QStringLiteral("3010: Table '%1' already exists.").arg(name));
    }
    EXPECT_EQ(disk_.entries(), QStringList{"career.xls"});
}

TEST_F(FullDisk, ATextTableThatFindsNoRoomLeavesTheFolderAsItWas) {
    VectorRecordset first = kills(2);
    ASSERT_EQ(TextTableWriter::writeTable(disk_.path(), QStringLiteral("Game.txt"), first), 2);
    const QString schema = disk_.filePath(QStringLiteral("schema.ini"));
    const QByteArray schemaBefore = bytes(schema);
    const QByteArray gameBefore = bytes(disk_.filePath(QStringLiteral("Game.txt")));
    ASSERT_TRUE(disk_.fill());

    VectorRecordset players = kills(40);
    EXPECT_EQ(errorTextOf([&] {
                  TextTableWriter::writeTable(disk_.path(), QStringLiteral("Player.txt"), players);
              }),
              QStringLiteral("3051: Cannot open the file '%1'.")
                  .arg(disk_.filePath(QStringLiteral("Player.txt"))));
    EXPECT_EQ(bytes(schema), schemaBefore);
    EXPECT_EQ(bytes(disk_.filePath(QStringLiteral("Game.txt"))), gameBefore);
    EXPECT_EQ(disk_.entries(), (QStringList{"Game.txt", "schema.ini"}));

    disk_.freeSpace();
    VectorRecordset again = kills(40);
    EXPECT_EQ(TextTableWriter::writeTable(disk_.path(), QStringLiteral("Player.txt"), again), 40);
    EXPECT_TRUE(bytes(schema).startsWith(schemaBefore));
    EXPECT_TRUE(bytes(schema).contains("[Player.txt]\r\n"));
    EXPECT_EQ(disk_.entries(), (QStringList{"Game.txt", "Player.txt", "schema.ini"}));
}

}  // namespace
}  // namespace tw
