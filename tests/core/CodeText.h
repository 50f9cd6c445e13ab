// The code of a combination written as its 13 signs, for building test tables.
#pragma once

#include <cstdint>
#include <string_view>

namespace kviro::test {

inline std::uint32_t codeOfText(std::string_view signs) {
    std::uint32_t code = 0;
    for (char ch : signs)
        code = code * 4 + static_cast<std::uint32_t>(ch - '0');
    return code;
}

} // namespace kviro::test
