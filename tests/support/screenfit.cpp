#include "screenfit.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace testing_support {

namespace {

QString sizeText(const QSize& size)
{
    return QString::number(size.width()) + QStringLiteral(" x ") + QString::number(size.height());
}

} // namespace

QStringList offTheDesktop(std::initializer_list<QWidget*> screens)
{
    QStringList lines;
    for (QWidget* screen : screens) {
        const QScreen* desktop =
            screen->screen() ? screen->screen() : QGuiApplication::primaryScreen();
        // The smallest desktop the program is made for; tests run on one of that size.
        if (desktop->size() != QSize(1024, 768)) {
            lines << QStringLiteral("The desktop is ") + sizeText(desktop->size()) +
                         QStringLiteral(", not 1024 x 768");
            return lines;
        }
        const QSize room = desktop->availableGeometry().size();
        const bool wasHidden = !screen->isVisible();
        screen->show();
        QCoreApplication::sendPostedEvents();
        const QSize taken = screen->frameGeometry().size();
        if (taken.width() > room.width() || taken.height() > room.height()) {
            const QString title = screen->windowTitle().isEmpty()
                                      ? QString::fromLatin1(screen->metaObject()->className())
                                      : screen->windowTitle();
            lines << title + QStringLiteral(": ") + sizeText(taken) + QStringLiteral(" on ") +
                         sizeText(room);
        }
        if (wasHidden)
            screen->hide();
    }
    return lines;
}

} // namespace testing_support
