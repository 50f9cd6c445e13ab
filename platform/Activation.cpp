#include "platform/Activation.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace kviro::ui {

namespace {

// Remembers which top-level window lost the activation last, for the whole program.
class LastDeactivated : public QObject {
  public:
    static LastDeactivated& instance() {
        static auto* watcher = new LastDeactivated(qApp);
        return *watcher;
    }
    QWidget* window() const { return last_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowDeactivate) {
            if (auto* w = qobject_cast<QWidget*>(watched); w && w->isWindow()) last_ = w;
        } else if (event->type() == QEvent::ApplicationStateChange &&
                   QGuiApplication::applicationState() != Qt::ApplicationActive) {
            last_ = nullptr; // the user went to another program
        }
        return false;
    }

  private:
    explicit LastDeactivated(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }
    QPointer<QWidget> last_;
};

class ActivationFilter : public QObject {
  public:
    ActivationFilter(QWidget* window, std::function<void()> handler)
        : QObject(window), window_(window), handler_(std::move(handler)) {
        LastDeactivated::instance();
        window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_) return false;
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            handler_();
        } else if (event->type() == QEvent::WindowActivate) {
            // Another window of the program: a window of its own, not a dialog of this one.
            QWidget* from = LastDeactivated::instance().window();
            if (from && from != window_ && !from->parentWidget()) handler_();
        }
        return false;
    }

  private:
    QWidget* window_;
    std::function<void()> handler_;
};

} // namespace

void onFormActivate(QWidget* window, std::function<void()> handler) {
    new ActivationFilter(window, std::move(handler));
}

} // namespace kviro::ui
