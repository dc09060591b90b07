#pragma once

#include "results/captureprogram.h"

#include <QColor>

namespace results {

// The screen colour of a tag; invalid for none.
inline QColor tagColour(TagColour colour)
{
    switch (colour) {
    case TagColour::Green:
        return QColor(144, 238, 144);
    case TagColour::Red:
        return QColor(255, 99, 99);
    case TagColour::Purple:
        return QColor(200, 150, 230);
    case TagColour::Lime:
        return QColor(191, 255, 0);
    case TagColour::Blue:
        return QColor(135, 190, 255);
    case TagColour::Yellow:
        return QColor(255, 240, 110);
    case TagColour::None:
        break;
    }
    return QColor();
}

} // namespace results
