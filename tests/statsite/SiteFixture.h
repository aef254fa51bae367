// Starts the site in-process on a free loopback port for one test.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>
#include <memory>

#include "statsite/StatSiteServer.h"

namespace statsite_test {

using namespace tw::statsite;

// The server thread's event loop needs an application object.
inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "test_statsite";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        new QCoreApplication(argc, argv);
    }
}

class RunningSite {
  public:
    explicit RunningSite(const SiteConfig& config = {}) : server_(prepared(config)) {
        port_ = server_.start();
        EXPECT_NE(port_, 0) << server_.errorString().toStdString();
    }

    static SiteConfig withWorld(std::uint64_t seed, int players, int games) {
        SiteConfig config;
        config.world.seed = seed;
        config.world.players = players;
        config.world.games = games;
        return config;
    }

    quint16 port() const { return port_; }
    StatSiteServer& server() { return server_; }
    Site& site() { return server_.site(); }
    World world() { return server_.site().worldSnapshot(); }

  private:
    static const SiteConfig& prepared(const SiteConfig& config) {
        ensureApplication();
        return config;
    }

    StatSiteServer server_;
    quint16 port_ = 0;
};

// The first player (in world order) that meets the condition; fails the test if none.
inline const SitePlayer& playerWhere(const World& world,
                                     const std::function<bool(const SitePlayer&)>& condition) {
    for (const SitePlayer& player : world.players()) {
        if (condition(player)) {
            return player;
        }
    }
    ADD_FAILURE() << "no player of the world meets the condition";
    return world.players().first();
}

inline const Game& gameWhere(const World& world,
                             const std::function<bool(const Game&)>& condition) {
    for (const Game& game : world.games()) {
        if (condition(game)) {
            return game;
        }
    }
    ADD_FAILURE() << "no game of the world meets the condition";
    return world.games().first();
}

// Polls the condition until it holds or the time is up; false: it never held.
inline bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QThread::msleep(10);
    }
    return true;
}

}  // namespace statsite_test
