#pragma once

#include "draw/heatgroups.h"

namespace base {
class Messages;
}

#include <QString>

namespace draw {

// Proposes heat formats from the tables drawn up for eight athletes per heat, and turns
// them into formats for tracks or pools with another number of lanes.
class FormatProposal {
public:
    explicit FormatProposal(const HeatGroups& groups) : m_groups(groups) {}

    // The table's format of a heat group for `athletes`; `tooMany` when the table ends
    // below them (no format then).
    static QString tableFormat(int group, int athletes, bool* tooMany);

    // The format by the item's table (group 5's table for every swim).
    QString defaultFormat(const QString& itemCode, int athletes);
    // The format by the item's table for the heats that the athletes need at the
    // item's heat size, rewritten for that size on sprints.
    QString autoformat(const QString& itemCode, int athletes);
    // The same with `lanes` athletes per heat in place of the meeting's setting.
    QString autoformat(const QString& itemCode, int athletes, int lanes);

    // Rewrites every group so that each round sends exactly next heats x lanes on.
    static QString rewriteForLanes(const QString& format, int lanes, base::Messages& messages);

private:
    const HeatGroups& m_groups;
};

} // namespace draw
