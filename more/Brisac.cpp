#include "more/Brisac.h"

#include "core/NumberText.h"
#include "platform/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm11* Form11 = nullptr;

TForm11::TForm11(QWidget* parent) : QDialog(parent, Qt::Tool) {
    Form11 = this;
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Brisanje svih sa NP>X"));
    setModal(true);
    setFixedSize(194, 40);

    Label1 =
        kviro::ui::control<QLabel>(this, "Label1", QRect(8, 9, 30, 22), QStringLiteral("X = "));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Edit1 = kviro::ui::control<QLineEdit>(this, "Edit1", QRect(40, 9, 64, 22), QStringLiteral("0"));
    Button1 = kviro::ui::button(this, "Button1", QStringLiteral("Obriši"), QRect(112, 8, 74, 24));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    kviro::ui::centreOnScreen(this);
}

void TForm11::Button1Click() {
    if (kviro::parseInteger(Edit1->text().toStdString()))
        accept();
    else
        reject();
}
