#include "platform/Keyboard.h"

#include "platform/Widgets.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace kviro::ui {

namespace {

class KeyboardHabits : public QObject {
  public:
    explicit KeyboardHabits(QObject* parent) : QObject(parent) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusIn:
            selectOnKeyboardFocus(watched, static_cast<QFocusEvent*>(event)->reason());
            break;
        case QEvent::KeyPress:
            return pressOnEnter(watched, static_cast<QKeyEvent*>(event));
        default:
            break;
        }
        return false;
    }

  private:
    static void selectOnKeyboardFocus(QObject* watched, Qt::FocusReason reason) {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (!edit || edit->isReadOnly()) return;
        // A click places the cursor; coming back to the window or from a menu keeps the field
        // as the user left it.
        switch (reason) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
        case Qt::OtherFocusReason:
            edit->selectAll();
            break;
        default:
            break;
        }
    }

    static bool pressOnEnter(QObject* watched, QKeyEvent* key) {
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || !button->hasFocus() || !button->isEnabled()) return false;
        // A dialog's default and auto-default buttons press themselves; the others leave Enter
        // to the dialog.
        if (button->autoDefault() || button->isDefault() || leavesEnterAlone(button))
            return false;
        button->click();
        return true;
    }
};

} // namespace

void installKeyboardHabits() {
    static QPointer<KeyboardHabits> habits;
    if (habits || !qApp) return;
    habits = new KeyboardHabits(qApp);
    qApp->installEventFilter(habits);
}

} // namespace kviro::ui
