#include "draw/formataccept.h"

#include "draw/events.h"
#include "draw/formatcheck.h"
#include "draw/formatproposal.h"
#include "draw/meetingvalues.h"
#include "meeting/itemtypes.h"
#include "shell/messages.h"

namespace draw {

bool acceptFormat(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo,
                  const EventRow& event, const QString& format)
{
    shell::Messages& messages = items.messages();
    if (!event.selectedEdit) {
        messages.warning(QStringLiteral("You cannot edit the heats for an unselected event"));
        return false;
    }
    if (event.nAthlon > 0 && items.ItemGroup(event.itemCode) == QLatin1String("NTH")) {
        messages.warning(QStringLiteral("You cannot edit the HeatFormat for n-Athlon "
                                        "Results-event"));
        return false;
    }
    const QString textError = FormatCheck::textError(format);
    if (!textError.isEmpty()) {
        messages.warning(textError);
        return false;
    }
    const MeetingValues meeting = readMeetingValues(database, meetingNo);
    HeatGroups groups(items, meeting.lanes);
    const QStringList overfilled =
        FormatCheck::overfilledRounds(format, groups.athletesPerHeat(event.itemCode));
    if (!overfilled.isEmpty()) {
        messages.warning(QStringLiteral("There are errors:\r\r") +
                         overfilled.join(QLatin1Char('\r')));
        return false;
    }
    const int athletes = std::max(event.athletes, event.estimated);
    if (athletes == 0)
        return true;
    const QString proposal = FormatProposal(groups).autoformat(event.itemCode, athletes);
    const QStringList lines = FormatCheck(groups).check(event.itemCode, format, athletes);
    if (proposal == format && lines.isEmpty())
        return true;
    QString text = QStringLiteral("According to the Estimated Athlete Count, the format\r "
                                  "should be ") +
                   (proposal.isEmpty() ? QStringLiteral("empty") : proposal) +
                   QStringLiteral(" not ") + (format.isEmpty() ? QStringLiteral("empty") : format);
    if (!lines.isEmpty())
        text += QStringLiteral("\r\rThere are errors:\r\r") + lines.join(QLatin1Char('\r'));
    return messages.confirm(text + QStringLiteral("\r\rAccept nevertheless"));
}

} // namespace draw
