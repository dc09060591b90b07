#include "scoring/derivedscoredata.h"

#include <QSet>

namespace scoring {

namespace {

// "key=value" words into a map; false naming the first word that is not one.
bool readKeys(const QStringList& words, QHash<QString, QString>* keys, QString* error)
{
    for (const QString& word : words) {
        const qsizetype eq = word.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            *error = QStringLiteral("expected key=value, found \"") + word + QLatin1Char('"');
            return false;
        }
        keys->insert(word.left(eq).toLower(), word.mid(eq + 1));
    }
    return true;
}

bool toNumber(const QString& text, double* value, QString* error)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    if (!ok)
        *error = QStringLiteral("\"") + text + QStringLiteral("\" is no number");
    return ok;
}

// Only the keys in `allowed` may appear.
bool onlyKeys(const QHash<QString, QString>& keys, const QStringList& allowed, QString* error)
{
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        if (!allowed.contains(it.key())) {
            *error = QStringLiteral("unknown key \"") + it.key() + QLatin1Char('"');
            return false;
        }
    }
    return true;
}

// "PERF:POINTS,...": performances in hundredths getting better, points rising.
bool readPairs(const QString& text, bool field, PairTable* table, QString* error)
{
    for (const QString& pair : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = pair.split(QLatin1Char(':'));
        bool perfOk = false;
        bool pointsOk = false;
        const double perf = parts.size() == 2 ? parts[0].toInt(&perfOk) : 0;
        const double points = parts.size() == 2 ? parts[1].toDouble(&pointsOk) : 0;
        if (!perfOk || !pointsOk) {
            *error = QStringLiteral("expected PERFORMANCE:POINTS (hundredths, points), found \"") +
                     pair + QLatin1Char('"');
            return false;
        }
        if (!table->pairs.isEmpty()) {
            const auto& [lastPerf, lastPoints] = table->pairs.constLast();
            const bool better = field ? perf > lastPerf : perf < lastPerf;
            if (!better || points <= lastPoints) {
                *error = QStringLiteral("each pair must be a better performance with more "
                                        "points than the one before, \"") +
                         pair + QStringLiteral("\" is not");
                return false;
            }
        }
        table->pairs.append({perf, points});
    }
    if (table->pairs.size() < 2) {
        *error = QStringLiteral("an interpolated table needs at least two pairs");
        return false;
    }
    return true;
}

} // namespace

bool readItemHead(QStringList* words, const ScoreSetData& set, ItemScoreData* item, QString* error)
{
    if (words->size() < 2) {
        *error = QStringLiteral("an item needs its code and T or F");
        return false;
    }
    item->itemCode = words->takeFirst();
    const QString kind = words->takeFirst().toUpper();
    if (item->itemCode.size() > 13) {
        *error = QStringLiteral("Invalid Item: ") + item->itemCode;
        return false;
    }
    if (kind != QLatin1String("T") && kind != QLatin1String("F")) {
        *error = QStringLiteral("the kind is T (track) or F (field)");
        return false;
    }
    if (set.items.contains(item->itemCode) || set.shapes.contains(item->itemCode)) {
        *error = QStringLiteral("the item ") + item->itemCode + QStringLiteral(" is given twice");
        return false;
    }
    item->field = kind == QLatin1String("F");
    item->table.field = item->field;
    return true;
}

bool isDerivedHurdlesItem(const QString& itemCode)
{
    return itemCode.startsWith(QLatin1String("HDL_____90F")) ||
           itemCode.startsWith(QLatin1String("HDL____100M"));
}

QString keywordRefusal(int set, const QString& keyword)
{
    QList<int> sets;
    if (keyword == QLatin1String("shape"))
        sets = {34};
    else if (keyword == QLatin1String("special"))
        sets = {34, 39};
    else if (keyword == QLatin1String("curve") || keyword == QLatin1String("derived"))
        sets = {19, 34};
    if (sets.isEmpty() || sets.contains(set))
        return {};
    QStringList names;
    for (const int s : sets)
        names << QString::number(s);
    return QStringLiteral("\"") + keyword + QStringLiteral("\" lines belong to set ") +
           names.join(QStringLiteral(" or ")) + QStringLiteral(" only");
}

QString plainItemRefusal(int set, const QString& itemCode)
{
    if (set == 19 && isDerivedHurdlesItem(itemCode))
        return QStringLiteral("the item ") + itemCode +
               QStringLiteral(" is scored on the derived hurdles curve: give it a \"derived\" "
                              "line");
    return {};
}

bool readShapeLine(QStringList words, ScoreSetData* set, QString* error)
{
    if (words.size() != 3) {
        *error = QStringLiteral("a shape is: shape ITEM SHAPEITEM FACTOR");
        return false;
    }
    const QString item = words[0];
    ItemShape shape{words[1], 0};
    if (item.size() > 13 || shape.shapeItem.size() > 13) {
        *error = QStringLiteral("Invalid Item: ") + (item.size() > 13 ? item : shape.shapeItem);
        return false;
    }
    if (!toNumber(words[2], &shape.factor, error))
        return false;
    if (shape.factor <= 0) {
        *error = QStringLiteral("a shape factor must be above 0");
        return false;
    }
    if (set->items.contains(item) || set->shapes.contains(item)) {
        *error = QStringLiteral("the item ") + item + QStringLiteral(" is given twice");
        return false;
    }
    set->shapes.insert(item, shape);
    return true;
}

