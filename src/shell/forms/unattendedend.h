#pragma once

#include <QObject>
#include <QTimer>

namespace shell {

class QtDialogSink;
class RunLoop;

// The end of the desktop program when nobody is there to answer (the system asked it to
// stop): the messages stop asking, the run loop makes this pass its last, and every open
// screen is closed as Escape closes it, again and again while screens remain, since a
// screen that closes may show the one below it again. The pass then ends as after
// "Exit": the database is closed and the program ends.
class UnattendedEnd : public QObject {
public:
    UnattendedEnd(QtDialogSink& sink, RunLoop& loop);

    void begin();
    bool begun() const { return m_timer.isActive(); }

private:
    void closeScreens();

    QtDialogSink& m_sink;
    RunLoop& m_loop;
    QTimer m_timer;
};

} // namespace shell
