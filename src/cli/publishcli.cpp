#include "cli/publishcli.h"

#include "base/run.h"
#include "cli/cli.h"

namespace cli {

QList<results::CaptureProgramRow> chosenProgramRows(Context& ctx, qint64 eventNo,
                                                    const QString& round, int heat)
{
    QList<results::CaptureProgramRow> rows;
    for (const results::CaptureProgramRow& row :
         results::eventProgramRows(*ctx.run().database(), ctx.run().items(), eventNo)) {
        if (row.isCalculatedFinal() || (!round.isEmpty() && row.round != round) ||
            (heat > 0 && row.heatNo != heat))
            continue;
        rows << row;
    }
    if (rows.isEmpty())
        ctx.messages().warning(QStringLiteral("Event ") + QString::number(eventNo) +
                               QStringLiteral(" has no such heat or final"));
    return rows;
}

} // namespace cli
