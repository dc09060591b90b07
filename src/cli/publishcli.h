#pragma once

#include "results/captureprogram.h"

#include <QList>
#include <QString>

namespace cli {

class Context;

// The program rows an EVENTNO [--round R] [--heat H] names: the event's heats and final in
// running order, finals that are not run left out. Empty after the message when none.
QList<results::CaptureProgramRow> chosenProgramRows(Context& ctx, qint64 eventNo,
                                                    const QString& round, int heat);

} // namespace cli
