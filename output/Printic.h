// "Ispis na printer": prints the TUK table.
#pragma once

#include <QDialog>
#include <QFont>

class QCheckBox;
class QComboBox;
class QFontDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrintDialog;
class QPushButton;

class TForm6 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm6(QWidget* parent = nullptr);
    ~TForm6() override;

    QGroupBox* GroupBox2;
    QLabel* Label1;
    QComboBox* PrinterList;
    QPushButton* Button1; // "Podešenja"
    QFrame* Bevel1;
    QLabel* Label3;
    QLineEdit* Edit1;     // header
    QPushButton* Button2; // "Font..."
    QCheckBox* CheckBox1; // "Datum"
    QFrame* Panel1;
    QPushButton* BitBtn2; // "Ispiši"
    QPushButton* BitBtn1; // "Otkaži"
    QFontDialog* FontDialog1;
    QPrintDialog* PrintDialog1 = nullptr; // made on first use
    QFont printFont;                      // the font dialog's font, used by the next print

    void FormActivate();
    void PrinterListChange(int index);
    void Button1Click();
    void Button2Click();
    void BitBtn2Click();
    void BitBtn1Click();

  protected:
    void reject() override; // Esc and the close box: as "Otkaži"
};

extern TForm6* Form6;
