#include "core/Toto13class.h"

namespace kviro {

std::uint32_t combinationCode(Combination& rec, const int digits[kMatches]) {
    rec.count0 = rec.count1 = rec.count2 = 0;
    std::uint32_t code = 0;
    for (int k = 0; k < kMatches; ++k) {
        const int d = digits[k];
        code = code * 4 + static_cast<std::uint32_t>(d);
        switch (d) {
        case 0: ++rec.count0; break;
        case 1: ++rec.count1; break;
        case 2: ++rec.count2; break;
        default: break;
        }
    }
    rec.code = code;
    return code;
}

std::uint32_t combinationCode(Combination& rec, const Digits& digits) {
    return combinationCode(rec, digits.data());
}

std::string signText(std::uint32_t code) {
    std::string text(kMatches, '0');
    for (int a = 1; a <= kMatches; ++a) text[a - 1] = static_cast<char>('0' + signAt(code, a));
    return text;
}

bool isValidCode(std::uint32_t code) {
    if (code > kMaxCode) return false;
    for (int a = 1; a <= kMatches; ++a)
        if (signAt(code, a) == 3) return false;
    return true;
}

} // namespace kviro
