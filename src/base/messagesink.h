#pragma once

#include <QString>
#include <QStringList>

namespace base {

enum class MessageKind { Warning, Information, Note, Confirm, Error, DeveloperNote, Question };

// What the user answered. Buttons beyond Yes/No/Cancel are answered by their index in
// the button list through `button`.
struct Answer {
    enum Choice { Ok, Yes, No, Cancel, YesToAll, NoToAll, Button };
    Answer(Choice c = Ok, int b = -1, QString t = QString())
        : choice(c), button(b), text(std::move(t))
    {
    }
    Choice choice;
    int button;
    QString text; // for text prompts
};

// Where the messages of one run go: dialogs on the desktop, the console in the CLI, a
// script in the tests. Texts arrive complete; line breaks are "\r" as in the stored
// texts and each sink shows them as line breaks.
class MessageSink {
public:
    virtual ~MessageSink() = default;

    virtual void beep(bool errorBeep) = 0;
    // A box of `kind` with `text` and the buttons it needs: Ok, Yes/No, Yes/No/Yes to
    // all/No to all, Yes/No/Cancel, or the named buttons of `buttons`.
    virtual Answer show(MessageKind kind, const QString& title, const QString& text,
                        const QStringList& buttons) = 0;
    // A line of text asked from the user, starting from `current`; `secret` hides what is
    // typed.
    virtual Answer askText(const QString& title, const QString& prompt, const QString& current,
                           bool secret) = 0;
    // A date "yyyy/MM/dd" asked from the user, starting from `current` (today when it is
    // not a date). Sinks without a date editor ask for the text.
    virtual Answer askDate(const QString& title, const QString& prompt, const QString& current)
    {
        return askText(title, prompt, current, false);
    }
    // A file to open; empty when cancelled.
    virtual QString chooseFile(const QString& title, const QString& filter) = 0;
    // Progress of long work; max 0 shows a busy indicator, done() hides it.
    virtual void progress(const QString& title, const QString& text, int position, int max) = 0;
    virtual void progressDone() = 0;
};

// The standard button sets of show().
namespace buttons {
inline const QStringList ok{QStringLiteral("OK")};
inline const QStringList yesNo{QStringLiteral("Yes"), QStringLiteral("No")};
inline const QStringList yesNoAll{QStringLiteral("Yes"), QStringLiteral("No"),
                                  QStringLiteral("Yes to all"), QStringLiteral("No to all")};
inline const QStringList yesNoCancel{QStringLiteral("Yes"), QStringLiteral("No"),
                                     QStringLiteral("Cancel")};
} // namespace buttons

} // namespace base
