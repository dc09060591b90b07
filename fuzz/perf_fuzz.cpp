// Any text, as typed or read from a file, through the performance operations: they answer
// or report, and never crash, hang or throw. The input is "item code" NUL "text"; without
// a NUL the whole input is the text for one of a few fixed items of both editions.

#include "base/messages.h"
#include "meeting/itemtypes.h"

#include <cstddef>
#include <cstdint>

namespace {

class NullSink : public base::MessageSink {
public:
    void beep(bool) override {}
    base::Answer show(base::MessageKind, const QString&, const QString& text,
                      const QStringList&) override
    {
        shown += int(text.size() > 0);
        return {base::Answer::No};
    }
    base::Answer askText(const QString&, const QString&, const QString&, bool) override
    {
        return {base::Answer::Cancel};
    }
    QString chooseFile(const QString&, const QString&) override { return {}; }
    void progress(const QString&, const QString&, int, int) override {}
    void progressDone() override {}
    int shown = 0;
};

void exercise(const meeting::ItemTypes& items, const QString& code, const QString& text)
{
    meeting::ItemTypes::PerfIsBlank(text);
    meeting::ItemTypes::PerfLooksValid(text);
    meeting::ItemTypes::FixDecimalComma(text);
    meeting::ItemTypes::WindIsEmpty(text);
    if (const std::optional<double> value = items.PerfTextToValue(text)) {
        items.PerfValueToText(code, *value, false);
        items.PerfValueToText(code, *value, true);
    }
    const std::optional<QString> normal = items.NormalisePerf(code, text);
    const bool accepted = items.CheckPerfFormat(code, text, true);
    // What the check accepts is already canonical.
    if (accepted && normal != text)
        __builtin_trap();
    items.AddThirdDigit(code, text, text.left(1));
    items.CheckWindText(text, true);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static NullSink sink;
    static base::Messages messages(sink);
    static const meeting::ItemTypes swim(meeting::Edition::Swimming, messages);
    static const meeting::ItemTypes athletics(meeting::Edition::Athletics, messages);
    static const char* const codes[] = {"FRE____100M19W", "FRE___1500M19W", "SHD____100M19",
                                        "RDR__42200F99",  "JMPHigh___F15",  "THRJavelinM19",
                                        "NTH_____10M19",  "REL4X1MILEM99"};

    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    if (split >= 0) {
        const QString code = QString::fromUtf8(input.left(split));
        const QString text = QString::fromUtf8(input.mid(split + 1));
        exercise(swim, code, text);
        exercise(athletics, code, text);
        swim.ItemDescription(code, true);
        athletics.RelayLegs(code);
        athletics.WindKind(code);
        return 0;
    }
    // The first byte picks the item; the whole input is the text.
    const QString code = QString::fromLatin1(codes[size > 0 ? data[0] % 8 : 0]);
    exercise(code.endsWith(QLatin1Char('W')) ? swim : athletics, code, QString::fromUtf8(input));
    return 0;
}
