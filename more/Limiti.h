// The limit dialog "Limitiranje tablice": ten rows, each removing from MORE at once the rows
// beyond its own threshold.
#pragma once

#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    static constexpr int kRows = 10;
    QLabel* Label1; // the heading
    // Row i (0 ... 9): its label, its field (Edit1 ... Edit10) and its apply button
    // (SpeedButton1 ... SpeedButton8, SpeedButton10, SpeedButton11).
    std::array<QLabel*, kRows> rowLabel{};
    std::array<QLineEdit*, kRows> rowEdit{};
    std::array<QPushButton*, kRows> rowButton{};
    QFrame* Panel1;            // the strip at the bottom
    QPushButton* SpeedButton9; // "U redu"

    // The apply button of row i: calls the row's operation of the workbench with the field's
    // text; an empty field does nothing.
    void applyRow(int row);
    void SpeedButton9Click();
};

extern TForm3* Form3;
