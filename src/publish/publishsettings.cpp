#include "publish/publishsettings.h"

#include "base/configstore.h"
#include "base/messages.h"
#include "base/run.h"
#include "publish/meetingindex.h"
#include "publish/website.h"

namespace publish {

namespace {

const QString kWebRoot = QStringLiteral("PUB_FOLDER_WEB_SITE");
const QString kCsvResults = QStringLiteral("PUB_FOLDER_CSV_RSLT_BCAST");
const QString kCsvStarters = QStringLiteral("PUB_FOLDER_CSV_STRT_BCAST");
const QString kPublishDay = QStringLiteral("CURRENT_PUBLISH_DAY");
const QString kMustProgram = QStringLiteral("MUST_PUBLISH_PROGRAM");
const QString kMustStarters = QStringLiteral("MUST_PUBLISH_STARTERS");
const QString kMustTotals = QStringLiteral("MUST_PUBLISH_TEAMTOTALS");
const QString kAutoRefresh = QStringLiteral("WEB_AUTOREFRESH_INDEXES");
const QString kLastAutoRefresh = QStringLiteral("LAST_AUTO_REFRESH_INDEXES");
const QString kSelection = QStringLiteral("PUB_STARTERS_SEQ_RANGE");
const QString kAutoPrint = QStringLiteral("PUB_AUTO_PRINT_COUNT");
const QString kAutoClip = QStringLiteral("PUB_AUTO_CLIP");
const QString kAutoWeb = QStringLiteral("PUB_AUTO_WEB");
const QString kAutoCsv = QStringLiteral("PUB_AUTO_CSV_BCAST");
const QString kAutoXml = QStringLiteral("PUB_AUTO_XML_BCAST");
const QString kAutoLumaro = QStringLiteral("PUB_AUTO_LUMARO");
const QString kAutoPrinter = QStringLiteral("PUB_AUTO_PRINTER");
const QString kAutoPrintFile = QStringLiteral("PUB_AUTO_PRINT_FILE");

} // namespace

PublishSettings PublishSettings::read(const base::ConfigStore& config)
{
    PublishSettings s;
    s.webRoot = config.readText(kWebRoot).trimmed();
    s.csvResultsFolder = config.readText(kCsvResults).trimmed();
    s.csvStartersFolder = config.readText(kCsvStarters).trimmed();
    if (config.exists(kPublishDay))
        s.publishDay = config.readInt(kPublishDay);
    s.mustProgram = config.readBool(kMustProgram);
    s.mustStarters = config.readBool(kMustStarters);
    s.mustTeamTotals = config.readBool(kMustTotals);
    s.autoRefresh = config.readBool(kAutoRefresh);
    s.lastAutoRefresh = config.exists(kLastAutoRefresh) ? config.readInt(kLastAutoRefresh) : -1;
    s.startersSelection = config.readText(kSelection).trimmed();
    s.autoPrintCount = config.readInt(kAutoPrint);
    s.autoClip = config.readBool(kAutoClip);
    s.autoWeb = config.readBool(kAutoWeb);
    s.autoCsv = config.readBool(kAutoCsv);
    s.autoXml = config.readBool(kAutoXml);
    s.autoLumaro = config.readBool(kAutoLumaro);
    s.autoPrinter.printerName = config.readText(kAutoPrinter).trimmed();
    s.autoPrinter.pdfFile = config.readText(kAutoPrintFile).trimmed();
    return s;
}

bool PublishSettings::write(base::ConfigStore& config) const
{
    bool ok =
        config.writeText(kWebRoot, webRoot) && config.writeText(kCsvResults, csvResultsFolder) &&
        config.writeText(kCsvStarters, csvStartersFolder) &&
        config.writeInt(kPublishDay, publishDay) && config.writeBool(kMustProgram, mustProgram) &&
        config.writeBool(kMustStarters, mustStarters) &&
        config.writeBool(kMustTotals, mustTeamTotals) &&
        config.writeBool(kAutoRefresh, autoRefresh) &&
        config.writeText(kSelection, startersSelection) &&
        config.writeInt(kAutoPrint, autoPrintCount) && config.writeBool(kAutoClip, autoClip) &&
        config.writeBool(kAutoWeb, autoWeb) && config.writeBool(kAutoCsv, autoCsv) &&
        config.writeBool(kAutoXml, autoXml) && config.writeBool(kAutoLumaro, autoLumaro) &&
        setAutoPrinter(config, autoPrinter);
    if (ok && lastAutoRefresh >= 0)
        ok = config.writeInt(kLastAutoRefresh, lastAutoRefresh);
    return ok;
}

QString AutoPrinter::text() const
{
    if (!pdfFile.isEmpty())
        return QStringLiteral("PDF file ") + pdfFile;
    return printerName.isEmpty() ? QStringLiteral("not chosen yet") : printerName;
}

bool setAutoPrinter(base::ConfigStore& config, const AutoPrinter& printer)
{
    return config.writeText(kAutoPrinter, printer.printerName) &&
           config.writeText(kAutoPrintFile, printer.pdfFile);
}

bool checkPublishDay(WebSite& site, int day)
{
    if (day <= 0) {
        site.messages().warning(QStringLiteral("The publish day must be > 0"));
        return false;
    }
    int first = 0, last = 0;
    if (programDays(site, &first, &last, false) && day > last) {
        site.messages().warning(QStringLiteral("The meeting lasts ") + QString::number(last) +
                                (last == 1 ? QStringLiteral(" day") : QStringLiteral(" days")) +
                                QStringLiteral(": there is no publish day ") +
                                QString::number(day));
        return false;
    }
    return true;
}

bool setPublishDay(base::Run& run, int day)
{
    WebSite site(run);
    return checkPublishDay(site, day) && run.config().writeInt(kPublishDay, day);
}

} // namespace publish
