#pragma once

class QPushButton;
class QWidget;

namespace results {

class CapturePanel;

// The "Draw" button both capture screens show beside their actions: the draws and the
// draw corrections of the selected row's event and round. After each the panel reads its
// row again and tells the screen that the program's tags may have changed.
QPushButton* captureDrawButton(CapturePanel* panel, QWidget* parent);

// The same actions, for the tests and the keys.
enum class CaptureDraw {
    ThisRound,
    Final,
    EditHeatAndLane,
    SwapTwo,
    Menu,
    NotDrawn,
    HotSeats,
    CallRoom
};
void runCaptureDraw(CapturePanel* panel, CaptureDraw action);

} // namespace results
