// "Brisanje svih sa NP>X": asks for the X of the network's purge by NP.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm11 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm11(QWidget* parent = nullptr);

    QLabel* Label1;       // "X = "
    QLineEdit* Edit1;     // keeps its text from one use to the next
    QPushButton* Button1; // "Obriši"

    // Closes the dialog: OK for a decimal integer, Cancel for anything else.
    void Button1Click();
};

extern TForm11* Form11;
