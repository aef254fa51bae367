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

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList Entries(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                               QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

VectorRecordset Kills(int rows) {
    std::vector<std::vector<Variant>> values;
    for (int i = 0; i < rows; ++i) {
        values.push_back({Variant(QStringLiteral("Player %1").arg(i)), Variant(int64_t{i})});
    }
    return VectorRecordset({QStringLiteral("Player_Gamertag"), QStringLiteral("Kills")},
                           std::move(values));
}

TEST(SafeFile, ReplacesTheWholeFileOnlyAtCommit) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    Put(path, "old page");
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
        EXPECT_EQ(Bytes(path), "old page");  // nothing in place before commit
        ASSERT_TRUE(file.commit());
        EXPECT_EQ(Bytes(path), expected);
    }
    EXPECT_EQ(Entries(dir.path()), QStringList{"page.html"});
}

TEST(SafeFile, CancelCloseOrDestroyingBeforeCommitKeepTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tallywick110.ini"));
    Put(path, "[User]\r\nGamertag=Ann\r\n");
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
    EXPECT_EQ(Bytes(path), "[User]\r\nGamertag=Ann\r\n");
    EXPECT_EQ(Entries(dir.path()), QStringList{"tallywick110.ini"});
}

TEST(SafeFile, AFileThatCannotBeMadeGivesFalseAndTheReason) {
    QTemporaryDir dir;
    QString reason;
    EXPECT_FALSE(writeFileSafely(dir.filePath(QStringLiteral("missing/out.csv")), "a", &reason));
    EXPECT_EQ(reason, "No such file or directory");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.xls")));
    EXPECT_FALSE(writeFileSafely(dir.filePath(QStringLiteral("folder.xls")), "a", &reason));
    EXPECT_EQ(reason, "Filename refers to a directory");
    EXPECT_EQ(Entries(dir.path()), QStringList{"folder.xls"});
}

using FullDisk = test_support::SmallDiskTest;

TEST_F(FullDisk, AWriteFailsWithTheReasonKeepsTheOldBytesAndSucceedsOnceThereIsRoom) {
    const QString path = disk_.filePath(QStringLiteral("tallywick110.ini"));
    const QByteArray old = "[User]\r\nGamertag=Ann\r\n";
    Put(path, old);
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
    EXPECT_EQ(Bytes(path), old);
    EXPECT_EQ(disk_.entries(), QStringList{"tallywick110.ini"});

    // Streamed: the failure met part-way shows at commit.
    SafeFile streamed(path);
    ASSERT_TRUE(streamed.open());
    for (int i = 0; i < 100; ++i) {
        streamed.write(QByteArray(1000, 's'));
    }
    EXPECT_FALSE(streamed.commit());
    EXPECT_EQ(streamed.errorString(), "No space left on device");
    EXPECT_EQ(Bytes(path), old);
    EXPECT_EQ(disk_.entries(), QStringList{"tallywick110.ini"});

    disk_.freeSpace();
    EXPECT_TRUE(writeFileSafely(path, "[User]\r\nGamertag=Bob\r\n", &reason));
    EXPECT_EQ(Bytes(path), "[User]\r\nGamertag=Bob\r\n");
    EXPECT_EQ(disk_.entries(), QStringList{"tallywick110.ini"});
}

TEST_F(FullDisk, AWorkbookKeepsItsSheetsWhenTheNextOneFindsNoRoom) {
    const QString path = disk_.filePath(QStringLiteral("career.xls"));
    VectorRecordset first = Kills(3);
    ASSERT_EQ(XlsWriter::WriteTable(path, QStringLiteral("First"), first), 3);
    const QByteArray before = Bytes(path);
    ASSERT_TRUE(disk_.fill());

    VectorRecordset second = Kills(50);
    QString description;
    EXPECT_EQ(ErrorOf([&] { XlsWriter::WriteTable(path, QStringLiteral("Second"), second); },
                      &description),
              3051);
    EXPECT_EQ(description, QStringLiteral("Cannot open the file '%1'.").arg(path));
    EXPECT_EQ(Bytes(path), before);
    EXPECT_EQ(disk_.entries(), QStringList{"career.xls"});

    disk_.freeSpace();
    VectorRecordset again = Kills(50);
    EXPECT_EQ(XlsWriter::WriteTable(path, QStringLiteral("Second"), again), 50);
    // Both sheets are in the file now: a third of either name is refused.
    for (const QString& name : {QStringLiteral("first"), QStringLiteral("SECOND")}) {
        VectorRecordset more = Kills(1);
        EXPECT_EQ(ErrorOf([&] { XlsWriter::WriteTable(path, name, more); }, &description), 3010);
    }
    EXPECT_EQ(disk_.entries(), QStringList{"career.xls"});
}

TEST_F(FullDisk, ATextTableThatFindsNoRoomLeavesTheFolderAsItWas) {
    VectorRecordset first = Kills(2);
    ASSERT_EQ(TextTableWriter::WriteTable(disk_.path(), QStringLiteral("Game.txt"), first), 2);
    const QString schema = disk_.filePath(QStringLiteral("schema.ini"));
    const QByteArray schemaBefore = Bytes(schema);
    const QByteArray gameBefore = Bytes(disk_.filePath(QStringLiteral("Game.txt")));
    ASSERT_TRUE(disk_.fill());

    VectorRecordset players = Kills(40);
    QString description;
    EXPECT_EQ(ErrorOf(
                  [&] {
                      TextTableWriter::WriteTable(disk_.path(), QStringLiteral("Player.txt"),
                                                  players);
                  },
                  &description),
              3051);
    EXPECT_EQ(description, QStringLiteral("Cannot open the file '%1'.")
                               .arg(disk_.filePath(QStringLiteral("Player.txt"))));
    EXPECT_EQ(Bytes(schema), schemaBefore);
    EXPECT_EQ(Bytes(disk_.filePath(QStringLiteral("Game.txt"))), gameBefore);
    EXPECT_EQ(disk_.entries(), (QStringList{"Game.txt", "schema.ini"}));

    disk_.freeSpace();
    VectorRecordset again = Kills(40);
    EXPECT_EQ(TextTableWriter::WriteTable(disk_.path(), QStringLiteral("Player.txt"), again), 40);
    EXPECT_TRUE(Bytes(schema).startsWith(schemaBefore));
    EXPECT_TRUE(Bytes(schema).contains("[Player.txt]\r\n"));
    EXPECT_EQ(disk_.entries(), (QStringList{"Game.txt", "Player.txt", "schema.ini"}));
}

}  // namespace
}  // namespace tw
