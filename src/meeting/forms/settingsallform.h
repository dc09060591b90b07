#pragma once

#include <QDialog>

#include <functional>
#include <map>

namespace base {
class Run;
}

namespace meeting {

// "Settings: All": one panel per settings screen, each opening that screen. A screen that
// no opener serves yet is shown disabled.
class SettingsAllForm : public QDialog {
    Q_OBJECT
public:
    using Opener = std::function<void(QWidget* parent, base::Run& run)>;
    // Openers by the main screen's button texts ("Settings: Athletes" ...).
    SettingsAllForm(base::Run& run, std::map<QString, Opener> openers, QWidget* parent = nullptr);

    // The panels in their order: label and the button text of the screen it opens.
    static const QList<std::pair<QString, QString>>& panels();
};

} // namespace meeting
