#include "shell/eventsetting.h"

#include "base/run.h"
#include "base/triggersetting.h"

namespace shell {

QString eventSettingQuestion(int state)
{
    QString text;
    if (state == 1)
        text = QStringLiteral("The Firebird database messages is currently set \"ON\".");
    else if (state == 0)
        text = QStringLiteral("The Firebird database messages is currently set \"OFF\".");
    else
        text = QStringLiteral("The Firebird database messages is not set \"ON\" or \"OFF\" yet.");
    return text +
           QStringLiteral("\r\rDolvane uses these messages to communicate between its programs,\r"
                          "for example between the call room and the capturing of results.\r"
                          "On some computers and networks they can delay the start of the "
                          "program by minutes.\r\rDo you want these messages on?\r"
                          "(Yes=Switch on,  No=Switch off,  Cancel=Leave it as is");
}

void disableInterbaseEvents(base::Run& run)
{
    switch (
        run.messages().yesNoCancel(eventSettingQuestion(base::gdbTriggersActive(run.config())))) {
    case base::YesNoCancel::Yes:
        run.config().writeInt(QString::fromLatin1(base::kGdbTriggersActive), 1);
        break;
    case base::YesNoCancel::No:
        run.config().writeInt(QString::fromLatin1(base::kGdbTriggersActive), 0);
        break;
    case base::YesNoCancel::Cancel:
        break;
    }
}

} // namespace shell
