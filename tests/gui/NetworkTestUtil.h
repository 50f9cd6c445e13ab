// Helpers of the network window tests: networks built from chosen combinations, the entry row,
// and answers to the program's own modal dialogs.
#pragma once

#include "GuiTestUtil.h"

#include "core/CodeSpace.h"
#include "core/MoreSort.h"
#include "core/Toto13class.h"
#include "more/Fi.h"
#include "mreza/Mreza.h"
#include "tests/core/CodeText.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kviro::test {

// The generation command with the default percentages: MORE valued, MORE0 in code order.
inline void valueMore() {
    QTest::mouseClick(Form1->OziviMGumb, Qt::LeftButton);
}

// The windows up, generation done and MORE valued, with a private settings store and every
// message box answered (Yes unless told otherwise); all gone again when it goes.
struct NetworkWindows {
    TempSettings store;
    MessageBoxWatcher boxes;
    NetworkWindows() {
        createWindowsAndWait();
        valueMore();
    }
    ~NetworkWindows() { destroyWindows(); }
};

// The best `rows` combinations of the default percentages, in MANA order.
inline Table bestRows(std::size_t rows) {
    Table t = Form1->MORE0;
    sortByMana(t);
    t.resize(rows);
    return t;
}

// The generated record with these 13 signs (MORE0 holds them in code order).
inline Combination* recordOf(std::string_view signs) {
    return Form1->MORE0[static_cast<std::size_t>(ternaryRank(codeOfText(signs)))];
}

inline std::vector<Combination*> recordsOf(const std::vector<std::string>& signs) {
    std::vector<Combination*> rows;
    for (const std::string& s : signs)
        rows.push_back(recordOf(s));
    return rows;
}

// MORE becomes these rows and is handed over with "MORE = MREŽA".
inline void handOver(const Table& rows) {
    Form1->MORE = rows;
    Form1->SpeedButton6->click();
}

inline std::vector<std::string> signsOf(const Table& t) {
    std::vector<std::string> out;
    for (const Combination* r : t)
        out.push_back(signText(*r));
    return out;
}

// Types 13 signs into the entry row (typing does not change where the row counts as taken from).
inline void typeEntry(std::string_view signs) {
    for (int a = 1; a <= kMatches; ++a) {
        QLineEdit* e = MrezaForm->edit(a);
        e->clear();
        QTest::keyClicks(e, QString(QLatin1Char(signs[static_cast<std::size_t>(a - 1)])));
    }
}

// The network line showing the MREZA row with these signs, scrolled into view and selected.
inline bool selectNetworkRow(std::string_view signs) {
    const Table& net = Form1->MREZA;
    for (std::size_t i = 0; i < net.size(); ++i) {
        if (signText(*net[i]) != signs) continue;
        MrezaForm->ScrollBar1->setValue(static_cast<int>(i));
        const int line = static_cast<int>(i) - MrezaForm->mrezaTopRow();
        if (line < 0 || line >= MrezaForm->MREZAShow->count()) return false;
        MrezaForm->MREZAShow->setCurrentRow(line);
        return true;
    }
    return false;
}

// Runs `act` as soon as `dialog` is shown (for the program's own modal dialogs).
inline void whenShown(QWidget* dialog, std::function<void()> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, dialog, act] {
        if (!dialog->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act();
    });
    timer->start();
}

} // namespace kviro::test
