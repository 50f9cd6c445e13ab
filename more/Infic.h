// The statistics window "Info": live and deleted rows of MORE and their MANA.
#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

class TInfoBox : public QWidget {
    Q_OBJECT
public:
    explicit TInfoBox(QWidget* parent = nullptr);

    QFrame* Panel1;
    QLabel* Label1;       // "Živo"
    QLabel* Label2;       // "%"
    QLabel* Label3;       // "Brisano"
    QLabel* Label4;       // "%"
    QLabel* Label5;       // live rows
    QLabel* Label6;       // live rows, per cent
    QLabel* Label7;       // deleted rows
    QLabel* Label8;       // deleted rows, per cent
    QLabel* Label9;       // live MANA
    QLabel* Label10;      // live MANA, per cent
    QLabel* Label11;      // deleted MANA
    QLabel* Label12;      // deleted MANA, per cent
    QPushButton* BitBtn1; // "Refresh"

    void Button1Click();
};

extern TInfoBox* InfoBox;

namespace kviro::ui {
// New left edge of a window of left `infoLeft` and width `infoWidth` placed beside a dialog of
// left `dialogLeft` and width `dialogWidth` that has just been shown: moved left of the dialog
// when it reaches under the dialog's left edge from the left, else right of it when it lies
// under the dialog.
int leftBesideDialog(int dialogLeft, int dialogWidth, int infoLeft, int infoWidth);
} // namespace kviro::ui
