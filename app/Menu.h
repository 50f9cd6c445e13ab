// The main menu and the program's start-up and shutdown.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QFrame;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;
    QPushButton* SpeedButton1;
    QPushButton* SpeedButton2;
    QPushButton* SpeedButton3;
    QFrame* Panel1;
    QLabel* Label14;
    QPushButton* SpeedButton5;

    void SpeedButton1Click();
    void SpeedButton2Click();
    // The exit command; `sender` is this window's button or the workbench.
    void SpeedButton5Click(QObject* sender = nullptr);
    // Before leaving: when TUK holds combinations not written to a .TUK file since they changed,
    // asks whether to leave anyway. True when the program may end.
    bool mayLeave();
    // Every key press of the window, before the control that has the focus.
    bool FormKeyPress(QChar key);

    // Set by the generator's completion handler on the workbench.
    void showGenerationDone();
    bool exiting() const { return exiting_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool exiting_ = false;
};

extern TForm2* Form2;

namespace kviro::ui {
// Creates every window in the program's fixed order; only the main menu is shown.
void createWindows();
// Destroys the windows (after the message loop has ended).
void destroyWindows();
} // namespace kviro::ui
