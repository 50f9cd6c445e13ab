#include "mreza/Autoopc.h"

TForm10* Form10 = nullptr;

TForm10::TForm10(QWidget* parent) : QWidget(parent) {
    Form10 = this;
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("OPCIJE"));
    resize(250, 120);
}
