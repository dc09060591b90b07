#include "scoring/scoredata.h"

#include "base/configstore.h"
#include "scoring/derivedscoredata.h"
#include "scoring/scoresets.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace scoring {

namespace {

bool toNumber(const QString& text, double* value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok;
}

// "key=value" words of an item line into the item; the first wrong word in `error`.
bool readItemFields(const QStringList& words, ItemScoreData* item, QString* error)
{
    for (const QString& word : words) {
        const qsizetype eq = word.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            *error = QStringLiteral("expected key=value, found \"") + word + QLatin1Char('"');
            return false;
        }
        const QString key = word.left(eq).toLower();
        const QString text = word.mid(eq + 1);
        if (key == QLatin1String("spec")) {
            item->implement = text;
            continue;
        }
        if (key == QLatin1String("values")) {
            for (const QString& v : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                bool ok = false;
                item->table.rows.append(v.toInt(&ok));
                if (!ok) {
                    *error = QStringLiteral("row value \"") + v +
                             QStringLiteral("\" is no whole number");
                    return false;
                }
            }
            item->hasRows = true;
            continue;
        }
        double value = 0;
        if (!toNumber(text, &value)) {
            *error = QStringLiteral("\"") + text + QStringLiteral("\" is no number");
            return false;
        }
        if (key == QLatin1String("scale"))
            item->scale = value;
        else if (key == QLatin1String("a"))
            item->a = value;
        else if (key == QLatin1String("b"))
            item->b = value;
        else if (key == QLatin1String("c"))
            item->c = value;
        else if (key == QLatin1String("low"))
            item->low = value;
        else if (key == QLatin1String("high"))
            item->high = value;
        else if (key == QLatin1String("pref"))
            item->absa.pref = value;
        else if (key == QLatin1String("klow"))
            item->absa.kLow = value;
        else if (key == QLatin1String("khigh"))
            item->absa.kHigh = value;
        else if (key == QLatin1String("r"))
            item->absa.r = value;
        else if (key == QLatin1String("first"))
            item->first = int(value);
        else if (key == QLatin1String("middle"))
            item->middle = int(value);
        else if (key == QLatin1String("last"))
            item->last = int(value);
        else if (key == QLatin1String("curve") && (value == 1 || value == 2))
            item->curve = int(value);
        else {
            *error = QStringLiteral("unknown key \"") + key + QLatin1Char('"');
            return false;
        }
    }
    return true;
}

// "generic NAME pref= k= r= low= high=": one generic curve of the APE formula.
bool readGenericCurve(QStringList words, ApeConstants* ape, QString* error)
{
    const QString name = words.isEmpty() ? QString() : words.takeFirst().toLower();
    ApeCurve* curve = name == QLatin1String("track")    ? &ape->track
                      : name == QLatin1String("field1") ? &ape->field1
                      : name == QLatin1String("field2") ? &ape->field2
                      : name == QLatin1String("upper")  ? &ape->upper
                                                        : nullptr;
    if (!curve) {
        *error = QStringLiteral("a generic curve is track, field1, field2 or upper");
        return false;
    }
    QHash<QString, double> values;
    for (const QString& word : words) {
        const qsizetype eq = word.indexOf(QLatin1Char('='));
        double value = 0;
        if (eq <= 0 || !toNumber(word.mid(eq + 1), &value)) {
            *error = QStringLiteral("expected key=number, found \"") + word + QLatin1Char('"');
            return false;
        }
        values.insert(word.left(eq).toLower(), value);
    }
    for (const char* key : {"pref", "k", "r", "low", "high"}) {
        if (!values.contains(QLatin1String(key))) {
            *error = QStringLiteral("the generic curve ") + name + QStringLiteral(" needs ") +
                     QLatin1String(key);
            return false;
        }
    }
    if (values.size() != 5) {
        *error = QStringLiteral("a generic curve takes pref, k, r, low and high only");
        return false;
    }
    const double k = values.value(QStringLiteral("k"));
    curve->absa = {values.value(QStringLiteral("pref")), k, k, values.value(QStringLiteral("r"))};
    curve->refLow = values.value(QStringLiteral("low"));
    curve->refHigh = values.value(QStringLiteral("high"));
    if (!curve->isSet() || k == 0) {
        *error = QStringLiteral("the generic curve ") + name +
                 QStringLiteral(" needs a non-zero pref and k and two different ends");
        return false;
    }
    return true;
}

