// "Kopiranje TUK na disk i/ili disketu": writes the TUK table into a .TUK file.
#pragma once

#include <QDialog>

class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm7 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm7(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Edit1;     // the file name without its extension
    QPushButton* BitBtn3; // "Odredi..."
    QPushButton* BitBtn1; // "Kopiraj"
    QPushButton* BitBtn2; // "Otkaži"
    QFileDialog* SaveDialog1;

    void BitBtn3Click();
    void BitBtn1Click();
    void BitBtn2Click();

    // The chosen path without a final ".TUK" (any case), so that "Kopiraj" adds it once.
    static QString withoutTukExtension(const QString& path);

  protected:
    void reject() override; // Esc and the close box: as "Otkaži"
};

extern TForm7* Form7;
