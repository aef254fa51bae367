#include "download/SiteProgram.h"

#include "support/SqliteFile.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>

#include "core/SqlText.h"
#include "db/Database.h"
#include "db/Variant.h"
#include "gui/MainWindowLifecycle.h"
#include "gui/PlayerSummaryView.h"
#include "gui/TagListPanel.h"
#include "statsite/Truth.h"
#include "support/TestApplication.h"

namespace tw::testing {

void ensureApplication() {
    test_support::ensureApplication();
}

namespace {

QByteArray truthField(const Variant& value) {
    switch (value.type()) {
        case Variant::Type::Null:
            return "\\N";
        case Variant::Type::Date:
            return toStorageDateText(value.toDateTime()).toUtf8();
        case Variant::Type::Integer:
            return QByteArray::number(static_cast<qlonglong>(value.toLong()));
        case Variant::Type::Double:
            return QByteArray::number(value.toDouble());
        case Variant::Type::Text:
            break;
    }
    return value.toText().toUtf8();
}

void runOnFile(const QString& path, const QByteArray& sql) {
    ASSERT_EQ(test_support::runSql(path, sql.constData()), "");
}

}  // namespace

quint16 freeSmallPort() {
    // Below the kernel's ephemeral range (32768 and up), so no outgoing
    // connection is handed the port between the probe and the site's listen.
    static int next = 20000 + static_cast<int>(QCoreApplication::applicationPid() % 5000) * 2;
    for (int attempt = 0; attempt < 200; ++attempt) {
        const int port = next;
        next = next >= 32000 ? 20000 : next + 1;
        QTcpServer probe;
        if (probe.listen(QHostAddress::LocalHost, static_cast<quint16>(port))) {
            return static_cast<quint16>(port);
        }
    }
    return 0;
}

void SiteProgramTest::SetUp() {
    ensureApplication();
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("avatar")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/avatar/unknown.jpg"),
                            filePath(QStringLiteral("avatar/unknown.jpg"))));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TALLYWICK_PROGRAM_DIR "/tallywick110.mdb"),
                            filePath(QStringLiteral("tallywick110.mdb"))))
        << "the delivered database is built into " TALLYWICK_PROGRAM_DIR;
}

void SiteProgramTest::TearDown() {
    window_.reset();
    state_.reset();
    if (server_) {
        server_->stop();
    }
}

void SiteProgramTest::startSite(const SiteOptions& options) {
    statsite::SiteConfig config;
    config.world.seed = options.seed;
    config.world.players = options.players;
    config.world.games = options.games;
    config.world.pageSize = options.pageSize;
    config.world.accents = options.accents;
    server_ = std::make_unique<statsite::StatSiteServer>(config);
    port_ = server_->start(freeSmallPort());
    ASSERT_NE(port_, 0) << server_->errorString().toStdString();
}

