#include "untippedbuttons.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QWidget>

namespace testing_support {

namespace {

bool isScreenButton(const QAbstractButton& button)
{
    if (!qobject_cast<const QPushButton*>(&button) && !qobject_cast<const QToolButton*>(&button))
        return false;
    const QObject* parent = button.parent();
    return !qobject_cast<const QTabBar*>(parent) &&
           !qobject_cast<const QAbstractItemView*>(parent) &&
           !qobject_cast<const QLineEdit*>(parent);
}

} // namespace

QStringList untippedButtons(const QWidget& screen)
{
    QStringList missing;
    const QString title = screen.windowTitle().isEmpty()
                              ? QString::fromLatin1(screen.metaObject()->className())
                              : screen.windowTitle();
    for (const QAbstractButton* button : screen.findChildren<QAbstractButton*>()) {
        if (!isScreenButton(*button) || button->isHidden() || !button->toolTip().isEmpty())
            continue;
        const QString text = button->text().isEmpty() ? button->objectName() : button->text();
        missing << title + QStringLiteral(": ") + text;
    }
    return missing;
}

QStringList untippedButtons(std::initializer_list<const QWidget*> screens)
{
    QStringList missing;
    for (const QWidget* screen : screens)
        missing << untippedButtons(*screen);
    return missing;
}

std::string listed(const QStringList& lines)
{
    return lines.join(QLatin1Char('\n')).toStdString();
}

} // namespace testing_support
