#include "more/BusyAnimation.h"

#include <QPainter>
#include <QtMath>

BusyAnimation::BusyAnimation(QWidget* parent) : QWidget(parent) {
    setFixedSize(48, 50);
    timer_.setInterval(80);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % 16;
        update();
    });
}

void BusyAnimation::start() { timer_.start(); }
void BusyAnimation::stop() { timer_.stop(); }

void BusyAnimation::begin() {
    show();
    start();
    repaint();
}

void BusyAnimation::end() {
    stop();
    hide();
}

void BusyAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A sheet of paper with lines of text.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(6, 4, 30, 38);
    p.setPen(QPen(QColor(128, 128, 128), 1));
    for (int y = 10; y < 40; y += 5) p.drawLine(10, y, 32, y);
    // The glass circles over the sheet.
    const double angle = frame_ * 2.0 * M_PI / 16.0;
    const QPointF centre(22 + 8 * qCos(angle), 22 + 8 * qSin(angle));
    p.setPen(QPen(QColor(90, 60, 20), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(6, 6), centre + QPointF(13, 13));
    p.setPen(QPen(Qt::darkGray, 2));
    p.setBrush(QColor(200, 230, 255, 150));
    p.drawEllipse(centre, 8, 8);
}
