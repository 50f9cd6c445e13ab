// The print thread: lays out a table of combinations on pages and paints them on a printer,
// off the user-interface thread.
#pragma once

#include "core/Toto13class.h"

#include <QFont>
#include <QString>
#include <QThread>

#include <cstdint>
#include <memory>
#include <vector>

class QPrinter;
class QWidget;

class CTUKPrint : public QThread {
    Q_OBJECT
  public:
    explicit CTUKPrint(QObject* parent = nullptr);
    ~CTUKPrint() override;

    // Set by the starter before start(); the thread reads nothing else. Each is the thread's
    // own copy, so the windows may change their tables, fonts and printers meanwhile.
    std::vector<std::uint32_t> tukList; // the codes of the table, in print order
    std::unique_ptr<QPrinter> printer;  // a printer object for this print alone
    QFont font;                         // the font of the whole printout
    QString header;                     // top left of the first page; nothing when empty
    bool printDate = false;             // today's date at the top right of the first page

  signals:
    // A print that did not reach the printer; the text is for the user.
    void failed(const QString& message);

  protected:
    void run() override; // Execute

  private:
    // What the user is told when the print cannot begin, or fails at its end.
    QString failure(bool atStart) const;
};

namespace kviro::ui {

// Starts a print of the table on the current printer, in the thread's own copies of the table,
// the font and the header. One print runs at a time: while one runs, the user is told and
// nothing starts. For the PDF entry the user first chooses the file. A print that fails is
// reported over `owner`. Returns whether a print was started.
bool startTukPrint(QWidget* owner, const kviro::Table& table, const QFont& font,
                   const QString& header, bool printDate);
// Device pixels of the printer per pixel of the page layout, which is done at a fixed
// resolution; and a length of device pixels in layout pixels (whole pixels, rounded down).
double layoutScale(const QPrinter& printer);
int layoutPixels(int devicePixels, double scale);
// The print that runs now, if any.
CTUKPrint* runningPrint();
// Waits for the print that runs, if any, and releases its thread (before the program ends).
// A print is not cut off: the printer engines cannot withdraw a started job, so a cut print
// would come out as half a printout.
void finishPrinting();

} // namespace kviro::ui
