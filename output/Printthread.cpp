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

#include <cmath>

using namespace kviro;

namespace {

// The page is laid out at this resolution whatever the printer's: the block gap (page height
// mod 55 pixels) and the first line (page height mod 50) are then of a size one can see on any
// printer. At 1,200 dpi the gap between blocks of eight on A4 came out at a quarter of a point.
constexpr int kLayoutDpi = 300;

// Measures in layout pixels with the font as the printer renders it.
class LayoutMetrics final : public TextMetrics {
  public:
    LayoutMetrics(const TextMetrics& device, double devicePerLayout)
        : device_(device), scale_(devicePerLayout) {}
    int width(std::string_view text) const override {
        return static_cast<int>(std::lround(device_.width(text) / scale_));
    }
    int height(std::string_view text) const override {
        return static_cast<int>(std::lround(device_.height(text) / scale_));
    }

  private:
    const TextMetrics& device_;
    double scale_;
};

// Paints the placed texts of the layout: a text's top-left corner is its position, in layout
// pixels.
class PainterSink final : public PrintSink {
  public:
    PainterSink(QPainter& painter, QPrinter& printer, int ascent, double devicePerLayout)
        : painter_(painter), printer_(printer), ascent_(ascent), scale_(devicePerLayout) {}
    void text(int x, int y, std::string_view text) override {
        painter_.drawText(QPointF(x * scale_, y * scale_ + ascent_),
                          QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    void newPage() override { printer_.newPage(); }

  private:
    QPainter& painter_;
    QPrinter& printer_;
    int ascent_;
    double scale_;
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
    const kviro::ui::FontTextMetrics deviceMetrics(painter.fontMetrics());
    const double scale = kviro::ui::layoutScale(*printer);
    const LayoutMetrics metrics(deviceMetrics, scale);
    PainterSink sink(painter, *printer, deviceMetrics.metrics().ascent(), scale);
    const QString date =
        printDate ? QLocale().toString(QDate::currentDate(), QLocale::ShortFormat) : QString();
    layoutPrint(tukList, kviro::ui::layoutPixels(printer->width(), scale),
                kviro::ui::layoutPixels(printer->height(), scale), metrics, header.toStdString(),
                date.toStdString(), sink);
    if (!painter.end() || printer->printerState() == QPrinter::Error) emit failed(failure(false));
}

namespace kviro::ui {

double layoutScale(const QPrinter& printer) {
    return printer.logicalDpiY() > 0 ? printer.logicalDpiY() / double(kLayoutDpi) : 1.0;
}

int layoutPixels(int devicePixels, double scale) {
    return static_cast<int>(devicePixels / scale);
}

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
