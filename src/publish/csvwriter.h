#pragma once

#include "publish/fieldrows.h"

#include <QString>
#include <QStringList>

namespace base {
class Messages;
}

namespace publish {

// The lines of a listing as comma-separated text: the titles in double quotes (unless
// `withTitles` is false), then one line per record, a value with a comma in double
// quotes; "No data" for no records. False with "The headers must have no \" in it".
bool csvLines(const Listing& listing, bool withTitles, QStringList* lines, QString* error);

// The lines of a listing as XML: the declaration, the root element, one `record` element
// per record with an element per field, two spaces a level. False with "nHeaders differs
// from nFields: " when the titles and fields do not pair up.
bool xmlLines(const QString& root, const QString& record, const Listing& listing,
              QStringList* lines, QString* error);

// Writes the lines into `path`; an existing file is overwritten only after "The file
// already exist: " is answered with "Overwrite". The folder must exist ("The folder does
// not exist: ").
bool writeExportFile(base::Messages& messages, const QString& path, const QStringList& lines);

} // namespace publish
