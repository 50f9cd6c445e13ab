#include "core/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace kviro {
namespace {

// Decimal digits of |x| rounded to `digits` significant digits, and the decimal exponent
// of the first digit (x = 0.d1d2... * 10^(exp)).
struct Decimal {
    std::string digits; // without trailing zeros, empty for zero
    int exponent = 0;   // value = 0.digits * 10^exponent
    bool negative = false;
};

Decimal toDecimal(double x, int significant) {
    Decimal d;
    d.negative = std::signbit(x) && x != 0.0;
    if (x == 0.0) return d;
    char buf[64];
    // Correctly rounded to the requested number of significant digits, whatever the C locale.
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific,
                                 significant - 1);
    std::string s(buf, r.ptr);
    const auto e = s.find('e');
    const int exp10 = std::atoi(s.c_str() + e + 1);
    std::string mant;
    for (std::size_t i = 0; i < e; ++i)
        if (s[i] != '.') mant += s[i];
    while (!mant.empty() && mant.back() == '0') mant.pop_back();
    d.digits = mant;
    d.exponent = exp10 + 1;
    return d;
}

std::string scientific(const Decimal& d, char sep, bool forceSign, int minExpDigits,
                       int mantissaDecimals) {
    std::string out = d.negative ? "-" : "";
    const std::string digits = d.digits.empty() ? "0" : d.digits;
    out += digits[0];
    std::string frac = digits.substr(1);
    if (mantissaDecimals >= 0)
        while (static_cast<int>(frac.size()) < mantissaDecimals) frac += '0';
    if (!frac.empty()) {
        out += sep;
        out += frac;
    }
    int e = d.digits.empty() ? 0 : d.exponent - 1;
    out += 'E';
    if (e < 0) {
        out += '-';
        e = -e;
    } else if (forceSign) {
        out += '+';
    }
    std::string es = std::to_string(e);
    while (static_cast<int>(es.size()) < minExpDigits) es.insert(es.begin(), '0');
    return out + es;
}

} // namespace

std::string formatGeneral(double x, char sep) {
    if (std::isnan(x)) return "NAN";
    if (std::isinf(x)) return x > 0 ? "INF" : "-INF";
    const Decimal d = toDecimal(x, 15);
    if (d.digits.empty()) return "0";
    if (d.exponent > 15 || std::fabs(x) < 1e-5) return scientific(d, sep, false, 1, -1);
    std::string out = d.negative ? "-" : "";
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent <= 0) {
        out += '0';
        out += sep;
        out.append(static_cast<std::size_t>(-d.exponent), '0');
        out += d.digits;
    } else if (d.exponent >= n) {
        out += d.digits;
        out.append(static_cast<std::size_t>(d.exponent - n), '0');
    } else {
        out += d.digits.substr(0, static_cast<std::size_t>(d.exponent));
        out += sep;
        out += d.digits.substr(static_cast<std::size_t>(d.exponent));
    }
    return out;
}

std::string formatFixed(double x, int p, int q, char sep) {
    if (std::isnan(x)) return "NAN";
    if (std::isinf(x)) return x > 0 ? "INF" : "-INF";
    if (p < 1) p = 1;
    if (q < 0) q = 0;
    const Decimal d = toDecimal(x, p);
    if (d.exponent > p) return scientific(d, sep, true, 3, p - 1);
    // Round the p-digit decimal once more to q decimals.
    std::string digits = d.digits; // 0.digits * 10^exponent
    int exponent = d.exponent;
    const int keep = exponent + q; // digits that stand before the cut
    if (!digits.empty() && keep < static_cast<int>(digits.size())) {
        if (keep < 0) {
            digits.clear();
        } else {
            const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
            digits.resize(static_cast<std::size_t>(keep));
            if (up) {
                int i = keep - 1;
                while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
                    digits[static_cast<std::size_t>(i)] = '0';
                    --i;
                }
                if (i >= 0) {
                    ++digits[static_cast<std::size_t>(i)];
                } else {
                    digits.insert(digits.begin(), '1');
                    ++exponent;
                }
            }
            while (!digits.empty() && digits.back() == '0') digits.pop_back();
        }
    }
    bool negative = d.negative && !digits.empty();
    std::string intPart, fracPart;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < exponent; ++i) intPart += i < n ? digits[static_cast<std::size_t>(i)] : '0';
    if (intPart.empty()) intPart.push_back('0');
    for (int i = 0; i < q; ++i) {
        const int idx = exponent + i;
        fracPart += (idx >= 0 && idx < n) ? digits[static_cast<std::size_t>(idx)] : '0';
    }
    std::string out = negative ? "-" : "";
    out += intPart;
    if (q > 0) {
        out += sep;
        out += fracPart;
    }
    return out;
}

std::optional<double> parseDecimal(std::string_view text, char sep) {
    std::size_t i = 0, n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    while (n > i && (text[n - 1] == ' ' || text[n - 1] == '\t')) --n;
    std::string plain;
    bool digits = false, point = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    for (; i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            plain += c;
            digits = true;
        } else if (c == sep && !point) {
            plain += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        bool expDigits = false;
        for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
            plain += text[i];
            expDigits = true;
        }
        if (!expDigits) return std::nullopt;
    }
    if (i != n) return std::nullopt;
    double v = 0.0;
    const char* first = plain.c_str();
    if (*first == '+') ++first; // from_chars takes no plus sign
    const auto r = std::from_chars(first, plain.c_str() + plain.size(), v);
    if (r.ec != std::errc() || r.ptr != plain.c_str() + plain.size()) return std::nullopt;
    if (std::isinf(v)) return std::nullopt;
    return v;
}

std::optional<int> parseInteger(std::string_view text) {
    std::size_t i = 0, n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    while (n > i && (text[n - 1] == ' ' || text[n - 1] == '\t')) --n;
    if (i < n && text[i] == '+') ++i;
    if (i >= n) return std::nullopt;
    int v = 0;
    const auto r = std::from_chars(text.data() + i, text.data() + n, v);
    if (r.ec != std::errc() || r.ptr != text.data() + n) return std::nullopt;
    return v;
}

std::optional<std::int8_t> parseInteger8(std::string_view text) {
    const std::optional<int> v = parseInteger(text);
    if (!v) return std::nullopt;
    return wrapInt8(*v);
}

std::string combinationsWord(std::size_t n, WordCase wordCase) {
    const std::size_t last = n % 10, lastTwo = n % 100;
    const bool teen = lastTwo >= 11 && lastTwo <= 14;
    if (last == 1 && !teen) return wordCase == WordCase::Genitive ? "kombinacije" : "kombinacija";
    if (last >= 2 && last <= 4 && !teen) return "kombinacije";
    return "kombinacija";
}

std::string combinationsCount(std::size_t n, WordCase wordCase) {
    return std::to_string(n) + " " + combinationsWord(n, wordCase);
}

} // namespace kviro
