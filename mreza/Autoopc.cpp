#include "mreza/Autoopc.h"

#include "platform/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

TForm10* Form10 = nullptr;

TForm10::TForm10(QWidget* parent) : QDialog(parent, Qt::Tool) {
    Form10 = this;
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Automatski POT11 podešavanje"));
    setModal(true);

    CheckBox1 = new QCheckBox(
        QStringLiteral("Preskoči dodavanje u TUK u slučaju manje od X pogodaka i prijeđi na "
                       "slijedećeg u MREŽA"),
        this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->move(8, 8);
    CheckBox1->adjustSize();

    Label1 = new QLabel(QStringLiteral("X ="), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 36, 28, 22);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    for (int x = 13; x >= 1; --x)
        ComboBox1->addItem(QString::number(x));
    ComboBox1->setEditText(QStringLiteral("10"));
    ComboBox1->setGeometry(38, 36, 60, 22);

    // The text of the check box decides the width, never less than the designed 401 pixels.
    const int width = std::max(401, CheckBox1->width() + 16);
    Button1 = new QPushButton(QStringLiteral("U redu"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(width - 88, 35, 80, 24);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    setFixedSize(width, 66);

    kviro::ui::centreOnScreen(this);
}

void TForm10::Button1Click() {
    accept();
}
