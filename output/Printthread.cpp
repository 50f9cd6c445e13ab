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

CTUKPrint::~CTUKPrint() { wait(); }

QString CTUKPrint::printerText() const {
    if (printer->outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("u datoteku \"%1\"").arg(QDir::toNativeSeparators(
            QFileInfo(printer->outputFileName()).absoluteFilePath()));
    return QStringLiteral("na printer \"%1\"").arg(printer->printerName());
}

void CTUKPrint::run() {
    QPainter painter;
    if (!printer || !painter.begin(printer.get())) {
        emit failed(QStringLiteral("Ispis %1 nije moguć: printer ili datoteka nisu dostupni.")
                        .arg(printer ? printerText() : QString()));
        return;
    }
    painter.setFont(font);
    const kviro::ui::FontTextMetrics metrics(painter.fontMetrics());
    PainterSink sink(painter, *printer, metrics.metrics().ascent());
    const QString date =
        printDate ? QLocale().toString(QDate::currentDate(), QLocale::ShortFormat) : QString();
    layoutPrint(tukList, printer->width(), printer->height(), metrics, header.toStdString(),
                date.toStdString(), sink);
    const bool ended = painter.end();
    if (!ended || printer->printerState() == QPrinter::Error) {
        emit failed(QStringLiteral("Ispis %1 nije uspio.").arg(printerText()));
        return;
    }
    completed_.store(true);
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
    QFont f = font;
    if (f.pixelSize() > 0) f.setPointSizeF(f.pixelSize() * 72.0 / 96.0); // screen pixels
    thread->font = f;
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
