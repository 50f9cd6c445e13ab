#include "mreza/Optimiz.h"

#include "platform/Widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace kviro;

TOptimForm::TOptimForm(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("OptimForm"));
    setWindowTitle(QStringLiteral("Optimiraj TUK"));
    setModal(true);
    Label1 = ui::label(this, "Label1", QStringLiteral("Jamstvo :"), 10, 14);
    Jamstvo = ui::control<QComboBox>(this, "Jamstvo", {80, 10, 130, 24});
    Jamstvo->addItems({QStringLiteral("10 pogodaka"), QStringLiteral("11 pogodaka"),
                       QStringLiteral("12 pogodaka")});
    Jamstvo->setCurrentIndex(1);
    Jamstvo->setToolTip(QStringLiteral("Najmanji broj pogodaka ako je ishod u mreži"));
    Label2 = ui::label(this, "Label2", QStringLiteral("Trud :"), 10, 46);
    Trud = ui::control<QComboBox>(this, "Trud", {80, 42, 130, 24});
    Trud->addItems({QStringLiteral("brzo"), QStringLiteral("temeljito"), QStringLiteral("najbolje")});
    Trud->setCurrentIndex(1);
    Trud->setToolTip(QStringLiteral("Više truda: manje kombinacija, duže traje"));
    Pokreni = ui::control<QPushButton>(this, "Pokreni", {220, 42, 80, 24}, QStringLiteral("Pokreni"));
    Pokreni->setDefault(true);
    connect(Pokreni, &QPushButton::clicked, this, [this] { accept(); });
    setFixedSize(310, 76);
    ui::centreOnScreen(this);
}

int TOptimForm::radius() const {
    return 3 - Jamstvo->currentIndex(); // 10 hits: 3 differing signs, 12 hits: 1
}

OptimiseEffort TOptimForm::effort() const {
    return static_cast<OptimiseEffort>(Trud->currentIndex());
}

TUKOptimiser::TUKOptimiser(QObject* parent) : QThread(parent) {}

TUKOptimiser::~TUKOptimiser() {
    requestStop();
    wait();
}

void TUKOptimiser::run() {
    result = optimiseTuk(network, probability, options, stop_,
                         [this](std::size_t rows) { emit improved(rows); });
}
