#include "support/dbvalidation.h"

#include "db/dmdcoredbs.h"
#include "db/firebirdroot.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace testing_support {

Validation validateDatabase(const QString& connectionText)
{
    Validation result;
    // The same root and lock folder as our programs, so that the tool's engine knows of
    // theirs.
    db::prepareFirebirdRoot();
    const QString gfix = QStandardPaths::findExecutable(QStringLiteral("gfix"));
    if (gfix.isEmpty()) {
        result.report = QStringLiteral("gfix is not installed (firebird3.0-utils)");
        return result;
    }
    QProcess process;
    process.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(gfix, {QStringLiteral("-v"), QStringLiteral("-full"), QStringLiteral("-user"),
                         QStringLiteral("SYSDBA"), QStringLiteral("-password"),
                         QString::fromLatin1(db::kServerDefaultPassword), connectionText});
    if (!process.waitForFinished(300000)) {
        process.kill();
        process.waitForFinished();
        result.report = QStringLiteral("gfix did not finish");
        return result;
    }
    result.ran = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.report = QString::fromLocal8Bit(process.readAll()).trimmed();
    // "Summary of validation errors", then lines such as
    // "Number of database page warnings\t: 38" or "Number of record level errors\t: 2".
    static const QRegularExpression count(
        QStringLiteral("^Number of .*(errors|warnings)\\s*:\\s*(\\d+)$"));
    for (const QString& raw : result.report.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString line = raw.trimmed();
        const QRegularExpressionMatch m = count.match(line);
        if (m.hasMatch())
            (m.captured(1) == QLatin1String("errors") ? result.errors : result.warnings) +=
                m.captured(2).toInt();
        else if (line != QLatin1String("Summary of validation errors"))
            result.understood = false;
    }
    return result;
}

} // namespace testing_support
