#pragma once

#include <QColor>

#include "graphics/Color.h"

// The icon core works on plain red-green-blue colours; Qt on QColor. This converts at the edge.
inline TColor ToTColor(const QColor& color) {
    return {static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
            static_cast<std::uint8_t>(color.blue())};
}
