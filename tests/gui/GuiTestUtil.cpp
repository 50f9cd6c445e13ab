#include "GuiTestUtil.h"

#include "app/Menu.h"
#include "core/Probability.h"
#include "platform/ProbabilityStore.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace kviro::test {

TempSettings::TempSettings(bool filled) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
    if (filled) kviro::ui::ProbabilityStore::save(kviro::defaultProbabilities());
}

TempSettings::~TempSettings() = default;

QString TempSettings::file() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Drevalmark"),
                     QStringLiteral("KVIRO"))
        .fileName();
}

QByteArray readAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

MessageBoxWatcher::MessageBoxWatcher(QMessageBox::StandardButton answer) : answer_(answer) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { poll(); });
    timer_.start();
}

MessageBoxWatcher::~MessageBoxWatcher() = default;

void MessageBoxWatcher::poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    texts_ << box->text();
    QAbstractButton* b = box->button(answer_);
    if (!b) {
        const auto buttons = box->buttons();
        b = buttons.isEmpty() ? nullptr : buttons.first();
    }
    if (b) b->click();
    else box->done(0);
}

FileSizeLimit::FileSizeLimit(unsigned long long bytes) {
    rlimit r{};
    getrlimit(RLIMIT_FSIZE, &r);
    old_ = r.rlim_cur;
    r.rlim_cur = bytes;
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    if (setrlimit(RLIMIT_FSIZE, &r) != 0) qFatal("setrlimit(RLIMIT_FSIZE) failed");
}

FileSizeLimit::~FileSizeLimit() {
    rlimit r{};
    getrlimit(RLIMIT_FSIZE, &r);
    r.rlim_cur = old_;
    setrlimit(RLIMIT_FSIZE, &r);
    std::signal(SIGXFSZ, oldHandler_);
}

void createWindowsAndWait() {
    kviro::ui::createWindows();
    QTRY_VERIFY_WITH_TIMEOUT(Form2->SpeedButton1->isEnabled(), 60000);
}

void destroyWindows() { kviro::ui::destroyWindows(); }

} // namespace kviro::test
