#include "more/Unosnik.h"

TForm9* Form9 = nullptr;

TForm9::TForm9(QWidget* parent) : QWidget(parent) {
    Form9 = this;
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("NP"));
    resize(200, 100);
}
