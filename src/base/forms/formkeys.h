#pragma once

#include <QList>
#include <QString>

#include <functional>

class QBoxLayout;
class QGridLayout;
class QPushButton;
class QWidget;

namespace base {

// A key that acts only while `list` has the focus: Space to tick a row, Enter to edit it.
// Enter covers both the main and the keypad key.
void onListKey(QWidget* list, int key, std::function<void()> action);

// An action button of a screen. It never becomes the default button, so Enter stays with
// the list it acts on. `tip` says in plain words what the button does.
QPushButton* actionButton(QWidget* owner, const QString& text, const QString& tip,
                          std::function<void()> action);
QPushButton* actionButton(QWidget* owner, const QString& text, std::function<void()> action);
// The same, placed in a grid of actions or in a row of them.
QPushButton* addActionButton(QGridLayout* grid, int row, int column, const QString& text,
                             const QString& tip, std::function<void()> action);
QPushButton* addActionButton(QGridLayout* grid, int row, int column, const QString& text,
                             std::function<void()> action);
QPushButton* addActionButton(QBoxLayout* row, const QString& text, const QString& tip,
                             std::function<void()> action);
QPushButton* addActionButton(QBoxLayout* row, const QString& text, std::function<void()> action);

// One button of a row of actions.
struct Action {
    QString text;
    std::function<void()> run;
    QString tip;
};
// The buttons of `actions` added to a row in their order.
void addActionButtons(QBoxLayout* row, const QList<Action>& actions);

} // namespace base
