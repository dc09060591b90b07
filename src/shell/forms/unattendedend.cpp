#include "shell/forms/unattendedend.h"

#include "shell/forms/qtdialogsink.h"
#include "shell/runloop.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

namespace shell {

UnattendedEnd::UnattendedEnd(QtDialogSink& sink, RunLoop& loop) : m_sink(sink), m_loop(loop)
{
    m_timer.setInterval(50);
    connect(&m_timer, &QTimer::timeout, this, [this] { closeScreens(); });
}

void UnattendedEnd::begin()
{
    if (begun())
        return;
    m_sink.setUnattended();
    m_loop.stop();
    closeScreens();
    m_timer.start();
}

void UnattendedEnd::closeScreens()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QPointer<QWidget> screen(window);
        if (!screen->isVisible())
            continue;
        if (auto* dialog = qobject_cast<QDialog*>(screen.data()))
            dialog->done(QDialog::Rejected); // a screen's own done() saves what it keeps
        else
            screen->close();
        // A screen that would rather ask first is hidden: hiding ends its modal loop too.
        if (screen && screen->isVisible())
            screen->hide();
    }
}

} // namespace shell
