// The tallywick-sql tool, run as a user runs it.

#include "EngineTestSupport.h"

namespace tw::test {
namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& arguments, const QByteArray& input = QByteArray()) {
    QProcess tool;
    tool.start(sqlToolPath(), arguments);
    EXPECT_TRUE(tool.waitForStarted());
    tool.write(input);
    tool.closeWriteChannel();
    EXPECT_TRUE(tool.waitForFinished(30000));
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
}

class SqlTool : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = dir_.filePath(QStringLiteral("tallywick110.mdb"));
        ASSERT_TRUE(QFile::copy(deliveredDatabasePath(), path_));
    }
    QTemporaryDir dir_;
    QString path_;
};

TEST_F(SqlTool, PrintsRowsTabSeparatedWithNullEmptyAndGeneralDates) {
    const ToolRun insert = runTool(
        {path_, QStringLiteral("insert into Game values (7, 'Slayer', '2005-01-15 20:03:00', "
                               "'Lockout', 'Rumble Pit', 'N', Null)")});
    EXPECT_EQ(insert.exitCode, 0);
    EXPECT_EQ(insert.out, QStringLiteral("1\n"));
    runTool({path_, QStringLiteral("insert into Game (Game_ID, Date_Time_Stamp) values (8, "
                                   "'2005-01-16 00:00:00')")});

    const ToolRun rows = runTool(
        {path_, QStringLiteral("select Game_ID, Date_Time_Stamp, Map, Duration_Seconds from "
                               "Game order by Game_ID")});
    EXPECT_EQ(rows.exitCode, 0);
    EXPECT_EQ(rows.out, QStringLiteral("Game_ID\tDate_Time_Stamp\tMap\tDuration_Seconds\n"
                                       "7\t1/15/2005 8:03:00 PM\tLockout\t\n"
                                       "8\t1/16/2005\t\t\n"));
    EXPECT_EQ(rows.err, QString());
}

TEST_F(SqlTool, ReportsErrorsOnStandardErrorWithTheirNumber) {
    const ToolRun bad = runTool({path_, QStringLiteral("delete * from Nowhere")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, QString());
    EXPECT_EQ(bad.err, QStringLiteral("Error 3078: The database engine cannot find the input table "
                                      "or query 'Nowhere'. Make sure it exists and that its name "
                                      "is spelled correctly.\n"));

    const QString missing = dir_.filePath(QStringLiteral("none.mdb"));
    const ToolRun absent = runTool({missing, QStringLiteral("select * from Medal")});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_EQ(absent.err, QStringLiteral("Error 3024: Could not find file '%1'.\n").arg(missing));
}

TEST_F(SqlTool, ReadsOneStatementPerLineFromStandardInput) {
    const ToolRun session = runTool({path_},
                                    "insert into Clan values('Red','','','','')\n"
                                    "\n"
                                    "insert into Clan values('RED','','','','')\n"
                                    "Clan\n"
                                    "select count(*) AS Colors from Color\n");
    EXPECT_EQ(session.exitCode, 1);  // one statement failed
    EXPECT_EQ(session.out,
              QStringLiteral("1\n"
                             "Clan_Name\tWebsite_URL\tClan_Tag\tClan_Motto\tClan_Notes\n"
                             "Red\t\t\t\t\n"
                             "Colors\n18\n"));
    EXPECT_TRUE(session.err.startsWith(QStringLiteral("Error 3022: The changes you requested")));
    EXPECT_EQ(session.err.count(u'\n'), 1);
}

}  // namespace
}  // namespace tw::test
