#include "core/TextInput.h"

namespace kviro {

namespace {

// Length of the whole UTF-8 character of 2 to 4 bytes at the start of `s`, or 0.
std::size_t utf8Length(std::string_view s) {
    const auto b = static_cast<unsigned char>(s[0]);
    std::size_t n = 0;
    unsigned min = 0;
    std::uint32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF)
        n = 2, cp = b & 0x1F, min = 0x80;
    else if (b >= 0xE0 && b <= 0xEF)
        n = 3, cp = b & 0x0F, min = 0x800;
    else if (b >= 0xF0 && b <= 0xF4)
        n = 4, cp = b & 0x07, min = 0x10000;
    else
        return 0;
    if (s.size() < n) return 0;
    for (std::size_t i = 1; i < n; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    // Invisible or format characters (the byte-order mark, bidirectional marks) are escaped.
    if (cp == 0xFEFF || (cp >= 0x200B && cp <= 0x200F) || (cp >= 0x2028 && cp <= 0x202E) ||
        (cp >= 0x80 && cp < 0xA0))
        return 0;
    return n;
}

} // namespace

std::string quotedWord(std::string_view word, std::size_t maxBytes) {
    const bool cut = word.size() > maxBytes;
    if (cut) word = word.substr(0, maxBytes);
    std::string out;
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < word.size();) {
        const auto b = static_cast<unsigned char>(word[i]);
        if (b == '\\') {
            out += "\\\\";
            ++i;
        } else if (b >= 0x20 && b < 0x7F) {
            out += static_cast<char>(b);
            ++i;
        } else if (const std::size_t n = utf8Length(word.substr(i))) {
            out.append(word.substr(i, n));
            i += n;
        } else {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
            ++i;
        }
    }
    if (cut) out += "...";
    return out;
}

} // namespace kviro
