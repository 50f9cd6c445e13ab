// Files the program writes and reads, in one place.
//
// Writing: the bytes go to a temporary file beside the target, unbuffered, so that every
// write's count is the system's own; the temporary file is synced and its size checked, and
// only then does it take the target's place. On any failure the temporary file is removed and
// an earlier file of that name stays as it was. (QSaveFile::commit() alone reports success
// when its last buffered bytes or a short write never reached the disk.)
//
// Reading: only regular files of a sensible size are opened, so a named pipe cannot block the
// interface and a huge file cannot exhaust memory.
#pragma once

#include <QSaveFile>
#include <QString>

#include <optional>
#include <string_view>

namespace kviro::ui {

class SafeWrite {
  public:
    explicit SafeWrite(const QString& path);
    ~SafeWrite(); // without a successful commit() the target stays untouched
    SafeWrite(const SafeWrite&) = delete;
    SafeWrite& operator=(const SafeWrite&) = delete;

    // Appends a piece; false (and nothing more is written) once any piece has failed.
    bool write(std::string_view piece);
    // Puts the complete file in the target's place; false when any step failed.
    bool commit();
    // The system's reason for the failure.
    QString errorString() const { return error_; }

  private:
    void fail(const QString& reason);
    QSaveFile file_;
    qint64 written_ = 0;
    bool ok_ = false;
    bool done_ = false;
    QString error_;
};

// The whole content at once; on failure `reason` gets the system's reason.
bool writeFileSafely(const QString& path, std::string_view bytes, QString* reason = nullptr);

// The text of a file name as shown in messages: absolute, with native separators.
QString shownFileName(const QString& path);

// Why the file at `path` is not to be read, in a Croatian sentence naming the file: it is not a
// regular file (a folder, a named pipe, a device) or it is larger than `maxBytes`. Empty when
// it may be read. Looks at the file without opening it, so nothing blocks.
std::optional<QString> refusalToRead(const QString& path, qint64 maxBytes);

} // namespace kviro::ui
