#include "MoreTestUtil.h"

#include "core/Fillerthread.h"
#include "core/Probability.h"

namespace kviro::test {

const Table& valuedFullTable() {
    static const Tables tables = [] {
        Tables t;
        std::atomic<bool> stop{false};
        generateAllCombinations(t.MORE, t.pool, stop);
        valueTable(t.MORE, defaultProbabilities());
        return t;
    }();
    return tables.MORE;
}

Combination* makeRecord(RecordPool& pool, const std::string& signs, float mana, int np) {
    Combination* rec = pool.make();
    Digits d{};
    for (int k = 0; k < kMatches; ++k) d[k] = signs.at(static_cast<std::size_t>(k)) - '0';
    combinationCode(*rec, d);
    rec->mana = mana;
    rec->np = static_cast<std::int8_t>(np);
    return rec;
}

} // namespace kviro::test
