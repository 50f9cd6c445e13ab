// The workbench "Kombiniranje": the percentage grid, the generation command and the MORE table.
// It holds every table of the program.
#pragma once

#include "core/Probability.h"
#include "core/Tables.h"

#include <QPointer>
#include <QWidget>

#include <array>

class BusyAnimation;
class FULLFiller;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
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
    QListWidget* MOREShow;
    QScrollBar* ScrollBar1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QPushButton* SpeedButton4;
    QPushButton* SpeedButton5;
    QPushButton* SpeedButton6;
    QPushButton* SpeedButton7;
    QPushButton* SpeedButton9;
    QPushButton* SpeedButton3; // "Glavni izbornik"
    QPushButton* SpeedButton2; // "Izlazak"

    // ---- percentage table (grid <-> table <-> settings store)
    void loadProbabilities();
    // Grid to table; on a field that is not a number shows the conversion error and returns
    // false (cells converted before it keep their new values).
    bool readProbabilities();
    // Table to store; on failure tells the user and returns false.
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
    void ShowMORE();
    void RefreshInfo();
    // Enables the commands that need a valued MORE.
    void enableTableCommands();
    void SpeedButton3Click();
    void SpeedButton2Click();

    // Stops the generator (waiting for it) and releases every table and record.
    void releaseTables();

private:
    void buildGrid();
    void buildTopPanel();
    void buildMorePart();

    std::array<std::array<QLineEdit*, 3>, kviro::kMatches> ttv_{};
    bool completing_ = false;
};

extern TForm1* Form1;
