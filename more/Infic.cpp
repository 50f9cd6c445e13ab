#include "more/Infic.h"

TInfoBox* InfoBox = nullptr;

TInfoBox::TInfoBox(QWidget* parent) : QWidget(parent) {
    InfoBox = this;
    setObjectName(QStringLiteral("InfoBox"));
    setWindowTitle(QStringLiteral("Info"));
    resize(267, 157);
}
