#include "platform/ProbabilityStore.h"

#include "platform/SafeFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstring>

namespace kviro::ui {

namespace {
constexpr const char* kGroup = "Software/Drevalmark/KVIRO";

// Reads the table from `s`; see ProbabilityStore::load.
bool readTable(QSettings& s, ProbabilityTable& table, QString* failed) {
    s.beginGroup(QLatin1String(kGroup));
    // No value of the table at all (no settings file yet, or only other values in it): a new
    // user, not a damaged store.
    bool any = false;
    for (int i = 0; i < kMatches && !any; ++i)
        for (int sign = 0; sign < 3 && !any; ++sign)
            any = s.contains(ProbabilityStore::valueName(i, sign));
    if (!any) {
        if (failed) failed->clear();
        return false;
    }
    for (int i = 0; i < kMatches; ++i) {
        for (int sign = 0; sign < 3; ++sign) {
            const QString name = ProbabilityStore::valueName(i, sign);
            const QVariant v = s.value(name);
            if (v.typeId() != QMetaType::QByteArray || v.toByteArray().size() != 8) {
                if (failed) *failed = name;
                return false;
            }
            const QByteArray bytes = v.toByteArray();
            const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
            double value;
            std::memcpy(&value, &bits, sizeof value);
            table[i][sign] = static_cast<float>(value);
        }
    }
    return true;
}

QByteArray fileBytes(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// True when `bytes`, as a settings file, hold exactly `table`. They are read from a file of
// their own in `dir`: QSettings keeps the files it has seen in memory and would answer from
// there, while the point is what was written.
bool holdsTable(const QTemporaryDir& dir, const QByteArray& bytes, const ProbabilityTable& table) {
    const QString name = dir.filePath(QStringLiteral("check.ini"));
    if (!writeFileSafely(
            name, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return false;
    QSettings check(name, QSettings::IniFormat);
    ProbabilityTable back{};
    return readTable(check, back, nullptr) && std::memcmp(&back, &table, sizeof table) == 0;
}

} // namespace

bool ProbabilityStore::load(ProbabilityTable& table, QString* failed) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Drevalmark"),
                QStringLiteral("KVIRO"));
    return readTable(s, table, failed);
}

bool ProbabilityStore::save(const ProbabilityTable& table, QString* reason) {
    const QString fileName = QSettings(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Drevalmark"), QStringLiteral("KVIRO"))
                                 .fileName();
    const auto fail = [&](const QString& why) {
        if (reason) *reason = QStringLiteral("upis u %1 nije uspio (%2)").arg(fileName, why);
        return false;
    };
    // The new file is made from a copy of the old one (so other values stay) in a folder of its
    // own, checked, and only then put in place, through the program's safe writer: a failed
    // write leaves the old file whole, and success is judged by what was written, not by the
    // store's status (which still carries an error met while reading a damaged file).
    QTemporaryDir dir;
    if (!dir.isValid()) return fail(dir.errorString());
    const QString draft = dir.filePath(QStringLiteral("KVIRO.ini"));
    const QByteArray old = fileBytes(fileName);
    QString why;
    if (!writeFileSafely(
            draft, std::string_view(old.constData(), static_cast<std::size_t>(old.size())), &why))
        return fail(why);
    {
        QSettings s(draft, QSettings::IniFormat);
        s.beginGroup(QLatin1String(kGroup));
        for (int i = 0; i < kMatches; ++i) {
            for (int sign = 0; sign < 3; ++sign) {
                const double value = table[i][sign];
                quint64 bits;
                std::memcpy(&bits, &value, sizeof bits);
                QByteArray bytes(8, '\0');
                qToLittleEndian<quint64>(bits, bytes.data());
                s.setValue(valueName(i, sign), bytes);
            }
        }
        s.endGroup();
    }
    const QByteArray bytes = fileBytes(draft);
    if (!holdsTable(dir, bytes, table)) return fail(QStringLiteral("nova datoteka nije potpuna"));
    QDir().mkpath(QFileInfo(fileName).path());
    if (!writeFileSafely(
            fileName, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
            &why))
        return fail(why);
    return true;
}

namespace {
constexpr const char* kPriceName = "Cijena kombinacije";
} // namespace

double loadCombinationPrice() {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Drevalmark"),
                QStringLiteral("KVIRO"));
    bool ok = false;
    const double price = s.value(QLatin1String(kGroup) + '/' + QString::fromUtf8(kPriceName))
                             .toDouble(&ok);
    return ok && price >= 0.0 ? price : 0.0;
}

bool saveCombinationPrice(double price) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Drevalmark"),
                QStringLiteral("KVIRO"));
    s.setValue(QLatin1String(kGroup) + '/' + QString::fromUtf8(kPriceName), price);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace kviro::ui
