#include "base/forms/formkeys.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QPushButton>
#include <QShortcut>

namespace base {

void onListKey(QWidget* list, int key, std::function<void()> action)
{
    const QList<int> keys = key == Qt::Key_Return || key == Qt::Key_Enter
                                ? QList<int>{Qt::Key_Return, Qt::Key_Enter}
                                : QList<int>{key};
    for (const int k : keys) {
        auto* shortcut = new QShortcut(QKeySequence(k), list);
        shortcut->setContext(Qt::WidgetShortcut);
        QObject::connect(shortcut, &QShortcut::activated, list, action);
    }
}

QPushButton* actionButton(QWidget* owner, const QString& text, const QString& tip,
                          std::function<void()> action)
{
    auto* button = new QPushButton(text, owner);
    button->setAutoDefault(false);
    button->setToolTip(tip);
    QObject::connect(button, &QPushButton::clicked, button, std::move(action));
    return button;
}

QPushButton* actionButton(QWidget* owner, const QString& text, std::function<void()> action)
{
    return actionButton(owner, text, QString(), std::move(action));
}

QPushButton* addActionButton(QGridLayout* grid, int row, int column, const QString& text,
                             const QString& tip, std::function<void()> action)
{
    // the layout adopts the button
    QPushButton* button = actionButton(nullptr, text, tip, std::move(action));
    grid->addWidget(button, row, column);
    return button;
}

QPushButton* addActionButton(QGridLayout* grid, int row, int column, const QString& text,
                             std::function<void()> action)
{
    return addActionButton(grid, row, column, text, QString(), std::move(action));
}

QPushButton* addActionButton(QBoxLayout* row, const QString& text, const QString& tip,
                             std::function<void()> action)
{
    QPushButton* button = actionButton(nullptr, text, tip, std::move(action));
    row->addWidget(button);
    return button;
}

QPushButton* addActionButton(QBoxLayout* row, const QString& text, std::function<void()> action)
{
    return addActionButton(row, text, QString(), std::move(action));
}

void addActionButtons(QBoxLayout* row, const QList<Action>& actions)
{
    for (const Action& a : actions)
        addActionButton(row, a.text, a.tip, a.run);
}

} // namespace base
