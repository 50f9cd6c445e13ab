// The network window's Info: sizes and MANA sums of MREZA and TUK against the hand-over.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

class TForm8 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm8(QWidget* parent = nullptr);

    QLabel* Label1;       // "MREŽA"
    QLabel* Label2;       // "%"
    QLabel* Label3;       // "TUK"
    QLabel* Label4;       // "%"
    QLabel* Label5;       // MREZA rows
    QLabel* Label6;       // MREZA rows in % of MREZA0
    QLabel* Label7;       // TUK rows
    QLabel* Label8;       // TUK rows in % of MREZA0
    QLabel* Label9;       // MREZA MANA sum
    QLabel* Label10;      // ... in % of MANUNum
    QLabel* Label11;      // TUK MANA sum
    QLabel* Label12;      // ... in % of MANUNum
    QPushButton* BitBtn1; // "Refresh"

    void BitBtn1Click();
};

extern TForm8* Form8;
