#include "base/forms/screensize.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace base {

void resizeWithinDesktop(QWidget* screen, const QSize& wanted)
{
    const QScreen* desktop = screen->screen() ? screen->screen() : QGuiApplication::primaryScreen();
    if (!desktop) {
        screen->resize(wanted);
        return;
    }
    // Room for the window's frame and title, which the available area does not leave out.
    const QSize room = desktop->availableSize() - QSize(16, 48);
    screen->resize(wanted.boundedTo(room));
}

} // namespace base
