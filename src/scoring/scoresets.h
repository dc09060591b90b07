#pragma once

#include <QList>
#include <QString>

namespace scoring {

// How a score set turns a performance into points.
enum class ScoreMethod {
    None,       // 0: no score
    Retired,    // an old set that is no longer scored
    Absa,       // the ABSA formula (4, 14, 15)
    Power,      // A (B - x)^C (5)
    Quadratic,  // a P^2 + b P + c (7, 9, 18, 19)
    Ape,        // the generic curve mapped onto each item's interval (13)
    Asa2007,    // the ASA 2007 formula (16)
    DoubleExp,  // c exp(-exp(b - a P)) (20, 24, 28, 33)
    Rows,       // a row table of 0..100 (21, 22, 26, 29, 31, 34, 38, 40)
    WaRows,     // a World Athletics row table of 0..140 (30, 32, 37)
    AgeFactors, // masters age factors only (35, 36)
    Local,      // a local table, else set 15 (39)
    IdentifierOnly,
};

// One entry of the list of score sets: number, the name shown, the identifier kept with
// the data, the method and whether the altitude correction applies.
struct ScoreSetInfo {
    int number = 0;
    QString displayName;
    QString identifier;
    ScoreMethod method = ScoreMethod::None;
    bool altitude = false;
};

// Every set the system knows, in number order.
const QList<ScoreSetInfo>& allScoreSets();
// The set of `number`; empty (method None, number -1) when there is none.
ScoreSetInfo scoreSetInfo(int number);

// The display name, "Invalid" for a number without one.
QString scoreSetDisplayName(int number);
// The identifier; "undefined" for a number without one.
QString scoreSetIdentifier(int number);
// The message shown for a number this program does not know.
QString unknownScoreSetMessage(int number);

// The sets scored without the altitude correction.
bool isNoAltitudeSet(int number);
// The sets a user may pick for a meeting, with the names the list shows.
QList<std::pair<int, QString>> selectableScoreSets();

// "Hand time" or "Electronic time" for a timing code.
QString timingText(int timingCode);
// The header line of printed results.
QString scoreHeaderLine(int setNumber, int timingCode, int heightAboveSea, bool afrikaans);

// The scored rows of the World Athletics tables (1..140) and of the others (0..100).
bool isWorldAthleticsRowSet(int number);

} // namespace scoring
