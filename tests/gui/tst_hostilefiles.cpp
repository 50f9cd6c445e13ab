// Files that fight back: saves on a full disk, pipes, devices, huge and odd files, and a
// settings store that cannot be written or was damaged.
#include "GuiTestUtil.h"

#include "app/Menu.h"
#include "core/MorFile.h"
#include "core/Probability.h"
#include "core/TextInput.h"
#include "core/TukFile.h"
#include "more/Fi.h"
#include "more/Infic.h"
#include "mreza/Mreza.h"
#include "output/Kontrola.h"
#include "output/Saver.h"
#include "platform/Dialogs.h"
#include "platform/ProbabilityStore.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace kviro;
using namespace kviro::test;

namespace {

// While it lives, keeps opening the named pipe `path` for writing without blocking and closes
// it again at once: a reader that opened the pipe sees it end instead of waiting forever.
class PipeUnblocker {
  public:
    explicit PipeUnblocker(const QString& path) : path_(QFile::encodeName(path)) {
        thread_ = std::thread([this] {
            while (!stop_) {
                const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    opened_ = true;
                    ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        });
    }
    ~PipeUnblocker() {
        stop_ = true;
        thread_.join();
    }
    bool readerOpenedIt() const { return opened_; }

  private:
    QByteArray path_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> opened_{false};
    std::thread thread_;
};

} // namespace

class HostileFilesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    QString path(const QString& name) const { return dir_->filePath(name); }

  private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() {
        ui::setDialogRunner({});
        destroyWindows();
        dir_.reset();
    }

