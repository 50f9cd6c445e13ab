// Text measuring of the font a list or a printout is drawn in, supplied by the painter.
#pragma once

#include <string_view>

namespace kviro {

class TextMetrics {
  public:
    virtual ~TextMetrics() = default;
    // Width and height of the text in the font, in the device's pixels.
    virtual int width(std::string_view text) const = 0;
    virtual int height(std::string_view text) const = 0;
};

} // namespace kviro
