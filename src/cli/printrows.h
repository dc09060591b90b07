#pragma once

#include "cli/cli.h"

#include <QJsonArray>
#include <QJsonObject>

namespace cli {

// Prints a list the way the options ask: with --json one array of each row's object, else
// each row's line. Success.
template <class Rows, class ToObject, class ToLine>
int printRows(Context& ctx, const Rows& rows, ToObject toObject, ToLine toLine)
{
    if (ctx.json) {
        QJsonArray list;
        for (const auto& row : rows)
            list.append(toObject(row));
        ctx.printJson(list);
        return Success;
    }
    for (const auto& row : rows)
        ctx.out << toLine(row) << "\n";
    return Success;
}

} // namespace cli
