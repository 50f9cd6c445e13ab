// Text measuring for the core's layouts, in the pixels of the device a font is used on.
#pragma once

#include "core/TextMetrics.h"

#include <QFontMetrics>
#include <QString>

namespace kviro::ui {

class FontTextMetrics final : public TextMetrics {
  public:
    explicit FontTextMetrics(const QFontMetrics& metrics) : metrics_(metrics) {}
    int width(std::string_view text) const override {
        return metrics_.horizontalAdvance(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    // The font's text height, whatever the text (as the drawing surface reports it).
    int height(std::string_view) const override { return metrics_.height(); }
    const QFontMetrics& metrics() const { return metrics_; }

  private:
    QFontMetrics metrics_;
};

} // namespace kviro::ui
