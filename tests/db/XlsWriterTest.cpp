// Workbooks written for SELECT ... INTO [Excel 8.0;...], read back with an
// independent reader.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include "db/AppError.h"
#include "db/ErrorOf.h"
#include "db/FileExternalWriterErrors.h"
#include "db/XlsReadBack.h"
#include "db/XlsVectorRecordset.h"
#include "db/XlsWriter.h"

namespace tw {
namespace {

using testing::ReadWithXlrd;
using testing::VectorRecordset;

Variant DateAt(int y, int mo, int d, int h, int mi, int s) {
    return Variant::FromDate(QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc()));
}

VectorRecordset Players() {
    return VectorRecordset(
        {QStringLiteral("Player_Gamertag"), QStringLiteral("Games"), QStringLiteral("Ratio"),
         QStringLiteral("Last_Download"), QStringLiteral("Personal_Quote")},
        {
            {Variant("Fred"), Variant(int64_t{12}), Variant(1.25), DateAt(2005, 1, 5, 18, 0, 0),
             Variant("say \"hi\", then go")},
            {Variant("Zoë Ω"), Variant(int64_t{-3}), Variant(0.1 + 0.2), Variant(), Variant("")},
            {Variant("Fred"), Variant(), Variant(), Variant(), Variant()},
        });
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class XlsWriterTest : public ::testing::Test {
  protected:
    QString PathOf(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(XlsWriterTest, OneSheetHoldsHeaderNumbersTextDatesAndEmptyNullCells) {
    VectorRecordset rows = Players();
    const QString path = PathOf(QStringLiteral("MyQry_3.xls"));
    EXPECT_EQ(XlsWriter::WriteTable(path, QStringLiteral("Query"), rows), 3);

    const auto book = ReadWithXlrd(path);
    ASSERT_TRUE(book.ok) << book.problem.toStdString();
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(book.sheets[0].name, QStringLiteral("Query"));
    const std::vector<QStringList> expected = {
        {"T:Player_Gamertag", "T:Games", "T:Ratio", "T:Last_Download", "T:Personal_Quote"},
        {"T:Fred", "N:12", "N:1.25", "D:38357.75", "T:say \"hi\", then go"},
        {"T:Zoë Ω", "N:-3", "N:0.3", "", "T:"},
        {"T:Fred", "", "", "", ""},
    };
    EXPECT_EQ(book.sheets[0].rows, expected);
    EXPECT_EQ(FileBytes(path).size() % 512, 0);
}

TEST_F(XlsWriterTest, AnEmptyResultGivesAHeaderRowOnly) {
    VectorRecordset rows({QStringLiteral("A"), QStringLiteral("B")}, {});
    const QString path = PathOf(QStringLiteral("empty.xls"));
    EXPECT_EQ(XlsWriter::WriteTable(path, QStringLiteral("Query"), rows), 0);
    const auto book = ReadWithXlrd(path);
    ASSERT_TRUE(book.ok) << book.problem.toStdString();
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(book.sheets[0].rows, (std::vector<QStringList>{{"T:A", "T:B"}}));
}

TEST_F(XlsWriterTest, ASecondTableBecomesASecondSheetAndKeepsTheFirst) {
    const QString path = PathOf(QStringLiteral("MyStats.xls"));
    VectorRecordset players = Players();
    XlsWriter::WriteTable(path, QStringLiteral("Player"), players);
    VectorRecordset games(
        {QStringLiteral("Game_ID"), QStringLiteral("Map")},
        {{Variant(int64_t{501}), Variant("Lockout")}, {Variant(int64_t{502}), Variant("Fred")}});
    EXPECT_EQ(XlsWriter::WriteTable(path, QStringLiteral("Game"), games), 2);
    VectorRecordset empty({QStringLiteral("Color_Code")}, {});
    XlsWriter::WriteTable(path, QStringLiteral("Color"), empty);

    const auto book = ReadWithXlrd(path);
    ASSERT_TRUE(book.ok) << book.problem.toStdString();
    ASSERT_EQ(book.sheets.size(), 3u);
    EXPECT_EQ(book.sheets[0].name, QStringLiteral("Player"));
    EXPECT_EQ(book.sheets[1].name, QStringLiteral("Game"));
    EXPECT_EQ(book.sheets[2].name, QStringLiteral("Color"));
    EXPECT_EQ(book.sheets[0].rows[2], (QStringList{"T:Zoë Ω", "N:-3", "N:0.3", "", "T:"}));
    EXPECT_EQ(book.sheets[1].rows,
              (std::vector<QStringList>{
                  {"T:Game_ID", "T:Map"}, {"N:501", "T:Lockout"}, {"N:502", "T:Fred"}}));
    EXPECT_EQ(book.sheets[2].rows, (std::vector<QStringList>{{"T:Color_Code"}}));
}

TEST_F(XlsWriterTest, AnExistingSheetNameIsRefusedAndTheFileKept) {
    const QString path = PathOf(QStringLiteral("twice.xls"));
    VectorRecordset first = Players();
    XlsWriter::WriteTable(path, QStringLiteral("Query"), first);
    const QByteArray before = FileBytes(path);

    VectorRecordset second = Players();
    QString description;
    EXPECT_EQ(ErrorOf([&] { XlsWriter::WriteTable(path, QStringLiteral("QUERY"), second); },
                      &description),
              3010);
    EXPECT_EQ(description, QStringLiteral("Table 'QUERY' already exists."));
    EXPECT_EQ(FileBytes(path), before);
}

TEST_F(XlsWriterTest, AFileThatIsNoWorkbookOfOursIsRefusedAndKept) {
    const QString text = PathOf(QStringLiteral("notes.xls"));
    {
        QFile file(text);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Name,Kills\r\nFred,12\r\n");
    }
    // A workbook of ours cut short, and one whose writer mark is gone.
    const QString whole = PathOf(QStringLiteral("whole.xls"));
    VectorRecordset rows = Players();
    XlsWriter::WriteTable(whole, QStringLiteral("Query"), rows);
    const QByteArray bytes = FileBytes(whole);
    const QString cut = PathOf(QStringLiteral("cut.xls"));
    const QString foreign = PathOf(QStringLiteral("foreign.xls"));
    QByteArray unmarked = bytes;
    unmarked.replace(QByteArray("Tallywick"), QByteArray("Spreadsht"));
    for (const auto& [path, content] :
         {std::pair{cut, bytes.left(1536)}, std::pair{foreign, unmarked}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    for (const QString& path : {text, cut, foreign}) {
        const QByteArray before = FileBytes(path);
        VectorRecordset more = Players();
        QString description;
        EXPECT_EQ(ErrorOf([&] { XlsWriter::WriteTable(path, QStringLiteral("Game"), more); },
                          &description),
                  3274)
            << path.toStdString();
        EXPECT_EQ(description, QStringLiteral("External table is not in the expected format."));
        EXPECT_EQ(FileBytes(path), before);
    }
}

TEST_F(XlsWriterTest, SheetNamesExcelRefusesAreRefused) {
    const QString path = PathOf(QStringLiteral("names.xls"));
    for (const QString& name : {QString(), QStringLiteral("a/b"), QStringLiteral("x[1]"),
                                QStringLiteral("'quoted'"), QString(32, u'n')}) {
        VectorRecordset rows = Players();
        QString description;
        EXPECT_EQ(ErrorOf([&] { XlsWriter::WriteTable(path, name, rows); }, &description), 3125)
            << name.toStdString();
        EXPECT_EQ(description, QStringLiteral("'%1' is not a valid name. Make sure that it does "
                                              "not include invalid characters or punctuation "
                                              "and that it is not too long.")
                                   .arg(name));
    }
    EXPECT_FALSE(QFile::exists(path));
    VectorRecordset rows = Players();
    EXPECT_EQ(XlsWriter::WriteTable(path, QString(31, u'n'), rows), 3);
}

TEST_F(XlsWriterTest, AFolderThatCannotBeWrittenIsError3051) {
    const QString path = PathOf(QStringLiteral("missing/folder/book.xls"));
    VectorRecordset rows = Players();
    QString description;
    EXPECT_EQ(
        ErrorOf([&] { XlsWriter::WriteTable(path, QStringLiteral("Query"), rows); }, &description),
        3051);
    EXPECT_EQ(description, QStringLiteral("Cannot open the file '%1'.").arg(path));
}

}  // namespace
}  // namespace tw
