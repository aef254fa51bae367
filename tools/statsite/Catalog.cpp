#include "statsite/Catalog.h"

namespace tw::statsite::catalog {

const QList<PlaylistRule>& playlists() {
    static const QList<PlaylistRule> rules = {
        {QStringLiteral("Big Team Battle"),
         12,
         16,
         15,
         {QStringLiteral("CTF"), QStringLiteral("Multi Flag CTF"), QStringLiteral("Assault"),
          QStringLiteral("Territories"), QStringLiteral("Team Slayer")}},
        {QStringLiteral("Head to Head"), 2, 2, 10, {QStringLiteral("Slayer")}},
        {QStringLiteral("Rumble Pit"),
         6,
         8,
         15,
         {QStringLiteral("Slayer"), QStringLiteral("Oddball"), QStringLiteral("King of the Hill"),
          QStringLiteral("Juggernaut"), QStringLiteral("Rockets")}},
        {QStringLiteral("Team Skirmish"),
         4,
         4,
         15,
         {QStringLiteral("Team Slayer"), QStringLiteral("CTF"), QStringLiteral("Team Ball")}},
        {QStringLiteral("Team Slayer"),
         8,
         8,
         30,
         {QStringLiteral("Team Slayer"), QStringLiteral("Team Snipers"),
          QStringLiteral("Team King")}},
        {kArrangedGame, 2, 10, 15, allGameTypes()},
    };
    return rules;
}

QStringList rankedPlaylistNames() {
    QStringList names;
    for (const PlaylistRule& rule : playlists()) {
        if (rule.name != kArrangedGame) {
            names.append(rule.name);
        }
    }
    return names;
}

QStringList extraPlaylistNames() {
    return {QStringLiteral("Team Snipers"), QStringLiteral("Team SWAT")};
}

QStringList allGameTypes() {
    return {QStringLiteral("Slayer"),
            QStringLiteral("Team Slayer"),
            QStringLiteral("Team Snipers"),
            QStringLiteral("Rockets"),
            QStringLiteral("CTF"),
            QStringLiteral("Multi Flag CTF"),
            QStringLiteral("Assault"),
            QStringLiteral("Territories"),
            QStringLiteral("Oddball"),
            QStringLiteral("Team Ball"),
            QStringLiteral("King of the Hill"),
            QStringLiteral("Team King"),
            QStringLiteral("Juggernaut")};
}

bool isTeamType(const QString& type) {
    static const QStringList team = {
        QStringLiteral("Team Slayer"), QStringLiteral("Team Snipers"),
        QStringLiteral("CTF"),         QStringLiteral("Multi Flag CTF"),
        QStringLiteral("Assault"),     QStringLiteral("Territories"),
        QStringLiteral("Team Ball"),   QStringLiteral("Team King")};
    return team.contains(type);
}

bool isTimedType(const QString& type) {
    static const QStringList timed = {QStringLiteral("Oddball"), QStringLiteral("Team Ball"),
                                      QStringLiteral("King of the Hill"),
                                      QStringLiteral("Team King")};
    return timed.contains(type);
}

const QStringList& maps() {
    static const QStringList names = {
        QStringLiteral("Ascension"),     QStringLiteral("Beaver Creek"),
        QStringLiteral("Burial Mounds"), QStringLiteral("Coagulation"),
        QStringLiteral("Colossus"),      QStringLiteral("Foundation"),
        QStringLiteral("Headlong"),      QStringLiteral("Ivory Tower"),
        QStringLiteral("Lockout"),       QStringLiteral("Midship"),
        QStringLiteral("Waterworks"),    QStringLiteral("Zanzibar"),
        QStringLiteral("Containment"),   QStringLiteral("Warlock"),
        QStringLiteral("Sanctuary"),     QStringLiteral("Turf"),
        QStringLiteral("Backwash"),      QStringLiteral("Elongation"),
        QStringLiteral("Gemini"),        QStringLiteral("Relic"),
        QStringLiteral("Terminal")};
    return names;
}

const QStringList& teamColors() {
    static const QStringList colors = {QStringLiteral("Red"), QStringLiteral("Blue"),
                                       QStringLiteral("Green"), QStringLiteral("Orange")};
    return colors;
}

const QStringList& clanNames() {
    static const QStringList names = {
        QStringLiteral("Red Shift"),    QStringLiteral("Noble Six"),
        QStringLiteral("Hammer Down"),  QStringLiteral("Iron Legion"),
        QStringLiteral("Night Owls"),   QStringLiteral("Team 7"),
        QStringLiteral("Lone Wolves"),  QStringLiteral("Plasma Kids"),
        QStringLiteral("Delta Squad"),  QStringLiteral("Sunday League"),
        QStringLiteral("Zero Gravity"), QStringLiteral("The Regulars")};
    return names;
}

const QStringList& nameWords() {
    static const QStringList words = {
        QStringLiteral("Al"),    QStringLiteral("Wolf"),   QStringLiteral("Fox"),
        QStringLiteral("Hawk"),  QStringLiteral("Ghost"),  QStringLiteral("Viper"),
        QStringLiteral("Otter"), QStringLiteral("Falcon"), QStringLiteral("Bishop"),
        QStringLiteral("Rook"),  QStringLiteral("Tank"),   QStringLiteral("Pixel"),
        QStringLiteral("Mango"), QStringLiteral("Comet"),  QStringLiteral("Raven"),
        QStringLiteral("Cobra"), QStringLiteral("Moose"),  QStringLiteral("Bear"),
        QStringLiteral("Tiger"), QStringLiteral("Panda"),  QStringLiteral("Spud"),
        QStringLiteral("Nova"),  QStringLiteral("Yeti"),   QStringLiteral("Badger")};
    return words;
}

const QStringList& nameAdjectives() {
    static const QStringList words = {
        QStringLiteral("Big"),   QStringLiteral("Red"),  QStringLiteral("Dark"),
        QStringLiteral("Lone"),  QStringLiteral("Mad"),  QStringLiteral("Sly"),
        QStringLiteral("Iron"),  QStringLiteral("Cold"), QStringLiteral("Wild"),
        QStringLiteral("Lucky"), QStringLiteral("Fast"), QStringLiteral("Grim"),
        QStringLiteral("Old"),   QStringLiteral("Tiny"), QStringLiteral("Blue"),
        QStringLiteral("Neon"),  QStringLiteral("Mr"),   QStringLiteral("Sgt")};
    return words;
}

}  // namespace tw::statsite::catalog
