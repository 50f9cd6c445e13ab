#include "output/Kontrola.h"

TForm4* Form4 = nullptr;

TForm4::TForm4(QWidget* parent) : QWidget(parent) {
    Form4 = this;
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Provjera rezultata"));
    resize(600, 500);
}
