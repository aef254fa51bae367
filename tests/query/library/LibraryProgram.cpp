#include "LibraryProgram.h"

#include <QDir>
#include <QImage>

#include "core/IniFile.h"
#include "db/Database.h"

namespace tw::testing {

std::vector<Delivered> DeliveredQueries() {
    const IniFile ini(QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/tallywick110.ini"));
    std::vector<Delivered> queries;
    const int count =
        ini.Read(QStringLiteral("Application"), QStringLiteral("Query_Count")).toInt();
    for (int n = 1; n <= count; ++n) {
        const QString section = QStringLiteral("Query_") + QString::number(n);
        queries.push_back(
            {ini.Read(section, QStringLiteral("Name")), ini.Read(section, QStringLiteral("SQL"))});
    }
    return queries;
}

PlayerFilter PlayerFilterAt(int option) {
    return static_cast<PlayerFilter>(option - 1);
}

GameFilter GameFilterAt(int option) {
    return static_cast<GameFilter>(option - 1);
}

void LibraryProgramTest::InstallLibrary(const std::vector<Delivered>& queries) {
    for (size_t n = 0; n < queries.size(); ++n) {
        state_->QueryNames[n + 1] = queries[n].name;
        state_->QuerySQL[n + 1] = queries[n].sql;
    }
    state_->settings.Query_Count = static_cast<int16_t>(queries.size());
}

void LibraryProgramTest::DrawPictures() {
    ASSERT_TRUE(QDir(Folder()).mkpath(QStringLiteral("level")));
    ASSERT_TRUE(QDir(Folder()).mkpath(QStringLiteral("medal")));
    QImage image(6, 6, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int level = 0; level <= 99; ++level) {
        ASSERT_TRUE(image.save(
            Path(QStringLiteral("level/L%1.bmp").arg(level, 2, 10, QLatin1Char('0'))), "BMP"));
    }
    auto medals = state_->Db->OpenRecordset(QStringLiteral("SELECT Medal_Name FROM Medal"));
    for (; !medals->IsEOF(); medals->MoveNext()) {
        ASSERT_TRUE(image.save(
            Path(QStringLiteral("medal/") + medals->Field(0).toText() + QStringLiteral(".bmp")),
            "BMP"));
    }
    medals->Close();
}

void LibraryProgramTest::DownloadWorldWithLibrary(std::vector<Delivered>* queries) {
    StartSite({3, 60, 10, 7});
    const QStringList tags = site().featuredGamertags();
    PrepareProgram(tags, tags[0], {}, {QStringLiteral("Download_All_Tag_List=1")});
    Load();
    PressDownload();
    ASSERT_TRUE(prompter_->Calls().empty());
    *queries = DeliveredQueries();
    InstallLibrary(*queries);
    DrawPictures();
}

}  // namespace tw::testing
