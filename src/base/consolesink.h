#pragma once

#include "base/messagesink.h"

namespace base {

// The CLI's sink: warnings and errors to stderr, information to stdout, questions read as
// y/n from a terminal. `--yes` / `--no` answer every question; without either and without
// a terminal the answer is No.
class ConsoleSink : public MessageSink {
public:
    enum class Preset { None, Yes, No };
    explicit ConsoleSink(Preset preset = Preset::None) : m_preset(preset) {}

    void setQuiet(bool quiet) { m_quiet = quiet; }
    void beep(bool) override {}
    Answer show(MessageKind kind, const QString& title, const QString& text,
                const QStringList& buttons) override;
    Answer askText(const QString& title, const QString& prompt, const QString& current,
                   bool secret) override;
    QString chooseFile(const QString& title, const QString& filter) override;
    void progress(const QString&, const QString&, int, int) override {}
    void progressDone() override {}

    // The text as a terminal shows it: "\r" and "\r\n" become line breaks.
    static QString plain(const QString& text);

private:
    Preset m_preset;
    bool m_quiet = false;
};

} // namespace base
