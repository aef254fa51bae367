// Text tables written for SELECT ... INTO [Text;DATABASE=folder].[name.txt]
// and the schema.ini beside them, compared byte for byte.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include "db/AppError.h"
#include "db/ErrorOf.h"
#include "db/TextTableWriter.h"
#include "db/XlsVectorRecordset.h"

namespace tw {
namespace {

using testing::dateAt;
using testing::VectorRecordset;

VectorRecordset textPlayerRows() {
    return VectorRecordset(
        {QStringLiteral("Player_Gamertag"), QStringLiteral("Games"), QStringLiteral("Ratio"),
         QStringLiteral("Last_Download")},
        {
            {Variant("Fred"), Variant(int64_t{12}), Variant(1.25), dateAt(2005, 1, 5, 15, 7, 0)},
            {Variant("say \"hi\", Zoë"), Variant(int64_t{-3}), Variant(0.1 + 0.2),
             dateAt(2005, 1, 6, 0, 0, 0)},
            {Variant(""), Variant(), Variant(1e20), Variant()},
        });
}

const QByteArray kPlayersText =
    "\"Player_Gamertag\",\"Games\",\"Ratio\",\"Last_Download\"\r\n"
    "\"Fred\",12,1.25,1/5/2005 3:07:00 PM\r\n"
    "\"say \"\"hi\"\", Zo\xC3\xAB\",-3,0.3,1/6/2005\r\n"
    "\"\",,1E+20,\r\n";

const QByteArray kPlayersSchema =
    "[Player.txt]\r\n"
    "ColNameHeader=True\r\n"
    "Format=CSVDelimited\r\n"
    "CharacterSet=65001\r\n"
    "Col1=Player_Gamertag Char Width 255\r\n"
    "Col2=Games Long\r\n"
    "Col3=Ratio Double\r\n"
    "Col4=Last_Download DateTime\r\n";

// Bytes as std::string, so that a mismatch prints readable text.
std::string fileText(const QString& path) {
    QFile file(path);
    return (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>"))
        .toStdString();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(TextWriter, WritesQuotedTextPlainNumbersGeneralDatesAndEmptyNulls) {
    QTemporaryDir dir;
    VectorRecordset rows = textPlayerRows();
    EXPECT_EQ(TextTableWriter::writeTable(dir.path(), QStringLiteral("Player.txt"), rows), 3);
    EXPECT_EQ(fileText(dir.filePath(QStringLiteral("Player.txt"))), kPlayersText.toStdString());
    EXPECT_EQ(fileText(dir.filePath(QStringLiteral("schema.ini"))), kPlayersSchema.toStdString());
}

TEST(TextWriter, ColumnTypesFollowTheValues) {
    VectorRecordset rows({QStringLiteral("Mixed"), QStringLiteral("Empty"), QStringLiteral("Big"),
                          QStringLiteral("Long Quote"), QStringLiteral("Both")},
                         {
                             {Variant(int64_t{1}), Variant(), Variant(int64_t{5000000000}),
                              Variant("x"), Variant(int64_t{1})},
                             {Variant(2.5), Variant(), Variant(int64_t{1}),
                              Variant(QString(256, u'q')), Variant("one")},
                         });
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int64_t count = 0;
    const auto columns = TextTableWriter::writeRows(rows, buffer, &count);
    EXPECT_EQ(count, 2);
    QStringList types;
    for (const auto& column : columns) {
        types.append(column.name + u'=' + column.type);
    }
    EXPECT_EQ(types, (QStringList{"Mixed=Double", "Empty=Char Width 255", "Big=Double",
                                  "Long Quote=LongChar", "Both=Char Width 255"}));
    EXPECT_EQ(buffer.data(), QByteArray("\"Mixed\",\"Empty\",\"Big\",\"Long Quote\",\"Both\"\r\n"
                                        "1,,5000000000,\"x\",1\r\n"
                                        "2.5,,1,\"") +
                                 QByteArray(256, 'q') + "\",\"one\"\r\n");
}

TEST(TextWriter, ASecondTableAddsItsSectionAndKeepsTheRest) {
    QTemporaryDir dir;
    const QString schema = dir.filePath(QStringLiteral("schema.ini"));
    // A hand-written section is kept; a stale one for a file that is gone
    // is replaced; a last line without line end gets one.
    writeFile(schema,
              "[Notes.txt]\r\nColNameHeader=False\r\n[game.TXT]\r\nCol1=Old Text\r\n"
              "[Other.txt]\r\nFormat=TabDelimited");
    VectorRecordset players = textPlayerRows();
    TextTableWriter::writeTable(dir.path(), QStringLiteral("Player.txt"), players);
    VectorRecordset games({QStringLiteral("Game_ID"), QStringLiteral("Map Name")},
                          {{Variant(int64_t{501}), Variant("Lockout")}});
    TextTableWriter::writeTable(dir.path(), QStringLiteral("Game.txt"), games);

    EXPECT_EQ(fileText(dir.filePath(QStringLiteral("Game.txt"))),
              "\"Game_ID\",\"Map Name\"\r\n501,\"Lockout\"\r\n");
    const QByteArray expected = QByteArray(
                                    "[Notes.txt]\r\nColNameHeader=False\r\n"
                                    "[Other.txt]\r\nFormat=TabDelimited\r\n") +
                                kPlayersSchema +
                                "[Game.txt]\r\n"
                                "ColNameHeader=True\r\n"
                                "Format=CSVDelimited\r\n"
                                "CharacterSet=65001\r\n"
                                "Col1=Game_ID Long\r\n"
                                "Col2=\"Map Name\" Char Width 255\r\n";
    EXPECT_EQ(fileText(schema), expected.toStdString());
}

TEST(TextWriter, AnExistingFileIsRefusedAndKept) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Player.txt"));
    writeFile(path, "keep me");
    VectorRecordset rows = textPlayerRows();
    EXPECT_EQ(errorTextOf([&] {
                  TextTableWriter::writeTable(dir.path(), QStringLiteral("Player.txt"), rows);
              }),
              QStringLiteral("3010: Table 'Player.txt' already exists."));
    EXPECT_EQ(fileText(path), "keep me");
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("schema.ini"))));
}

