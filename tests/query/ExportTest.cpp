// Query result exports in the four formats and the three whole-database
// exports, read back by independent readers; cancelled prompter write nothing.

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>

#include "ExportReaders.h"
#include "QueryFolder.h"
#include "db/Database.h"
#include "gui/ResultGrid.h"
#include "query/DatabaseExport.h"
#include "query/QueryExport.h"
#include "query/ResultWriters.h"

namespace tw::testing {
namespace {

constexpr char kExportRows[] =
    "INSERT INTO Player (Player_Gamertag, Clan_Name, Is_Selectable, Is_Guest, Last_Game_ID,"
    " Last_Download) VALUES ('Fred', 'Rock, Paper & <Co>', 'Y', 'N', 7, '2005-01-05 15:07:00'),"
    " ('Say \"Hi\"', NULL, 'N', 'N', 0, NULL);"
    "INSERT INTO Game_Player (Game_ID, Player_Gamertag, Kills, Deaths) VALUES"
    " (1, 'Fred', 12, 3), (2, 'Say \"Hi\"', 4, 0);";

QByteArray written(const QList<QStringList>& rows,
                   void (*writer)(const QList<QStringList>&, QIODevice&)) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writer(rows, buffer);
    return buffer.data();
}

TEST(ResultWritersTest, EmptyGridGivesOnlyTheFrame) {
    EXPECT_EQ(written({}, writeCsv), "");
    EXPECT_EQ(written({}, writeHtmlTable),
              "<html><head><meta charset=\"utf-8\"></head><body><table border='1'>\r\n"
              "</table></body></html>\r\n");
    EXPECT_EQ(written({}, writeQueryXml), "<QueryResults>\r\n</QueryResults>\r\n");
}

TEST(ResultWritersTest, AwkwardTextsStayReadable) {
    const QList<QStringList> rows = {{"Clan, Name", "2nd <Place>"},
                                     {"Rock, Paper & <Co>", "say \"hi\"\r\nbye"}};
    QString error;
    const auto csv = parseCsvStrictly(written(rows, writeCsv), &error);
    ASSERT_TRUE(csv) << error.toStdString();
    EXPECT_EQ(*csv, rows);
    EXPECT_EQ(written(rows, writeHtmlTable).split('\n')[2],
              "<tr><td>Rock, Paper &amp; &lt;Co&gt;</td><td>say \"hi\"\r");
    EXPECT_EQ(written(rows, writeQueryXml).split('\n')[1],
              "\t<Record><Clan__Name>Rock, Paper &amp; &lt;Co&gt;</Clan__Name><_2nd__Place_>say "
              "\"hi\"\r");
}

class ExportTest : public QueryFolderTest {
  protected:
    void SetUp() override {
        QueryFolderTest::SetUp();
        seed(kExportRows);
    }
    void loadKills(int format) {
        load({{QStringLiteral("Kills"),
               QStringLiteral("SELECT Player_Gamertag, Kills, Deaths FROM Game_Player WHERE "
                              "Kills > 0 ORDER BY Kills DESC;")},
              {QStringLiteral("Me"),
               QStringLiteral("SELECT Player_Gamertag, Clan_Name FROM Player WHERE "
                              "Player_Gamertag = [Me]")}},
             "Query_Export_Format=" + QByteArray::number(format) + "\r\n");
        state_->currentGamertag = QStringLiteral("Fred");
        prompter_->acknowledgeOkMessages(true);
    }
    void exportQuery(int index, const QString& file) {
        queryList().setCurrentIndex(index);
        prompter_->answerSave(filePath(file));
        control<QPushButton>("cmdQryExport").click();
    }
    void expectDone(const char* text) {
        ASSERT_FALSE(prompter_->calls().empty());
        const DialogCall& call = prompter_->calls().back();
        EXPECT_EQ(call.text, text);
        EXPECT_EQ(call.title, "Done");
        EXPECT_EQ(call.icon, MsgIcon::Information);
    }
    // The last save dialog shown.
    const DialogCall& saveCall() {
        const std::vector<DialogCall>& calls = prompter_->calls();
        for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
            if (call->kind == DialogKind::SaveFile) {
                return *call;
            }
        }
        static DialogCall none;
        ADD_FAILURE() << "no save dialog";
        return none;
    }
};

