// The printers the program prints on: the system's printers and, last in every list, a PDF file.
// There is one current printer for the whole program: a printer chosen in one window is the
// current printer in the other. Main thread only.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QPrinter;
class QWidget;

namespace kviro::ui {

class Printers {
  public:
    // The entry at the end of every printer list: the pages go into a PDF file.
    static QString pdfEntry();
    // The names a printer list shows: the system's printers, then the PDF entry.
    static QStringList names();
    // Index of the current printer in `names` (-1 when it is not there).
    static int currentIndex(const QStringList& names);
    // Makes the entry of that name the current printer; unknown names change nothing.
    static void setCurrent(const QString& entry);
    static QString current();
    static bool pdfChosen();

    // The program's printer object: the system print dialog ("Podešenja") works on it, and
    // every print copies its settings.
    static QPrinter& printer();
    // After the system print dialog was accepted on printer(): its choice becomes current.
    static void adoptDialogChoice();

    // A printer of its own for one print, with the current printer and the settings of
    // printer(); for the PDF entry it writes into `pdfFile`. The job carries the given name.
    static std::unique_ptr<QPrinter> printerForJob(const QString& jobName, const QString& pdfFile);
    // Asks for the file a PDF print goes into; empty when the user cancels.
    static QString choosePdfFile(QWidget* parent);

    // Releases the printer object (after the last window that uses it is gone).
    static void release();
};

} // namespace kviro::ui
