// The POT11 worker: one POT11 computation for a network row, or the automatic POT11 run.
// It works only on what it was given when it started (copies of the network and TUK, the
// percentages) and on the record pool, which nothing else uses while it runs. Progress and view
// refreshes run on the main thread while the worker waits; it never touches a widget.
#pragma once

#include "core/AutoPot11.h"
#include "core/Coverage.h"
#include "core/Probability.h"
#include "core/RecordPool.h"
#include "core/Toto13class.h"

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

class POT11Auto : public QThread {
    Q_OBJECT
  public:
    explicit POT11Auto(QObject* parent = nullptr);
    ~POT11Auto() override;

    // ---- set on the main thread before start()
    bool singleRun = true; // true: FillPOT11 for mrezaIndex; false: the automatic loop
    int mrezaIndex = 0;
    int minHits = -1;
    kviro::Table network;                  // MREZA as it stood at the start
    kviro::Table tuk;                      // TUK as it stood at the start (automatic run)
    kviro::ProbabilityTable probability{}; // read from the grid at the start
    kviro::RecordPool* pool = nullptr;
    kviro::NetworkIndex* index = nullptr; // single run: the window's index of the network
    // Run on the main thread, the worker waiting: after every candidate of a single run; after
    // an automatic step (at most refreshesPerSecond times a second, and never for the last one).
    std::function<void(int done)> RepaintProgress;
    std::function<void(const kviro::AutoPot11Step& step)> RefreshViews;
    int refreshesPerSecond = 30;

    // ---- read on the main thread once the thread has finished
    // Single run: the candidates, best first. Automatic run: network and tuk hold the tables
    // as after the last finished step, candidates the POT11 list of that step (empty when the
    // run made no step).
    kviro::Table candidates;
    kviro::AutoPot11Result result;
    bool filled = false; // single run: the candidates were computed

    // Main thread: asks the worker to stop after its current step and releases it from a call
    // to the main thread it may be waiting for (that call is then dropped).
    void requestStop();
    bool stopRequested() const { return stop_.load(); }

  protected:
    // Execute.
    void run() override;

  private:
    // Worker: runs `fn` on the main thread and waits for it. False, without running it, once a
    // stop has been requested.
    bool runOnMainThread(const std::function<void()>& fn);

    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    enum class Call { None, Posted, Running, Done };
    Call call_ = Call::None;
};
