#pragma once
// Ctrl+C (SIGINT) or SIGTERM during a batch download asks the download to
// stop, as the Stop button does, so the games read so far are kept. The
// signals are taken from a signalfd watched by the event loop the download
// already runs, so no handler touches program state.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace tw::batch {

// Blocks SIGINT and SIGTERM for the calling thread and every thread it starts
// later. Call before anything starts a thread.
void blockStopSignals();

class InterruptWatcher : public QObject {
  public:
    // `onStop` runs in the event loop once per signal received. Needs
    // blockStopSignals() first; without a signalfd it watches nothing.
    explicit InterruptWatcher(std::function<void()> onStop, QObject* parent = nullptr);
    ~InterruptWatcher() override;

  private:
    void drain();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> onStop_;
};

}  // namespace tw::batch
