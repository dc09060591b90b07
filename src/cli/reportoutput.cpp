#include "cli/reportoutput.h"

#include "cli/cli.h"

#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "scoring/forms/reportprinter.h"
#include "scoring/report.h"

namespace cli {

int printReport(Context& ctx, const scoring::Report& report, const QString& pdf)
{
    if (!pdf.isEmpty()) {
        if (!scoring::printReportToPdf(report, ctx.run().meeting().descriptionText(), pdf)) {
            ctx.messages().warning(QStringLiteral("Could not write ") + pdf);
            return Failed;
        }
        ctx.printFields({{QStringLiteral("pdf"), pdf}});
        return Success;
    }
    if (ctx.json)
        ctx.printJson(report.toJson());
    else
        ctx.out << report.toText();
    return Success;
}

} // namespace cli