    // A write cut short by a full disk (here: by the file size limit) is reported, and the file
    // of that name from an earlier save stays whole. Small files never leave Qt's write buffer
    // before the end, large ones fail in the middle.
    void failedWriteKeepsTheOldFile_data() {
        QTest::addColumn<QString>("kind"); // MOR: the workbench's save, TUK: the copy dialog
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("limit"); // bytes; 0: in the middle of the last piece written
        QTest::newRow("MOR, 100 rows") << "MOR" << 100 << 1000;
        QTest::newRow("MOR, 42800 rows") << "MOR" << 42800 << 64 * 1024;
        // Just past one piece of 1 MiB: the short last piece stays in Qt's buffer.
        QTest::newRow("MOR, a piece and a bit, cut in the last piece") << "MOR" << 0 << 0;
        QTest::newRow("TUK, 10 rows") << "TUK" << 10 << 30;
        QTest::newRow("TUK, 1000 rows") << "TUK" << 1000 << 8192;
    }
    void failedWriteKeepsTheOldFile() {
        QFETCH(QString, kind);
        QFETCH(int, rows);
        QFETCH(int, limit);
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        const bool mor = kind == QLatin1String("MOR");
        const QString file = path(QStringLiteral("STARA.") + kind);
        const QByteArray old = mor ? "22369621 2.500000 0 13 0 0\r\n" : "22369621 1\r\n";
        writeFile(file, old);
        const auto pieces = [](const Table& t) {
            std::vector<std::size_t> sizes;
            writeMor(t, [&sizes](std::string_view piece) { sizes.push_back(piece.size()); });
            return sizes;
        };
        if (rows == 0)
            for (rows = 30000;
                 pieces(Table(Form1->MORE.begin(), Form1->MORE.begin() + rows)).size() < 2;)
                rows += 200;
        Table table(Form1->MORE.begin(), Form1->MORE.begin() + rows);
        const auto save = [&] {
            if (mor) {
                Form1->MORE = table;
                Form1->Edit14->setText(path(QStringLiteral("STARA")));
                QTest::mouseClick(Form1->BitBtn5, Qt::LeftButton);
            } else {
                Form1->TUK = table;
                Form7->show();
                Form7->Edit1->setText(path(QStringLiteral("STARA")));
                QTest::mouseClick(Form7->BitBtn1, Qt::LeftButton);
            }
        };
        if (limit == 0) {
            const std::vector<std::size_t> sizes = pieces(table);
            QVERIFY(sizes.size() > 1 && sizes.back() < 16 * 1024);
            for (std::size_t i = 0; i + 1 < sizes.size(); ++i)
                limit += static_cast<int>(sizes[i]);
            limit += static_cast<int>(sizes.back() / 2);
        }
        {
            const FileSizeLimit full(static_cast<unsigned long long>(limit));
            save();
        }
        QCOMPARE(readAll(file), old);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files),
                 QStringList{QFileInfo(file).fileName()});
        QCOMPARE(boxes.texts().size(), 1);
        const QString text = boxes.texts().first();
        QVERIFY2(
            text.contains(mor ? QStringLiteral("nije spremljena") : QStringLiteral("nije kopiran")),
            qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(file)), qPrintable(text));
        if (!mor) QVERIFY(Form7->isVisible());

        // With room on the disk the same save goes through, silently.
        save();
        QCOMPARE(boxes.texts().size(), 1);
        const std::string bytes = mor ? morText(table) : tukFileBytes(table);
        QCOMPARE(readAll(file), QByteArray::fromStdString(bytes));
    }

    // What the readers refuse, each with a message that names the file, leaving the table
    // as it was; and the odd files they take.
    void hostileReads_data() {
        QTest::addColumn<QString>("kind");        // MOR: workbench load, TUK: results control
        QTest::addColumn<QString>("make");        // bytes, fifo, sparse, device
        QTest::addColumn<QByteArray>("content");  // bytes; for sparse, the size in decimal
        QTest::addColumn<QStringList>("message"); // parts of the message; none: it loads
        QTest::addColumn<int>("rows");            // rows loaded when it loads

        const QByteArray bom = "\xEF\xBB\xBF";
        const QByteArray morRow = "22369621 2.500000 0 13 0 0\r\n";
        QTest::newRow("MOR named pipe")
            << "MOR"
            << "fifo" << QByteArray() << QStringList{"nije obična datoteka"} << 0;
        QTest::newRow("MOR device")
            << "MOR"
            << "device" << QByteArray() << QStringList{"nije obična datoteka"} << 0;
        QTest::newRow("MOR just too large")
            << "MOR"
            << "sparse" << QByteArray::number(kMaxMorFileBytes + 1)
            << QStringList{"ima 134217729 bajtova", "najviše", "134217728"} << 0;
        QTest::newRow("MOR of a terabyte") << "MOR"
                                           << "sparse" << QByteArray::number(1LL << 40)
                                           << QStringList{"ima 1099511627776 bajtova"} << 0;
        QTest::newRow("MOR NaN MANA") << "MOR"
                                      << "bytes" << morRow + "1 nan 13 0 0 0\r\n"
                                      << QStringList{"redak 2", "2. polje \"nan\" nije broj"} << 0;
        QTest::newRow("MOR infinite MANA") << "MOR"
                                           << "bytes" << morRow + "1 inf 13 0 0 0\r\n"
                                           << QStringList{} << 2;
        QTest::newRow("MOR byte-order mark")
            << "MOR"
            << "bytes" << bom + morRow + morRow << QStringList{} << 2;
        QTest::newRow("MOR control byte") << "MOR"
                                          << "bytes" << QByteArray("0 1 13 \x01 0 0\n")
                                          << QStringList{"4. polje \"\\x01\" nije broj"} << 0;
        QTest::newRow("MOR UTF-16") << "MOR"
                                    << "bytes" << QByteArray("2\0002\0 \0001\0\n\0", 10)
                                    << QStringList{"redak 1", "broj polja u retku je 2"} << 0;
        QTest::newRow("MOR long blank line")
            << "MOR"
            << "bytes" << morRow + QByteArray(5000, ' ') + "\r\n"
            << QStringList{"redak 2", "dulji od 4096 znakova"} << 0;
        QTest::newRow("MOR np too small") << "MOR"
                                          << "bytes" << QByteArray("0 1 13 0 0 -129\n")
                                          << QStringList{"6. polje \"-129\" je premaleno"} << 0;

        QTest::newRow("TUK named pipe")
            << "TUK"
            << "fifo" << QByteArray() << QStringList{"nije obična datoteka"} << 0;
        QTest::newRow("TUK device")
            << "TUK"
            << "device" << QByteArray() << QStringList{"nije obična datoteka"} << 0;
        QTest::newRow("TUK of a terabyte") << "TUK"
                                           << "sparse" << QByteArray::number(1LL << 40)
                                           << QStringList{"ima 1099511627776 bajtova"} << 0;
        QTest::newRow("TUK byte-order mark") << "TUK"
                                             << "bytes" << bom + "22369621 1\r\n5 2\r\n"
                                             << QStringList{} << 2;
        QTest::newRow("TUK NUL in a word")
            << "TUK"
            << "bytes" << QByteArray("1 1\r\n3\0 2", 9) << QStringList{"\"3\\x00\" nije broj"} << 0;
        QTest::newRow("TUK place too small") << "TUK"
                                             << "bytes" << QByteArray("1 -99999999999\n")
                                             << QStringList{"\"-99999999999\" je premalen"} << 0;
    }
    void hostileReads() {
        QFETCH(QString, kind);
        QFETCH(QString, make);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, message);
        QFETCH(int, rows);
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        const bool mor = kind == QLatin1String("MOR");
        const QString file = path(QStringLiteral("T.") + kind);
        if (make == QLatin1String("bytes")) {
            writeFile(file, content);
        } else if (make == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        } else if (make == QLatin1String("device")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), file));
        } else {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(content.toLongLong())); // sparse: no room is taken
        }

        // The tables before: MORE cut to 1000 rows, and a results table of 3.
        Form1->MORE.resize(1000);
        const Table more = Form1->MORE;
        writeFile(path(QStringLiteral("DOBRA.TUK")), "1 1\r\n2 2\r\n3 3\r\n");
        Form4->Edit14->setText(path(QStringLiteral("DOBRA")));
        QTest::mouseClick(Form4->SpeedButton1, Qt::LeftButton);
        QCOMPARE(Form4->resultList.size(), std::size_t(3));
        {
            // A pipe that a reader opened is closed again at once, so that a reader that
            // waits on it fails this test instead of hanging it.
            std::unique_ptr<PipeUnblocker> unblock;
            if (make == QLatin1String("fifo")) unblock = std::make_unique<PipeUnblocker>(file);
            if (mor) {
                Form1->Edit14->setText(path(QStringLiteral("T")));
                QTest::mouseClick(Form1->BitBtn6, Qt::LeftButton);
            } else {
                Form4->Edit14->setText(path(QStringLiteral("T")));
                QTest::mouseClick(Form4->SpeedButton1, Qt::LeftButton);
            }
            if (unblock) QVERIFY(!unblock->readerOpenedIt());
        }
        const QStringList texts = mor ? boxes.texts().mid(1) : boxes.texts(); // after the question
        if (message.isEmpty()) {
            QVERIFY2(texts.isEmpty(), qPrintable(texts.join(QLatin1Char('\n'))));
            QCOMPARE(mor ? Form1->MORE.size() : Form4->resultList.size(), std::size_t(rows));
            if (mor) QVERIFY(Form1->MORE0 == Form1->MORE);
            if (!mor) QCOMPARE(Form4->resultList.front()->code, 22369621u);
            return;
        }
        QCOMPARE(texts.size(), 1);
        message << QDir::toNativeSeparators(file);
        for (const QString& part : message)
            QVERIFY2(texts.first().contains(part), qPrintable(texts.first()));
        QVERIFY(Form1->MORE == more);
        QCOMPARE(Form4->resultList.size(), std::size_t(3));
    }

    // The .MOR commands with an empty name field ask for the file in the standard dialog; a
    // load of a name with no file says so.
    void morFileDialogAndMissingFile() {
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        Form1->MORE.resize(5);
        QStringList filters;
        ui::setDialogRunner([&](QDialog& d) {
            auto* files = qobject_cast<QFileDialog*>(&d);
            if (!files) return int(QDialog::Rejected);
            filters << files->nameFilters().join(QLatin1Char(';'));
            files->selectFile(path(QStringLiteral("IZBOR.MOR")));
            return int(QDialog::Accepted);
        });
        Form1->Edit14->clear();
        QTest::mouseClick(Form1->BitBtn5, Qt::LeftButton);
        QCOMPARE(readAll(path(QStringLiteral("IZBOR.MOR"))),
                 QByteArray::fromStdString(morText(Form1->MORE)));
        QCOMPARE(filters.size(), 1);
        QVERIFY2(filters.first().contains(QStringLiteral("*.MOR *.mor")),
                 qPrintable(filters.first()));
        // The chosen name stays in the field for the next command.
        QCOMPARE(Form1->Edit14->text(), QDir::toNativeSeparators(path(QStringLiteral("IZBOR"))));

        Form1->Edit14->clear();
        Form1->MORE.resize(2);
        QTest::mouseClick(Form1->BitBtn6, Qt::LeftButton);
        QCOMPARE(filters.size(), 2);
        QCOMPARE(Form1->MORE.size(), std::size_t(5));
        QCOMPARE(boxes.texts().size(), 1); // the question only

        // A typed name of no file.
        Form1->Edit14->setText(path(QStringLiteral("NEMA")));
        QTest::mouseClick(Form1->BitBtn6, Qt::LeftButton);
        QCOMPARE(filters.size(), 2);
        QCOMPARE(boxes.texts().size(), 3);
        QVERIFY2(boxes.texts().last().contains(QStringLiteral("ne postoji")) &&
                     boxes.texts().last().contains(QStringLiteral("NEMA.MOR")),
                 qPrintable(boxes.texts().last()));
        QCOMPARE(Form1->MORE.size(), std::size_t(5));
    }

    // A settings file that cannot be written does not stop "oživi MORE": every press values
    // MORE, one notice says that the percentages were not kept, and the old file stays.
    void settingsStoreThatCannotBeWritten_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("a folder in its place") << "folder";
        QTest::newRow("full disk") << "limit";
        QTest::newRow("read-only file") << "read-only";
    }
    void settingsStoreThatCannotBeWritten() {
        QFETCH(QString, how);
        if (how == QLatin1String("read-only") && ::geteuid() == 0)
            QSKIP("root writes read-only files");
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        const QString ini = TempSettings::file();
        const QByteArray before = readAll(ini);
        QVERIFY(before.size() > 100);
        if (how == QLatin1String("folder")) {
            QVERIFY(QFile::remove(ini));
            QVERIFY(QDir().mkpath(ini));
        } else if (how == QLatin1String("read-only")) {
            QVERIFY(QFile::setPermissions(ini, QFileDevice::ReadOwner));
        }
        for (const char* percent : {"30", "60"}) {
            Form1->ttv(1, 1)->setText(QString::fromLatin1(percent));
            {
                std::unique_ptr<FileSizeLimit> full;
                if (how == QLatin1String("limit")) full = std::make_unique<FileSizeLimit>(100);
                QTest::mouseClick(Form1->OziviMGumb, Qt::LeftButton);
            }
            QCOMPARE(Form1->MORE.back()->mana,
                     manaOf(Form1->MORE.back()->code, Form1->probability));
            QCOMPARE(Form1->probability[0][1], QString::fromLatin1(percent).toFloat());
            QVERIFY(Form1->MORE0 == Form1->MORE);
            QVERIFY(InfoBox->isVisible());
            QVERIFY(Form1->SpeedButton5->isEnabled());
        }
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY2(boxes.texts().first().contains(QStringLiteral("nisu spremljene")),
                 qPrintable(boxes.texts().first()));
        if (how != QLatin1String("folder")) QCOMPARE(readAll(ini), before);
        QCOMPARE(QDir(QFileInfo(ini).path()).entryList(QDir::Files | QDir::Hidden).size(),
                 how == QLatin1String("folder") ? 0 : 1); // nothing left beside it
    }

    // A settings file damaged since the start (here: a section header cut short) is read
    // again by the next "oživi MORE", which writes the percentages all the same and says
    // nothing: the error met while reading it is no failure of the write.
    void damagedSettingsFileIsRewritten() {
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        const QString ini = TempSettings::file();
        writeFile(ini, "[Software\nDrevalmark\\KVIRO\\0%200=1\n");
        Form1->ttv(2, 1)->setText(QStringLiteral("25"));
        QTest::mouseClick(Form1->OziviMGumb, Qt::LeftButton);
        QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('\n'))));
        QCOMPARE(Form1->MORE.back()->mana, manaOf(Form1->MORE.back()->code, Form1->probability));
        ProbabilityTable back{};
        QVERIFY(ui::ProbabilityStore::load(back));
        QCOMPARE(back, Form1->probability);
        QCOMPARE(back[1][1], 25.0f);
    }
};

QTEST_MAIN(HostileFilesTest)
#include "tst_hostilefiles.moc"
