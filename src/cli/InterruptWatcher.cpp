#include "cli/InterruptWatcher.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace tw::batch {
namespace {

sigset_t stopSignals() {
    sigset_t stopSet;
    sigemptyset(&stopSet);
    sigaddset(&stopSet, SIGINT);
    sigaddset(&stopSet, SIGTERM);
    return stopSet;
}

}  // namespace

void blockStopSignals() {
    const sigset_t stopSet = stopSignals();
    pthread_sigmask(SIG_BLOCK, &stopSet, nullptr);
}

InterruptWatcher::InterruptWatcher(std::function<void()> onStop, QObject* parent)
    : QObject(parent), onStop_(std::move(onStop)) {
    const sigset_t stopSet = stopSignals();
    fd_ = signalfd(-1, &stopSet, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0) {
        return;
    }
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { drain(); });
}

InterruptWatcher::~InterruptWatcher() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void InterruptWatcher::drain() {
    signalfd_siginfo info{};
    while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        onStop_();
    }
}

}  // namespace tw::batch
