// The saved-query library of the delivered settings file, run through the
// real query handler on a database the simulated site filled: every query
// under all nine filter combinations, without one error.

#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QRadioButton>

#include "app/IniFile.h"
#include "download/SiteProgram.h"
#include "query/QueryRunner.h"
#include "ui/FlexGrid.h"

namespace tw::testing {
namespace {

const QString kDeliveredIni = QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/tallywick110.ini");

struct Delivered {
    QString name;
    QString sql;
};

std::vector<Delivered> DeliveredQueries() {
    const IniFile ini(kDeliveredIni);
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

TEST(DeliveredLibraryTest, TwentyOrMoreQueriesEachFilterableWithGraphsAndPictures) {
    const std::vector<Delivered> queries = DeliveredQueries();
    ASSERT_GE(queries.size(), 20u);
    int graphs = 0;
    QString all;
    for (const Delivered& query : queries) {
        EXPECT_FALSE(query.name.isEmpty());
        EXPECT_TRUE(query.sql.contains(QLatin1String("WHERE"))) << query.name.toStdString();
        // Every WHERE scope reaches Player and Game under those names.
        EXPECT_TRUE(query.sql.contains(QLatin1String("Player "))) << query.name.toStdString();
        EXPECT_TRUE(query.sql.contains(QLatin1String("Game "))) << query.name.toStdString();
        graphs += query.name.contains(QLatin1String("Graph"), Qt::CaseInsensitive) ? 1 : 0;
        all += query.sql;
    }
    EXPECT_GE(graphs, 3);
    EXPECT_TRUE(all.contains(QLatin1String("AS Medal,")));
    EXPECT_TRUE(all.contains(QLatin1String("AS [Level],")));
    EXPECT_TRUE(all.contains(QLatin1String("AS Color,")));
}

class SavedQueryLibraryTest : public SiteProgramTest {
  protected:
    void InstallLibrary(const std::vector<Delivered>& queries) {
        window_->cmbQuery->clear();
        window_->cmbQuery->addItem(QStringLiteral("- Select a Query -"));
        for (size_t n = 0; n < queries.size(); ++n) {
            state_->QueryNames[n + 1] = queries[n].name;
            state_->QuerySQL[n + 1] = queries[n].sql;
            window_->cmbQuery->addItem(queries[n].name);
        }
    }
    // Small pictures for every level and medal the queries can name.
    void DrawPictures() {
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("level")));
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("medal")));
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
    int64_t ShownCount() const {
        return window_->lblRecordCount->text().section(QLatin1Char(' '), 0, 0).toLongLong();
    }
};

TEST_F(SavedQueryLibraryTest, EveryQueryRunsUnderAllFiltersAndFindsTheDownloadedPlayer) {
    StartSite({3, 60, 10, 7});
    const QStringList tags = site().featuredGamertags();
    PrepareProgram(tags, tags[0], {}, {QStringLiteral("Download_All_Tag_List=1")});
    Load();
    PressDownload();
    ASSERT_TRUE(dialogs_->Calls().empty());
    const std::vector<Delivered> queries = DeliveredQueries();
    InstallLibrary(queries);
    DrawPictures();
    state_->settings.Auto_Grid_Highlight = true;
    dialogs_->AcknowledgeOkMessages(true);
    QueryPanel panel;
    for (size_t n = 0; n < queries.size(); ++n) {
        const std::string name = queries[n].name.toStdString();
        window_->cmbQuery->setCurrentIndex(static_cast<int>(n + 1));
        for (int player = 1; player <= 3; ++player) {
            for (int game = 1; game <= 3; ++game) {
                window_->optFilterPlayer[player]->setChecked(true);
                window_->optFilterGame[game]->setChecked(true);
                cmdRunQuery_Click(*state_, *window_, panel);
                ASSERT_TRUE(dialogs_->Calls().empty())
                    << name << " player " << player << " game " << game << ": "
                    << dialogs_->Calls().front().text.toStdString() << "\n"
                    << state_->CurrentSQL.toStdString();
                EXPECT_FALSE(window_->lblRecordCount->text().isEmpty()) << name;
                if (player == 3 && game == 1) {
                    EXPECT_GT(ShownCount(), 0)
                        << name << " finds nothing for " << tags[0].toStdString();
                    const bool graph = queries[n].name.contains(QLatin1String("Graph"));
                    EXPECT_EQ(!window_->chtData->isHidden(), graph) << name;
                    EXPECT_EQ(window_->flxData->Rows() > 1, !graph) << name;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tw::testing
