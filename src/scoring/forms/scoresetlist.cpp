#include "scoring/forms/scoresetlist.h"

#include "scoring/scoredata.h"
#include "scoring/scoresetchoice.h"

#include <QComboBox>

namespace scoring {

QComboBox* scoreSetList(QWidget* parent, int current)
{
    auto* box = new QComboBox(parent);
    box->addItem(QStringLiteral("(none)"), 0);
    const ScoreData& data = ScoreData::builtIn();
    // Marked as the choice is refused: a set that scores through others is at hand with them.
    for (const auto& [number, name] : choosableScoreSets())
        box->addItem(name + (data.isAtHand(number) ? QString() : QStringLiteral("  (not loaded)")),
                     number);
    box->setCurrentIndex(std::max(0, box->findData(current)));
    return box;
}

} // namespace scoring
