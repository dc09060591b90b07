#pragma once

#include "base/messagesink.h"
#include "base/silentsink.h"

#include <QStringList>

#include <memory>

class QProgressDialog;
class QWidget;

namespace shell {

// The desktop's sink: message boxes centred on the screen, a progress dialog for long
// work, file dialogs.
class QtDialogSink : public base::MessageSink {
public:
    QtDialogSink();
    ~QtDialogSink() override;

    void beep(bool errorBeep) override;
    base::Answer show(base::MessageKind kind, const QString& title, const QString& text,
                      const QStringList& buttons) override;
    base::Answer askText(const QString& title, const QString& prompt, const QString& current,
                         bool secret) override;
    base::Answer askDate(const QString& title, const QString& prompt,
                         const QString& current) override;
    QString chooseFile(const QString& title, const QString& filter) override;
    void progress(const QString& title, const QString& text, int position, int max) override;
    void progressDone() override;

    // From now on nobody is there to answer (the program is being ended by the system): no
    // box is shown, the texts go to the error output, questions are answered No or Cancel
    // and nothing is chosen.
    void setUnattended();
    bool unattended() const { return m_unattended; }

    // The buttons' texts with a key letter each ("&Yes", "&No", ...): the first letter of
    // the text that no button before it took. Texts that carry one keep it.
    static QStringList withKeyLetters(const QStringList& texts);

private:
    std::unique_ptr<QProgressDialog> m_progress;
    bool m_unattended = false;
    base::SilentSink m_nobody;
};

} // namespace shell
