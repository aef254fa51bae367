// Faults the site injects on request, so the program's fetcher can be tested
// against what real servers and networks do. See README.md for each one.
#pragma once

#include <QByteArray>
#include <QList>
#include <QUrlQuery>

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
    QByteArray match;               // only targets containing this text; empty: all
    int times = 0;                  // > 0: only the first N matching requests (not redirects)

    bool any() const;
    // Reads the keys of a control request (the option names without "--").
    static FaultPlan fromQuery(const QUrlQuery& query);
    QByteArray describe() const;
};

// How the answer's bytes go out: writes with pauses before them, then the end.
struct WireStep {
    QByteArray bytes;
    int pauseBeforeMs = 0;
};

struct WirePlan {
    QList<WireStep> steps;
    bool reset = false;  // end with a reset instead of an orderly close
};

// Cuts an answer's bytes as the plan's write faults say (split, slow, reset,
// early close). Content faults (Content-Length, letter case) are applied before.
WirePlan shapeWire(const QByteArray& wire, const FaultPlan& plan);

}  // namespace tw::statsite