bool readSpecialLine(QStringList words, ScoreSetData* set, QString* error)
{
    ItemScoreData item;
    if (!readItemHead(&words, *set, &item, error))
        return false;
    QHash<QString, QString> keys;
    if (!readKeys(words, &keys, error) ||
        !onlyKeys(keys, {QStringLiteral("pairs"), QStringLiteral("spec")}, error))
        return false;
    if (!keys.contains(QStringLiteral("pairs"))) {
        *error = QStringLiteral("a special item needs its pairs=");
        return false;
    }
    if (!readPairs(keys.value(QStringLiteral("pairs")), item.field, &item.pairs, error))
        return false;
    item.hasPairs = true;
    item.implement = keys.value(QStringLiteral("spec"));
    set->items.insert(item.itemCode, item);
    return true;
}

bool readCurveLine(QStringList words, ScoreSetData* set, QString* error)
{
    if (words.isEmpty()) {
        *error = QStringLiteral("a curve needs its name");
        return false;
    }
    const QString name = words.takeFirst();
    if (set->curves.contains(name)) {
        *error = QStringLiteral("the curve ") + name + QStringLiteral(" is given twice");
        return false;
    }
    QHash<QString, QString> keys;
    if (!readKeys(words, &keys, error) ||
        !onlyKeys(keys,
                  {QStringLiteral("coefficients"), QStringLiteral("low"), QStringLiteral("high")},
                  error))
        return false;
    DerivedCurve curve;
    for (const QString& c :
         keys.value(QStringLiteral("coefficients")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        double value = 0;
        if (!toNumber(c, &value, error))
            return false;
        curve.coefficients.append(value);
    }
    if (curve.coefficients.size() < 2) {
        *error = QStringLiteral("a curve needs coefficients=c0,c1,... (at least two)");
        return false;
    }
    if (!keys.contains(QStringLiteral("low")) || !keys.contains(QStringLiteral("high"))) {
        *error = QStringLiteral("a curve needs low= and high= (the bracket of the inverse)");
        return false;
    }
    if (!toNumber(keys.value(QStringLiteral("low")), &curve.low, error) ||
        !toNumber(keys.value(QStringLiteral("high")), &curve.high, error))
        return false;
    if (curve.low == curve.high) {
        *error = QStringLiteral("the curve ") + name + QStringLiteral(" needs two different ends");
        return false;
    }
    set->curves.insert(name, curve);
    return true;
}

bool readDerivedLine(QStringList words, ScoreSetData* set, QString* error)
{
    ItemScoreData item;
    if (!readItemHead(&words, *set, &item, error))
        return false;
    if (set->number == 19 && !isDerivedHurdlesItem(item.itemCode)) {
        *error = QStringLiteral("set 19 derives only the 90 m hurdles of women and the 100 m "
                                "hurdles of men");
        return false;
    }
    QHash<QString, QString> keys;
    if (!readKeys(words, &keys, error) ||
        !onlyKeys(keys, {QStringLiteral("curve"), QStringLiteral("factor"), QStringLiteral("spec")},
                  error))
        return false;
    item.derivedCurve = keys.value(QStringLiteral("curve"));
    if (item.derivedCurve.isEmpty()) {
        *error = QStringLiteral("a derived item needs its curve=");
        return false;
    }
    if (keys.contains(QStringLiteral("factor")) &&
        !toNumber(keys.value(QStringLiteral("factor")), &item.curveFactor, error))
        return false;
    if (item.curveFactor <= 0) {
        *error = QStringLiteral("a curve factor must be above 0");
        return false;
    }
    item.implement = keys.value(QStringLiteral("spec"));
    set->items.insert(item.itemCode, item);
    return true;
}

QString derivedDataProblem(const ScoreSetData& set)
{
    // In code order, so that the same file always names the same item.
    QStringList codes = set.items.keys();
    codes.sort();
    for (const QString& code : codes) {
        const ItemScoreData& item = set.items[code];
        if (!item.derivedCurve.isEmpty() && !set.curves.contains(item.derivedCurve))
            return QStringLiteral("the item ") + code + QStringLiteral(" needs curve ") +
                   item.derivedCurve + QStringLiteral(", which is not given");
    }
    QStringList shaped = set.shapes.keys();
    shaped.sort();
    for (const QString& code : shaped) {
        QSet<QString> seen{code};
        QString next = set.shapes[code].shapeItem;
        while (set.shapes.contains(next)) {
            if (seen.contains(next))
                return QStringLiteral("the shapes of ") + code + QStringLiteral(" run in a circle");
            seen.insert(next);
            next = set.shapes.value(next).shapeItem;
        }
    }
    return {};
}

} // namespace scoring
