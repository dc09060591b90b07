#pragma once

#include <QDir>
#include <QWidget>

// Screens are saved as pictures when DOLVANE_SCREENSHOTS names a folder.
inline void keepPicture(QWidget& screen, const QString& name)
{
    const QString dir = qEnvironmentVariable("DOLVANE_SCREENSHOTS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    screen.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}
