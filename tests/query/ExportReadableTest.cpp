// Exported files as their readers take them: XML and HTML that xmllint reads
// without a complaint although a value holds characters XML forbids, HTML
// whose accented names arrive as written, and workbooks that replace the file
// the user agreed to replace (or leave it as it was when the export fails, a
// full disk included).

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>

#include "ExportReaders.h"
#include "QueryFolder.h"
#include "db/Database.h"
#include "query/DatabaseExport.h"
#include "support/SmallDisk.h"

namespace tw::testing {
namespace {

// A profile quote with a BEL, an ESC and U+FFFE (which XML 1.0 forbids), a
// tab and a character beyond the BMP (which it allows).
constexpr char kReadableRows[] =
    "INSERT INTO Player (Player_Gamertag, Clan_Name, Personal_Quote, Is_Selectable, Is_Guest,"
    " Last_Game_ID) VALUES ('Caf\u00e9 Racer', '\u00dcber & <Co>', 'Ready' || char(7) ||"
    " ' set' || char(27) || ' go' || char(9) || char(127918) || char(65534), 'Y', 'N', 0);"
    "INSERT INTO Game_Player (Game_ID, Player_Gamertag, Kills, Deaths) VALUES"
    " (1, 'Caf\u00e9 Racer', 12, 3), (2, 'Caf\u00e9 Racer', 4, 0);";

const QString kGamertag = QStringLiteral("Caf\u00e9 Racer");
// What a reader finds of the quote: the forbidden characters left out.
const QString kQuoteRead = QStringLiteral("Ready set go\t") + QString::fromUcs4(U"\U0001F3AE");

class ExportReadableTest : public QueryFolderTest {
  protected:
    void SetUp() override {
        QueryFolderTest::SetUp();
        seed(kReadableRows);
        load({{QStringLiteral("Quotes"),
               QStringLiteral("SELECT Player_Gamertag, Personal_Quote, Clan_Name FROM Player "
                              "WHERE Is_Selectable = 'Y'")},
              {QStringLiteral("Kills"),
               QStringLiteral("SELECT Player_Gamertag, Kills FROM Game_Player WHERE Kills > 0 "
                              "ORDER BY Kills")},
              {QStringLiteral("Broken"),
               QStringLiteral("SELECT No_Such_Column FROM Game_Player WHERE Kills > 0")}});
        prompter_->acknowledgeOkMessages(true);
    }
    void exportQuery(int index, int16_t format, const QString& file) {
        state_->settings.queryExportFormat = format;
        queryList().setCurrentIndex(index);
        prompter_->answerSave(filePath(file));
        control<QPushButton>("cmdQryExport").click();
    }
    QString lastText() const { return prompter_->lastCall().text; }
    // Files the exports may have left beside the chosen one.
    QStringList leftovers() const {
        return QDir(dir_.path())
            .entryList({QStringLiteral(".tallywick-*")}, QDir::Files | QDir::Hidden);
    }
};

TEST_F(ExportReadableTest, XmlWithoutForbiddenCharactersAndHtmlThatSaysUtf8) {
    prompter_->answerSave(filePath(QStringLiteral("all.xml")));
    exportXmlClicked(*state_);
    ASSERT_EQ(lastText(), "Export to XML is complete.");
    const QString all = filePath(QStringLiteral("all.xml"));
    EXPECT_EQ(xmlLintErrors(all), "");
    EXPECT_EQ(xPathText(all, QStringLiteral("/Database/Player/Record[1]/Personal_Quote"), false),
              kQuoteRead);
    EXPECT_EQ(xPathText(all, QStringLiteral("/Database/Player/Record[1]/Player_Gamertag"), false),
              kGamertag);

    Run(1);
    ASSERT_EQ(cell(1, 1).left(6), QStringLiteral("Ready\a")) << "the grid shows the value";
    exportQuery(1, 4, QStringLiteral("quotes.xml"));
    ASSERT_EQ(lastText(), "Query results have been exported.");
    const QString query = filePath(QStringLiteral("quotes.xml"));
    EXPECT_EQ(xmlLintErrors(query), "");
    EXPECT_EQ(xPathText(query, QStringLiteral("/QueryResults/Record[1]/Personal_Quote"), false),
              kQuoteRead);
    EXPECT_EQ(xPathText(query, QStringLiteral("/QueryResults/Record[1]/Clan_Name"), false),
              QStringLiteral("\u00dcber & <Co>"));

    exportQuery(1, 3, QStringLiteral("quotes.html"));
    ASSERT_EQ(lastText(), "Query results have been exported.");
    const QString page = filePath(QStringLiteral("quotes.html"));
    EXPECT_EQ(htmlLintErrors(page), "");
    // The HTML reader decodes the cells as the page declares them.
    EXPECT_EQ(xPathText(page, QStringLiteral("//tr[2]/td[1]"), true), kGamertag);
    EXPECT_EQ(xPathText(page, QStringLiteral("//tr[2]/td[2]"), true), kQuoteRead);
    EXPECT_EQ(xPathText(page, QStringLiteral("//tr[2]/td[3]"), true),
              QStringLiteral("\u00dcber & <Co>"));
}

TEST_F(ExportReadableTest, AQueryWorkbookReplacesTheFileTheUserAgreedToReplace) {
    exportQuery(1, 1, QStringLiteral("book.xls"));
    ASSERT_EQ(lastText(), "Query results have been exported.");
    exportQuery(2, 1, QStringLiteral("book.xls"));  // the save dialog asked, the user said yes
    ASSERT_EQ(lastText(), "Query results have been exported.");
    Workbook book = readWorkbook(filePath(QStringLiteral("book.xls")));
    ASSERT_EQ(book.error, "");
    EXPECT_EQ(book.order, QStringList({"Query"}));
    EXPECT_EQ(
        book.sheets["Query"],
        QList<QStringList>({{"Player_Gamertag", "Kills"}, {kGamertag, "4"}, {kGamertag, "12"}}));

    // A file that is no workbook at all is replaced too.
    QFile notes(filePath(QStringLiteral("notes.xls")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("shopping list\n");
    notes.close();
    exportQuery(1, 1, QStringLiteral("notes.xls"));
    ASSERT_EQ(lastText(), "Query results have been exported.");
    book = readWorkbook(filePath(QStringLiteral("notes.xls")));
    ASSERT_EQ(book.error, "");
    EXPECT_EQ(book.sheets["Query"].value(1).value(0), kGamertag);

    // A statement the engine refuses leaves the older workbook as it was.
    const QByteArray before = fileContents(filePath(QStringLiteral("book.xls")));
    exportQuery(3, 1, QStringLiteral("book.xls"));
    EXPECT_TRUE(lastText().startsWith(QStringLiteral("Error #: "))) << lastText().toStdString();
    EXPECT_FALSE(lastText().startsWith(QStringLiteral("Error #: 3010")));
    EXPECT_TRUE(debugLog().contains(" [App.QryExport]   "));
    EXPECT_EQ(fileContents(filePath(QStringLiteral("book.xls"))), before);
    EXPECT_EQ(leftovers(), QStringList());
}

TEST_F(ExportReadableTest, AFullDiskKeepsTheOlderWorkbookAndTheMessageNamesTheChosenFile) {
    test_support::SmallDisk disk;
    if (!disk.mounted()) {
        GTEST_SKIP() << "no small disk: " << disk.whyNot().toStdString();
    }
    const QString out = disk.filePath(QStringLiteral("book.xls"));
    const auto exportTo = [&](int index) {
        queryList().setCurrentIndex(index);
        prompter_->answerSave(out);
        control<QPushButton>("cmdQryExport").click();
    };
    state_->settings.queryExportFormat = 1;
    exportTo(2);
    ASSERT_EQ(lastText(), "Query results have been exported.");
    const QByteArray before = fileContents(out);
    ASSERT_TRUE(disk.fill());
    const QStringList entries = disk.entries();

    exportTo(1);
    EXPECT_EQ(lastText().section(QStringLiteral("\r\n"), 0, 1),
              QStringLiteral("Error #: 3051\r\nDescription: Cannot open the file '") + out +
                  QStringLiteral("'."));
    EXPECT_EQ(fileContents(out), before);
    EXPECT_EQ(disk.entries(), entries) << "nothing left beside it";

    disk.freeSpace();
    exportTo(1);
    ASSERT_EQ(lastText(), "Query results have been exported.");
    const Workbook book = readWorkbook(out);
    ASSERT_EQ(book.error, "");
    EXPECT_EQ(book.sheets["Query"].value(0),
              QStringList({"Player_Gamertag", "Personal_Quote", "Clan_Name"}));
}

TEST_F(ExportReadableTest, TheWholeDatabaseWorkbookReplacesAnOlderOne) {
    for (int run = 0; run < 2; ++run) {
        prompter_->answerSave(filePath(QStringLiteral("all.xls")));
        exportExcelClicked(*state_);
        ASSERT_EQ(lastText(), "Export to Excel is complete.") << "run " << run;
    }
    const Workbook book = readWorkbook(filePath(QStringLiteral("all.xls")));
    ASSERT_EQ(book.error, "");
    EXPECT_EQ(book.order, exportedTables(*state_->db)) << "each table once";
    EXPECT_EQ(book.sheets["Game_Player"].size(), 3);
    EXPECT_EQ(leftovers(), QStringList());
    EXPECT_FALSE(QFile::exists(filePath(QStringLiteral("debug.log"))));
}

}  // namespace
}  // namespace tw::testing
