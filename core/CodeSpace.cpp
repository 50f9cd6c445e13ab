#include "core/CodeSpace.h"

#include <algorithm>

namespace kviro {
namespace {

constexpr std::size_t pow3(int n) {
    std::size_t v = 1;
    for (int k = 0; k < n; ++k)
        v *= 3;
    return v;
}

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

// Codes of the base-3 numbers of `Digits` digits.
template <int Digits> constexpr std::array<std::uint32_t, pow3(Digits)> partCodes() {
    std::array<std::uint32_t, pow3(Digits)> code{};
    for (std::uint32_t r = 0; r < code.size(); ++r) {
        std::uint32_t v = r, c = 0;
        for (int k = 0; k < Digits; ++k) {
            c |= (v % 3) << (2 * k);
            v /= 3;
        }
        code[r] = c;
    }
    return code;
}

constexpr auto highCode = partCodes<kHighDigits>();
constexpr auto lowCode = partCodes<kLowDigits>();

} // namespace

std::int32_t ternaryRank(std::uint32_t code) {
    if (code > kSignBits) return -1;
    const std::int32_t hi = highRank[code >> (2 * kLowDigits)];
    const std::int32_t lo = lowRank[code & ((1u << (2 * kLowDigits)) - 1)];
    if ((hi | lo) < 0) return -1;
    return hi * 729 + lo;
}

std::uint32_t codeOfRank(std::int32_t rank) {
    const auto r = static_cast<std::uint32_t>(rank);
    return (highCode[r / 729] << (2 * kLowDigits)) | lowCode[r % 729];
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

// ---- the index of a table by rank ------------------------------------------------------------

void RankIndex::build(std::span<const std::uint32_t> codes) {
    codes_.assign(codes.begin(), codes.end());
    link();
}

void RankIndex::build(const Table& table) {
    const std::size_t n = table.size();
    codes_.resize(n);
    for (std::size_t k = 0; k < n; ++k) {
        if (k + 16 < n) __builtin_prefetch(table[k + 16]);
        codes_[k] = table[k]->code;
    }
    link();
}

void RankIndex::clear() {
    std::vector<std::uint32_t>().swap(codes_);
    std::vector<std::int32_t>().swap(ranks_);
    std::vector<std::int32_t>().swap(head_);
    std::vector<std::int32_t>().swap(next_);
    std::vector<std::int32_t>().swap(irregular_);
}

void RankIndex::link() {
    const std::size_t n = codes_.size();
    ranks_.resize(n);
    head_.assign(static_cast<std::size_t>(kAllCombinations), kNone);
    next_.assign(n, kNone);
    irregular_.clear();
    // Backwards, so that every chain of equal codes runs in table order.
    for (std::size_t k = n; k-- > 0;) {
        const std::int32_t r = ternaryRank(codes_[k]);
        ranks_[k] = r;
        if (r >= 0) {
            next_[k] = head_[static_cast<std::size_t>(r)];
            head_[static_cast<std::size_t>(r)] = static_cast<std::int32_t>(k);
        } else {
            irregular_.push_back(static_cast<std::int32_t>(k));
        }
    }
    std::reverse(irregular_.begin(), irregular_.end());
}

} // namespace kviro
