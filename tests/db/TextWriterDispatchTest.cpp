// The outside-file writer the engine calls: dispatch on the target kind.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "db/FileExternalWriter.h"
#include "db/XlsReadBack.h"
#include "db/XlsVectorRecordset.h"

namespace tw {
namespace {

using testing::VectorRecordset;

VectorRecordset rows() {
    return VectorRecordset(
        {QStringLiteral("Name"), QStringLiteral("Kills")},
        {{Variant("Fred"), Variant(int64_t{12})}, {Variant("Ann"), Variant(int64_t{7})}});
}

TEST(FileExternalWriter, SendsEachKindToItsWriterFromTheFirstRow) {
    QTemporaryDir dir;
    FileExternalWriter writer;
    VectorRecordset forText = rows();
    forText.standBeforeFirst();
    const ExternalTarget text{ExternalTarget::Kind::Text, QStringLiteral("Text;"), dir.path(),
                              QStringLiteral("Query.txt")};
    EXPECT_EQ(writer.writeTable(text, forText), 2);
    QFile file(dir.filePath(QStringLiteral("Query.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\"Name\",\"Kills\"\r\n\"Fred\",12\r\n\"Ann\",7\r\n"));

    VectorRecordset forExcel = rows();
    const QString book = dir.filePath(QStringLiteral("MyQry_1.xls"));
    const ExternalTarget excel{ExternalTarget::Kind::Excel8, QStringLiteral("Excel 8.0;"), book,
                               QStringLiteral("Query")};
    EXPECT_EQ(writer.writeTable(excel, forExcel), 2);
    const auto read = testing::readWithXlrd(book);
    ASSERT_TRUE(read.ok) << read.problem.toStdString();
    ASSERT_EQ(read.sheets.size(), 1u);
    EXPECT_EQ(
        read.sheets[0].rows,
        (std::vector<QStringList>{{"T:Name", "T:Kills"}, {"T:Fred", "N:12"}, {"T:Ann", "N:7"}}));
}

}  // namespace
}  // namespace tw
