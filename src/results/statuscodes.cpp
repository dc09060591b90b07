#include "results/statuscodes.h"

#include "base/messages.h"

#include <array>

namespace results {

namespace {

struct StatusName {
    const char* abbrev;
    const char* text;
};

// Index = code - 1. The texts are the product's own, spelling included.
constexpr std::array<StatusName, kLastDisqStatus> kNames{{
    {"Disq", "Disqualifed"},
    {"DNR", "Did Not Report"},
    {"DNS", "Did Not Start"},
    {"DNF", "Did Not Finish"},
    {"UOF", "Unoffcial performance"},
    {"NRA", "No Result Achieved"},
    {"NM", "No Measurement"},
    {"NT", "No Time"},
    {"OIA", "Other Item DNR"},
    {"DNSA", "DidNotStart Absolved"},
    {"UNDF", "Undefined"},
}};

const StatusName* nameOf(base::Messages& messages, int code, qint64 errorNumber)
{
    if (code < 1 || code > kLastDisqStatus) {
        messages.internalError(errorNumber,
                               QStringLiteral("Incorrect status: ") + QString::number(code));
        return nullptr;
    }
    return &kNames[size_t(code - 1)];
}

const QString kSavedPrefix = QStringLiteral("Lane/Place/Perf was ");
const QString kSavedSeparator = QStringLiteral(" / ");

} // namespace

QString DisqStatusAbbrev(base::Messages& messages, int code)
{
    const StatusName* name = nameOf(messages, code, 550101);
    return name ? QString::fromLatin1(name->abbrev) : QString();
}

QString DisqStatusText(base::Messages& messages, int code)
{
    const StatusName* name = nameOf(messages, code, 550102);
    return name ? QString::fromLatin1(name->text) : QString();
}

int DisqStatusFromText(const QString& text)
{
    if (text.isEmpty())
        return kNoStatus;
    if (text == QLatin1String("Disq") || text == QLatin1String("DIS") ||
        text == QLatin1String("DQ"))
        return kDisq;
    // Only the abbreviations up to OIA read back; DNSA and UNDF do not.
    for (int code = kDnr; code <= kOia; ++code) {
        if (text == QLatin1String(kNames[size_t(code - 1)].abbrev))
            return code;
    }
    return kUndefined;
}

QString DisqStatusPrinted(base::Messages& messages, int code, bool fieldItem)
{
    if (code == kNra)
        return DisqStatusAbbrev(messages, fieldItem ? kNm : kNt);
    return DisqStatusAbbrev(messages, code);
}

QStringList disqualifyChoices(base::Messages& messages)
{
    QStringList choices;
    for (int code = 1; code <= kDisqualifyChoiceCount; ++code)
        choices.append(DisqStatusAbbrev(messages, code) + QStringLiteral(" = ") +
                       DisqStatusText(messages, code));
    return choices;
}

QString disqStatusHelpTitle()
{
    return QStringLiteral("DISQUALIFIED STATUS");
}

QString disqStatusHelpText()
{
    return QStringList{
        QStringLiteral("The statusses can be:"),
        QStringLiteral("Disq = Disqualified"),
        QStringLiteral("DNR = Did Not Report at the callroom or start"),
        QStringLiteral("DNS = Did Not Start"),
        QStringLiteral("DNF = Did Not Finish"),
        QStringLiteral(
            "UOF = Unofficial: This means the performance is not part of the Meeting results"),
        QStringLiteral(
            "      This code must have a performance, the rest may NOT have a performance"),
        QStringLiteral("NRA = No Result Achieved on this screen,"),
        QStringLiteral("      This translates to NM=No Measurement and NT=No Time on reports"),
    }
        .join(QLatin1Char('\r'));
}

QString disqReasonRefusal(int status, const QString& reason)
{
    if (status <= 0 && !reason.trimmed().isEmpty())
        return QStringLiteral("You cannot give a reason if the performance is not disqualified.");
    return QString();
}

QString savedValuesReason(const SavedEntryValues& values)
{
    return kSavedPrefix + QString::number(values.lane) + kSavedSeparator +
           QString::number(values.place) + kSavedSeparator + values.performance;
}

bool isSavedValuesReason(const QString& reason)
{
    return reason.startsWith(kSavedPrefix);
}

std::optional<SavedEntryValues> parseSavedValuesReason(base::Messages& messages,
                                                       const QString& reason)
{
    if (!isSavedValuesReason(reason)) {
        messages.internalError(550103, QStringLiteral("Did not expect DisqReason of ") + reason);
        return std::nullopt;
    }
    // The performance is the last field and may be empty; the stored text may have lost
    // its trailing blank.
    const QStringList parts = reason.mid(kSavedPrefix.size()).split(QLatin1Char('/'));
    if (parts.size() != 3) {
        messages.internalError(550104, QStringLiteral("Did not expect DisqReason of ") + reason);
        return std::nullopt;
    }
    SavedEntryValues values;
    bool ok = false;
    values.lane = parts[0].trimmed().toInt(&ok);
    if (!ok || values.lane < 0) {
        messages.internalError(550105, QStringLiteral("Invalid lane: ") + parts[0].trimmed());
        return std::nullopt;
    }
    values.place = parts[1].trimmed().toInt(&ok);
    if (!ok || values.place < 0) {
        messages.internalError(550106, QStringLiteral("Invalid place: ") + parts[1].trimmed());
        return std::nullopt;
    }
    values.performance = parts[2].trimmed();
    return values;
}

} // namespace results
