#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace base {
class Messages;
}

namespace results {

// The participation statuses stored in DISQ_STATUS of HEATPART and PARTICIPATE; 0 (or
// null) is no status. Every status except UOF goes with an empty performance and no
// place; UOF keeps its performance and is ranked with the others.
enum DisqStatus : int {
    kNoStatus = 0,
    kDisq = 1,
    kDnr = 2, // counts as an absence for the absentee rule
    kDns = 3, // counts as an absence for the absentee rule
    kDnf = 4,
    kUof = 5, // must have a performance
    kNra = 6, // printed as NM for field items, NT for track items
    kNm = 7,
    kNt = 8,
    kOia = 9,   // set on the other items of an absent athlete
    kDnsa = 10, // a DNS or DNR that was absolved
    kUndefined = 11,
};
inline constexpr int kLastDisqStatus = kUndefined;

// "Disq", "DNR" ... for codes 1 to 11; any other code is an internal error (callers test
// for a status above 0 first) and gives an empty text.
QString DisqStatusAbbrev(base::Messages& messages, int code);
QString DisqStatusText(base::Messages& messages, int code);
// Empty text is 0; "Disq", "DIS" and "DQ" are 1; the listed abbreviations up to "OIA"
// read back; any other text (DNSA included) is 11.
int DisqStatusFromText(const QString& text);
// What a report prints: NRA becomes NM for field items and NT for track items.
QString DisqStatusPrinted(base::Messages& messages, int code, bool fieldItem);

// True for the statuses that go with no performance and no place (all but UOF).
inline bool statusClearsResult(int code)
{
    return code > 0 && code != kUof;
}
// DNR and DNS: an absence that the absentee rule acts on.
inline bool statusIsAbsence(int code)
{
    return code == kDnr || code == kDns;
}

// "Disq = Disqualifed" ... for the codes the disqualify dialog offers (1 to 5).
QStringList disqualifyChoices(base::Messages& messages);
inline constexpr int kDisqualifyChoiceCount = 5;

// The help of the capture dialog's statuses (title "DISQUALIFIED STATUS").
QString disqStatusHelpTitle();
QString disqStatusHelpText();

// A typed reason needs a status: the refusal, or empty when the pair may be stored.
QString disqReasonRefusal(int status, const QString& reason);

// DISQ_REASON holds a typed reason or, after the absentee handling set a status on an
// entry that had a lane, place or performance, the values it had.
struct SavedEntryValues {
    int lane = 0;
    int place = 0;
    QString performance;
};
QString savedValuesReason(const SavedEntryValues& values);
bool isSavedValuesReason(const QString& reason);
// The values of a saved-values reason; empty (an internal error) when the text is
// malformed.
std::optional<SavedEntryValues> parseSavedValuesReason(base::Messages& messages,
                                                       const QString& reason);

} // namespace results
