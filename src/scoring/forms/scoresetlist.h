#pragma once

class QComboBox;
class QWidget;

namespace scoring {

// "(none)" and the score tables a meeting may choose, those without their data marked
// "(not loaded)", `current` shown; each entry's data is its set number.
QComboBox* scoreSetList(QWidget* parent, int current);

} // namespace scoring