TEST(TextWriter, AMissingFolderIsError3044) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("nowhere"));
    VectorRecordset rows = textPlayerRows();
    EXPECT_EQ(
        errorTextOf(
            [&] { TextTableWriter::writeTable(missing, QStringLiteral("Player.txt"), rows); }),
        QStringLiteral("3044: '%1' is not a valid path.  Make sure that the path name is spelled "
                       "correctly and that you are connected to the server on which the file "
                       "resides.")
            .arg(missing));
}

TEST(TextWriter, ASchemaFileThatCannotBeWrittenIsError3051AndTheTableStays) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("schema.ini")));  // in the way
    VectorRecordset rows = textPlayerRows();
    EXPECT_EQ(errorTextOf([&] {
                  TextTableWriter::writeTable(dir.path(), QStringLiteral("Player.txt"), rows);
              }),
              QStringLiteral("3051: Cannot open the file '%1'.").arg(dir.filePath("schema.ini")));
    EXPECT_EQ(fileText(dir.filePath(QStringLiteral("Player.txt"))), kPlayersText.toStdString());
}

TEST(TextWriter, NamesThatLeaveTheFolderOrHitTheSchemaAreRefused) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("inner"));
    const QString inner = dir.filePath(QStringLiteral("inner"));
    for (const QString& name :
         {QStringLiteral("../escape.txt"), QStringLiteral("a\\b.txt"), QStringLiteral("SCHEMA.INI"),
          QStringLiteral(" "), QStringLiteral("..")}) {
        VectorRecordset rows = textPlayerRows();
        QString description;
        EXPECT_EQ(errorOf([&] { TextTableWriter::writeTable(inner, name, rows); }, &description),
                  3125)
            << name.toStdString();
        EXPECT_TRUE(description.startsWith(u'\'' + name + QStringLiteral("' is not a valid name")));
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("escape.txt"))));
    EXPECT_TRUE(QDir(inner).isEmpty());
}

}  // namespace
}  // namespace tw
