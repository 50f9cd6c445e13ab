// The comb dialog "Češljaj MORE": a pattern of up to two accepted signs per match and two bounds
// on the hits; one press removes the rows with too many or too few hits.
#pragma once

#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    // Field of match m (1 ... 13): side 1 is the left one (ttvm1), side 0 the right one (ttvm0).
    QLineEdit* ttv(int m, int side) const { return ttv_[m - 1][side == 1 ? 0 : 1]; }
    QFrame* Panel1;
    QLabel* Label14;           // heading
    QLabel* Label15;           // "više od ... pogodaka"
    QLabel* Label16;           // "manje od ... pogodaka"
    QLineEdit* Edit1;          // X, at most this many hits
    QLineEdit* Edit2;          // Y, at least this many hits
    QPushButton* SpeedButton1; // apply
    QFrame* Panel2;            // the strip at the bottom
    QPushButton* SpeedButton9; // "U redu"

    void SpeedButton1Click();
    void SpeedButton9Click();

private:
    std::array<std::array<QLineEdit*, 2>, 13> ttv_{};
};

extern TForm5* Form5;
