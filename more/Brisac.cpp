#include "more/Brisac.h"

TForm11* Form11 = nullptr;

TForm11::TForm11(QWidget* parent) : QWidget(parent) {
    Form11 = this;
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("NP"));
    resize(200, 100);
}
