#include "platform/FormParts.h"

#include "platform/Widgets.h"

#include <QAbstractScrollArea>
#include <QFrame>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

namespace kviro::ui {

namespace {

// Turns wheel notches over a list into moves of a separate scroll bar.
class WheelToScrollBar : public QObject {
  public:
    WheelToScrollBar(QWidget* viewport, QScrollBar* bar) : QObject(viewport), bar_(bar) {
        viewport->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Wheel || !bar_) return false;
        // Touchpads send small steps: they add up to whole notches.
        pending_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
        const int notches = pending_ / 120;
        pending_ -= notches * 120;
        if (notches != 0 && bar_->isEnabled()) bar_->setValue(bar_->value() - 3 * notches);
        return true;
    }

  private:
    QPointer<QScrollBar> bar_;
    int pending_ = 0;
};

} // namespace

void wheelScrolls(QAbstractScrollArea* list, QScrollBar* bar) {
    new WheelToScrollBar(list->viewport(), bar);
}

QPushButton* applyButton(QWidget* parent, const char* name, int pixels, const QRect& geometry) {
    // An arrow pointing at the table, where the form had a symbol-font glyph.
    auto* b = new QPushButton(QStringLiteral("➜"), parent);
    b->setObjectName(QLatin1String(name));
    b->setFlat(true);
    QFont glyph = arial(pixels, true);
    glyph.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")});
    b->setFont(glyph);
    b->setStyleSheet(QStringLiteral("color: blue;"));
    b->setGeometry(geometry);
    b->setToolTip(QStringLiteral("Primijeni"));
    return b;
}

QPushButton* okStrip(QWidget* parent, const char* stripName, const char* buttonName, int top,
                     QFrame** strip) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(stripName));
    panel->setGeometry(0, top, parent->width(), parent->height() - top);
    panel->setAutoFillBackground(true);
    QPalette black = panel->palette();
    black.setColor(QPalette::Window, Qt::black);
    panel->setPalette(black);
    auto* ok = new QPushButton(QStringLiteral("U redu"), panel);
    ok->setObjectName(QLatin1String(buttonName));
    ok->setFont(arial(13, true));
    ok->setStyleSheet(QStringLiteral("color: white; background: black;"));
    ok->setGeometry(panel->width() - 86, (panel->height() - 24) / 2, 78, 24);
    if (strip) *strip = panel;
    return ok;
}

} // namespace kviro::ui
