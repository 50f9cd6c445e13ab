#include "mreza/Info2.h"

TForm8* Form8 = nullptr;

TForm8::TForm8(QWidget* parent) : QWidget(parent) {
    Form8 = this;
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Info"));
    resize(300, 200);
}
