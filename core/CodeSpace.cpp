#include "core/CodeSpace.h"

namespace kviro {
namespace {

// Base-3 value of the low `Digits` base-4 digits of every index, -1 when one of them is 3.
template <int Digits> constexpr std::array<std::int32_t, (1u << (2 * Digits))> partRanks() {
    std::array<std::int32_t, (1u << (2 * Digits))> value{};
    for (std::uint32_t i = 0; i < value.size(); ++i) {
        std::int32_t r = 0;
        bool ok = true;
        for (int k = Digits - 1; k >= 0; --k) {
            const int d = static_cast<int>((i >> (2 * k)) & 3u);
            ok = ok && d < 3;
            r = r * 3 + d;
        }
        value[i] = ok ? r : -1;
    }
    return value;
}

constexpr int kLowDigits = 6;
constexpr int kHighDigits = kMatches - kLowDigits;
constexpr auto highRank = partRanks<kHighDigits>();
constexpr auto lowRank = partRanks<kLowDigits>();

} // namespace

std::int32_t ternaryRank(std::uint32_t code) {
    if (code > kSignBits) return -1;
    const std::int32_t hi = highRank[code >> (2 * kLowDigits)];
    const std::int32_t lo = lowRank[code & ((1u << (2 * kLowDigits)) - 1)];
    if ((hi | lo) < 0) return -1;
    return hi * 729 + lo;
}

std::array<std::uint32_t, kPota12Candidates> pota12CandidateCodes(std::uint32_t x) {
    std::array<std::uint32_t, kPota12Candidates> out{};
    int k = 0;
    out[k++] = x;
    const std::uint32_t base = x & kSignBits;
    for (int i = 1; i <= kMatches; ++i) {
        const int first = nextSign(signAt(x, i));
        out[k++] = withSign(base, i, first);
        out[k++] = withSign(base, i, nextSign(first));
    }
    return out;
}

std::array<std::uint32_t, kPot11Candidates> pot11CandidateCodes(std::uint32_t x) {
    std::array<std::uint32_t, kPot11Candidates> out{};
    int k = 0;
    out[k++] = x;
    const std::uint32_t base = x & kSignBits;
    for (int i = 1; i <= kMatches; ++i) {
        const int first = nextSign(signAt(x, i));
        for (int si : {first, nextSign(first)}) {
            const std::uint32_t one = withSign(base, i, si);
            out[k++] = one;
            for (int j = i + 1; j <= kMatches; ++j) {
                const int fj = nextSign(signAt(x, j));
                out[k++] = withSign(one, j, fj);
                out[k++] = withSign(one, j, nextSign(fj));
            }
        }
    }
    return out;
}

} // namespace kviro
