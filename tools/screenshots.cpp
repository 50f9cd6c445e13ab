// Starts the program's windows on a (virtual) display, drives them to typical states and saves a
// picture of each window into the folder given as the first argument.
#include "app/Menu.h"
#include "core/MoreSort.h"
#include "core/RecordPool.h"
#include "core/TukFile.h"
#include "more/Brisac.h"
#include "more/Cesljaj.h"
#include "more/Fi.h"
#include "more/Infic.h"
#include "more/Limiti.h"
#include "more/Unosnik.h"
#include "mreza/Autoopc.h"
#include "mreza/Info2.h"
#include "mreza/Jamstvo.h"
#include "mreza/Mreza.h"
#include "mreza/Optimiz.h"
#include "output/Kontrola.h"
#include "output/Printic.h"
#include "output/Saver.h"
#include "platform/Dialogs.h"
#include "platform/ProbabilityStore.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace {

void waitUntil(const std::function<bool()>& done, int ms = 60000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

void settle(int ms = 300) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Shows the window, lets it settle for `settleMs` and saves its picture. With 0 no event is
// processed first, so a state that a queued event would end (generation) is still shown.
bool save(QWidget* w, const QString& dir, const QString& name, int settleMs = 300) {
    w->show();
    w->raise();
    if (settleMs > 0) settle(settleMs);
    const bool ok = w->grab().save(QDir(dir).filePath(name));
    qInfo("%s %s", ok ? "saved" : "FAILED", qPrintable(name));
    return ok;
}

// "Optimiraj TUK" on the best 30,000 combinations: its dialog, the run caught while it works,
// and the window after it (its closing notice answered and printed).
bool shotOptimiser(const QString& out) {
    bool ok = true;
    MrezaForm->SpeedButton8->click();
    Form1->MORE = Form1->MORE0;
    kviro::sortByMana(Form1->MORE);
    Form1->MORE.resize(30000);
    Form1->SpeedButton6->click();
    MrezaForm->SpeedButton4->click();
    kviro::ui::setDialogRunner([&](QDialog& d) {
        auto* form = qobject_cast<TOptimForm*>(&d);
        if (!form) return int(QDialog::Rejected);
        form->Jamstvo->setCurrentIndex(1);
        form->Trud->setCurrentIndex(1);
        ok &= save(form, out, QStringLiteral("optimise-dialog.png"));
        form->hide();
        return int(QDialog::Accepted);
    });
    MrezaForm->OptimirajTUK->click();
    kviro::ui::setDialogRunner({});
    settle(3000);
    ok &= save(MrezaForm, out, QStringLiteral("network-optimise-running.png"));
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, &answer, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            qInfo("%s", qPrintable(box->text()));
            box->accept();
        }
    });
    answer.start(100);
    waitUntil([] { return !MrezaForm->running(); }, 600000);
    settle(500);
    answer.stop();
    ok &= save(MrezaForm, out, QStringLiteral("network-optimised.png"));
    return ok;
}

