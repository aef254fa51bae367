// statsite: the simulated statistics site. See tools/statsite/README.md.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include "statsite/StatSiteServer.h"

using namespace tw::statsite;

namespace {

struct Options {
    quint16 port = 8642;
    QHostAddress host = QHostAddress::LocalHost;
    SiteConfig config;
    QString truthFile;
    QStringList truthTags;
};

void addOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "The simulated statistics site: a deterministic HTTP/1.0 stand-in for the game's "
        "statistics web site.");
    parser.addHelpOption();
    parser.addOptions({
        {"port", "TCP port to listen on (default 8642; 0: any free port).", "N", "8642"},
        {"host", "Address to listen on (default 127.0.0.1).", "ADDR", "127.0.0.1"},
        {"seed", "Seed of the world (default 1).", "N", "1"},
        {"players", "Players who host games (default 12).", "N", "12"},
        {"games", "Games in the world at start (default 60).", "N", "60"},
        {"page-size", "Games per game-list page (default 10).", "N", "10"},
        {"truth", "Write the ground truth to FILE and go on serving.", "FILE"},
        {"list", "Print the world's players (as GET /control/world does) and exit."},
        {"tag",
         "A gamertag of the truth's tag list, in download order; repeatable "
         "(default: the players who host games).",
         "NAME"},
        {"pages", "Serve the saved pages of DIR instead of the world.", "DIR"},
        {"stats-root", "Player page root (default /stats/player.aspx?tag=).", "TEXT"},
        {"games-root", "Game list root (default /stats/games.aspx?tag=).", "TEXT"},
        {"detail-root", "Game detail root (default /stats/game.aspx?id=).", "TEXT"},
        {"image-root", "Emblem picture root, ending in ? (default /stats/emblem.ashx?).", "TEXT"},
        {"accents",
         "Add the hosting players \"Caf\u00e9 Racer\" and \"Caf\u00e8 Racer\", whose gamertags "
         "differ in one accented letter."},
    });
    for (const FaultOption& fault : faultOptions()) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(fault.name),
                                            QString::fromLatin1(fault.help),
                                            QString::fromLatin1(fault.valueName)));
    }
}

int number(const QCommandLineParser& parser, const QString& name, int fallback) {
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    return parser.isSet(name) && ok ? value : fallback;
}

// The fault options are read as the control request reads its keys.
FaultPlan faultsFrom(const QCommandLineParser& parser) {
    QUrlQuery query;
    for (const FaultOption& fault : faultOptions()) {
        const QString name = QString::fromLatin1(fault.name);
        if (parser.isSet(name)) {
            query.addQueryItem(name, parser.value(name));
        }
    }
    FaultPlan plan = FaultPlan::fromQuery(query);
    plan.match = parser.value("fault-match").toUtf8();  // as typed, no percent decoding
    return plan;
}

Options optionsFrom(const QCommandLineParser& parser) {
    Options options;
    options.port = static_cast<quint16>(number(parser, "port", 8642));
    options.host = QHostAddress(parser.value("host"));
    WorldOptions& world = options.config.world;
    world.seed = parser.value("seed").toULongLong();
    world.players = qMax(1, number(parser, "players", 12));
    world.games = qMax(0, number(parser, "games", 60));
    world.pageSize = qMax(1, number(parser, "page-size", 10));
    world.accents = parser.isSet("accents");
    SiteRoots& roots = options.config.roots;
    auto root = [&](const QString& name, QString& field) {
        if (parser.isSet(name)) {
            field = parser.value(name);
        }
    };
    root("stats-root", roots.stats);
    root("games-root", roots.games);
    root("detail-root", roots.detail);
    root("image-root", roots.image);
    options.config.pagesFolder = parser.value("pages");
    options.config.faults = faultsFrom(parser);
    options.truthFile = parser.value("truth");
    options.truthTags = parser.values("tag");
    return options;
}

bool writeTruth(Site& site, const Options& options) {
    QFile file(options.truthFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const QByteArray text = site.truth(options.truthTags);
    return file.write(text) == text.size();
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("statsite");
    QCommandLineParser parser;
    addOptions(parser);
    parser.process(app);
    const Options options = optionsFrom(parser);
    QTextStream err(stderr);
    if (options.host.isNull()) {
        err << "statsite: not an address: " << parser.value("host") << Qt::endl;
        return 2;
    }
    StatSiteServer server(options.config);
    if (parser.isSet("list")) {
        QTextStream(stdout) << server.site().answerFor("/control/world").body;
        return 0;
    }
    if (!options.truthFile.isEmpty() && !writeTruth(server.site(), options)) {
        err << "statsite: cannot write " << options.truthFile << Qt::endl;
        return 1;
    }
    const quint16 port = server.start(options.port, options.host);
    if (port == 0) {
        err << "statsite: cannot listen on " << options.host.toString() << ':' << options.port
            << ": " << server.errorString() << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << "statsite listening on " << options.host.toString() << ':' << port
                        << (options.config.pagesFolder.isEmpty()
                                ? QStringLiteral(" (seed %1)").arg(options.config.world.seed)
                                : QStringLiteral(" (pages of %1)").arg(options.config.pagesFolder))
                        << Qt::endl;
    return app.exec();
}
