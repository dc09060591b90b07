#pragma once

#include "sheets/sheetpage.h"

#include <QImage>
#include <QList>
#include <QString>

class QPagedPaintDevice;

namespace sheets {

// What heads every page: the meeting's name and its two report logos.
struct SheetHeading {
    QString meeting;
    QImage leftLogo;
    QImage rightLogo;
};

// Lays the pages out on a printer or PDF writer: each sheet starts a page of its own
// orientation; rows that do not fit go on further pages under the same heading.
void paintSheets(QPagedPaintDevice& device, const QList<SheetPage>& pages,
                 const SheetHeading& heading);

} // namespace sheets
