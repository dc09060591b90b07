#include "shell/eventsetting.h"

#include "shell/run.h"

namespace shell {

namespace {

const QString kKey = QString::fromLatin1(kGdbTriggersActive);

} // namespace

int gdbTriggersActive(Run& run)
{
    if (!run.config().exists(kKey))
        return -1;
    return run.config().readInt(kKey) == 1 ? 1 : 0;
}

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

void disableInterbaseEvents(Run& run)
{
    switch (run.messages().yesNoCancel(eventSettingQuestion(gdbTriggersActive(run)))) {
    case YesNoCancel::Yes:
        run.config().writeInt(kKey, 1);
        break;
    case YesNoCancel::No:
        run.config().writeInt(kKey, 0);
        break;
    case YesNoCancel::Cancel:
        break;
    }
}

} // namespace shell
