#pragma once

#include "scoring/scoredata.h"

namespace scoring {

// The code and T or F that open every item line, into `item`; refused when the code is
// too long or the set has it already.
bool readItemHead(QStringList* words, const ScoreSetData& set, ItemScoreData* item, QString* error);

// The lines of a score file beyond plain items: shapes, interpolated ("special") tables,
// derived curves and the items scored on them. Each reader takes the words after the
// keyword; false with the reason in `error`.
bool readShapeLine(QStringList words, ScoreSetData* set, QString* error);
bool readSpecialLine(QStringList words, ScoreSetData* set, QString* error);
bool readCurveLine(QStringList words, ScoreSetData* set, QString* error);
bool readDerivedLine(QStringList words, ScoreSetData* set, QString* error);

// Whether the set's scoring uses lines of this keyword at all: a line its dispatch would
// never read is refused rather than silently ignored. Empty when allowed.
QString keywordRefusal(int set, const QString& keyword);
// A plain item that the set scores another way (set 19's derived hurdles); empty when fine.
QString plainItemRefusal(int set, const QString& itemCode);
// What the whole file must hold together: shapes that do not run in a circle and items
// whose curve is given. Empty when it does.
QString derivedDataProblem(const ScoreSetData& set);

// Set 19 scores the 90 m hurdles of women and the 100 m hurdles of men on a derived curve.
bool isDerivedHurdlesItem(const QString& itemCode);

} // namespace scoring
