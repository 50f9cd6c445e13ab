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

    Label1 = new QLabel(QStringLiteral("X = "), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setGeometry(8, 9, 30, 22);
    Edit1 = new QLineEdit(QStringLiteral("0"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(40, 9, 64, 22);
    Button1 = new QPushButton(QStringLiteral("Obriši"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(112, 8, 74, 24);
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
