#pragma once

#include "results/captureprogram.h"

#include <QList>

class QTableWidget;

namespace results {

// The program rows of a capture screen with their tags and colours, one table row each.
void setUpProgramTable(QTableWidget* table);
void fillProgramTable(QTableWidget* table, const QList<CaptureProgramRow>& rows);
// The column of the red "Calculated" tag, for tests and screenshots.
int calculatedColumn();

} // namespace results
