// Workbooks written for SELECT ... INTO [Excel 8.0;...], read back with an
// independent reader.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "db/AppError.h"
#include "db/ErrorOf.h"
#include "db/XlsReadBack.h"
#include "db/XlsVectorRecordset.h"
#include "db/XlsWriter.h"

namespace tw {
namespace {

using testing::dateAt;
using testing::readWithXlrd;
using testing::VectorRecordset;

VectorRecordset playerRows() {
    return VectorRecordset(
        {QStringLiteral("Player_Gamertag"), QStringLiteral("Games"), QStringLiteral("Ratio"),
         QStringLiteral("Last_Download"), QStringLiteral("Personal_Quote")},
        {
            {Variant("Fred"), Variant(int64_t{12}), Variant(1.25), dateAt(2005, 1, 5, 18, 0, 0),
             Variant("say \"hi\", then go")},
            {Variant("Zoë Ω"), Variant(int64_t{-3}), Variant(0.1 + 0.2), Variant(), Variant("")},
            {Variant("Fred"), Variant(), Variant(), Variant(), Variant()},
        });
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class XlsWriterTest : public ::testing::Test {
  protected:
    QString pathOf(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(XlsWriterTest, OneSheetHoldsHeaderNumbersTextDatesAndEmptyNullCells) {
    VectorRecordset rows = playerRows();
    const QString path = pathOf(QStringLiteral("MyQry_3.xls"));
    EXPECT_EQ(XlsWriter::writeTable(path, QStringLiteral("Query"), rows), 3);

    const auto book = readWithXlrd(path);
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
    EXPECT_EQ(fileBytes(path).size() % 512, 0);
}

TEST_F(XlsWriterTest, AnEmptyResultGivesAHeaderRowOnly) {
    VectorRecordset rows({QStringLiteral("A"), QStringLiteral("B")}, {});
    const QString path = pathOf(QStringLiteral("empty.xls"));
    EXPECT_EQ(XlsWriter::writeTable(path, QStringLiteral("Query"), rows), 0);
    const auto book = readWithXlrd(path);
    ASSERT_TRUE(book.ok) << book.problem.toStdString();
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(book.sheets[0].rows, (std::vector<QStringList>{{"T:A", "T:B"}}));
}

TEST_F(XlsWriterTest, ASecondTableBecomesASecondSheetAndKeepsTheFirst) {
    const QString path = pathOf(QStringLiteral("MyStats.xls"));
    VectorRecordset players = playerRows();
    XlsWriter::writeTable(path, QStringLiteral("Player"), players);
    VectorRecordset games(
        {QStringLiteral("Game_ID"), QStringLiteral("Map")},
        {{Variant(int64_t{501}), Variant("Lockout")}, {Variant(int64_t{502}), Variant("Fred")}});
    EXPECT_EQ(XlsWriter::writeTable(path, QStringLiteral("Game"), games), 2);
    VectorRecordset empty({QStringLiteral("Color_Code")}, {});
    XlsWriter::writeTable(path, QStringLiteral("Color"), empty);

    const auto book = readWithXlrd(path);
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
    const QString path = pathOf(QStringLiteral("twice.xls"));
    VectorRecordset first = playerRows();
    XlsWriter::writeTable(path, QStringLiteral("Query"), first);
    const QByteArray before = fileBytes(path);

    VectorRecordset second = playerRows();
    EXPECT_EQ(errorTextOf([&] { XlsWriter::writeTable(path, QStringLiteral("QUERY"), second); }),
              QStringLiteral("3010: Table 'QUERY' already exists."));
    EXPECT_EQ(fileBytes(path), before);
}

TEST_F(XlsWriterTest, AFileThatIsNoWorkbookOfOursIsRefusedAndKept) {
    // A text file, a workbook of ours cut short, and one whose writer mark is gone.
    const QString whole = pathOf(QStringLiteral("whole.xls"));
    VectorRecordset rows = playerRows();
    XlsWriter::writeTable(whole, QStringLiteral("Query"), rows);
    const QByteArray bytes = fileBytes(whole);
    QByteArray unmarked = bytes;
    unmarked.replace(QByteArray("Tallywick"), QByteArray("Spreadsht"));
    for (const auto& [name, content] :
         {std::pair{"notes.xls", QByteArray("Name,Kills\r\nFred,12\r\n")},
          std::pair{"cut.xls", bytes.left(1536)}, std::pair{"foreign.xls", unmarked}}) {
        SCOPED_TRACE(name);
        const QString path = pathOf(QString::fromLatin1(name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
        file.close();
        VectorRecordset more = playerRows();
        EXPECT_EQ(errorTextOf([&] { XlsWriter::writeTable(path, QStringLiteral("Game"), more); }),
                  QStringLiteral("3274: External table is not in the expected format."));
        EXPECT_EQ(fileBytes(path), content);
    }
}

TEST_F(XlsWriterTest, SheetNamesExcelRefusesAreRefused) {
    const QString path = pathOf(QStringLiteral("names.xls"));
    for (const QString& name : {QString(), QStringLiteral("a/b"), QStringLiteral("x[1]"),
                                QStringLiteral("'quoted'"), QString(32, u'n')}) {
        VectorRecordset rows = playerRows();
        EXPECT_EQ(errorTextOf([&] { XlsWriter::writeTable(path, name, rows); }),
                  QStringLiteral("3125: '%1' is not a valid name. Make sure that it does not "
                                 "include invalid characters or punctuation and that it is not "
                                 "too long.")
                      .arg(name));
    }
    EXPECT_FALSE(QFile::exists(path));
    VectorRecordset rows = playerRows();
    EXPECT_EQ(XlsWriter::writeTable(path, QString(31, u'n'), rows), 3);
}

TEST_F(XlsWriterTest, AFolderThatCannotBeWrittenIsError3051) {
    const QString path = pathOf(QStringLiteral("missing/folder/book.xls"));
    VectorRecordset rows = playerRows();
    EXPECT_EQ(errorTextOf([&] { XlsWriter::writeTable(path, QStringLiteral("Query"), rows); }),
              QStringLiteral("3051: Cannot open the file '%1'.").arg(path));
}

}  // namespace
}  // namespace tw
