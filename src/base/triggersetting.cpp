#include "base/triggersetting.h"

#include "base/configstore.h"

namespace base {

int gdbTriggersActive(const ConfigStore& config)
{
    const QString key = QString::fromLatin1(kGdbTriggersActive);
    if (!config.exists(key))
        return -1;
    return config.readInt(key) == 1 ? 1 : 0;
}

} // namespace base
