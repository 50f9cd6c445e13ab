// Starts the program's windows on a (virtual) display, drives them to typical states and saves a
// picture of each window into the folder given as the first argument.
#include "app/Menu.h"
#include "more/Fi.h"
#include "platform/ProbabilityStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace {

void waitUntil(const std::function<bool()>& done, int ms = 60000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

void settle(int ms = 300) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool save(QWidget* w, const QString& dir, const QString& name) {
    w->show();
    w->raise();
    settle();
    const bool ok = w->grab().save(QDir(dir).filePath(name));
    qInfo("%s %s", ok ? "saved" : "FAILED", qPrintable(name));
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("KVIRO 13"));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(out);
    // Never touch the user's own settings.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    kviro::ui::ProbabilityStore::save(kviro::defaultProbabilities());

    bool ok = true;
    kviro::ui::createWindows();
    settle(50);
    ok &= save(Form2, out, QStringLiteral("menu-generating.png"));
    waitUntil([] { return Form2->SpeedButton1->isEnabled(); });
    ok &= save(Form2, out, QStringLiteral("menu.png"));

    Form1->show();
    Form1->OziviMGumb->click();
    ok &= save(Form1, out, QStringLiteral("workbench.png"));

    kviro::ui::destroyWindows();
    return ok ? 0 : 1;
}