// "Jamstvo TUK" beside the network window as it stands, with a price typed in.
bool shootGuarantee(const QString& out) {
    if (!JamstvoForm->isVisible()) MrezaForm->JamstvoButton->click();
    JamstvoForm->CijenaEdit->setText(QStringLiteral("2"));
    JamstvoForm->refresh();
    return save(JamstvoForm, out, QStringLiteral("guarantee.png"));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    kviro::ui::nameApplication();
    const QString out =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(out);
    // Never touch the user's own settings.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    kviro::ui::ProbabilityStore::save(kviro::defaultProbabilities());

    bool ok = true;
    kviro::ui::createWindows();
    // The generator's completion reaches the menu through this thread's event queue: until
    // events are processed, the menu is in its generating state.
    if (Form2->SpeedButton1->isEnabled()) {
        qInfo("FAILED menu-generating.png: generation already reported");
        ok = false;
    }
    ok &= save(Form2, out, QStringLiteral("menu-generating.png"), 0);
    waitUntil([] { return Form2->SpeedButton1->isEnabled(); });
    ok &= save(Form2, out, QStringLiteral("menu.png"));

    Form1->show();
    Form1->OziviMGumb->click();
    // The first rows in code order have a sign of 0 % (MANA 0): find a likely combination, so
    // the page shows valued rows.
    const QString likely = QStringLiteral("2212020211002");
    for (int k = 1; k <= kviro::kMatches; ++k) Form1->Edit(k)->setText(likely.mid(k - 1, 1));
    Form1->Button2->click();
    ok &= save(Form1, out, QStringLiteral("workbench.png"));
    ok &= save(InfoBox, out, QStringLiteral("info.png"));

    // Sorted by MANA, two rows marked.
    Form1->BitBtn1->click();
    Form1->MOREShow->item(2)->setSelected(true);
    Form1->MOREShow->item(3)->setSelected(true);
    Form1->MOREShowMouseMove();
    ok &= save(Form1, out, QStringLiteral("workbench-sorted.png"));

    Form1->SpeedButton5->click();
    ok &= save(Form3, out, QStringLiteral("limits.png"));
    Form3->hide();
    Form5->ttv(1, 1)->setText(QStringLiteral("1"));
    Form5->ttv(1, 0)->setText(QStringLiteral("0"));
    Form5->ttv(2, 1)->setText(QStringLiteral("2"));
    Form5->Edit1->setText(QStringLiteral("12"));
    Form1->SpeedButton9->click();
    ok &= save(Form5, out, QStringLiteral("comb.png"));
    Form5->hide();
    ok &= save(Form9, out, QStringLiteral("np-entry.png"));
    Form9->hide();
    Form1->hide();

    // Output: the copy dialog, results control with a counted table, the print dialog.
    Form7->Edit1->setText(QStringLiteral("KOLO12"));
    ok &= save(Form7, out, QStringLiteral("copy-tuk.png"));
    Form7->hide();

    QTemporaryDir tukDir;
    kviro::RecordPool pool;
    kviro::Table tuk;
    for (int i = 0; i < 40; ++i) {
        kviro::Digits d{};
        unsigned x = static_cast<unsigned>(i) * 7919u + 1u;
        for (int& digit : d) {
            digit = static_cast<int>(x % 3);
            x = x / 3 + static_cast<unsigned>(i);
        }
        kviro::Combination* rec = pool.make();
        rec->code = kviro::codeOf(d);
        tuk.push_back(rec);
    }
    QFile tukFile(QDir(tukDir.path()).filePath(QStringLiteral("KOLO12.TUK")));
    if (tukFile.open(QIODevice::WriteOnly)) tukFile.write(QByteArray::fromStdString(kviro::tukFileBytes(tuk)));
    tukFile.close();
    Form4->show();
    Form4->Edit14->setText(QDir(tukDir.path()).filePath(QStringLiteral("KOLO12")));
    Form4->SpeedButton1Click();
    const QString result = QStringLiteral("1021100221012");
    for (int k = 1; k <= kviro::kMatches; ++k) Form4->Edit(k)->setText(result.mid(k - 1, 1));
    Form4->SpeedButton3Click();
    Form4->Edit15->setText(QStringLiteral("Kolo 12"));
    Form4->ListBox1->setCurrentRow(2);
    ok &= save(Form4, out, QStringLiteral("results.png"));
    Form4->hide();

    Form6->show();
    Form6->Edit1->setText(QStringLiteral("Kolo 12"));
    ok &= save(Form6, out, QStringLiteral("print.png"));
    Form6->hide();

    // The network window: the whole MORE handed over, the POT11 candidates of its first row,
    // the best of them entered into TUK.
    Form1->SpeedButton6->click();
    MrezaForm->SpeedButton4->click();
    MrezaForm->MREZAShow->setCurrentRow(0);
    MrezaForm->ToPOT->click();
    waitUntil([] { return !MrezaForm->running(); });
    MrezaForm->POT11Show->setCurrentRow(0);
    MrezaForm->BitBtn7->click();
    MrezaForm->BitBtn5->click();
    ok &= save(MrezaForm, out, QStringLiteral("network.png"));
    ok &= save(Form8, out, QStringLiteral("network-info.png"));

    // The POTA12 page of the same row.
    MrezaForm->SpeedButton3->click();
    MrezaForm->MREZAShow->setCurrentRow(0);
    MrezaForm->ToPOT->click();
    MrezaForm->POTA12Show->setCurrentRow(0);
    ok &= save(MrezaForm, out, QStringLiteral("network-pota12.png"));

    // An automatic POT11 run over the whole network, caught while it works, then stopped.
    MrezaForm->SpeedButton4->click();
    MrezaForm->BitBtn8->click();
    settle(600);
    ok &= save(MrezaForm, out, QStringLiteral("network-auto-running.png"));
    MrezaForm->BitBtn8->click();
    waitUntil([] { return !MrezaForm->running(); });

    // A run over the best 3,000 combinations, to its end.
    MrezaForm->SpeedButton8->click();
    kviro::sortByMana(Form1->MORE);
    Form1->MORE.resize(3000);
    Form1->SpeedButton6->click();
    MrezaForm->SpeedButton4->click();
    MrezaForm->BitBtn8->click();
    waitUntil([] { return !MrezaForm->running(); });
    ok &= save(MrezaForm, out, QStringLiteral("network-auto.png"));
    ok &= shootGuarantee(out);

    Form10->show();
    ok &= save(Form10, out, QStringLiteral("network-options.png"));
    Form10->hide();
    Form11->show();
    ok &= save(Form11, out, QStringLiteral("purge-np.png"));
    Form11->hide();
    ok &= shotOptimiser(out);

    kviro::ui::destroyWindows();
    return ok ? 0 : 1;
}
