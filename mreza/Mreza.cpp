#include "mreza/Mreza.h"

TMrezaForm* MrezaForm = nullptr;

TMrezaForm::TMrezaForm(QWidget* parent) : QWidget(parent) {
    MrezaForm = this;
    setObjectName(QStringLiteral("MrezaForm"));
    setWindowTitle(QStringLiteral("MREŽA"));
    resize(640, 560);
}
