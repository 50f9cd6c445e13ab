#include "platform/FormParts.h"

#include "platform/Widgets.h"

#include <QFrame>
#include <QPalette>
#include <QPushButton>

namespace kviro::ui {

QPushButton* applyButton(QWidget* parent, const char* name, int pixels, const QRect& geometry) {
    // An arrow pointing at the table, where the form had a symbol-font glyph.
    auto* b = new QPushButton(QStringLiteral("➜"), parent);
    b->setObjectName(QLatin1String(name));
    b->setFlat(true);
    QFont glyph = arial(pixels, true);
    glyph.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")});
    b->setFont(glyph);
    b->setStyleSheet(QStringLiteral("color: blue;"));
    b->setGeometry(geometry);
    b->setToolTip(QStringLiteral("Primijeni"));
    return b;
}

QPushButton* okStrip(QWidget* parent, const char* stripName, const char* buttonName, int top,
                     QFrame** strip) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(stripName));
    panel->setGeometry(0, top, parent->width(), parent->height() - top);
    panel->setAutoFillBackground(true);
    QPalette black = panel->palette();
    black.setColor(QPalette::Window, Qt::black);
    panel->setPalette(black);
    auto* ok = new QPushButton(QStringLiteral("U redu"), panel);
    ok->setObjectName(QLatin1String(buttonName));
    ok->setFont(arial(13, true));
    ok->setStyleSheet(QStringLiteral("color: white; background: black;"));
    ok->setGeometry(panel->width() - 86, (panel->height() - 24) / 2, 78, 24);
    if (strip) *strip = panel;
    return ok;
}

} // namespace kviro::ui
