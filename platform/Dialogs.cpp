#include "platform/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace kviro::ui {

namespace {
DialogRunner& runner() {
    static DialogRunner r;
    return r;
}

QString title() {
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("KVIRO 13") : name;
}
} // namespace

void notice(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, title(), text, QMessageBox::Ok);
}

void errorNotice(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, title(), text, QMessageBox::Ok);
}

bool confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, title(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void conversionError(QWidget* parent, const QString& text, bool integer) {
    errorNotice(parent, integer ? QStringLiteral("'%1' nije ispravan cijeli broj.").arg(text)
                                : QStringLiteral("'%1' nije ispravan broj.").arg(text));
}

int runDialog(QDialog& dialog) { return runner() ? runner()(dialog) : dialog.exec(); }

void setDialogRunner(DialogRunner r) { runner() = std::move(r); }

} // namespace kviro::ui
