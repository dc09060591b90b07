#pragma once

#include <QString>

namespace base {
class ConfigStore;
class Run;
} // namespace base

namespace publish {

class WebSite;

// Where the auto tasks print without asking: a printer by name, or a PDF file.
struct AutoPrinter {
    QString printerName; // PUB_AUTO_PRINTER
    QString pdfFile;     // PUB_AUTO_PRINT_FILE: when set, the copies go into this PDF file
    bool isSet() const { return !printerName.isEmpty() || !pdfFile.isEmpty(); }
    // "PDF file /tmp/copies.pdf", "Office" or "not chosen yet".
    QString text() const;
};

// The per-user settings of publishing, kept in the configuration store under these keys.
struct PublishSettings {
    QString webRoot;           // PUB_FOLDER_WEB_SITE
    QString csvResultsFolder;  // PUB_FOLDER_CSV_RSLT_BCAST
    QString csvStartersFolder; // PUB_FOLDER_CSV_STRT_BCAST
    int publishDay = 1;        // CURRENT_PUBLISH_DAY
    bool mustProgram = false;  // MUST_PUBLISH_PROGRAM: the master index links the programs
    bool mustStarters = false; // MUST_PUBLISH_STARTERS
    bool mustTeamTotals = false;
    bool autoRefresh = false;  // WEB_AUTOREFRESH_INDEXES
    int lastAutoRefresh = -1;  // LAST_AUTO_REFRESH_INDEXES: -1 before any index was written
    QString startersSelection; // the remembered "Seq range", "FROM-TO"
    // The launcher's auto tasks.
    int autoPrintCount = 0;
    bool autoClip = false;
    bool autoWeb = false;
    bool autoCsv = false;
    bool autoXml = false;
    bool autoLumaro = false;
    AutoPrinter autoPrinter;

    static PublishSettings read(const base::ConfigStore& config);
    bool write(base::ConfigStore& config) const;
};

// Remembers the printer of the auto tasks.
bool setAutoPrinter(base::ConfigStore& config, const AutoPrinter& printer);

// A day pages can be published for: refuses a day below 1 ("The publish day must be > 0")
// and one past the program's last day, which would only make an empty day folder no
// index links to.
bool checkPublishDay(WebSite& site, int day);

// Keeps the current publishing day, once `checkPublishDay` accepts it.
bool setPublishDay(base::Run& run, int day);

} // namespace publish
