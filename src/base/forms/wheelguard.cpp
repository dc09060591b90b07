#include "base/forms/wheelguard.h"

#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QEvent>

namespace base {

namespace {

class WheelGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QAbstractSpinBox*>(watched);
        if (!box)
            return false;
        if (event->type() == QEvent::Polish) {
            // Clicked or tabbed into, never focused by a passing wheel.
            box->setFocusPolicy(Qt::StrongFocus);
            return false;
        }
        if (event->type() == QEvent::Wheel && !box->hasFocus()) {
            // Not taken here: the application hands the wheel on to the parent, which
            // scrolls.
            event->ignore();
            return true;
        }
        return false;
    }
};

} // namespace

void installWheelGuard(QCoreApplication& application)
{
    static const char* const kInstalled = "dolvaneWheelGuard";
    if (application.property(kInstalled).toBool())
        return;
    application.installEventFilter(new WheelGuard(&application));
    application.setProperty(kInstalled, true);
}

} // namespace base
