// "Optimiraj TUK": the guarantee and the amount of work of an optimiser run, and the worker
// thread that runs it on a copy of the network.
#pragma once

#include "core/Probability.h"
#include "core/Toto13class.h"
#include "core/TukOptimiser.h"

#include <QDialog>
#include <QThread>

#include <atomic>

class QComboBox;
class QLabel;
class QPushButton;

class TOptimForm : public QDialog {
    Q_OBJECT
  public:
    explicit TOptimForm(QWidget* parent = nullptr);

    QLabel* Label1;         // "Jamstvo :"
    QComboBox* Jamstvo;     // "10 pogodaka", "11 pogodaka", "12 pogodaka"
    QLabel* Label2;         // "Trud :"
    QComboBox* Trud;        // "brzo", "temeljito", "najbolje"
    QPushButton* Pokreni;   // "Pokreni"

    // The chosen guarantee as the radius of the search (3 for 10 hits ... 1 for 12).
    int radius() const;
    kviro::OptimiseEffort effort() const;
};

class TUKOptimiser : public QThread {
    Q_OBJECT
  public:
    explicit TUKOptimiser(QObject* parent = nullptr);
    ~TUKOptimiser() override;

    // ---- set on the main thread before start()
    kviro::Table network; // MREZA as it stood at the start
    kviro::ProbabilityTable probability{};
    kviro::OptimiseOptions options;

    // ---- read on the main thread once the thread has finished
    kviro::OptimiseResult result;

    void requestStop() { stop_.store(true); }
    bool stopRequested() const { return stop_.load(); }

  signals:
    // The size of the best cover so far (queued to the main thread).
    void improved(qulonglong rows);

  protected:
    void run() override;

  private:
    std::atomic<bool> stop_{false};
};
