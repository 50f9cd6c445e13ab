// Windows built in code: every control gets its name (its objectName) and its place.
#pragma once

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <utility>

namespace kviro::ui {

// A new control of type W, made from `args` and the parent, named and placed.
template <class W, class... Args>
W* control(QWidget* parent, const char* name, const QRect& geometry, Args&&... args) {
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QLatin1String(name));
    w->setGeometry(geometry);
    return w;
}

// A label with its top-left corner at (x, y), as wide as its text.
inline QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->move(x, y);
    l->adjustSize();
    return l;
}

// A dialog's push button that never takes Enter for itself (Enter belongs to one command).
inline QPushButton* dialogButton(QWidget* parent, const char* name, const QString& text,
                                 const QRect& geometry) {
    auto* b = control<QPushButton>(parent, name, geometry, text);
    b->setAutoDefault(false);
    b->setProperty("leavesEnterAlone", true);
    return b;
}

// True for a button made by `dialogButton`: Enter on it goes to its dialog's default button.
inline bool leavesEnterAlone(const QPushButton* button) {
    return button->property("leavesEnterAlone").toBool();
}

inline QFont arial(int pixels, bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

inline void centreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

} // namespace kviro::ui
