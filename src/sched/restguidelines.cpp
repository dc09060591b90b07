#include "sched/restguidelines.h"

#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "meeting/meetingupdate.h"
#include "sched/schedparams.h"

#include <QRegularExpression>

namespace sched {

namespace {

// The "Fast" and "Slow" values of the grid, Long, Short, Throw, Jump against the same.
constexpr int kFast[kGuidelineCount] = {60, 15, 10, 15, 30, 15, 10, 15,
                                        20, 15, 10, 10, 20, 15, 10, 15};
constexpr int kSlow[kGuidelineCount] = {120, 20, 15, 20, 40, 30, 15, 20,
                                        30,  20, 15, 15, 30, 20, 15, 20};

std::optional<int> wholeNumber(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    if (!digits.match(text).hasMatch() || text.size() > 6)
        return std::nullopt;
    return text.toInt();
}

// The trimmed text without the trailing "." that a typed value may carry.
QString cleaned(const QString& text)
{
    QString t = text.trimmed();
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    return t;
}

} // namespace

QString restClassName(RestClass c)
{
    static const char* names[] = {"LONG", "SHORT", "THROW", "JUMP"};
    return QLatin1String(names[int(c)]);
}

QString restClassLabel(RestClass c)
{
    static const char* names[] = {"Long", "Short", "Throw", "Jump"};
    return QLatin1String(names[int(c)]);
}

QString guidelinePairName(int index)
{
    auto label = [](int c) { return restClassLabel(RestClass(c)).leftJustified(5); };
    return label(index / kRestClassCount) + QLatin1Char(',') + label(index % kRestClassCount);
}

std::optional<int> guidelineIndexByName(const QString& name)
{
    bool isNumber = false;
    const int position = name.trimmed().toInt(&isNumber);
    if (isNumber)
        return position >= kFirstGuidelinePosition && position <= kLastGuidelinePosition
                   ? std::optional<int>(position - kFirstGuidelinePosition)
                   : std::nullopt;
    const QStringList parts =
        name.trimmed().split(QRegularExpression(QStringLiteral("[\\s,;/-]+")), Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return std::nullopt;
    int classes[2] = {-1, -1};
    for (int i = 0; i < 2; ++i) {
        for (int c = 0; c < kRestClassCount; ++c) {
            if (parts[i].compare(restClassLabel(RestClass(c)), Qt::CaseInsensitive) == 0)
                classes[i] = c;
        }
        if (classes[i] < 0)
            return std::nullopt;
    }
    return guidelineIndex(RestClass(classes[0]), RestClass(classes[1]));
}

int guidelineMinutes(const QString& text, base::Messages& messages)
{
    const QString t = cleaned(text);
    if (t.isEmpty())
        return 0;
    if (const std::optional<int> n = wholeNumber(t))
        return *n;
    messages.internalError(1002601, QStringLiteral("Not integer:") + text);
    return 0;
}

QString checkGuideline(int index, const QString& text)
{
    const QString t = cleaned(text);
    if (t.isEmpty() || wholeNumber(t))
        return QString();
    return QStringLiteral("The resting guideline ") + guidelinePairName(index).simplified() +
           QStringLiteral(" must be a whole number of minutes, not \"") + text +
           QStringLiteral("\".");
}

RestGuidelines RestGuidelines::fromConfig(const QString& configOther)
{
    RestGuidelines g;
    for (int i = 0; i < kGuidelineCount; ++i)
        g.m_texts[i] = configField(configOther, kFirstGuidelinePosition + i).trimmed();
    return g;
}

RestGuidelines RestGuidelines::preset(bool fast)
{
    RestGuidelines g;
    for (int i = 0; i < kGuidelineCount; ++i)
        g.m_texts[i] = QString::number(fast ? kFast[i] : kSlow[i]);
    return g;
}

QStringList RestGuidelines::emptyPairs() const
{
    QStringList names;
    for (int i = 0; i < kGuidelineCount; ++i) {
        if (m_texts[i].isEmpty())
            names.append(guidelinePairName(i));
    }
    return names;
}

QString RestGuidelines::storedIn(const QString& configOther) const
{
    QString list = configOther;
    for (int i = 0; i < kGuidelineCount; ++i)
        list =
            withConfigField(list, kFirstGuidelinePosition + i, m_texts[i], kLastGuidelinePosition);
    return list;
}

RestGuidelines restGuidelinesOf(base::Run& run)
{
    return RestGuidelines::fromConfig(run.meeting().text(QStringLiteral("CONFIGOTHER")));
}

bool storeRestGuidelines(base::Run& run, const RestGuidelines& guidelines)
{
    for (int i = 0; i < kGuidelineCount; ++i) {
        const QString error = checkGuideline(i, guidelines.text(i));
        if (!error.isEmpty()) {
            run.messages().warning(error);
            return false;
        }
    }
    const QString list = guidelines.storedIn(run.meeting().text(QStringLiteral("CONFIGOTHER")));
    return meeting::updateMeeting(run, {{QStringLiteral("CONFIGOTHER"), list}});
}

bool checkNoEmptyGuidelines(base::Run& run)
{
    const QStringList empty = restGuidelinesOf(run).emptyPairs();
    if (empty.isEmpty())
        return true;
    run.messages().warning(QStringLiteral("Empty Resting Guidelines\r\rThe followiing Resting "
                                          "Guidelines are empty.\rYou cannot continue with any "
                                          "empty Guidelines\r\r") +
                           empty.join(QLatin1Char('\r')));
    return false;
}

} // namespace sched