// "factors FAMILY 35=F 40=F ...": the masters age factors of one item family.
bool readAgeFactors(QStringList words, ScoreSetData* set, QString* error)
{
    const QString family = words.isEmpty() ? QString() : words.takeFirst();
    if (family.size() != 11) {
        *error = QStringLiteral("an item family is the first 11 characters of its item code");
        return false;
    }
    if (set->ageFactors.contains(family)) {
        *error = QStringLiteral("the item family ") + family + QStringLiteral(" is given twice");
        return false;
    }
    QMap<int, double> factors;
    for (const QString& word : words) {
        const qsizetype eq = word.indexOf(QLatin1Char('='));
        bool ageOk = false;
        const int age = eq > 0 ? word.left(eq).toInt(&ageOk) : 0;
        double value = 0;
        if (!ageOk || age < 35 || age > 95 || age % 5 != 0 || !toNumber(word.mid(eq + 1), &value)) {
            *error = QStringLiteral("expected AGE=FACTOR with an age group of 35 to 95, found \"") +
                     word + QLatin1Char('"');
            return false;
        }
        factors.insert(age, value);
    }
    if (factors.isEmpty()) {
        *error = QStringLiteral("the item family ") + family + QStringLiteral(" has no factors");
        return false;
    }
    set->ageFactors.insert(family, factors);
    return true;
}

// An APE set scores every item on a generic curve: those its items need must be there.
QString missingApeCurve(const ScoreSetData& set)
{
    if (!set.ape.track.isSet())
        return QStringLiteral("track");
    if (!set.ape.upper.isSet())
        return QStringLiteral("upper");
    for (const ItemScoreData& item : set.items) {
        if (item.field && item.curve == 1 && !set.ape.field1.isSet())
            return QStringLiteral("field1");
        if (item.field && item.curve == 2 && !set.ape.field2.isSet())
            return QStringLiteral("field2");
    }
    return {};
}

// A usable row table (first and last given) must have every row of its family, strictly
// better from row to row, and the search rows must be the table's own: a table with two
// equal neighbours or a gap would score between the wrong rows. Empty when it is sound.
QString rowTableProblem(const ItemScoreData& item, int setNumber)
{
    if (!item.hasRows || item.first == 0 || item.last == 0)
        return {};
    const bool wa = isWorldAthleticsRowSet(setNumber);
    const int last = wa ? 140 : 100;
    const QList<int>& rows = item.table.rows;
    if (rows.size() != last + 1)
        return QStringLiteral("the item ") + item.itemCode + QStringLiteral(" needs ") +
               QString::number(last + 1) + QStringLiteral(" row values, found ") +
               QString::number(rows.size());
    for (int r = 1; r <= last; ++r) {
        if (item.field ? rows[r] <= rows[r - 1] : rows[r] >= rows[r - 1])
            return QStringLiteral("the rows of ") + item.itemCode +
                   QStringLiteral(" must get strictly better, row ") + QString::number(r) +
                   QStringLiteral(" does not");
    }
    const int firstRow = wa ? 1 : 0;
    const int middleRow = wa ? 70 : 50;
    if (item.first != rows[firstRow] || item.middle != rows[middleRow] || item.last != rows[last])
        return QStringLiteral("first, middle and last of ") + item.itemCode +
               QStringLiteral(" must be rows ") + QString::number(firstRow) + QStringLiteral(", ") +
               QString::number(middleRow) + QStringLiteral(" and ") + QString::number(last);
    return {};
}

