// Snapshots, backups and restore of the database file.

#include "cli/cli.h"

#include "backup/backupnames.h"
#include "backup/backuptarget.h"
#include "backup/restore.h"
#include "backup/snapshot.h"

#include <QFileInfo>
#include <QJsonArray>

namespace {

int snapshot(cli::Context& ctx)
{
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (!ctx.database())
        return cli::Failed;
    const backup::SnapshotResult result = backup::takeSnapshot(ctx.run(), false);
    if (!result.written)
        return cli::Failed;
    ctx.printFields({{QStringLiteral("snapshot"), result.path}});
    return cli::Success;
}

int backupCommand(cli::Context& ctx)
{
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    if (!ctx.database())
        return cli::Failed;
    return backup::backupTo(ctx.run(), ctx.args[0]) ? cli::Success : cli::Failed;
}

int restore(cli::Context& ctx)
{
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    if (!ctx.database())
        return cli::Failed;
    const QString archive = QFileInfo(ctx.args[0]).absoluteFilePath();
    return backup::restoreFrom(ctx.run(), archive) ? cli::Success : cli::Failed;
}

int snapshots(cli::Context& ctx)
{
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    const QString folder = backup::snapshotFolder(ctx.run().globals());
    const QStringList names = backup::snapshotNames(folder);
    if (ctx.json) {
        QJsonArray list;
        for (const QString& name : names)
            list.append(folder + name);
        ctx.printJson(list);
        return cli::Success;
    }
    for (const QString& name : names)
        ctx.out << folder << name << "\n";
    return cli::Success;
}

const cli::Command snapshotCmd("snapshot", "", &snapshot);
const cli::Command backupCmd("backup", "TARGET", &backupCommand);
const cli::Command restoreCmd("restore", "ARCHIVE", &restore);
const cli::Command snapshotsCmd("snapshots", "", &snapshots);

} // namespace
