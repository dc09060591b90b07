#include "draw/formataccept.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/events.h"
#include "draw/formatcheck.h"
#include "draw/formatproposal.h"
#include "draw/heatformats.h"
#include "meeting/itemtypes.h"

namespace draw {

bool mayGiveHeats(const meeting::ItemTypes& items, const EventRow& event)
{
    base::Messages& messages = items.messages();
    if (event.itemCode.mid(11, 2) == QLatin1String("99")) {
        messages.warning(QStringLiteral(
            "Heats are not allowed on Mixed events.\r\rMixed Events are intended where there "
            "are not\renough Athletes for a few similar events.\rIt does not make sense to have "
            "Heats then."));
        return false;
    }
    return !items.IsFieldItem(event.itemCode) ||
           messages.confirm(QStringLiteral("Heats on field events does not really make sense.\r"
                                           "Do you want heats anyway?"));
}

QString formatEditRefusal(const meeting::ItemTypes& items, const EventRow& event)
{
    if (!event.selectedEdit)
        return QStringLiteral("You cannot edit the heats for an unselected event");
    if (event.nAthlon > 0 && items.ItemGroup(event.itemCode) == QLatin1String("NTH"))
        return QStringLiteral("You cannot edit the HeatFormat for n-Athlon Results-event");
    return QString();
}

bool mayEditFormat(const HeatGroups& groups, const EventRow& event)
{
    const meeting::ItemTypes& items = groups.items();
    base::Messages& messages = items.messages();
    const QString refusal = formatEditRefusal(items, event);
    if (!refusal.isEmpty()) {
        messages.warning(refusal);
        return false;
    }
    if (groups.heatGroupOf(event.itemCode, false) > 0)
        return true;
    return messages.confirm(QStringLiteral("The item does not have a heat group: ") +
                            event.itemCode +
                            QStringLiteral("\rThe program will not be able to give the rules."
                                           "\r\rDo you want to continue nevertheless"));
}

bool acceptFormat(const HeatGroups& groups, const EventRow& event, const QString& format)
{
    return acceptFormat(groups, event, format, std::max(event.athletes, event.estimated));
}

bool acceptFormat(const HeatGroups& groups, const EventRow& event, const QString& format,
                  int athletes)
{
    const meeting::ItemTypes& items = groups.items();
    base::Messages& messages = items.messages();
    const QString refusal = formatEditRefusal(items, event);
    if (!refusal.isEmpty()) {
        messages.warning(refusal);
        return false;
    }
    const QString textError = FormatCheck::textError(format);
    if (!textError.isEmpty()) {
        messages.warning(textError);
        return false;
    }
    if (HeatFormats::roundCount(format) > 3) {
        messages.internalError(430303,
                               QStringLiteral("A format has at most three rounds: ") + format);
        return false;
    }
    // Without a heat group there are no rules to compare with.
    if (groups.heatGroupOf(event.itemCode, false) == 0)
        return true;
    // The rules' own format goes in as it is, even where it sends more athletes on than
    // the lanes hold; anything else is the user's call.
    const QString proposal =
        athletes > 0 ? FormatProposal(groups).autoformat(event.itemCode, athletes) : QString();
    if (proposal == format)
        return true;
    const QStringList lines = FormatCheck(groups).check(event.itemCode, format, athletes);
    QString text = QStringLiteral("According to the Estimated Athlete Count, the format\r "
                                  "should be ") +
                   (proposal.isEmpty() ? QStringLiteral("empty") : proposal) +
                   QStringLiteral(" not ") + (format.isEmpty() ? QStringLiteral("empty") : format);
    if (!lines.isEmpty())
        text += QStringLiteral("\r\rThere are errors:\r\r") + lines.join(QLatin1Char('\r'));
    return messages.confirm(text + QStringLiteral("\r\rAccept nevertheless"));
}

bool storeFormatEdit(db::DmdCoreDbs& database, qint64 eventNo, const QString& format,
                     bool heatsAreFinals)
{
    if (format.isEmpty() && heatsAreFinals) {
        database.messages().warning(kNoHeatsToBeFinals);
        return false;
    }
    return database.executeOneRow(
        QStringLiteral("update MYEVENT set  FINAL_NOT_RUN=") + db::sqlInt(heatsAreFinals ? 1 : 0) +
        QStringLiteral(", C_HEATCOUNTSEDIT=") + db::quoted(HeatFormats::heatCountsText(format)) +
        QStringLiteral(", C_HEATFORMATEDIT=") + db::quoted(format) +
        QStringLiteral(" where EVENTNO = ") + db::sqlInt(eventNo));
}

} // namespace draw