// "item CODE T|F key=value...": one item with its published data.
bool readItemLine(QStringList words, ScoreSetData* set, QString* error)
{
    ItemScoreData item;
    if (!readItemHead(&words, *set, &item, error) || !readItemFields(words, &item, error))
        return false;
    *error = rowTableProblem(item, set->number);
    if (error->isEmpty() && scoreSetInfo(set->number).method == ScoreMethod::Ape &&
        item.low == item.high)
        *error = QStringLiteral("an APE item needs its low and high performances");
    if (error->isEmpty())
        *error = plainItemRefusal(set->number, item.itemCode);
    const bool usableRows = item.hasRows && item.first != 0 && item.last != 0;
    if (error->isEmpty() && set->number == 39 && !usableRows && item.absa.pref == 0)
        *error = QStringLiteral("a local item needs its row values or its ABSA constants");
    if (!error->isEmpty())
        return false;
    set->items.insert(item.itemCode, item);
    return true;
}

} // namespace

const ScoreData& ScoreData::builtIn()
{
    static const ScoreData data = [] {
        ScoreData d;
        const QDir dir(QStringLiteral(":/data/scoresets"));
        for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
            QString error;
            // A built-in file is checked by the tests; one that fails stays "not loaded".
            d.loadFile(dir.filePath(name), &error);
        }
        d.loadLocalTables(localTableFolder());
        return d;
    }();
    return data;
}

QString ScoreData::localTableFolder()
{
    return base::ConfigStore::defaultFolder() + QStringLiteral("/scoretables");
}

void ScoreData::loadLocalTables(const QString& folder)
{
    const QString path = folder + QStringLiteral("/set39.txt");
    if (!QFileInfo::exists(path))
        return;
    // Read apart first: a local file must not stand in for a published set.
    ScoreData local;
    QString error;
    QFile file(path);
    // The whole path: the user has to find the file to mend it.
    const bool read = file.open(QIODevice::ReadOnly | QIODevice::Text);
    if (!read)
        error = QStringLiteral("Cannot read ") + path;
    if (!read || !local.loadText(QString::fromUtf8(file.readAll()), path, &error)) {
        m_problems.append(error);
        return;
    }
    if (!local.isLoaded(39)) {
        m_problems.append(path + QStringLiteral(": a local table file is for set 39 only"));
        return;
    }
    m_sets.insert(39, *local.set(39));
}

bool ScoreData::loadFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("Cannot read ") + path;
        return false;
    }
    return loadText(QString::fromUtf8(file.readAll()), QFileInfo(path).fileName(), error);
}

