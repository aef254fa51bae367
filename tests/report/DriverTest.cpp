// The report command as the user meets it: the files it reads and writes, the
// closing question, opening the page, and the error path.

#include "ReportTestSupport.h"
#include "core/DebugLog.h"

namespace tw::test {
namespace {

class Driver : public ReportTest {
  protected:
    // A player with everything the header needs and a few games.
    void AddSmallPlayer(const QString& tag, const QString& quote = QStringLiteral("NULL")) {
        AddPlayer(tag, 2, 10, QStringLiteral("NULL"), quote);
        AddGames(tag, nextId_, 3, QStringLiteral("1, 'RED', 10, 5, 2, 4, 40, 10, 2"));
        nextId_ += 3;
    }
    QString PagePath(const char* name) const { return state_.TpsDir + QString::fromLatin1(name); }
    const DialogCall& OnlyCall() const {
        EXPECT_EQ(prompter_.Calls().size(), 1u);
        return prompter_.Calls().front();
    }
    int nextId_ = 1;
};

TEST_F(Driver, ATemplateWithoutTokensIsWrittenWithOneLineEndAdded) {
    AddSmallPlayer(QStringLiteral("Red Fox"));
    const QByteArray page("<html>\xc3\xa9t\xc3\xa9 ? ?? ?not a token <b>\r\n</html>");
    WriteTemplate(page);
    prompter_.AnswerMessage(MsgResult::No);
    CreateReport();
    EXPECT_EQ(Bytes(PagePath("Red_Fox.html")), page + "\r\n");
    // No leaves the page written and opens nothing.
    const DialogCall& call = OnlyCall();
    EXPECT_EQ(call.text, QStringLiteral("Your TPS Report has been created.\r\nWould you like to "
                                        "view it now?"));
    EXPECT_EQ(call.title, QStringLiteral("Confirm View"));
    EXPECT_EQ(call.icon, MsgIcon::Question);
    EXPECT_EQ(call.buttons, MsgButtons::YesNo);
}

TEST_F(Driver, TokensTwiceOrInLowerCaseAreFilledAndAQuoteShowsAsStored) {
    AddSmallPlayer(QStringLiteral("Red Fox"),
                   QStringLiteral("'<i>made ?create_date?</i> ?GAMERTAG?'"));
    WriteTemplate("?GAMERTAG?|?gamertag?|?QUOTE?|?Create_Date?");
    prompter_.AnswerMessage(MsgResult::Yes).AnswerOpen(true);
    CreateReport();
    // The quote is text: its markup is escaped and its tokens are not filled,
    // whichever section comes first.
    EXPECT_EQ(Bytes(PagePath("Red_Fox.html")),
              "Red Fox|Red Fox|&lt;i&gt;made ?create_date?&lt;/i&gt; ?GAMERTAG?|Jan 30, 2005 "
              "3:30:7 PM\r\n");
    ASSERT_EQ(prompter_.Calls().size(), 2u);
    EXPECT_EQ(prompter_.Calls()[1].kind, DialogKind::OpenDocument);
    EXPECT_EQ(prompter_.Calls()[1].text, PagePath("Red_Fox.html"));
}

TEST_F(Driver, GamertagsWithBlanksQuotesOrTheTemplatesName) {
    AddSmallPlayer(QStringLiteral("The  Red Fox"));
    AddSmallPlayer(QStringLiteral("Say \"Hi\""));
    AddSmallPlayer(QStringLiteral("template"));
    const QByteArray page = "?GAMERTAG? ?AVATAR_PATH_LARGE? ?AVATAR_PATH_MINI? ?TOTAL_GAMES?";
    WriteTemplate(page);

    state_.CurrentGamertag = QStringLiteral("The  Red Fox");
    prompter_.AnswerMessage(MsgResult::No);
    CreateReport();
    EXPECT_EQ(Bytes(PagePath("The__Red_Fox.html")),
              "The  Red Fox ..\\avatar\\The__Red_Fox.jpg ..\\avatar\\The__Red_Fox_smbw.jpg 3 (3r "
              "0c)\r\n");

    // A double quote in the gamertag is doubled inside the statements.
    state_.CurrentGamertag = QStringLiteral("Say \"Hi\"");
    prompter_.AnswerMessage(MsgResult::No);
    CreateReport();
    EXPECT_TRUE(Bytes(PagePath("Say_\"Hi\".html")).endsWith(" 3 (3r 0c)\r\n"));

    // The page never replaces its own template.
    state_.CurrentGamertag = QStringLiteral("template");
    prompter_.AnswerMessage(MsgResult::Yes).AnswerOpen(false);
    CreateReport();
    EXPECT_EQ(Bytes(PagePath("template.html")), page);
    EXPECT_TRUE(Bytes(PagePath("template_.html")).startsWith("template ..\\avatar\\template.jpg"));
    EXPECT_EQ(prompter_.LastCall().text, PagePath("template_.html"));
    EXPECT_TRUE(prompter_.Failures().isEmpty());
}

TEST_F(Driver, WithoutAPlayerOnlyTheMessageShows) {
    state_.CurrentGamertag.clear();
    prompter_.AnswerMessage(MsgResult::Ok);
    CreateReport();
    const DialogCall& call = OnlyCall();
    EXPECT_EQ(call.text, QStringLiteral("You must select a Gamertag."));
    EXPECT_EQ(call.title, QStringLiteral("Error"));
    EXPECT_EQ(call.icon, MsgIcon::Critical);
    EXPECT_EQ(LogText(), QStringLiteral("<missing>"));
}

TEST_F(Driver, AMissingTemplateIsLoggedAndNothingIsWritten) {
    AddSmallPlayer(QStringLiteral("Red Fox"));
    prompter_.AcknowledgeOkMessages(true);
    CreateReport();
    EXPECT_FALSE(QFile::exists(PagePath("Red_Fox.html")));
    const QString log = LogText();
    EXPECT_TRUE(log.contains(QStringLiteral(" v110 [App.CreateTPS]   1/30/2005 3:30:07 PM\r\n")))
        << log.toStdString();
    EXPECT_TRUE(
        log.contains(QStringLiteral("#53 - Tallywick - File not found\r\nTag: Red Fox\r\n")));
    const DialogCall& call = OnlyCall();
    EXPECT_EQ(call.text,
              DebugLogMessage(AppError(53, QString(), QStringLiteral("File not found"))));
    EXPECT_EQ(call.icon, MsgIcon::Exclamation);
}

TEST_F(Driver, AnErrorBeforeWritingKeepsTheOlderPage) {
    AddSmallPlayer(QStringLiteral("Red Fox"));
    WriteTemplate("?GAMERTAG? ?EGR?");
    prompter_.AnswerMessage(MsgResult::No);
    CreateReport();
    const QByteArray older = Bytes(PagePath("Red_Fox.html"));
    EXPECT_EQ(older, "Red Fox 000\r\n");

    // Without the medal catalogue the trophy room's statement is refused.
    Seed(QStringLiteral("DROP TABLE Medal;"));
    prompter_.AcknowledgeOkMessages(true);
    CreateReport();
    EXPECT_EQ(Bytes(PagePath("Red_Fox.html")), older);
    EXPECT_TRUE(LogText().contains(QStringLiteral("[App.CreateTPS]")));
    EXPECT_TRUE(
        LogText().contains(QStringLiteral("\r\nSQL: SELECT Game_Player_Medal.Medal_Name, ")))
        << LogText().toStdString();
    EXPECT_EQ(prompter_.LastCall().icon, MsgIcon::Exclamation);
}

TEST_F(Driver, APageThatCannotBeWrittenIsLogged) {
    AddSmallPlayer(QStringLiteral("Red Fox"));
    WriteTemplate("?GAMERTAG?");
    // A folder where the page should go.
    ASSERT_TRUE(QDir().mkpath(PagePath("Red_Fox.html")));
    prompter_.AcknowledgeOkMessages(true);
    CreateReport();
    EXPECT_TRUE(LogText().contains(QStringLiteral("#75 - Tallywick - Path/File access error")));
    EXPECT_EQ(OnlyCall().icon, MsgIcon::Exclamation);
}

}  // namespace
}  // namespace tw::test
