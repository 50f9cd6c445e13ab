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
} // namespace

QString applicationTitle() { return QStringLiteral("KVIRO 13"); }

void nameApplication() { QApplication::setApplicationName(QStringLiteral("KVIRO")); }

void notice(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, applicationTitle(), text, QMessageBox::Ok);
}

void errorNotice(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, applicationTitle(), text, QMessageBox::Ok);
}

bool confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, applicationTitle(), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void conversionError(QWidget* parent, const QString& text, bool integer) {
    errorNotice(parent, integer ? QStringLiteral("'%1' nije ispravan cijeli broj.").arg(text)
                                : QStringLiteral("'%1' nije ispravan broj.").arg(text));
}

int runDialog(QDialog& dialog) { return runner() ? runner()(dialog) : dialog.exec(); }

void setDialogRunner(DialogRunner r) { runner() = std::move(r); }

} // namespace kviro::ui
