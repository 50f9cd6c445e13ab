// The busy sign shown while a long command runs: a magnifying glass sweeping over a page.
#pragma once

#include <QTimer>
#include <QWidget>

class BusyAnimation : public QWidget {
    Q_OBJECT
public:
    explicit BusyAnimation(QWidget* parent = nullptr);
    void start();
    void stop();
    bool active() const { return timer_.isActive(); }
    // Shows and starts the sign and paints it at once, before a command blocks the window.
    void begin();
    // Stops and hides the sign.
    void end();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer timer_;
    int frame_ = 0;
};
