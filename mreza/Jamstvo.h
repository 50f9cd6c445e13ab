// "Jamstvo TUK": what the paid-in combinations promise. A tool window beside the network window
// that follows every change of TUK and the network: the guarantee against the network as handed
// over, the chances of a prize under the percentages, and the cost. The chances part is also a
// box of its own, used by the results control for a loaded .TUK.
#pragma once

#include "core/Guarantee.h"

#include <QGroupBox>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QTableWidget;
class QTimer;

// The chances under the percentages: 13, at least 12, 11 and 10 hits over all results, and,
// with a network, the chance that the result lies in it.
class ChancesBox : public QGroupBox {
    Q_OBJECT
  public:
    ChancesBox(QWidget* parent, bool withNetwork);
    void showReport(const kviro::GuaranteeReport& r, char sep);
    void clear();

    QLabel* IzgledMreza = nullptr;   // "Ishod u mreži" (only with a network)
    std::array<QLabel*, 4> Izgled{}; // 13, 12 i više, 11 i više, 10 i više
};

class TJamstvoForm : public QWidget {
    Q_OBJECT
  public:
    explicit TJamstvoForm(QWidget* parent = nullptr);
    ~TJamstvoForm() override;

    QLabel* Naslov;             // the headline
    QLabel* Stanje;             // TUK and network sizes
    QGroupBox* GroupJamstvo;    // guarantee against MREZA0
    QTableWidget* JamstvoTable; // 13 / 12 / 11 / 10 / 9 i manje
    ChancesBox* GroupIzgledi;   // chances
    QGroupBox* GroupCijena;     // cost
    QLineEdit* CijenaEdit;      // "Cijena kombinacije"
    QLabel* Ukupno;             // combinations x price

    // The tables changed: the window follows at once, or during an automatic run at most a few
    // times a second. Nothing is computed while the window is hidden.
    void tablesChanged();
    // Computes and shows the report now.
    void refresh();
    int refreshes() const { return refreshes_; }
    // Shows the window beside the network window, or hides it.
    void toggle();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void showCost();
    void CijenaEditChange();

    // What the last report was computed from: a redraw that changed none of it (a scroll, a
    // sort, an NP mark) shows that report again instead of computing it anew.
    struct Inputs {
        std::vector<std::uint32_t> tuk;   // TUK's codes in table order
        std::size_t networkRows = 0;      // MREZA0's rows and a hash of their records
        std::uint64_t networkHash = 0;
        kviro::ProbabilityTable probability{};
        bool operator==(const Inputs&) const = default;
    };
    std::optional<Inputs> inputs_;
    kviro::GuaranteeReport report_;

    QTimer* timer_;
    int refreshes_ = 0;
};

extern TJamstvoForm* JamstvoForm;
