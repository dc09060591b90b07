#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>

class QPushButton;

namespace base {
class Run;
}

namespace draw {

// The "Before" screen of "7. Sheets ": what is done between the entries and the meeting,
// first of all "Draw Athletes". The sheets' options are given by the desktop program's
// wiring, so that areas above the draws can add theirs; an option without an opener is
// shown disabled.
class BeforeForm : public QDialog {
    Q_OBJECT
public:
    struct Option {
        QString text;
        std::function<void(QWidget* parent, base::Run& run)> open;
        QString tip; // what the screen is for
    };

    BeforeForm(base::Run& run, const QList<Option>& options, QWidget* parent = nullptr);

    QPushButton* button(const QString& text) const;

private:
    QList<QPushButton*> m_buttons;
};

// The Before screen with "Draw Athletes" and the further options.
void openBefore(QWidget* parent, base::Run& run, const QList<BeforeForm::Option>& more);

} // namespace draw
