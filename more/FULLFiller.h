// The generator thread: fills MORE with every combination once, at start-up.
#pragma once

#include "core/Tables.h"

#include <QThread>

#include <atomic>

class FULLFiller : public QThread {
    Q_OBJECT
public:
    FULLFiller(kviro::Table& more, kviro::RecordPool& pool, QObject* parent = nullptr)
        : QThread(parent), more_(more), pool_(pool) {}
    void requestStop() { stop_.store(true); }
    bool stopRequested() const { return stop_.load(); }

protected:
    void run() override;

private:
    kviro::Table& more_;
    kviro::RecordPool& pool_;
    std::atomic<bool> stop_{false};
};
