#pragma once

#include "scoring/scoreformulas.h"

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>

namespace scoring {

// The published constants or row of one item under one score set. Which fields matter
// depends on the set's method: scale/a/b/c for the power formula, a/b/c with the bracket
// low/high for the quadratic one, the ABSA constants, or the row table with its first,
// middle and last performances.
struct ItemScoreData {
    QString itemCode;
    bool field = false;
    double scale = 1.0;
    double a = 0, b = 0, c = 0;
    double low = 0, high = 0;
    AbsaConstants absa;
    RowTable table;
    int first = 0, middle = 0, last = 0;
    bool hasRows = false;
    // The APE formula's generic field curve of the item: 1 or 2.
    int curve = 1;
    // The implement or hurdle height printed with score tables ("7.260kg", "0.838m").
    QString implement;
    // An interpolated table of a few performances with their points ("special" items).
    PairTable pairs;
    bool hasPairs = false;
    // A derived item: scored on the named curve of its set, the performance divided by
    // `curveFactor` first.
    QString derivedCurve;
    double curveFactor = 1.0;
};

// An item scored as another item of its set with its performance divided by `factor`.
struct ItemShape {
    QString shapeItem;
    double factor = 1.0;
};

// A derived curve: points as a polynomial of the performance, with the performances that
// bracket the inverse search.
struct DerivedCurve {
    QList<double> coefficients; // c0, c1, c2, ...
    double low = 0, high = 0;
};

// The data of one score set as read from its file.
struct ScoreSetData {
    int number = 0;
    QString source;
    QStringList notes;
    QHash<QString, ItemScoreData> items;
    // The generic curves of the APE formula (its items carry only their interval).
    ApeConstants ape;
    // Masters age factors: by the first 11 characters of an item code ("SHD____100M"), the
    // factor of each five-year age group (35, 40, ..., 95).
    QHash<QString, QMap<int, double>> ageFactors;
    // Items scored through another item (by item code) and the derived curves (by name).
    QHash<QString, ItemShape> shapes;
    QHash<QString, DerivedCurve> curves;
};

// The score data at hand: one file per set, in the plain line format described in
// data/scoresets/README.md. A set without a file is "not loaded" and scores nothing.
class ScoreData {
public:
    // The files built into the program (data/scoresets/ of the source tree) and the
    // local tables of the user (see localTableFolder()).
    static const ScoreData& builtIn();
    // Where the user keeps local tables: "scoretables" in the configuration folder.
    static QString localTableFolder();

    // Reads the local tables of `folder` (only set 39 takes one: set39.txt); a file that
    // is not valid is kept out, its reason listed in problems().
    void loadLocalTables(const QString& folder);
    const QStringList& problems() const { return m_problems; }

    // Reads one file; false with `error` naming the line when the file is not valid, and
    // then nothing of it is kept.
    bool loadFile(const QString& path, QString* error);
    bool loadText(const QString& text, const QString& name, QString* error);

    bool isLoaded(int set) const { return m_sets.contains(set); }
    // Whether a meeting can score with the set: its own data is loaded or, for the sets that
    // score their items on others (ABSA 2007 and the sets built on it, ASA 2016, XSA 2024),
    // the data of the set they end on.
    bool isAtHand(int set) const;
    const ScoreSetData* set(int number) const;
    const ItemScoreData* item(int set, const QString& itemCode) const;
    QList<int> loadedSets() const;
    // The masters age factors at hand: the newest loaded factor set (36, else 35); null
    // when none is.
    const ScoreSetData* ageFactorSet() const;

private:
    QHash<int, ScoreSetData> m_sets;
    QStringList m_problems;
};

} // namespace scoring

namespace db {
class DmdCoreDbs;
}

namespace scoring {

// Adds a SCORESET row for every set whose data is at hand and that the database does not
// list yet, so that a meeting choosing it finds it; sets without data stay unlisted. The
// number of rows added, -1 when a statement failed.
int registerScoreSets(db::DmdCoreDbs& database, const ScoreData& data = ScoreData::builtIn());

} // namespace scoring
