// A ruler for layout tests: every character the same width, every text the same height.
#pragma once

#include "core/TextMetrics.h"

namespace kviro::test {

class FixedPitchMetrics final : public TextMetrics {
  public:
    FixedPitchMetrics(int charWidth, int textHeight) : charWidth_(charWidth), height_(textHeight) {}
    int width(std::string_view text) const override {
        return charWidth_ * static_cast<int>(text.size());
    }
    int height(std::string_view) const override { return height_; }

  private:
    int charWidth_;
    int height_;
};

} // namespace kviro::test
