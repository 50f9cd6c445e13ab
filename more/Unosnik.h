// The NP entry dialog "Unesite vrijednost za NP" (modal). The purge dialog is built on it.
#pragma once

#include <QDialog>

#include <cstdint>
#include <optional>

class QLineEdit;
class QPushButton;

class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);

    QLineEdit* Edit1;     // keeps its text from one use to the next
    QPushButton* Button1; // "Promijeni"

    // Closes the dialog with OK when Edit1 holds a decimal integer, with Cancel otherwise.
    void Button1Click();
    // The entry reduced to 8 bits (300 gives 44, 200 gives -56); nothing when not an integer.
    std::optional<std::int8_t> value() const;

protected:
    // For a dialog derived from this one: builds the controls without taking the place of Form9.
    TForm9(QWidget* parent, bool isForm9);
};

extern TForm9* Form9;
