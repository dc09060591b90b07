#include "sheets/capturescorecheck.h"

#include "base/messages.h"
#include "base/run.h"
#include "sheets/checklists.h"

namespace sheets {

namespace {

// A long list would push the question off the screen; the check list report names them all.
constexpr int kItemsShown = 15;

} // namespace

bool confirmNathlonScores(base::Run& run)
{
    const CheckFinding finding = CheckLists(run).run(10);
    if (finding.rows == 0)
        return true;
    // The first line is the check's heading; the items follow.
    QStringList items = finding.lines.mid(1);
    if (items.size() > kItemsShown) {
        const qsizetype more = items.size() - (kItemsShown - 1);
        items = items.mid(0, kItemsShown - 1);
        items << QStringLiteral("  ... and ") + QString::number(more) + QStringLiteral(" more");
    }
    return run.messages().confirmTitled(
        QStringLiteral("n-Athlon Items without scores defined"),
        QStringLiteral("NOTE:  The following n-Athlon Items has no scores defined.\r") +
            items.join(QLatin1Char('\r')) +
            QStringLiteral("\r\rn-Athlon events without score-tables is meaningless.\r\rSelect the "
                           "ScoreTable under \"Settings: Scores and Points\".\r\rContinue"));
}

} // namespace sheets
