#include "more/Infic.h"

#include "more/Fi.h"
#include "platform/FormParts.h"
#include "platform/Widgets.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

TInfoBox* InfoBox = nullptr;

namespace {

QLabel* cell(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
             const QString& style) {
    QLabel* l = kviro::ui::label(parent, name, text, geometry, kviro::ui::arial(13, true));
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(!style.isEmpty());
    if (!style.isEmpty()) l->setStyleSheet(style);
    return l;
}

} // namespace

TInfoBox::TInfoBox(QWidget* parent) : QWidget(parent) {
    InfoBox = this;
    setObjectName(QStringLiteral("InfoBox"));
    setWindowTitle(QStringLiteral("Info"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    setFixedSize(267, 157);

    Panel1 = kviro::ui::panel(this, "Panel1", QRect(6, 6, 255, 114), QFrame::Sunken);

    // Four rows of 26 pixels with a line between the live and the deleted rows.
    const int x0 = 3, w0 = 66, x1 = 71, w1 = 80, x2 = 153, w2 = 99, h = 25;
    const int ys[] = {3, 29, 59, 85};
    const QString grey = QStringLiteral("background: rgb(160,160,160); color: black;");
    const QString teal = QStringLiteral("background: rgb(0,128,128); color: white;");
    const QString black = QStringLiteral("background: black; color: white;");
    Label1 = cell(Panel1, "Label1", QStringLiteral("Živo"), QRect(x0, ys[0], w0, h), QString());
    Label2 = cell(Panel1, "Label2", QStringLiteral("%"), QRect(x0, ys[1], w0, h), grey);
    Label3 = cell(Panel1, "Label3", QStringLiteral("Brisano"), QRect(x0, ys[2], w0, h), QString());
    Label4 = cell(Panel1, "Label4", QStringLiteral("%"), QRect(x0, ys[3], w0, h), grey);
    Label5 = cell(Panel1, "Label5", QString(), QRect(x1, ys[0], w1, h), teal);
    Label6 = cell(Panel1, "Label6", QString(), QRect(x1, ys[1], w1, h), teal);
    Label7 = cell(Panel1, "Label7", QString(), QRect(x1, ys[2], w1, h), teal);
    Label8 = cell(Panel1, "Label8", QString(), QRect(x1, ys[3], w1, h), teal);
    Label9 = cell(Panel1, "Label9", QString(), QRect(x2, ys[0], w2, h), black);
    Label10 = cell(Panel1, "Label10", QString(), QRect(x2, ys[1], w2, h), black);
    Label11 = cell(Panel1, "Label11", QString(), QRect(x2, ys[2], w2, h), black);
    Label12 = cell(Panel1, "Label12", QString(), QRect(x2, ys[3], w2, h), black);
    auto* line = kviro::ui::control<QFrame>(Panel1, "Bevel1", QRect(3, 55, 249, 3));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    BitBtn1 = kviro::ui::button(this, "BitBtn1", QStringLiteral("Refresh"), QRect(90, 126, 87, 25));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Button1Click(); });

    move(105, 493); // where it first appears
}

void TInfoBox::Button1Click() {
    Form1->RefreshInfo();
}

namespace kviro::ui {

int leftBesideDialog(int dialogLeft, int dialogWidth, int infoLeft, int infoWidth) {
    if (dialogLeft >= infoLeft && infoLeft + infoWidth > dialogLeft)
        infoLeft = dialogLeft - infoWidth - 1;
    if (dialogLeft <= infoLeft && infoLeft + infoWidth > dialogLeft)
        infoLeft = dialogLeft + dialogWidth + 1;
    return infoLeft;
}

} // namespace kviro::ui
