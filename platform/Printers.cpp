#include "platform/Printers.h"

#include "platform/Dialogs.h"

#include <QFileDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace kviro::ui {

namespace {

struct State {
    std::unique_ptr<QPrinter> printer;
    bool pdf = false;
    QString name;    // the current system printer when pdf is false
    QString pdfFile; // the last file a PDF print went into
    bool chosen = false;
};

State& state() {
    static State s;
    return s;
}

// Until someone chooses, the current printer is the system's default, else the PDF entry.
void ensureChosen() {
    State& s = state();
    if (s.chosen) return;
    s.chosen = true;
    QString name = QPrinterInfo::defaultPrinterName();
    if (name.isEmpty()) {
        const QStringList all = QPrinterInfo::availablePrinterNames();
        if (!all.isEmpty()) name = all.first();
    }
    s.pdf = name.isEmpty();
    s.name = name;
}

} // namespace

QString Printers::pdfEntry() {
    return QStringLiteral("PDF datoteka");
}

QStringList Printers::names() {
    QStringList list = QPrinterInfo::availablePrinterNames();
    list.removeAll(pdfEntry());
    list << pdfEntry();
    return list;
}

QString Printers::current() {
    ensureChosen();
    return state().pdf ? pdfEntry() : state().name;
}

bool Printers::pdfChosen() {
    ensureChosen();
    return state().pdf;
}

int Printers::currentIndex(const QStringList& names) {
    return names.indexOf(current());
}

void Printers::setCurrent(const QString& entry) {
    ensureChosen();
    State& s = state();
    if (entry == pdfEntry()) {
        s.pdf = true;
        if (s.printer) s.printer->setOutputFormat(QPrinter::PdfFormat);
        return;
    }
    if (!QPrinterInfo::availablePrinterNames().contains(entry)) return;
    s.pdf = false;
    s.name = entry;
    if (s.printer) {
        s.printer->setOutputFormat(QPrinter::NativeFormat);
        s.printer->setPrinterName(entry);
    }
}

QPrinter& Printers::printer() {
    ensureChosen();
    State& s = state();
    if (!s.printer) {
        s.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (s.pdf) {
            s.printer->setOutputFormat(QPrinter::PdfFormat);
        } else {
            s.printer->setPrinterName(s.name);
        }
    }
    return *s.printer;
}

void Printers::adoptDialogChoice() {
    State& s = state();
    QPrinter& p = printer();
    if (p.outputFormat() == QPrinter::PdfFormat) {
        s.pdf = true;
        if (!p.outputFileName().isEmpty()) s.pdfFile = p.outputFileName();
    } else if (!p.printerName().isEmpty()) {
        s.pdf = false;
        s.name = p.printerName();
    }
}

std::unique_ptr<QPrinter> Printers::printerForJob(const QString& jobName, const QString& pdfFile) {
    const QPrinter& from = printer();
    const State& s = state();
    auto job = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (s.pdf) {
        job->setOutputFormat(QPrinter::PdfFormat);
        job->setOutputFileName(pdfFile);
        state().pdfFile = pdfFile;
    } else {
        job->setPrinterName(s.name);
    }
    job->setPageLayout(from.pageLayout());
    job->setCopyCount(from.copyCount());
    job->setCollateCopies(from.collateCopies());
    job->setColorMode(from.colorMode());
    if (!s.pdf) job->setDuplex(from.duplex());
    job->setDocName(jobName);
    job->setCreator(QStringLiteral("KVIRO 13"));
    return job;
}

QString Printers::choosePdfFile(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Ispis u PDF datoteku"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PDF datoteka (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (!state().pdfFile.isEmpty()) dialog.selectFile(state().pdfFile);
    if (runDialog(dialog) != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

void Printers::release() {
    state().printer.reset();
}

} // namespace kviro::ui
