// The workbench "Kombiniranje": the percentage grid, the generation command and the MORE table.
// It holds every table of the program.
#pragma once

#include "core/MoreFilters.h"
#include "core/PagedView.h"
#include "core/Probability.h"
#include "core/Tables.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <vector>

class BusyAnimation;
class FULLFiller;
class QAction;
class QFrame;
class QHeaderView;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPainter;
class QPushButton;
class QScrollBar;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // ---- tables and state
    kviro::Tables tables;
    kviro::Table& MORE = tables.MORE;
    kviro::Table& MORE0 = tables.MORE0;
    kviro::Table& MREZA = tables.MREZA;
    kviro::Table& MREZA0 = tables.MREZA0;
    kviro::Table& TUK = tables.TUK;
    kviro::Table& POTA12 = tables.POTA12;
    kviro::Table& POT11 = tables.POT11;
    kviro::ProbabilityTable probability{};
    QPointer<FULLFiller> generator;
    int topRow = 0;
    int pageRows = 25;

    // ---- percentage grid
    // The field of match m (1 ... 13) and sign digit s.
    QLineEdit* ttv(int m, int s) const { return ttv_[m - 1][s]; }
    QFrame* TTV;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* SpeedButton1; // "Obriši sve"

    // ---- top panel
    QFrame* Panel2;
    QLabel* Label21;
    QPushButton* OziviMGumb;
    BusyAnimation* Animate1;

    // ---- MORE part
    QFrame* Panel1;
    QFrame* Finder; // the search row
    QLabel* Label1; // "Tražilica :"
    // Search field of match m (1 ... 13): Edit1 ... Edit13.
    QLineEdit* Edit(int m) const { return finder_[m - 1]; }
    QPushButton* Button2; // "Pronađi"
    QHeaderView* HeaderControl1;
    QListWidget* MOREShow;
    QScrollBar* ScrollBar1;
    QPushButton* BitBtn1; // sort by MANA
    QPushButton* BitBtn2; // sort by TIP
    QPushButton* BitBtn3; // "Info"
    QPushButton* BitBtn4; // sort by NP
    QLabel* Label22;      // "Tablica :"
    QLineEdit* Edit14;    // .MOR file name
    QPushButton* BitBtn6; // load .MOR
    QPushButton* BitBtn5; // save .MOR
    QPushButton* SpeedButton4;
    QPushButton* SpeedButton5;
    QPushButton* SpeedButton6;
    QPushButton* SpeedButton7;
    QPushButton* SpeedButton9;
    QPushButton* SpeedButton3; // "Glavni izbornik"
    QPushButton* SpeedButton2; // "Izlazak"
    QMenu* PopupMenu1;
    QAction* PostaviNPnaodreenuvrijednost1;
    QAction* PoveajNPza11;
    QAction* SmanjiNPza11;
    QAction* ResetirajsveNPna01;
    QAction* N1;
    QAction* Obriioznaene1;
    QAction* SortirajpoMANA1;
    QAction* SortirajpoTIP1;
    QAction* SortirajpoNP1;

    // ---- percentage table (grid <-> table <-> settings store)
    void loadProbabilities();
    // Grid to table; on a field that is not a number shows the conversion error and returns
    // false (cells converted before it keep their new values).
    bool readProbabilities();
    // Table to store; returns false when the store could not be written, and tells the user so
    // the first time (valuation goes on without it).
    bool saveProbabilities();
    void ttvChange(int match);
    void ttvKeyPress(int match, int sign);
    void SpeedButton1Click();

    // ---- generation and valuation
    void ThrTerminate();
    void Button10Click();
    bool OziviMORE();
    // Values one record by the grid's percentages; false when the grid does not convert.
    bool valueCombination(kviro::Combination& rec);

    // ---- MORE view
    // The page arithmetic for MORE as it stands and the current first row.
    kviro::PagedView page() const;
    void ShowMORE();
    void ScrollBar1Change(int position);
    // Paints list row `line` (0 ... 24) of the page into `rect`.
    void MOREShowDrawItem(QPainter* painter, int line, const QRect& rect, bool selected);
    void MOREShowMouseMove();
    // MORE indices of the selected list rows that show a record, increasing.
    std::vector<int> selectedRows() const;
    void Button2Click();
    void RefreshInfo();
    void BitBtn3Click();
    // Moves the info window beside a dialog that has just been shown.
    void placeInfoBeside(QWidget* dialog);
    // Enables the commands that need a valued MORE.
    void enableTableCommands();
    void SpeedButton3Click();
    void SpeedButton2Click();

    // ---- sorting and NP
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn4Click();
    void PoveajNPza11Click();
    void SmanjiNPza11Click();
    void ResetirajsveNPna01Click();
    void PostaviNPnaodreenuvrijednost1Click();
    void Obriioznaene1Click();
    void SortirajpoMANA1Click();
    void SortirajpoTIP1Click();
    void SortirajpoNP1Click();

    // ---- limits and comb
    void SpeedButton5Click();
    void SpeedButton9Click();
    void LimitMANA1(const QString& threshold);
    void LimitMANA2(const QString& threshold);
    void Limit11(const QString& threshold);
    void Limit12(const QString& threshold);
    void Limit01(const QString& threshold);
    void Limit02(const QString& threshold);
    void Limit21(const QString& threshold);
    void Limit22(const QString& threshold);
    void LimitNP1(const QString& threshold);
    void LimitNP2(const QString& threshold);
    // Removes the rows whose hits against the pattern lie outside its bounds.
    void combMORE(const kviro::CombPattern& pattern);

    // ---- .MOR file, reset and deletion
    void BitBtn5Click();
    void BitBtn6Click();
    void SpeedButton7Click();
    void SpeedButton4Click();
    // MORE0 := MORE's references in order.
    void takeSnapshot();

    // Stops the generator (waiting for it) and releases every table and record.
    void releaseTables();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGrid();
    void buildTopPanel();
    void buildMorePart();
    void buildFinder();
    void buildPopupMenu();
    void limit(kviro::LimitRow row, const QString& threshold);
    // After a filter: first row, statistics, page.
    void tableNarrowed();
    // The .MOR file named by Edit14, or an empty text when the field is empty.
    QString morPath() const;

    std::array<QLineEdit*, kviro::kMatches> finder_{};

    std::array<std::array<QLineEdit*, 3>, kviro::kMatches> ttv_{};
    bool storeFailureShown_ = false; // the notice that the percentages were not kept was shown
};

extern TForm1* Form1;
