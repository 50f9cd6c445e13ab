#include "platform/ProbabilityStore.h"

#include <QByteArray>
#include <QSettings>
#include <QtEndian>

#include <cstring>

namespace kviro::ui {

namespace {
constexpr const char* kGroup = "Software/Drevalmark/KVIRO";

} // namespace

bool ProbabilityStore::load(ProbabilityTable& table, QString* failed) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Drevalmark"),
                QStringLiteral("KVIRO"));
    s.beginGroup(QLatin1String(kGroup));
    for (int i = 0; i < kMatches; ++i) {
        for (int sign = 0; sign < 3; ++sign) {
            const QString name = valueName(i, sign);
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

bool ProbabilityStore::save(const ProbabilityTable& table, QString* reason) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Drevalmark"),
                QStringLiteral("KVIRO"));
    if (!s.isWritable()) {
        if (reason) *reason = QStringLiteral("datoteka postavki %1 nije upisiva").arg(s.fileName());
        return false;
    }
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
    s.sync();
    if (s.status() != QSettings::NoError) {
        if (reason) *reason = QStringLiteral("upis u %1 nije uspio").arg(s.fileName());
        return false;
    }
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
