#include "output/Printic.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(QWidget* parent) : QWidget(parent) {
    Form6 = this;
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Ispis na printer"));
    resize(400, 300);
}
