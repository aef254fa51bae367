// The outside-file writer the engine calls: a cursor standing before its first
// row is written from that row. Both target kinds go through it end to end in
// the engine export tests.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "db/FileExternalWriter.h"
#include "db/XlsVectorRecordset.h"

namespace tw {
namespace {

using testing::VectorRecordset;

TEST(FileExternalWriter, WritesACursorStandingBeforeItsFirstRowFromThatRow) {
    QTemporaryDir dir;
    FileExternalWriter writer;
    VectorRecordset rows(
        {QStringLiteral("Name"), QStringLiteral("Kills")},
        {{Variant("Fred"), Variant(int64_t{12})}, {Variant("Ann"), Variant(int64_t{7})}});
    rows.standBeforeFirst();
    const ExternalTarget text{ExternalTarget::Kind::Text, QStringLiteral("Text;"), dir.path(),
                              QStringLiteral("Query.txt")};
    EXPECT_EQ(writer.writeTable(text, rows), 2);
    QFile file(dir.filePath(QStringLiteral("Query.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\"Name\",\"Kills\"\r\n\"Fred\",12\r\n\"Ann\",7\r\n"));
}

}  // namespace
}  // namespace tw
