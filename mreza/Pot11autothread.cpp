#include "mreza/Pot11autothread.h"

#include <QMetaObject>

#include <chrono>

using namespace kviro;

POT11Auto::POT11Auto(QObject* parent) : QThread(parent) {}

POT11Auto::~POT11Auto() {
    requestStop();
    wait();
}

void POT11Auto::requestStop() {
    std::lock_guard lock(mutex_);
    stop_.store(true);
    if (call_ == Call::Posted) call_ = Call::None; // dropped: the worker goes on without it
    changed_.notify_all();
}

// Not QMetaObject::invokeMethod(..., Qt::BlockingQueuedConnection): a worker blocked that way
// can only be released by the main thread running the call, but the main thread stops a run
// with requestStop() followed by wait() (closing the window, leaving the program, loading new
// tables) without returning to its event loop. The worker would wait for the main thread and
// the main thread for the worker. Here requestStop() drops a call that has not started yet and
// wakes the worker, which then finishes its step and ends.
bool POT11Auto::runOnMainThread(const std::function<void()>& fn) {
    std::unique_lock lock(mutex_);
    if (stop_.load()) return false;
    call_ = Call::Posted;
    // The object lives on the main thread, so the call is queued there; it is dropped when the
    // object goes first.
    QMetaObject::invokeMethod(
        this,
        [this, &fn] {
            {
                std::lock_guard served(mutex_);
                if (call_ != Call::Posted) return; // stopped meanwhile: the worker has gone on
                call_ = Call::Running;
            }
            fn();
            std::lock_guard served(mutex_);
            call_ = Call::Done;
            changed_.notify_all();
        },
        Qt::QueuedConnection);
    // A call that has started on the main thread is always waited for: it reads the worker's
    // state.
    changed_.wait(
        lock, [this] { return call_ == Call::Done || (call_ != Call::Running && stop_.load()); });
    const bool served = call_ == Call::Done;
    call_ = Call::None;
    return served;
}

void POT11Auto::run() {
    if (singleRun) {
        const CandidateProgress progress = [this](int done) {
            if (RepaintProgress) runOnMainThread([this, done] { RepaintProgress(done); });
        };
        filled = fillPot11(candidates, network, static_cast<std::size_t>(mrezaIndex), probability,
                           *pool, index, progress);
        return;
    }
    using Clock = std::chrono::steady_clock;
    const auto interval = std::chrono::milliseconds(1000 / std::max(refreshesPerSecond, 1));
    auto lastRefresh = Clock::now() - interval;
    const AutoPot11StepFn onStep = [&](const AutoPot11Step& step) {
        if (!RefreshViews || step.last) return; // the end handler shows the final state
        const auto now = Clock::now();
        if (now - lastRefresh < interval) return;
        runOnMainThread([this, &step] { RefreshViews(step); });
        lastRefresh = Clock::now();
    };
    result = autoPot11(network, tuk, candidates, *pool, probability, minHits, stop_, onStep);
}
