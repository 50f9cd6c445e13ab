#pragma once

#include <QWidget>

class TForm11 : public QWidget {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);
};

extern TForm11* Form11;
