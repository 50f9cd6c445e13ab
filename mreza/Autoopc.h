// "OPCIJE" of the automatic POT11 run: skip network rows whose best candidate hits fewer than X.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class TForm10 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm10(QWidget* parent = nullptr);

    QCheckBox* CheckBox1;
    QLabel* Label1;       // "X ="
    QComboBox* ComboBox1; // 13 ... 1, editable
    QPushButton* Button1; // "U redu"

    void Button1Click();
};

extern TForm10* Form10;
