#include "output/Printthread.h"

#include "core/PrintLayout.h"
#include "platform/Dialogs.h"
#include "platform/FontMetrics.h"
#include "platform/Printers.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QWidget>

using namespace kviro;

namespace {

// Paints the placed texts of the layout: a text's top-left corner is its position.
class PainterSink final : public PrintSink {
  public:
    PainterSink(QPainter& painter, QPrinter& printer, int ascent)
        : painter_(painter), printer_(printer), ascent_(ascent) {}
    void text(int x, int y, std::string_view text) override {
        painter_.drawText(QPoint(x, y + ascent_),
                          QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    void newPage() override { printer_.newPage(); }

  private:
    QPainter& painter_;
    QPrinter& printer_;
    int ascent_;
};

QPointer<CTUKPrint>& current() {
    static QPointer<CTUKPrint> thread;
    return thread;
}

} // namespace

CTUKPrint::CTUKPrint(QObject* parent) : QThread(parent) {}

CTUKPrint::~CTUKPrint() {
    wait();
}

QString CTUKPrint::failure(bool atStart) const {
    if (printer->outputFormat() == QPrinter::PdfFormat) {
        const QString file =
            QDir::toNativeSeparators(QFileInfo(printer->outputFileName()).absoluteFilePath());
        return atStart
                   ? QStringLiteral("Ispis nije moguć: u datoteku \"%1\" nije moguće pisati.")
                         .arg(file)
                   : QStringLiteral("Ispis nije uspio: datoteka \"%1\" nije zapisana.").arg(file);
    }
    return atStart ? QStringLiteral("Ispis nije moguć: printer \"%1\" nije dostupan.")
                         .arg(printer->printerName())
                   : QStringLiteral("Ispis nije uspio: printer \"%1\" javlja grešku.")
                         .arg(printer->printerName());
}

void CTUKPrint::run() {
    QPainter painter;
    if (!painter.begin(printer.get())) {
        emit failed(failure(true));
        return;
    }
    painter.setFont(font);
    const kviro::ui::FontTextMetrics metrics(painter.fontMetrics());
    PainterSink sink(painter, *printer, metrics.metrics().ascent());
    const QString date =
        printDate ? QLocale().toString(QDate::currentDate(), QLocale::ShortFormat) : QString();
    layoutPrint(tukList, printer->width(), printer->height(), metrics, header.toStdString(),
                date.toStdString(), sink);
    if (!painter.end() || printer->printerState() == QPrinter::Error) emit failed(failure(false));
}

namespace kviro::ui {

CTUKPrint* runningPrint() {
    CTUKPrint* t = current();
    return t && t->isRunning() ? t : nullptr;
}

bool startTukPrint(QWidget* owner, const Table& table, const QFont& font, const QString& header,
                   bool printDate) {
    if (runningPrint()) {
        notice(owner, QStringLiteral("Ispis je u tijeku. Novi ispis možete pokrenuti kad "
                                     "prethodni završi."));
        return false;
    }
    QString pdfFile;
    if (Printers::pdfChosen()) {
        pdfFile = Printers::choosePdfFile(owner);
        if (pdfFile.isEmpty()) return false;
    }
    // A finished print whose thread object is still waiting for its release.
    if (CTUKPrint* old = current()) delete old;

    auto* thread = new CTUKPrint(qApp);
    thread->tukList = tableCodes(table);
    thread->printer = Printers::printerForJob(QString::fromUtf8(kPrintJobName), pdfFile);
    thread->font = font;
    thread->header = header;
    thread->printDate = printDate;
    QPointer<QWidget> reportTo(owner);
    QObject::connect(thread, &CTUKPrint::failed, qApp, [reportTo](const QString& message) {
        errorNotice(reportTo && reportTo->isVisible() ? reportTo.data() : nullptr, message);
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    current() = thread;
    thread->start();
    return true;
}

void finishPrinting() {
    if (CTUKPrint* t = current()) delete t; // waits for the thread
}

} // namespace kviro::ui