TEST_F(ExportTest, PlaceholderAndCancelWriteNothing) {
    loadKills(2);
    exportQuery(0, QStringLiteral("never.csv"));
    ASSERT_EQ(prompter_->calls().size(), 1u);
    EXPECT_EQ(prompter_->calls()[0].text, "You must select a query to export.");
    EXPECT_EQ(prompter_->calls()[0].title, "Error");
    EXPECT_EQ(prompter_->calls()[0].icon, MsgIcon::Information);
    EXPECT_EQ(prompter_->pendingAnswers(), 1u) << "no save dialog shown";

    ScriptedPrompter fresh;
    state_->prompter = &fresh;
    fresh.cancelSave();
    control<QPushButton>("cmdQryExport").setEnabled(true);
    queryList().setCurrentIndex(1);
    control<QPushButton>("cmdQryExport").click();
    ASSERT_EQ(fresh.calls().size(), 1u) << "the save dialog only: no message";
    fresh.cancelSave().cancelSave();
    exportExcelClicked(*state_);
    exportXmlClicked(*state_);
    fresh.answerFolder(QString());
    exportCsvClicked(*state_);
    EXPECT_EQ(fresh.calls().size(), 4u);
    EXPECT_EQ(fresh.calls()[3].title, "Select a directory for the text files and schema.");
    EXPECT_TRUE(QDir(dir_.path()).entryList({"*.csv", "*.xml", "*.xls", "*.txt"}).isEmpty());
    EXPECT_FALSE(QFile::exists(filePath(QStringLiteral("debug.log"))));
    state_->prompter = prompter_.get();
}

TEST_F(ExportTest, OtherFormatNumbersExportNothingSilently) {
    loadKills(7);
    queryList().setCurrentIndex(1);
    control<QPushButton>("cmdQryExport").click();
    EXPECT_TRUE(prompter_->calls().empty());
}

TEST_F(ExportTest, CsvHtmlAndXmlWriteTheSortedGridWithDialogDetails) {
    loadKills(2);
    Run(1);
    clickCell(0, 1, Qt::LeftButton);  // sorted descending by Kills: Fred first
    clickCell(0, 1, Qt::LeftButton);  // ascending: Say "Hi" first
    exportQuery(1, QStringLiteral("out.csv"));
    expectDone("Query results have been exported.");
    EXPECT_EQ(saveCall().save.filter, "Comma Separated Values Files (.csv)|*.csv");
    EXPECT_EQ(saveCall().save.proposedName, "MyQry_1-20050130143005.csv");
    EXPECT_TRUE(saveCall().save.overwritePrompt);
    QString error;
    const auto csv = parseCsvStrictly(fileContents(filePath(QStringLiteral("out.csv"))), &error);
    ASSERT_TRUE(csv) << error.toStdString();
    EXPECT_EQ(*csv, QList<QStringList>({{"Player_Gamertag", "Kills", "Deaths"},
                                        {"Say \"Hi\"", "4", "0"},
                                        {"Fred", "12", "3"}}));

    state_->settings.queryExportFormat = 3;
    exportQuery(1, QStringLiteral("out.html"));
    EXPECT_EQ(saveCall().save.filter, "HTML Files (.html)|*.html");
    EXPECT_EQ(saveCall().save.proposedName, "MyQry_1-20050130143005.html");
    EXPECT_EQ(fileContents(filePath(QStringLiteral("out.html"))),
              "<html><head><meta charset=\"utf-8\"></head><body><table border='1'>\r\n"
              "<tr><td><b>Player_Gamertag</b></td><td><b>Kills</b></td><td><b>Deaths</b></td>"
              "</tr>\r\n<tr><td>Say \"Hi\"</td><td>4</td><td>0</td></tr>\r\n"
              "<tr><td>Fred</td><td>12</td><td>3</td></tr>\r\n</table></body></html>\r\n");

    state_->settings.queryExportFormat = 4;
    queryList().setCurrentIndex(2);  // only the proposed name follows the selection
    prompter_->answerSave(filePath(QStringLiteral("out.xml")));
    control<QPushButton>("cmdQryExport").click();
    EXPECT_EQ(saveCall().save.proposedName, "MyQry_2-20050130143005.xml");
    EXPECT_EQ(saveCall().save.filter, "Extensible Markup Language Files (.xml)|*.xml");
    EXPECT_EQ(fileContents(filePath(QStringLiteral("out.xml"))),
              "<QueryResults>\r\n"
              "\t<Record><Player_Gamertag>Say \"Hi\"</Player_Gamertag><Kills>4</Kills>"
              "<Deaths>0</Deaths></Record>\r\n"
              "\t<Record><Player_Gamertag>Fred</Player_Gamertag><Kills>12</Kills>"
              "<Deaths>3</Deaths></Record>\r\n</QueryResults>\r\n");
    EXPECT_EQ(xmlLintErrors(filePath(QStringLiteral("out.xml"))), "");
}

