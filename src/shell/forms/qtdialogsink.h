#pragma once

#include "base/messagesink.h"

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

    // The buttons' texts with a key letter each ("&Yes", "&No", ...): the first letter of
    // the text that no button before it took. Texts that carry one keep it.
    static QStringList withKeyLetters(const QStringList& texts);

private:
    std::unique_ptr<QProgressDialog> m_progress;
};

} // namespace shell
