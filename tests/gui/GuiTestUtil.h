// Helpers for the window tests: a private settings store, the windows, and message boxes.
#pragma once

#include <QByteArray>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

namespace kviro::test {

// Points the settings store at a fresh temporary folder for the life of the object.
class TempSettings {
public:
    // With `filled`, the store already holds the default table (no read error at start).
    explicit TempSettings(bool filled = true);
    ~TempSettings();
    QString path() const { return dir_.path(); }
    // The settings file of the program in that folder.
    static QString file();

private:
    QTemporaryDir dir_;
};

// Answers every message box that appears while it lives, with `answer` (or the box's only
// button), and keeps the texts it saw.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(QMessageBox::StandardButton answer = QMessageBox::Yes);
    ~MessageBoxWatcher();
    void setAnswer(QMessageBox::StandardButton answer) { answer_ = answer; }
    const QStringList& texts() const { return texts_; }
    void clear() { texts_.clear(); }

private:
    void poll();
    QTimer timer_;
    QMessageBox::StandardButton answer_;
    QStringList texts_;
};

// The bytes of a file, or "<missing>" when it cannot be read.
QByteArray readAll(const QString& file);
// Writes a file with `bytes` (a test failure when it cannot).
void writeFile(const QString& file, const QByteArray& bytes);

// Lowers this process's file size limit (the soft one, so it can be raised again) while it
// lives, with SIGXFSZ ignored: a write past `bytes` into any file then fails as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(unsigned long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    unsigned long long old_ = 0;
    void (*oldHandler_)(int) = nullptr;
};

// Creates all windows and waits until generation has finished.
void createWindowsAndWait();
// Destroys all windows.
void destroyWindows();

} // namespace kviro::test
