#include "shell/forms/qtdialogsink.h"
#include "shell/run.h"
#include "db/connect.h"
#include "db/dmdcoredbs.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    shell::QtDialogSink sink;
    shell::Run run(sink);
    db::ConnectOptions options;
    if (!db::connectDatabase(run, options))
        return 1;
    run.messages().information(db::currentDatabaseText(run));
    return 0;
}
