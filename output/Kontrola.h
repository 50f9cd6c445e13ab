// "Provjera rezultata": loads a .TUK file, counts every combination's hits against the drawn
// result, lists them most hits first, and prints the list.
#pragma once

#include "core/RecordPool.h"
#include "core/Toto13class.h"

#include <QFont>
#include <QString>
#include <QWidget>

#include <array>

class ChancesBox;
class QComboBox;
class QFileDialog;
class QFontDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QPrintDialog;
class QPushButton;
class QScrollBar;

class TForm4 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    // ---- the loaded table
    kviro::Table resultList; // records of resultPool; np holds the hits of the last count
    QString chosenFile;      // picked with "..."; emptied by any edit of the table name
    int resultTopRow = 0;    // index of the combination in the list's first row

    // ---- controls
    QLabel* Label6;
    // The result field of match k (1 ... 13).
    QLineEdit* Edit(int k) const { return edits_[static_cast<std::size_t>(k - 1)]; }
    QPushButton* SpeedButton3; // "Prebroji pogotke"
    QListWidget* ListBox1;
    QScrollBar* ScrollBar1;
    QGroupBox* GroupBox1;
    QLabel* Label1;
    QLineEdit* Edit14;         // table name
    QPushButton* Button1;      // "..."
    QPushButton* SpeedButton1; // "Učitaj TUK"
    QPushButton* SpeedButton2; // "Izlazak"
    QGroupBox* ButtonPrint;
    QLabel* Label2;
    QLineEdit* Edit15; // print header
    QLabel* Label3;
    QComboBox* ComboBox1;      // printers
    QPushButton* SpeedButton4; // "..." print set-up
    QPushButton* SpeedButton5; // "Font..."
    QPushButton* ButtonPrint2; // "Ispiši TUK"
    QFileDialog* OpenDialog1;
    QFontDialog* FontDialog1;
    QPrintDialog* PrintDialog1 = nullptr; // made on first use
    ChancesBox* GroupIzgledi;             // chances of the loaded table, below the list
    QFont printFont;                      // the font dialog's font, used by the next print

    // ---- handlers
    void FormActivate();
    void EditKeyPress(int k); // Enter in result field k
    void SpeedButton3Click();
    void Edit14Change();
    void Edit14KeyPress(); // Enter in the table name or the header
    void Button1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void ScrollBar1Change(int position);
    void ComboBox1Change(int index);
    void SpeedButton4Click();
    void SpeedButton5Click();
    void ButtonPrint2Click();
    void ShowResults();
    // The chances of the loaded table under the current percentages; hidden while none is.
    void ShowChances();
    // Draws list row `row` into `rect` (the row's rectangle) with the list's font.
    void ListBox1DrawItem(QPainter& painter, int row, const QRect& rect, bool selected) const;

    // Loads the .TUK file into resultList. On a file that cannot be read or holds text that is
    // not a .TUK table, tells the user where and keeps the table as it was; returns false then.
    bool loadTuk(const QString& fileName);

  private:
    std::array<QLineEdit*, kviro::kMatches> edits_{};
    kviro::RecordPool resultPool;
};

extern TForm4* Form4;
