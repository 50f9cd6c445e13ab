#pragma once

#include <QWidget>

class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
};

extern TForm5* Form5;
