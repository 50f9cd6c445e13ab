#include "app/Menu.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    kviro::ui::nameApplication();

    // The installed desktop entry of the same id, and the icon of every window (title bars, task
    // switcher) in the sizes the build rendered.
    QGuiApplication::setDesktopFileName(QStringLiteral(KVIRO_APP_ID));
    QIcon icon;
    const QDir icons(QStringLiteral(":/icon"));
    for (const QString& file : icons.entryList(QDir::Files)) icon.addFile(icons.filePath(file));
    QApplication::setWindowIcon(icon);

    // The standard buttons of message boxes in the user's language.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    int rc = 0;
    try {
        kviro::ui::createWindows();
        rc = QApplication::exec();
    } catch (const std::exception& e) {
        kviro::ui::errorNotice(nullptr, QString::fromLocal8Bit(e.what()));
    }
    kviro::ui::destroyWindows();
    Q_UNUSED(rc);
    return 0;
}