TEST_F(ExportTest, GraphQueryLeavesAnEmptyGridToExport) {
    load({{QStringLiteral("Kills Graph"),
           QStringLiteral("SELECT Player_Gamertag, Kills FROM Game_Player WHERE Kills > 0")}},
         "Query_Export_Format=2\r\n");
    prompter_->acknowledgeOkMessages(true);
    Run(1);
    exportQuery(1, QStringLiteral("graph.csv"));
    EXPECT_EQ(fileContents(filePath(QStringLiteral("graph.csv"))), "");
    expectDone("Query results have been exported.");
}

TEST_F(ExportTest, WorkbookRunsTheSavedStatementIntoASheetNamedQuery) {
    loadKills(1);
    selectFilters(3, 2);  // filters do not apply to the workbook
    exportQuery(1, QStringLiteral("kills.xls"));
    expectDone("Query results have been exported.");
    EXPECT_EQ(saveCall().save.filter, "Microsoft Excel Files (.xls)|*.xls");
    EXPECT_EQ(saveCall().save.proposedName, "MyQry_1-20050130143005.xls");
    EXPECT_EQ(workbookExportSql(state_->querySql[1], state_->currentGamertag),
              "SELECT Player_Gamertag, Kills, Deaths FROM Game_Player WHERE Kills > 0 ORDER BY "
              "Kills DESC");
    Workbook book = readWorkbook(filePath(QStringLiteral("kills.xls")));
    ASSERT_EQ(book.error, "");
    EXPECT_EQ(book.order, QStringList({"Query"}));
    EXPECT_EQ(book.sheets["Query"], QList<QStringList>({{"Player_Gamertag", "Kills", "Deaths"},
                                                        {"Fred", "12", "3"},
                                                        {"Say \"Hi\"", "4", "0"}}));

    // [Me] becomes the quoted gamertag.
    exportQuery(2, QStringLiteral("me.xls"));
    book = readWorkbook(filePath(QStringLiteral("me.xls")));
    ASSERT_EQ(book.error, "");
    EXPECT_EQ(book.sheets["Query"], QList<QStringList>({{"Player_Gamertag", "Clan_Name"},
                                                        {"Fred", "Rock, Paper & <Co>"}}));
}

TEST_F(ExportTest, WholeDatabaseWorkbookHasASheetPerUserTable) {
    seed("CREATE TABLE MSysObjectsCopy (a INTEGER); CREATE TABLE Old_ZLOAD_x (a INTEGER);");
    loadKills(1);
    prompter_->answerSave(filePath(QStringLiteral("all.xls")));
    exportExcelClicked(*state_);
    expectDone("Export to Excel is complete.");
    EXPECT_EQ(saveCall().save.filter, "Microsoft Excel Files (.xls)|*.xls");
    EXPECT_EQ(saveCall().save.proposedName, "MyStats_20050130143005.xls");
    const Workbook book = readWorkbook(filePath(QStringLiteral("all.xls")));
    ASSERT_EQ(book.error, "");
    EXPECT_EQ(book.order, exportedTables(*state_->db));
    EXPECT_EQ(book.order, QStringList({"Player", "Clan", "Color", "Medal", "Game", "Game_Player",
                                       "Game_Player_Medal", "Player_Playlist"}));
    const QList<QStringList>& players = book.sheets["Player"];
    ASSERT_EQ(players.size(), 3);
    EXPECT_EQ(players[0].mid(0, 3),
              QStringList({"Player_Gamertag", "Clan_Name", "Primary_Color_Code"}));
    EXPECT_EQ(players[1].mid(0, 2), QStringList({"Fred", "Rock, Paper & <Co>"}));
    EXPECT_EQ(book.sheets["Medal"].size(), 27) << "header and the 26 delivered medals";
}

