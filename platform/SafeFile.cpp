#include "platform/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace kviro::ui {

SafeWrite::SafeWrite(const QString& path) : file_(path) {
    ok_ = file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (!ok_) error_ = file_.errorString();
}

SafeWrite::~SafeWrite() {
    if (!done_) file_.cancelWriting();
}

void SafeWrite::fail(const QString& reason) {
    if (!ok_) return;
    ok_ = false;
    error_ = reason;
}

bool SafeWrite::write(std::string_view piece) {
    if (!ok_) return false;
    const auto size = static_cast<qint64>(piece.size());
    const qint64 n = file_.write(piece.data(), size);
    if (n != size) {
        // A short write without an error is a full disk or a file size limit all the same.
        fail(file_.error() != QFileDevice::NoError ? file_.errorString()
                                                   : QString::fromLocal8Bit(std::strerror(ENOSPC)));
        return false;
    }
    written_ += n;
    return true;
}

bool SafeWrite::commit() {
    if (done_) return ok_;
    if (ok_ && !file_.flush()) fail(file_.errorString());
    if (ok_ && ::fsync(file_.handle()) != 0 && errno != EINVAL && errno != EROFS)
        fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (ok_ && file_.size() != written_) fail(QString::fromLocal8Bit(std::strerror(ENOSPC)));
    done_ = true;
    if (!ok_) {
        file_.cancelWriting();
        file_.commit(); // removes the temporary file
        return false;
    }
    if (!file_.commit()) {
        ok_ = false;
        error_ = file_.errorString();
    }
    return ok_;
}

bool writeFileSafely(const QString& path, std::string_view bytes, QString* reason) {
    SafeWrite file(path);
    const bool ok = file.write(bytes) && file.commit();
    if (!ok && reason) *reason = file.errorString();
    return ok;
}

QString shownFileName(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

std::optional<QString> refusalToRead(const QString& path, qint64 maxBytes) {
    const QFileInfo info(path); // stat(), which does not open the file
    const QString shown = shownFileName(path);
    if (!info.isFile())
        return QStringLiteral("\"%1\" nije moguće učitati: to nije obična datoteka, nego mapa, "
                              "imenovana cijev ili uređaj.")
            .arg(shown);
    if (info.size() > maxBytes)
        return QStringLiteral("Datoteka \"%1\" ima %2 bajtova, a najviše što se može učitati je %3 "
                              "bajtova: to nije tablica ovog programa.")
            .arg(shown, QLocale::c().toString(info.size()), QLocale::c().toString(maxBytes));
    return std::nullopt;
}

} // namespace kviro::ui
