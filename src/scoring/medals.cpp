#include "scoring/medals.h"

#include "base/messages.h"

namespace scoring {

QString medalOf(const ScoringSettings& s, int value, bool eventExcluded, bool combinedComponent,
                bool heatRow)
{
    if (s.medalBasedOn == 0 || eventExcluded || combinedComponent)
        return QString();
    if (s.medalBasedOn == 1 && (heatRow || value <= 0))
        return QString();
    const struct {
        bool ticked;
        int point;
        const char* name;
    } medals[] = {{s.checkGold, s.pointGold, "Gold"},
                  {s.checkSilver, s.pointSilver, "Silver"},
                  {s.checkBronze, s.pointBronze, "Bronze"}};
    for (const auto& m : medals) {
        if (!m.ticked)
            continue;
        if (s.medalBasedOn == 1 ? value == m.point : value >= m.point)
            return QLatin1String(m.name);
    }
    return QString();
}

QList<int> medalPlacesWithExclusions(const QList<std::pair<int, bool>>& placesAndExcluded)
{
    QList<int> medalPlaces(placesAndExcluded.size(), 0);
    int counted = 0;
    int medalPlace = 0;
    int previousPlace = -1;
    for (qsizetype i = 0; i < placesAndExcluded.size(); ++i) {
        const auto [place, excluded] = placesAndExcluded[i];
        if (excluded || place <= 0)
            continue;
        const bool tie = counted > 0 && place == previousPlace;
        if (!tie) {
            if (counted >= 3)
                break;
            ++medalPlace;
        }
        medalPlaces[i] = medalPlace;
        previousPlace = place;
        ++counted;
    }
    return medalPlaces;
}

QString medalName(int medalPlace, base::Messages& messages)
{
    switch (medalPlace) {
    case 1:
        return QStringLiteral("Gold");
    case 2:
        return QStringLiteral("Silver");
    case 3:
        return QStringLiteral("Bronze");
    default:
        if (medalPlace > 3)
            messages.internalError(630101, QStringLiteral("Medal place greater than 3!"));
        return QString();
    }
}

} // namespace scoring