TEST_F(ExportTest, WholeDatabaseTextFilesAndSchemaInAChosenFolder) {
    loadKills(1);
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("text")));
    prompter_->answerFolder(filePath(QStringLiteral("text")));
    exportCsvClicked(*state_);
    expectDone("Export to CSV is complete.");
    QStringList files = QDir(filePath(QStringLiteral("text"))).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, QStringList({"Clan.txt", "Color.txt", "Game.txt", "Game_Player.txt",
                                  "Game_Player_Medal.txt", "Medal.txt", "Player.txt",
                                  "Player_Playlist.txt", "schema.ini"}));
    QString error;
    const auto gamePlayer =
        parseCsvStrictly(fileContents(filePath(QStringLiteral("text/Game_Player.txt"))), &error);
    ASSERT_TRUE(gamePlayer) << error.toStdString();
    ASSERT_EQ(gamePlayer->size(), 3);
    EXPECT_EQ(gamePlayer->at(0).mid(0, 2), QStringList({"Game_ID", "Player_Gamertag"}));
    EXPECT_EQ(gamePlayer->at(1).mid(0, 2), QStringList({"1", "Fred"}));
    const QByteArray schema = fileContents(filePath(QStringLiteral("text/schema.ini")));
    for (const QString& file : files.mid(0, 8)) {
        EXPECT_TRUE(schema.contains("[" + file.toUtf8() + "]\r\n")) << file.toStdString();
    }

    // Files that exist are refused; the log names the text export.
    prompter_->answerFolder(filePath(QStringLiteral("text")));
    exportCsvClicked(*state_);
    EXPECT_TRUE(prompter_->calls().back().text.startsWith(QStringLiteral("Error #: 3010\r\n")));
    EXPECT_TRUE(debugLog().contains(" [App.ExportCSV]   "));
}

TEST_F(ExportTest, WholeDatabaseXmlIsWellFormedWithEmptyElementsForNull) {
    loadKills(1);
    prompter_->answerSave(filePath(QStringLiteral("all.xml")));
    exportXmlClicked(*state_);
    expectDone("Export to XML is complete.");
    EXPECT_EQ(saveCall().save.filter, "Extensible Markup Language Files (.xml)|*.xml");
    EXPECT_EQ(saveCall().save.proposedName, "MyStats_20050130143005.xml");
    const QString path = filePath(QStringLiteral("all.xml"));
    EXPECT_EQ(xmlLintErrors(path), "");
    const QByteArray xml = fileContents(path);
    EXPECT_TRUE(
        xml.startsWith("<Database>\r\n\t<Player>\r\n\t\t<Record><Player_Gamertag>Fred"
                       "</Player_Gamertag><Clan_Name>Rock, Paper &amp; &lt;Co&gt;"
                       "</Clan_Name><Primary_Color_Code></Primary_Color_Code>"))
        << xml.left(300).constData();
    EXPECT_TRUE(
        xml.contains("<Last_Game_ID>7</Last_Game_ID><Last_Download>1/5/2005 3:07:00 PM"
                     "</Last_Download>"));
    EXPECT_TRUE(xml.contains("\t</Player>\r\n\t<Clan>\r\n\t</Clan>\r\n\t<Color>\r\n"));
    EXPECT_TRUE(xml.endsWith("\t</Player_Playlist>\r\n</Database>\r\n"));
    EXPECT_FALSE(xml.contains("zLoad"));
}

TEST_F(ExportTest, FilesThatCannotBeWrittenGoToTheLog) {
    loadKills(2);
    Run(1);
    exportQuery(1, QStringLiteral("missing/out.csv"));
    ASSERT_FALSE(prompter_->calls().empty());
    EXPECT_TRUE(prompter_->calls().back().text.startsWith(QStringLiteral("Error #: 75\r\n")));
    prompter_->answerSave(filePath(QStringLiteral("missing/all.xml")));
    exportXmlClicked(*state_);
    EXPECT_TRUE(prompter_->calls().back().text.startsWith(QStringLiteral("Error #: 75\r\n")));
    const QByteArray log = debugLog();
    EXPECT_TRUE(log.contains(" [App.QryExport]   ")) << log.constData();
    EXPECT_TRUE(log.contains(" [App.ExportXML]   ")) << log.constData();
    for (const DialogCall& call : prompter_->calls()) {
        EXPECT_NE(call.title, "Done") << "no completion after a failure";
    }
}

TEST_F(ExportTest, DatabaseWithoutUserTablesStillCompletes) {
    seed(
        "DROP VIEW IF EXISTS q_zLoad_Merge;"
        "DROP TABLE Player; DROP TABLE Clan; DROP TABLE Color; DROP TABLE Medal;"
        "DROP TABLE Game; DROP TABLE Game_Player; DROP TABLE Game_Player_Medal;"
        "DROP TABLE Player_Playlist;");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    auto db = Database::open(filePath(QStringLiteral("tallywick110.mdb")));
    EXPECT_TRUE(exportedTables(*db).isEmpty());
    writeDatabaseXml(*db, exportedTables(*db), buffer);
    EXPECT_EQ(buffer.data(), "<Database>\r\n</Database>\r\n");
}

}  // namespace
}  // namespace tw::testing
