// The report command as the user meets it: the files it reads and writes, the
// closing question, opening the page, and the error path.

#include "ReportTestSupport.h"
#include "core/DebugLog.h"

namespace tw::test {
namespace {

class Driver : public ReportTest {
  protected:
    // A player with everything the header needs and a few games.
    void addSmallPlayer(const QString& tag, const QString& quote = QStringLiteral("NULL")) {
        addPlayer(tag, 2, 10, QStringLiteral("NULL"), quote);
        addGames(tag, nextId_, 3, QStringLiteral("1, 'RED', 10, 5, 2, 4, 40, 10, 2"));
        nextId_ += 3;
    }
    QString pagePath(const char* name) const { return state_.tpsDir + QString::fromLatin1(name); }
    const DialogCall& onlyCall() const {
        EXPECT_EQ(prompter_.calls().size(), 1u);
        return prompter_.calls().front();
    }
    int nextId_ = 1;
};

TEST_F(Driver, ATemplateWithoutTokensIsWrittenWithOneLineEndAdded) {
    addSmallPlayer(QStringLiteral("Red Fox"));
    const QByteArray page("<html>\xc3\xa9t\xc3\xa9 ? ?? ?not a token <b>\r\n</html>");
    writeTemplate(page);
    prompter_.answerMessage(MsgResult::No);
    createReport();
    EXPECT_EQ(bytes(pagePath("Red_Fox.html")), page + "\r\n");
    // No leaves the page written and opens nothing.
    const DialogCall& call = onlyCall();
    EXPECT_EQ(call.text, QStringLiteral("Your TPS Report has been created.\r\nWould you like to "
                                        "view it now?"));
    EXPECT_EQ(call.title, QStringLiteral("Confirm View"));
    EXPECT_EQ(call.icon, MsgIcon::Question);
    EXPECT_EQ(call.buttons, MsgButtons::YesNo);
}

TEST_F(Driver, TokensTwiceOrInLowerCaseAreFilledAndAQuoteShowsAsStored) {
    addSmallPlayer(QStringLiteral("Red Fox"),
                   QStringLiteral("'<i>made ?create_date?</i> ?GAMERTAG?'"));
    writeTemplate("?GAMERTAG?|?gamertag?|?QUOTE?|?Create_Date?");
    prompter_.answerMessage(MsgResult::Yes).answerOpen(true);
    createReport();
    // The quote is text: its markup is escaped and its tokens are not filled,
    // whichever section comes first.
    EXPECT_EQ(bytes(pagePath("Red_Fox.html")),
              "Red Fox|Red Fox|&lt;i&gt;made ?create_date?&lt;/i&gt; ?GAMERTAG?|Jan 30, 2005 "
              "3:30:7 PM\r\n");
    ASSERT_EQ(prompter_.calls().size(), 2u);
    EXPECT_EQ(prompter_.calls()[1].kind, DialogKind::OpenDocument);
    EXPECT_EQ(prompter_.calls()[1].text, pagePath("Red_Fox.html"));
}

TEST_F(Driver, GamertagsWithBlanksQuotesOrTheTemplatesName) {
    addSmallPlayer(QStringLiteral("The  Red Fox"));
    addSmallPlayer(QStringLiteral("Say \"Hi\""));
    addSmallPlayer(QStringLiteral("template"));
    const QByteArray page = "?GAMERTAG? ?AVATAR_PATH_LARGE? ?AVATAR_PATH_MINI? ?TOTAL_GAMES?";
    writeTemplate(page);

    state_.currentGamertag = QStringLiteral("The  Red Fox");
    prompter_.answerMessage(MsgResult::No);
    createReport();
    EXPECT_EQ(bytes(pagePath("The__Red_Fox.html")),
              "The  Red Fox ..\\avatar\\The__Red_Fox.jpg ..\\avatar\\The__Red_Fox_smbw.jpg 3 (3r "
              "0c)\r\n");

    // A double quote in the gamertag is doubled inside the statements.
    state_.currentGamertag = QStringLiteral("Say \"Hi\"");
    prompter_.answerMessage(MsgResult::No);
    createReport();
    EXPECT_TRUE(bytes(pagePath("Say_\"Hi\".html")).endsWith(" 3 (3r 0c)\r\n"));

    // The page never replaces its own template.
    state_.currentGamertag = QStringLiteral("template");
    prompter_.answerMessage(MsgResult::Yes).answerOpen(false);
    createReport();
    EXPECT_EQ(bytes(pagePath("template.html")), page);
    EXPECT_TRUE(bytes(pagePath("template_.html")).startsWith("template ..\\avatar\\template.jpg"));
    EXPECT_EQ(prompter_.lastCall().text, pagePath("template_.html"));
    EXPECT_TRUE(prompter_.failures().isEmpty());
}

TEST_F(Driver, WithoutAPlayerOnlyTheMessageShows) {
    state_.currentGamertag.clear();
    prompter_.answerMessage(MsgResult::Ok);
    createReport();
    const DialogCall& call = onlyCall();
    EXPECT_EQ(call.text, QStringLiteral("You must select a Gamertag."));
    EXPECT_EQ(call.title, QStringLiteral("Error"));
    EXPECT_EQ(call.icon, MsgIcon::Critical);
    EXPECT_EQ(logText(), QStringLiteral("<missing>"));
}

TEST_F(Driver, AMissingTemplateIsLoggedAndNothingIsWritten) {
    addSmallPlayer(QStringLiteral("Red Fox"));
    prompter_.acknowledgeOkMessages(true);
    createReport();
    EXPECT_FALSE(QFile::exists(pagePath("Red_Fox.html")));
    const QString log = logText();
    EXPECT_TRUE(log.contains(QStringLiteral(" v110 [App.CreateTPS]   1/30/2005 3:30:07 PM\r\n")))
        << log.toStdString();
    EXPECT_TRUE(
        log.contains(QStringLiteral("#53 - Tallywick - File not found\r\nTag: Red Fox\r\n")));
    const DialogCall& call = onlyCall();
    EXPECT_EQ(call.text,
              debugLogMessage(AppError(53, QString(), QStringLiteral("File not found"))));
    EXPECT_EQ(call.icon, MsgIcon::Exclamation);
}

TEST_F(Driver, AnErrorBeforeWritingKeepsTheOlderPage) {
    addSmallPlayer(QStringLiteral("Red Fox"));
    writeTemplate("?GAMERTAG? ?EGR?");
    prompter_.answerMessage(MsgResult::No);
    createReport();
    const QByteArray older = bytes(pagePath("Red_Fox.html"));
    EXPECT_EQ(older, "Red Fox 000\r\n");

    // Without the medal catalogue the trophy room's statement is refused.
    seed(QStringLiteral("DROP TABLE Medal;"));
    prompter_.acknowledgeOkMessages(true);
    createReport();
    EXPECT_EQ(bytes(pagePath("Red_Fox.html")), older);
    EXPECT_TRUE(logText().contains(QStringLiteral("[App.CreateTPS]")));
    EXPECT_TRUE(
        logText().contains(QStringLiteral("\r\nSQL: SELECT Game_Player_Medal.Medal_Name, ")))
        << logText().toStdString();
    EXPECT_EQ(prompter_.lastCall().icon, MsgIcon::Exclamation);
}

TEST_F(Driver, APageThatCannotBeWrittenIsLogged) {
    addSmallPlayer(QStringLiteral("Red Fox"));
    writeTemplate("?GAMERTAG?");
    // A folder where the page should go.
    ASSERT_TRUE(QDir().mkpath(pagePath("Red_Fox.html")));
    prompter_.acknowledgeOkMessages(true);
    createReport();
    EXPECT_TRUE(logText().contains(QStringLiteral("#75 - Tallywick - Path/File access error")));
    EXPECT_EQ(onlyCall().icon, MsgIcon::Exclamation);
}

}  // namespace
}  // namespace tw::test
