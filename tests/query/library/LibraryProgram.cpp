#include "LibraryProgram.h"

#include <QDir>
#include <QImage>

#include "core/IniFile.h"
#include "db/Database.h"

namespace tw::testing {

std::vector<Delivered> deliveredQueries() {
    const IniFile ini(QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/tallywick110.ini"));
    std::vector<Delivered> queries;
    const int count =
        ini.read(QStringLiteral("Application"), QStringLiteral("Query_Count")).toInt();
    for (int n = 1; n <= count; ++n) {
        const QString section = QStringLiteral("Query_") + QString::number(n);
        queries.push_back(
            {ini.read(section, QStringLiteral("Name")), ini.read(section, QStringLiteral("SQL"))});
    }
    return queries;
}

PlayerFilter playerFilterAt(int option) {
    return static_cast<PlayerFilter>(option - 1);
}

GameFilter gameFilterAt(int option) {
    return static_cast<GameFilter>(option - 1);
}

void LibraryProgramTest::installLibrary(const std::vector<Delivered>& queries) {
    for (size_t n = 0; n < queries.size(); ++n) {
        state_->queryNames[n + 1] = queries[n].name;
        state_->querySql[n + 1] = queries[n].sql;
    }
    state_->settings.queryCount = static_cast<int16_t>(queries.size());
}

void LibraryProgramTest::drawPictures() {
    ASSERT_TRUE(QDir(folder()).mkpath(QStringLiteral("level")));
    ASSERT_TRUE(QDir(folder()).mkpath(QStringLiteral("medal")));
    QImage image(6, 6, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int level = 0; level <= 99; ++level) {
        ASSERT_TRUE(image.save(
            filePath(QStringLiteral("level/L%1.bmp").arg(level, 2, 10, QLatin1Char('0'))), "BMP"));
    }
    auto medals = state_->db->openRecordset(QStringLiteral("SELECT Medal_Name FROM Medal"));
    for (; !medals->isEof(); medals->moveNext()) {
        ASSERT_TRUE(image.save(
            filePath(QStringLiteral("medal/") + medals->field(0).toText() + QStringLiteral(".bmp")),
            "BMP"));
    }
    medals->close();
}

void LibraryProgramTest::downloadWorldWithLibrary(std::vector<Delivered>* queries) {
    startSite({3, 60, 10, 7});
    const QStringList tags = site().featuredGamertags();
    prepareProgram(tags, tags[0], {}, {QStringLiteral("Download_All_Tag_List=1")});
    load();
    pressDownload();
    ASSERT_TRUE(prompter_->calls().empty());
    *queries = deliveredQueries();
    installLibrary(*queries);
    drawPictures();
}

}  // namespace tw::testing
