#include "support/editionrun.h"

#include "db/connect.h"
#include "meeting/runservices.h"

namespace testing_support {

void restartRunAs(std::unique_ptr<base::Run>& run, base::ScriptedSink& sink, const QString& path,
                  const QString& applicationCode)
{
    run.reset();
    run = std::make_unique<base::Run>(sink, applicationCode);
    meeting::createRunSettings(*run);
    db::ConnectOptions options;
    options.offerSelect = false;
    ASSERT_TRUE(db::connectTo(*run, path, options));
}

} // namespace testing_support
