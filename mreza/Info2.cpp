#include "mreza/Info2.h"

#include "mreza/Mreza.h"
#include "platform/Widgets.h"

#include <QLabel>
#include <QPushButton>

TForm8* Form8 = nullptr;

namespace {

QLabel* cell(QWidget* parent, const char* name, const QRect& geometry, const char* style) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setFont(kviro::ui::arial(12, true));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setStyleSheet(QLatin1String(style));
    return l;
}

} // namespace

TForm8::TForm8(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Form8 = this;
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(267, 157);

    const char* names[] = {"Label1", "Label2", "Label3", "Label4"};
    const char* captions[] = {"MREŽA", "%", "TUK", "%"};
    const char* middle[] = {"Label5", "Label6", "Label7", "Label8"};
    const char* right[] = {"Label9", "Label10", "Label11", "Label12"};
    QLabel** heads[] = {&Label1, &Label2, &Label3, &Label4};
    QLabel** middles[] = {&Label5, &Label6, &Label7, &Label8};
    QLabel** rights[] = {&Label9, &Label10, &Label11, &Label12};
    for (int i = 0; i < 4; ++i) {
        const int y = 8 + i * 28;
        auto* h = new QLabel(QString::fromUtf8(captions[i]), this);
        h->setObjectName(QLatin1String(names[i]));
        h->setFont(kviro::ui::arial(12, true));
        h->setGeometry(6, y, 52, 22);
        *heads[i] = h;
        *middles[i] = cell(this, middle[i], QRect(60, y, 96, 22),
                           "background: teal; color: white; padding-right: 3px;");
        *rights[i] = cell(this, right[i], QRect(160, y, 101, 22),
                          "background: black; color: white; padding-right: 3px;");
    }
    BitBtn1 = new QPushButton(QStringLiteral("Refresh"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(90, 124, 88, 26);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void TForm8::BitBtn1Click() {
    if (MrezaForm) MrezaForm->ShowInfo();
}
