#include "base/run.h"

#include <QtGlobal>

namespace base {

Run::Run(MessageSink& sink, const QString& applicationCode, const QString& configPath)
    : m_globals(applicationCode), m_messages(sink),
      m_config(configPath.isEmpty() ? ConfigStore::defaultPath(applicationCode) : configPath)
{
    m_messages.setProgramTitle(m_globals.programTitle());
}

Run::~Run() = default;

void Run::missingService()
{
    qFatal("The run's meeting settings were used before meeting::createRunSettings");
}

} // namespace base
