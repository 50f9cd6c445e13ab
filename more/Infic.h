#pragma once

#include <QWidget>

class TInfoBox : public QWidget {
    Q_OBJECT
public:
    explicit TInfoBox(QWidget* parent = nullptr);
};

extern TInfoBox* InfoBox;
