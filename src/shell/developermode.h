#pragma once

#include <QString>

namespace shell {

// Developer mode is on while one of two marker files exists in the marker folder (/tmp).
// It shows the test panels of the main screen and the developer notes.
QString developerMarkerFolder();
bool developerModeOn(const QString& folder = developerMarkerFolder());

} // namespace shell
