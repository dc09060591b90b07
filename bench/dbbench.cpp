// Times the database basics on the embedded engine: creating the empty database,
// connecting, drawing key numbers and single-statement modify transactions.
// usage: dbbench [COUNT]   (default 10000)

#include "base/run.h"
#include "base/scriptedsink.h"
#include "db/connect.h"
#include "db/dmdcoredbs.h"
#include "db/schemacreate.h"
#include "db/sqltext.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void report(const char* what, qint64 ms, int count = 0)
{
    if (count > 0)
        std::printf("%-44s %8lld ms  %10.0f per second\n", what, ms,
                    ms > 0 ? count * 1000.0 / double(ms) : 0.0);
    else
        std::printf("%-44s %8lld ms\n", what, ms);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir dir;
    qputenv("DOLVANE_CONFIG_DIR", dir.path().toUtf8());
    const QString path = dir.path() + "/bench.gdb";
    base::ScriptedSink sink;
    QElapsedTimer timer;

    {
        base::Messages messages(sink);
        timer.start();
        if (!db::createEmptyDatabase(messages, path)) {
            std::fprintf(stderr, "could not create %s\n", qPrintable(path));
            return 1;
        }
        report("create the empty database", timer.elapsed());
    }

    base::Run run(sink);
    db::ConnectOptions options;
    options.offerSelect = false;
    timer.restart();
    if (!db::connectTo(run, path, options))
        return 1;
    report("connect (login, recognise, version check)", timer.elapsed());
    db::DmdCoreDbs& database = *run.database();

    timer.restart();
    qint64 last = 0;
    for (int i = 0; i < count; ++i)
        last = database.nextKeyNumber();
    report(qPrintable(QString("draw %1 key numbers").arg(count)), timer.elapsed(), count);

    timer.restart();
    for (int i = 0; i < count; ++i)
        database.execute("insert into CONFIG (SLOT, THEVALUE) values (" +
                         db::quoted("BENCH" + QString::number(i)) + ", 'x')");
    report(qPrintable(QString("%1 single-statement inserts").arg(count)), timer.elapsed(), count);

    timer.restart();
    for (int i = 0; i < count; ++i)
        database.execute("update CONFIG set THEVALUE = 'y' where SLOT = " +
                         db::quoted("BENCH" + QString::number(i)));
    report(qPrintable(QString("%1 single-statement updates").arg(count)), timer.elapsed(), count);

    timer.restart();
    database.startBatch();
    for (int i = 0; i < count; ++i)
        database.batchExecute("update CONFIG set THEVALUE = 'z' where SLOT = " +
                              db::quoted("BENCH" + QString::number(i)));
    database.commitBatch();
    report(qPrintable(QString("%1 updates in one batch transaction").arg(count)), timer.elapsed(),
           count);
    std::printf("last key %lld, %d messages\n", last, int(sink.shown().size()));
    return 0;
}