void SiteProgramTest::prepareProgram(const QStringList& tags, const QString& selected,
                                     const QStringList& internet, const QStringList& application) {
    QByteArray seed;
    for (const QString& tag : tags) {
        seed +=
            "INSERT INTO Player (Player_Gamertag, Last_Game_ID, Is_Selectable, Is_Friend,"
            " Is_Clan, Is_Jerk, Is_Guest) VALUES ('" +
            sqlText(tag).toUtf8() + "', 0, 'Y', 'N', 'N', 'N', 'N');";
    }
    runOnFile(filePath(QStringLiteral("tallywick110.mdb")), seed);
    // Without a started site there is no port: 0 would be told as a port
    // setting that is no port.
    const QByteArray directPort = port_ != 0 ? QByteArray::number(port_) : QByteArray();
    QByteArray ini = "[User]\r\nGamertag=" + selected.toUtf8() +
                     "\r\n[Internet]\r\nURL_Base_Domain=127.0.0.1\r\nDirect_Port=" + directPort +
                     "\r\nURL_Stats_Root=/stats/player.aspx?tag=\r\n"
                     "URL_Games_Root=/stats/games.aspx?tag=\r\n"
                     "URL_Game_Detail=/stats/game.aspx?id=\r\n"
                     "URL_Image_Root=/stats/emblem.ashx?\r\n";
    QStringList internetLines = internet;
    for (const char* fallback : {"Connection_Timeout=10000", "Use_Proxy=0"}) {
        const QString key = QString::fromLatin1(fallback).section(QLatin1Char('='), 0, 0);
        if (internet.filter(QRegularExpression(QLatin1Char('^') + key + QLatin1Char('=')))
                .isEmpty()) {
            internetLines << QString::fromLatin1(fallback);
        }
    }
    for (const QString& line : internetLines) {
        ini += line.toUtf8() + "\r\n";
    }
    ini += "[Application]\r\nQuery_Count=0\r\n";
    for (const QString& line : application) {
        ini += line.toUtf8() + "\r\n";
    }
    QFile file(filePath(QStringLiteral("tallywick110.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(ini);
}

void SiteProgramTest::seedDatabase(const QByteArray& sql) {
    runOnFile(filePath(QStringLiteral("tallywick110.mdb")), sql);
}

void SiteProgramTest::load() {
    window_ = std::make_unique<MainWindow>();
    prompter_ = std::make_unique<ScriptedPrompter>();
    state_ = std::make_unique<Session>();
    state_->prompter = prompter_.get();
    state_->sleep = [](int) {};
    connectTagList(*state_, *window_, {});
    installExitRule(*state_, *window_);
    downloadPanel_ = connectDownload(*state_, *window_);
    loadMainWindow(*state_, *window_, folder());
    ASSERT_FALSE(state_->endRequested);
    ASSERT_TRUE(state_->db);
}

namespace {

// Long enough for the largest world a test downloads on a loaded machine.
constexpr int kDownloadLimitMs = 180000;

void waitForRun(DownloadPanel& panel, QSignalSpy& finished) {
    if (finished.isEmpty() && panel.running()) {
        ASSERT_TRUE(finished.wait(kDownloadLimitMs)) << "the download did not finish";
    }
}

}  // namespace

void SiteProgramTest::pressDownload() {
    QSignalSpy finished(downloadPanel_, &DownloadPanel::runFinished);
    window_->downloadButton->click();
    waitForRun(*downloadPanel_, finished);
}

void SiteProgramTest::runDownload() {
    QSignalSpy finished(downloadPanel_, &DownloadPanel::runFinished);
    downloadPanel_->downloadClicked();
    waitForRun(*downloadPanel_, finished);
}

QList<QByteArray> SiteProgramTest::rows(const QString& table) {
    QList<QByteArray> rows;
    auto rs = state_->db->openRecordset(QStringLiteral("select * from ") + table);
    for (; !rs->isEof(); rs->moveNext()) {
        QList<QByteArray> fields;
        for (int i = 0; i < rs->fieldCount(); ++i) {
            const Variant value = rs->field(i);
            const bool stamp = rs->fieldName(i) == QLatin1String("Last_Download");
            fields << (stamp && !value.isNull() ? QByteArray("*") : truthField(value));
        }
        rows << fields.join('\t');
    }
    rs->close();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QMap<QByteArray, QList<QByteArray>> SiteProgramTest::truthRows(const QStringList& tags) {
    QMap<QByteArray, QList<QByteArray>> out;
    const auto tables = statsite::parseTruth(site().truth(tags));
    for (auto it = tables.constBegin(); it != tables.constEnd(); ++it) {
        out.insert(it.key(), it.value().rows);
    }
    return out;
}

void SiteProgramTest::expectTablesEqualTruth(const QStringList& tags) {
    const auto truth = truthRows(tags);
    ASSERT_EQ(truth.size(), 6);
    for (auto it = truth.constBegin(); it != truth.constEnd(); ++it) {
        const QList<QByteArray> got = rows(QString::fromUtf8(it.key()));
        EXPECT_EQ(got.size(), it.value().size()) << it.key().constData();
        for (qsizetype i = 0; i < qMin(got.size(), it.value().size()); ++i) {
            if (got[i] != it.value()[i]) {
                ADD_FAILURE() << it.key().constData() << " row " << i
                              << "\n database: " << got[i].constData()
                              << "\n truth:    " << it.value()[i].constData();
                break;
            }
        }
    }
}

QString SiteProgramTest::value(const QString& sql) {
    auto rs = state_->db->openRecordset(sql);
    QString value = rs->isEof() ? QStringLiteral("<no row>") : rs->field(0).joinText();
    rs->close();
    return value;
}

QString SiteProgramTest::lastGameId(const QString& tag) {
    return value(QStringLiteral("select Last_Game_ID from Player where Player_Gamertag = '%1'")
                     .arg(sqlText(tag)));
}

void SiteProgramTest::expectStagingEmpty() {
    for (const char* table : {"zLoad_Panel_1", "zLoad_Panel_2", "zLoad_Panel_4", "zLoad_Panel_5"}) {
        EXPECT_EQ(value(QStringLiteral("select count(*) from ") + QString::fromLatin1(table)), "0")
            << table;
    }
}

QByteArray SiteProgramTest::programFileBytes(const QString& relative) const {
    QFile file(filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int SiteProgramTest::countRequests(const QByteArray& part) {
    const QList<QByteArray> log = site().requestLog();
    int count = 0;
    for (qsizetype i = requestsSeen_; i < log.size(); ++i) {
        count += log[i].contains(part) ? 1 : 0;
    }
    return count;
}

void SiteProgramTest::forgetRequests() {
    requestsSeen_ = site().requestLog().size();
}

}  // namespace tw::testing
