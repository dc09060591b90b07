#include "base/appglobals.h"

#include <QRandomGenerator>

namespace base {

namespace {

struct Edition {
    const char* code;
    const char* title;
    const char* version;
    const char* secret;
};

// One entry per edition: the title and the current release.
const Edition kEditions[] = {
    {kApplicationCode, "Dolvane", "24.150", "lane-7-pool-clock"},
    {kAthleticsCode, "Tamrok", "24.150", "oval-400-stopwatch"},
};

} // namespace

AppGlobals::AppGlobals(const QString& applicationCode)
    : m_code(applicationCode), m_buildDate(QStringLiteral("2025Feb13"))
{
    for (const Edition& e : kEditions) {
        if (applicationCode == QLatin1String(e.code)) {
            m_title = QString::fromLatin1(e.title);
            m_version = QString::fromLatin1(e.version);
            m_secret = QString::fromLatin1(e.secret);
        }
    }
    if (m_title.isEmpty()) {
        m_title = QStringLiteral("Dolvane");
        m_version = QStringLiteral("24.150");
        m_secret = QString::fromLatin1(kEditions[0].secret);
    }
    m_random = int(QRandomGenerator::global()->bounded(1000000000));
}

QString AppGlobals::personWord() const
{
    return isSwimming() ? QStringLiteral("Swimmer") : QStringLiteral("Athlete");
}

} // namespace base
