#include "more/Cesljaj.h"

#include "core/MoreFilters.h"
#include "core/NumberText.h"
#include "more/Fi.h"
#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/Widgets.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm5* Form5 = nullptr;

using namespace kviro;

namespace {

using kviro::ui::arial;

// A label with a gap of blanks, and the field placed in the gap.
QLabel* boundRow(QWidget* parent, const char* name, const QString& before, int blanks,
                 QLineEdit* edit, int x, int y) {
    const QFont font = arial(13, true);
    QLabel* l = ui::label(parent, name,
                          before + QString(blanks, QLatin1Char(' ')) + QStringLiteral("pogodaka"),
                          QRect(x, y, 200, 22), font);
    const QFontMetrics fm(font);
    const int gapLeft = fm.horizontalAdvance(before + QLatin1Char(' '));
    const int gapWidth = fm.horizontalAdvance(QString(blanks - 2, QLatin1Char(' ')));
    edit->setGeometry(x + gapLeft, y, gapWidth, 22);
    edit->raise();
    return l;
}

} // namespace

TForm5::TForm5(QWidget* parent) : QWidget(parent) {
    Form5 = this;
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Češljaj MORE"));
    setWindowFlags(Qt::Dialog);
    setFixedSize(352, 355); // 360 x 382 with the window's frame

    Panel1 = ui::panel(this, "Panel1", QRect(0, 0, 119, 323));
    const QFont fieldFont = arial(13, false);
    for (int m = 1; m <= 13; ++m) {
        const int y = 4 + 24 * (m - 1);
        auto* number = new QLabel(QString::number(m), Panel1);
        number->setFont(arial(13, true));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setGeometry(2, y, 22, 22);
        // "ttv", the match number, then the side: ttv11 and ttv10 ... ttv131 and ttv130.
        const QString stem = QStringLiteral("ttv") + QString::number(m);
        QLineEdit* left =
            ui::silverField(Panel1, stem + QLatin1Char('1'), QRect(30, y, 40, 22), fieldFont);
        QLineEdit* right =
            ui::silverField(Panel1, stem + QLatin1Char('0'), QRect(73, y, 40, 22), fieldFont);
        ttv_[m - 1] = {left, right};
    }

    Label14 = ui::label(this, "Label14", QStringLiteral("IZBACI KOMBINACIJE SA :"),
                        QRect(128, 40, 220, 22), arial(16, true));
    Label14->setStyleSheet(QStringLiteral("color: blue;"));

    // Placed in the gaps of their labels below.
    Edit1 = ui::silverField(this, QStringLiteral("Edit1"), QRect(), arial(13, true),
                            QStringLiteral("0"));
    Edit2 = ui::silverField(this, QStringLiteral("Edit2"), QRect(), arial(13, true),
                            QStringLiteral("0"));
    Label15 = boundRow(this, "Label15", QStringLiteral("više od"), 14, Edit1, 128, 100);
    Label16 = boundRow(this, "Label16", QStringLiteral("manje od"), 12, Edit2, 128, 136);

    SpeedButton1 = ui::applyButton(this, "SpeedButton1", 24, QRect(306, 110, 33, 40));
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });

    SpeedButton9 = ui::okStrip(this, "Panel2", "SpeedButton9", 323, &Panel2);
    connect(SpeedButton9, &QPushButton::clicked, this, [this] { SpeedButton9Click(); });

    ui::centreOnScreen(this);
}

void TForm5::SpeedButton1Click() {
    CombPattern pattern;
    for (int m = 1; m <= kMatches; ++m) {
        for (int side : {1, 0}) {
            const QString text = ttv(m, side)->text();
            const auto v = combSignField(text.toStdString());
            if (!v) {
                ui::conversionError(this, text, true);
                return;
            }
            (side == 1 ? pattern.left : pattern.right)[m - 1] = *v;
        }
    }
    const auto most = parseInteger8(Edit1->text().toStdString());
    if (!most) {
        ui::conversionError(this, Edit1->text(), true);
        return;
    }
    const auto fewest = parseInteger8(Edit2->text().toStdString());
    if (!fewest) {
        ui::conversionError(this, Edit2->text(), true);
        return;
    }
    pattern.most = *most;
    pattern.fewest = *fewest;
    if (!validHitBounds(pattern)) {
        ui::notice(this, QStringLiteral("Krivo definirani brojevi pogodaka - moraju biti 0..13"));
        return;
    }
    Form1->combMORE(pattern);
}

void TForm5::SpeedButton9Click() {
    hide();
    Form1->show();
}
