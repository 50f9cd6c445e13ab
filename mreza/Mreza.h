// The network window "MREŽA": the network MREZA, its hand-over copy MREZA0 and TUK, the entry
// row and strike-out, the coverage procedures POTA12 and POT11 and the automatic POT11 run.
// The tables themselves are held by the workbench (Form1).
#pragma once

#include "core/AutoPot11.h"
#include "core/Coverage.h"
#include "core/PagedView.h"
#include "core/TukOptimiser.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

class BusyAnimation;
class POT11Auto;
class TOptimForm;
class TUKOptimiser;
class TJamstvoForm;
class QAction;
class QFrame;
class QGroupBox;
class QHeaderView;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QShortcut;
class QStackedWidget;
class QTimer;

class TMrezaForm : public QWidget {
    Q_OBJECT
  public:
    explicit TMrezaForm(QWidget* parent = nullptr);
    ~TMrezaForm() override;

    // ---- state
    int mrezaTopRow() const { return mrezaPage.topRow(); }
    int tukTopRow() const { return tukPage.topRow(); }
    std::int8_t entrySource = 0; // tukSource of the next row entered through the entry row
    bool pota12Pending = false;  // set by "Dvanaesterac", cleared by the purge of "Jedanaesterac"
    int minHits = -1;            // X of the automatic run; -1: the option is off
    QPointer<POT11Auto> autoThread;
    QPointer<POT11Auto> singleThread;
    QPointer<TUKOptimiser> optimThread; // the optimiser run in progress
    TOptimForm* OptimForm = nullptr;    // its dialog, made on first use
    int viewRefreshes = 0; // view refreshes of the last automatic run

    // ---- head
    QLabel* Label1;
    QLabel* MREZANum;
    QLabel* Label3;
    QLabel* MANUNum;
    QFrame* Menu;
    QPushButton* SpeedButton2; // "TUK = MREŽA"
    QPushButton* SpeedButton6; // "MREŽA = MREŽA0"
    QPushButton* SpeedButton3; // "Dvanaesterac"
    QPushButton* SpeedButton4; // "Jedanaesterac"
    QPushButton* SpeedButton8; // "Povratak"

    // ---- network list
    QHeaderView* HeaderControl1;
    QListWidget* MREZAShow;
    QScrollBar* ScrollBar1;
    QPushButton* BitBtn9; // "Info"
    QPushButton* BitBtn1; // network line into the entry row
    QPushButton* ToPOT;   // "12" or "11"
    QMenu* PopupMenu1;
    QAction* PostaviNPnaodreenuvrijednost1; // "Obriši kombinacije sa NP > X"
    QAction* PoveajNPza11;
    QAction* SmanjiNPza11;
    QAction* ResetirajsveNPna01;

    // ---- coverage page
    QStackedWidget* PageControl1;
    QWidget* Tab12;
    QWidget* Tab11;
    QGroupBox* GroupBox2;
    QHeaderView* HeaderControl2;
    QListWidget* POTA12Show;
    QProgressBar* POTA12Progress;
    QPushButton* BitBtn6;
    QGroupBox* GroupBox3;
    QHeaderView* HeaderControl3;
    QListWidget* POT11Show;
    QProgressBar* POT11Progress;
    QPushButton* BitBtn7;
    QPushButton* BitBtn8; // "Automatski POT11"; stops a run in progress
    QPushButton* Button1; // "OPCIJE"
    BusyAnimation* Animate1;
    QPushButton* OptimirajTUK; // "Optimiraj TUK"; stops a run in progress
    QLabel* StopHint;

    // ---- TUK panel
    QFrame* TukPanel;
    QLabel* Label2; // title bar
    QLabel* Label4; // "Kombinacija :"
    QLineEdit* edit(int match) const { return edits_[static_cast<std::size_t>(match - 1)]; }
    QPushButton* BitBtn5; // entry row into TUK
    QListWidget* TUKShow;
    QScrollBar* ScrollBar2;
    QPushButton* SpeedButton1; // "ispiši TUK"
    QPushButton* SpeedButton5; // "kopiraj TUK"
    QPushButton* SpeedButton7; // "obriši TUK"
    QPushButton* BitBtn4;      // "OK"
    QPushButton* JamstvoButton; // opens "Jamstvo TUK" (Ctrl+J)

