#include "more/Unosnik.h"

#include "core/NumberText.h"
#include "platform/Widgets.h"

#include <QLineEdit>
#include <QPushButton>

TForm9* Form9 = nullptr;

TForm9::TForm9(QWidget* parent) : TForm9(parent, true) {}

TForm9::TForm9(QWidget* parent, bool isForm9) : QDialog(parent) {
    if (isForm9) {
        Form9 = this;
        setObjectName(QStringLiteral("Form9"));
    }
    setWindowTitle(QStringLiteral("Unesite vrijednost za NP"));
    setFixedSize(235, 56);
    setModal(true);

    Edit1 =
        kviro::ui::control<QLineEdit>(this, "Edit1", QRect(10, 16, 105, 24), QStringLiteral("0"));
    Button1 =
        kviro::ui::button(this, "Button1", QStringLiteral("Promijeni"), QRect(128, 15, 97, 26));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

std::optional<std::int8_t> TForm9::value() const {
    return kviro::parseInteger8(Edit1->text().toStdString());
}

void TForm9::Button1Click() {
    if (value())
        accept();
    else
        reject();
}
