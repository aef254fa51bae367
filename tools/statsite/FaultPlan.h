// Faults the site injects on request, so the program's fetcher can be tested
// against what real servers and networks do. See README.md for each one.
#pragma once

#include <QByteArray>
#include <QList>
#include <QUrlQuery>

#include "statsite/HttpAnswer.h"

namespace tw::statsite {

struct FaultPlan {
    int redirectFirst = 0;          // "302 Found" for the first K requests of each target
    int splitWrites = 0;            // > 1: the answer goes out in this many writes
    int splitPauseMs = 0;           // pause between those writes
    bool splitHeaderBlank = false;  // the first write ends inside the header's blank line
    bool noContentLength = false;
    bool upperCaseHtmlEnd = false;  // "</html>" sent as "</HTML>"
    int slowMs = 0;                 // pause before the first byte
    int resetAfterBytes = -1;       // >= 0: connection reset after this many bytes
    int closeAfterBytes = -1;       // >= 0: orderly close after this many bytes
    int stopAfterRequests = 0;      // > 0: the site stops listening after this many answers
    bool endless = false;           // no Content-Length, and the body never ends
    // Content faults: they change only the pages they name.
    bool body302 = false;           // "302 Found" near the top of an HTML page's body
    qint32 badNumberGame = 0;       // this game's kills panel: kills past the 32-bit range
    qint32 negativeNumberGame = 0;  // this game's kills panel: kills of -3
    bool noPageParam = false;       // the last-page link without its "&page=N"
    qint32 noGameLengthGame = 0;    // this game's stats panel without "Game Length:"
    bool emblemCrlf = false;        // CR LF and a second request inside the emblem address
    QByteArray match;               // only targets containing this text; empty: all
    int times = 0;                  // > 0: only the first N matching requests (not redirects)

    bool any() const;
    // Faults that change every matching answer, whatever its content.
    bool anyWriteFault() const;
    // Reads the keys of a control request (the option names without "--").
    static FaultPlan fromQuery(const QUrlQuery& query);
    QByteArray describe() const;
};

// The fault options of the program's command line; each name is also the key of
// the control request that sets faults.
struct FaultOption {
    const char* name;
    const char* valueName;  // empty: a switch
    const char* help;
};
const QList<FaultOption>& faultOptions();

// How the answer's bytes go out: writes with pauses before them, then the end.
struct WireStep {
    QByteArray bytes;
    int pauseBeforeMs = 0;
};

struct WirePlan {
    QList<WireStep> steps;
    bool reset = false;  // end with a reset instead of an orderly close
    // Non-empty: after the steps this goes out again and again, one write at a
    // time, until the peer goes away.
    QByteArray endlessChunk;
};

// Cuts an answer's bytes as the plan's write faults say (split, slow, reset,
// early close). Content faults (Content-Length, letter case) are applied before.
WirePlan shapeWire(const QByteArray& wire, const FaultPlan& plan);
// The wire of an answer under the plan's write faults, the endless body included.
WirePlan faultedWire(HttpAnswer answer, const FaultPlan& plan);

}  // namespace tw::statsite
