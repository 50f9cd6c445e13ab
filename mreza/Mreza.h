#pragma once

#include <QWidget>

class TMrezaForm : public QWidget {
    Q_OBJECT
public:
    explicit TMrezaForm(QWidget* parent = nullptr);
};

extern TMrezaForm* MrezaForm;