bool ScoreData::loadText(const QString& text, const QString& name, QString* error)
{
    ScoreSetData set;
    const QStringList lines = text.split(QLatin1Char('\n'));
    auto fail = [&](int lineNo, const QString& why) {
        *error =
            name + QStringLiteral(" line ") + QString::number(lineNo) + QStringLiteral(": ") + why;
        return false;
    };
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString keyword = words.takeFirst().toLower();
        if (keyword == QLatin1String("set")) {
            bool ok = false;
            set.number = words.value(0).toInt(&ok);
            if (!ok || set.number <= 0 || words.size() != 1)
                return fail(i + 1, QStringLiteral("\"set\" takes one set number"));
        } else if (keyword == QLatin1String("source")) {
            set.source = words.join(QLatin1Char(' '));
        } else if (keyword == QLatin1String("note")) {
            set.notes.append(words.join(QLatin1Char(' ')));
        } else if (keyword == QLatin1String("factors")) {
            QString why;
            if (set.number == 0)
                return fail(i + 1, QStringLiteral("factors before the \"set\" line"));
            if (!readAgeFactors(words, &set, &why))
                return fail(i + 1, why);
        } else if (keyword == QLatin1String("generic")) {
            QString why;
            if (!readGenericCurve(words, &set.ape, &why))
                return fail(i + 1, why);
        } else if (keyword == QLatin1String("shape") || keyword == QLatin1String("special") ||
                   keyword == QLatin1String("curve") || keyword == QLatin1String("derived")) {
            if (set.number == 0)
                return fail(i + 1, keyword + QStringLiteral(" before the \"set\" line"));
            QString why = keywordRefusal(set.number, keyword);
            if (why.isEmpty()) {
                const auto reader = keyword == QLatin1String("shape")     ? readShapeLine
                                    : keyword == QLatin1String("special") ? readSpecialLine
                                    : keyword == QLatin1String("curve")   ? readCurveLine
                                                                          : readDerivedLine;
                reader(words, &set, &why);
            }
            if (!why.isEmpty())
                return fail(i + 1, why);
        } else if (keyword == QLatin1String("item")) {
            if (set.number == 0)
                return fail(i + 1, QStringLiteral("an item before the \"set\" line"));
            if (QString why; !readItemLine(words, &set, &why))
                return fail(i + 1, why);
        } else {
            return fail(i + 1, QStringLiteral("unknown line \"") + keyword + QLatin1Char('"'));
        }
    }
    if (set.number == 0)
        return fail(int(lines.size()), QStringLiteral("no \"set\" line"));
    if (set.source.isEmpty())
        return fail(int(lines.size()), QStringLiteral("no \"source\" line: published data only"));
    if (scoreSetInfo(set.number).method == ScoreMethod::Ape) {
        if (const QString curve = missingApeCurve(set); !curve.isEmpty())
            return fail(int(lines.size()),
                        QStringLiteral("no generic curve ") + curve + QStringLiteral(" given"));
    }
    if (const QString problem = derivedDataProblem(set); !problem.isEmpty())
        return fail(int(lines.size()), problem);
    m_sets.insert(set.number, set);
    return true;
}

bool ScoreData::isAtHand(int set) const
{
    switch (set) {
    case 15:
        return isLoaded(15) || isLoaded(14) || isLoaded(4);
    case 39:
        return isLoaded(39) || isAtHand(15);
    case 29:
        return isLoaded(31);
    case 40:
        return isLoaded(40) || isLoaded(38);
    default:
        return isLoaded(set);
    }
}

const ScoreSetData* ScoreData::set(int number) const
{
    const auto it = m_sets.constFind(number);
    return it == m_sets.constEnd() ? nullptr : &it.value();
}

const ItemScoreData* ScoreData::item(int set, const QString& itemCode) const
{
    const ScoreSetData* data = this->set(set);
    if (!data)
        return nullptr;
    const auto it = data->items.constFind(itemCode);
    return it == data->items.constEnd() ? nullptr : &it.value();
}

const ScoreSetData* ScoreData::ageFactorSet() const
{
    for (const int number : {36, 35}) {
        if (const ScoreSetData* data = set(number); data && !data->ageFactors.isEmpty())
            return data;
    }
    return nullptr;
}

QList<int> ScoreData::loadedSets() const
{
    QList<int> sets = m_sets.keys();
    std::sort(sets.begin(), sets.end());
    return sets;
}

} // namespace scoring

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "scoring/scoresets.h"

namespace scoring {

int registerScoreSets(db::DmdCoreDbs& database, const ScoreData& data)
{
    int added = 0;
    for (const int set : data.loadedSets()) {
        // Age factors are no table a meeting scores with.
        if (scoreSetInfo(set).method == ScoreMethod::AgeFactors)
            continue;
        if (database.ZSqlCount(QStringLiteral("SCORESET"),
                               QStringLiteral("SCORESETNO = ") + db::sqlInt(set)) > 0)
            continue;
        if (!database.execute(QStringLiteral("insert into SCORESET (SCORESETNO, DESCRIPTION, "
                                             "PUBLISHED, \"DEFAULT\", FORMULA) values (") +
                              db::sqlInt(set) + QStringLiteral(", ") +
                              db::quoted(scoreSetDisplayName(set)) + QStringLiteral(", 1, 0, ") +
                              db::quoted(scoreSetIdentifier(set)) + QStringLiteral(")")))
            return -1;
        ++added;
    }
    return added;
}

} // namespace scoring
