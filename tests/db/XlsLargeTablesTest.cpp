// Workbooks whose shared strings run over several records and whose size
// needs more than the header's 109 FAT sectors; tables larger than a sheet.

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

using testing::readWithXlrd;
using testing::VectorRecordset;

// Strings of every length class: short, longer than one record, Latin-1 and
// wide characters, so that string headers and characters meet record ends at
// many different places.
std::vector<std::vector<Variant>> textRows(int count) {
    std::vector<std::vector<Variant>> rows;
    for (int i = 0; i < count; ++i) {
        const QChar letter = (i % 3 == 0) ? QChar(0x3A9 + i % 20) : QChar(u'a' + i % 26);
        const int length = (i % 7 == 0) ? 9000 + i : 1 + (i * 37) % 300;
        rows.push_back({Variant(QString(length, letter) + QString::number(i)), Variant(i)});
    }
    return rows;
}

TEST(XlsSharedStrings, LongAndWideStringsSurviveWritingAndRereading) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("strings.xls"));
    const auto data = textRows(400);
    VectorRecordset first({QStringLiteral("Text"), QStringLiteral("N")}, data);
    XlsWriter::writeTable(path, QStringLiteral("First"), first);
    // The second sheet makes the writer read its own shared strings back.
    VectorRecordset second({QStringLiteral("Text"), QStringLiteral("N")}, textRows(50));
    XlsWriter::writeTable(path, QStringLiteral("Second"), second);

    const auto book = readWithXlrd(path);
    ASSERT_TRUE(book.ok) << book.problem.toStdString();
    ASSERT_EQ(book.sheets.size(), 2u);
    ASSERT_EQ(book.sheets[0].rows.size(), data.size() + 1);
    for (size_t i = 0; i < data.size(); ++i) {
        EXPECT_EQ(book.sheets[0].rows[i + 1][0], QStringLiteral("T:") + data[i][0].toText()) << i;
    }
    EXPECT_EQ(book.sheets[1].rows[50][0], QStringLiteral("T:") + data[49][0].toText());
}

TEST(XlsSharedStrings, TextLongerThanACellHoldsIsCut) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.xls"));
    VectorRecordset rows({QStringLiteral("Quote")}, {{Variant(QString(40000, u'q'))}});
    XlsWriter::writeTable(path, QStringLiteral("Query"), rows);
    const auto book = readWithXlrd(path);
    ASSERT_TRUE(book.ok) << book.problem.toStdString();
    EXPECT_EQ(book.sheets[0].rows[1][0], QStringLiteral("T:") + QString(32767, u'q'));
}

TEST(XlsLargeWorkbook, MoreThan109FatSectorsAndAFullSheet) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.xls"));
    std::vector<std::vector<Variant>> data;
    for (int r = 0; r < 65535; ++r) {
        std::vector<Variant> row;
        row.reserve(8);
        for (int c = 0; c < 8; ++c) {
            row.push_back(Variant(r * 8 + c + 0.5));
        }
        data.push_back(std::move(row));
    }
    QStringList names;
    for (int c = 0; c < 8; ++c) {
        names.append(QStringLiteral("C%1").arg(c));
    }
    VectorRecordset rows(names, data);
    EXPECT_EQ(XlsWriter::writeTable(path, QStringLiteral("Big"), rows), 65535);
    EXPECT_GT(QFile(path).size(), 109 * 128 * 512);
    VectorRecordset small({QStringLiteral("X")}, {{Variant("after")}});
    XlsWriter::writeTable(path, QStringLiteral("Small"), small);

    const auto book = readWithXlrd(path, true);
    ASSERT_TRUE(book.ok) << book.problem.toStdString();
    ASSERT_EQ(book.sheets.size(), 2u);
    EXPECT_EQ(book.sheets[0].rowCount, 65536);
    EXPECT_EQ(book.sheets[0].columnCount, 8);
    EXPECT_EQ(book.sheets[0].rows[0].last(), QStringLiteral("N:524279.5"));
    EXPECT_EQ(book.sheets[1].rows[0], QStringList{QStringLiteral("T:after")});
}

TEST(XlsLargeWorkbook, TablesLargerThanASheetAreRefusedBeforeWriting) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("refused.xls"));
    std::vector<std::vector<Variant>> tall(65536, std::vector<Variant>{Variant(1)});
    VectorRecordset tallRows({QStringLiteral("N")}, tall);
    EXPECT_EQ(errorTextOf([&] { XlsWriter::writeTable(path, QStringLiteral("Tall"), tallRows); }),
              QStringLiteral("3000: The table has more rows than a worksheet holds."));

    QStringList names;
    for (int c = 0; c < 257; ++c) {
        names.append(QStringLiteral("C%1").arg(c));
    }
    VectorRecordset wide(names, {});
    EXPECT_EQ(errorTextOf([&] { XlsWriter::writeTable(path, QStringLiteral("Wide"), wide); }),
              QStringLiteral("3000: The table has more columns than a worksheet holds."));
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
}  // namespace tw
