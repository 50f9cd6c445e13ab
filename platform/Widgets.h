// Windows built in code: every control gets its name (its objectName) and its place.
#pragma once

#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
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
W* control(QWidget* parent, const QString& name, const QRect& geometry, Args&&... args) {
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    return w;
}
template <class W, class... Args>
W* control(QWidget* parent, const char* name, const QRect& geometry, Args&&... args) {
    return control<W>(parent, QString::fromLatin1(name), geometry, std::forward<Args>(args)...);
}

// A label with its top-left corner at (x, y), as wide as its text.
inline QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->move(x, y);
    l->adjustSize();
    return l;
}

// A push button with its caption.
inline QPushButton* button(QWidget* parent, const char* name, const QString& text,
                           const QRect& geometry) {
    return control<QPushButton>(parent, name, geometry, text);
}

// A dialog's push button that never takes Enter for itself (Enter belongs to one command).
inline QPushButton* dialogButton(QWidget* parent, const char* name, const QString& text,
                                 const QRect& geometry) {
    auto* b = button(parent, name, text, geometry);
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

// A label with its caption, font and place.
inline QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                     const QFont& font) {
    auto* l = control<QLabel>(parent, name, geometry, text);
    l->setFont(font);
    return l;
}

// A framed panel, raised unless told otherwise.
inline QFrame* panel(QWidget* parent, const char* name, const QRect& geometry,
                     QFrame::Shadow shadow = QFrame::Raised) {
    auto* p = control<QFrame>(parent, name, geometry);
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(shadow);
    return p;
}

// An entry field on silver, the look of the program's number and sign fields.
inline QLineEdit* silverField(QWidget* parent, const QString& name, const QRect& geometry,
                              const QFont& font, const QString& text = QString()) {
    auto* e = control<QLineEdit>(parent, name, geometry, text);
    e->setFont(font);
    e->setStyleSheet(QStringLiteral("background: silver;"));
    return e;
}

inline void centreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

} // namespace kviro::ui
