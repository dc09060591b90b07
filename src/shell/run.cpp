#include "shell/run.h"

#include "db/dmdcoredbs.h"

namespace shell {

Run::Run(MessageSink& sink, const QString& applicationCode, const QString& configPath)
    : m_globals(applicationCode), m_messages(sink),
      m_config(configPath.isEmpty() ? ConfigStore::defaultPath(applicationCode) : configPath)
{
    m_messages.setProgramTitle(m_globals.programTitle());
}

Run::~Run()
{
    freeDatabaseModule();
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
    if (!m_database)
        return;
    if (m_database->isConnected())
        m_database->close();
    m_database.reset();
}

bool Run::isConnected() const
{
    return m_database && m_database->isConnected();
}

} // namespace shell
