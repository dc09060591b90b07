#include "shell/run.h"

#include "db/dmdcoredbs.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingages.h"
#include "meeting/meetingsettings.h"
#include "meeting/translations.h"

namespace shell {

Run::Run(MessageSink& sink, const QString& applicationCode, const QString& configPath)
    : m_globals(applicationCode), m_messages(sink),
      m_config(configPath.isEmpty() ? ConfigStore::defaultPath(applicationCode) : configPath),
      m_meeting(std::make_unique<meeting::MeetingSettings>()),
      m_items(std::make_unique<meeting::ItemTypes>(meeting::editionOf(applicationCode), m_messages))
{
    m_messages.setProgramTitle(m_globals.programTitle());
}

Run::~Run()
{
    m_meetingAges.reset();
    m_translations.reset();
    if (m_database)
        freeDatabaseModule();
}

void Run::createTranslations()
{
    if (m_translations) {
        m_messages.internalError(10111, QStringLiteral("dmdTamrokXlat already created"));
        return;
    }
    if (!m_database) {
        m_messages.internalError(10112, QStringLiteral("dmdTamrokXlat needs the database"));
        return;
    }
    m_messages.progress(QString(), QStringLiteral("Preparing the database"));
    m_translations = std::make_unique<meeting::Translations>(*m_database, *m_meeting);
    m_messages.progressDone();
}

void Run::freeTranslations()
{
    if (!m_translations)
        m_messages.internalError(10113, QStringLiteral("dmdTamrokXlat already freed"));
    m_translations.reset();
}

void Run::createMeetingAges()
{
    if (m_meetingAges) {
        m_messages.internalError(10114, QStringLiteral("ZMeetingAgesCreate already called"));
        return;
    }
    m_meetingAges = std::make_unique<meeting::MeetingAges>();
}

void Run::freeMeetingAges()
{
    if (!m_meetingAges)
        m_messages.internalError(10115, QStringLiteral("ZMeetingAgesFree already called"));
    m_meetingAges.reset();
}

db::DmdCoreDbs& Run::createDatabaseModule()
{
    if (m_database) {
        m_messages.internalError(10101, QStringLiteral("dmdCoreDbs Already created"));
        return *m_database;
    }
    db::DmdCoreDbs::resetCounters();
    m_database = std::make_unique<db::DmdCoreDbs>(m_messages, m_globals.applicationCode(),
                                                  m_globals.version());
    return *m_database;
}

void Run::freeDatabaseModule()
{
    if (!m_database) {
        m_messages.internalError(10102, QStringLiteral("dmdCoreDbs Already nil"));
        return;
    }
    if (m_database->isConnected())
        m_database->close();
    m_database.reset();
}

bool Run::isConnected() const
{
    return m_database && m_database->isConnected();
}

} // namespace shell
