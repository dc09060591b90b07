#include "results/qualifying.h"

#include "meeting/meetingsettings.h"
#include "records/recordcheck.h"

#include <memory>

namespace results {

QualifyingTest meetingQualifyingTest(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                     const meeting::MeetingSettings& meeting)
{
    if (!meeting.hasFailStandards())
        return {};
    // One check for the whole calculation, so each standard is read once per item.
    auto check = std::make_shared<records::RecordCheck>(database, items, meeting);
    return [check](const QString& itemCode, const QString& performance) {
        return check->FailsStandard(itemCode, performance);
    };
}

} // namespace results
