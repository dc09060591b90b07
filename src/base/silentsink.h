#pragma once

#include "base/messagesink.h"

namespace base {

// A sink for work that must stay quiet (probing a file, a trial connection): shows
// nothing, answers every question with No (or Cancel) and every prompt with nothing.
class SilentSink : public MessageSink {
public:
    void beep(bool) override {}
    Answer show(MessageKind kind, const QString&, const QString&,
                const QStringList& buttons) override
    {
        if (kind != MessageKind::Confirm && kind != MessageKind::Question)
            return Answer(Answer::Ok);
        return Answer(buttons.contains(QStringLiteral("Cancel")) ? Answer::Cancel : Answer::No);
    }
    Answer askText(const QString&, const QString&, const QString&, bool) override
    {
        return Answer(Answer::Cancel);
    }
    QString chooseFile(const QString&, const QString&) override { return QString(); }
    void progress(const QString&, const QString&, int, int) override {}
    void progressDone() override {}
};

} // namespace base
