#include "more/Cesljaj.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(QWidget* parent) : QWidget(parent) {
    Form5 = this;
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Češljanje"));
    resize(400, 300);
}
