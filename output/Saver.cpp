#include "output/Saver.h"

TForm7* Form7 = nullptr;

TForm7::TForm7(QWidget* parent) : QWidget(parent) {
    Form7 = this;
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Kopiranje TUK na disk i/ili disketu"));
    resize(400, 200);
}
