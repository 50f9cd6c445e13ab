// The program's number texts, with the decimal separator passed in by the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kviro {

// General format: at most 15 significant digits, no trailing zeros; scientific ("1.5E-6",
// "1E20") when the value is below 1e-5 in magnitude or has more than 15 integer digits.
std::string formatGeneral(double x, char sep = '.');

// Fixed notation F(x, p, q): rounded to q decimals but to no more than p significant digits,
// then written with exactly q decimals. More than p integer digits give scientific notation.
std::string formatFixed(double x, int p, int q, char sep = '.');

// A decimal floating-point text: optional blanks, sign, digits with at most one separator,
// optional exponent, optional blanks. Nothing else; an empty text is not a number.
std::optional<double> parseDecimal(std::string_view text, char sep = '.');

// A decimal integer text (optional blanks and sign), within the range of int.
std::optional<int> parseInteger(std::string_view text);

// A 32-bit value reduced to 8 bits: modulo 256, read as signed (300 -> 44, 200 -> -56).
constexpr std::int8_t wrapInt8(std::int32_t v) { return static_cast<std::int8_t>(v); }

// A decimal integer text (as parseInteger) reduced to 8 bits with wrapInt8.
std::optional<std::int8_t> parseInteger8(std::string_view text);

// The word "kombinacija" as it stands after the number n, by its last digits: "1 kombinacija",
// "2 kombinacije", "5 kombinacija", "11 kombinacija", "21 kombinacija", "22 kombinacije".
// In the genitive (after "osim", "od"): "1 kombinacije", "2 kombinacije", "5 kombinacija".
enum class WordCase { Nominative, Genitive };
std::string combinationsWord(std::size_t n, WordCase wordCase = WordCase::Nominative);

// "433 kombinacije": the number and its word.
std::string combinationsCount(std::size_t n, WordCase wordCase = WordCase::Nominative);

} // namespace kviro