    // ---- commands
    // "MORE = MREŽA" of the workbench: MORE sorted by MANA becomes the network.
    void handOver();
    void SpeedButton2Click();
    void SpeedButton6Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton8Click();
    void SpeedButton7Click();
    void SpeedButton1Click();
    void SpeedButton5Click();
    void BitBtn9Click();
    void ToPOTClick();
    void HeaderControl1SectionClick(int section);
    void HeaderControl2SectionClick(int section);
    void HeaderControl3SectionClick(int section);
    void ScrollBar1Change(int position);
    void ScrollBar2Change(int position);
    void PostaviNPnaodreenuvrijednost1Click();
    void PoveajNPza11Click();
    void SmanjiNPza11Click();
    void ResetirajsveNPna01Click();
    // Entry row and strike-out.
    void BitBtn1Click();
    void BitBtn6Click();
    void BitBtn7Click();
    void BitBtn5Click();
    void EditKeyPress(int match);
    void BitBtn4Click();
    void JamstvoButtonClick();
    // Automatic POT11.
    void BitBtn8Click();
    void Button1Click();
    // TUK optimiser: the dialog, then a run on the worker thread.
    void OptimirajTUKClick();

    // ---- views
    void ShowMREZA();
    void ShowTUK();
    void ShowInfo();
    void ShowPOTA12();
    void ShowPOT11();

    // ---- TUK against the last .TUK file written from it
    // TUK has just been written whole to a .TUK file.
    void tukCopied();
    // True when TUK holds rows that differ from those last written to a .TUK file.
    bool tukUnsaved() const;
    // The question before TUK is emptied; true on Yes.
    static bool confirmTukDiscard(QWidget* parent);

    // ---- runs on the worker thread
    bool running() const { return running_ != Run::None; }
    bool autoRunning() const { return running_ == Run::Auto; }
    bool optimising() const { return running_ == Run::Optimise; }
    // Stops a run in progress (the automatic one after its current step) and waits for it; the
    // tables are left as after its last finished step. Used before the tables are released.
    void stopRuns();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildHead();
    void buildNetwork();
    void buildCoverage();
    void buildTukPanel();

    int selectedLine(const QListWidget* list) const;
    // MREZA row of the selected network line, or -1.
    int selectedNetworkRow() const;
    void takeIntoEntryRow(const kviro::Combination& rec, std::int8_t source);
    // NP step of the selected network row; the same line stays selected.
    void stepNp(void (*step)(const kviro::Table&, std::span<const int>));
    // Enables the commands by what the tables hold and whether a run is in progress.
    void updateCommands();
    void setRunning(bool on, bool automatic);
    void startSingleRun(int row);
    void finishRun(POT11Auto* thread);
    void endAutoRun();
    void refreshViews(const kviro::AutoPot11Step& step);
    void stopAutoRun();
    void startOptimise(int radius, kviro::OptimiseEffort effort);
    void stopOptimise();
    // `apply`: the cover goes to TUK and MREZA is struck; otherwise the run leaves no trace.
    void finishOptimise(TUKOptimiser* thread, bool apply);
    void showOptimiseProgress();
    // Releases candidate records that no table refers to any more, when the pool has grown.
    void sweepPool();

    enum class Run { None, Single, Auto, Optimise };
    Run running_ = Run::None;
    kviro::PagedView mrezaPage{6};
    kviro::PagedView tukPage{8};
    kviro::NetworkIndex index_;
    std::array<QLineEdit*, 13> edits_{};
    QShortcut* stopShortcut_ = nullptr;
    TJamstvoForm* jamstvo_ = nullptr; // follows the tables from ShowMREZA and ShowTUK
    std::size_t blocksAfterSweep_ = 0;
    std::vector<std::uint32_t> copiedTuk_; // codes of TUK as last written to a file
    QElapsedTimer optimClock_;
    QTimer* optimTicker_ = nullptr; // redraws the progress line every second
    std::size_t optimBest_ = 0;
};

extern TMrezaForm* MrezaForm;
