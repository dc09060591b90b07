// Normalising performance texts: a million typed or imported texts of every format, read
// and written canonically. Prints the rate.

#include "base/messages.h"
#include "meeting/itemtypes.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>

#include <cstdio>
#include <ctime>

namespace {

class CountingSink : public base::MessageSink {
public:
    void beep(bool) override {}
    base::Answer show(base::MessageKind, const QString&, const QString&,
                      const QStringList&) override
    {
        ++shown;
        return {};
    }
    base::Answer askText(const QString&, const QString&, const QString&, bool) override
    {
        return {};
    }
    QString chooseFile(const QString&, const QString&) override { return {}; }
    void progress(const QString&, const QString&, int, int) override {}
    void progressDone() override {}
    int shown = 0;
};

struct Sample {
    QString code;
    QString text;
};

// Texts as people type them: short forms, missing zeros, decimal commas, full forms.
QList<Sample> samples(int count)
{
    const char* const codes[] = {"FRE_____25F11W", "FRE____100M19W", "FRE____800M17W",
                                 "FRE___3000M19W", "BRE____200F15W", "M_R4X100__M99W"};
    QRandomGenerator random(2024);
    QList<Sample> list;
    list.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int seconds = int(random.bounded(20 * 60));
        const int hundredths = int(random.bounded(100));
        QString text;
        switch (i % 4) {
        case 0:
            text = QStringLiteral("%1.%2").arg(seconds).arg(hundredths, 2, 10, QLatin1Char('0'));
            break;
        case 1:
            text =
                QStringLiteral("%1:%2.%3").arg(seconds / 60).arg(seconds % 60).arg(hundredths / 10);
            break;
        case 2:
            text = QStringLiteral("%1:%2,%3")
                       .arg(seconds / 60)
                       .arg(seconds % 60, 2, 10, QLatin1Char('0'))
                       .arg(hundredths, 2, 10, QLatin1Char('0'));
            break;
        default:
            text = QStringLiteral("0%1:%2.%3")
                       .arg(seconds / 60)
                       .arg(seconds % 60, 2, 10, QLatin1Char('0'))
                       .arg(hundredths, 2, 10, QLatin1Char('0'));
        }
        list.append({QString::fromLatin1(codes[i % 6]), text});
    }
    return list;
}

} // namespace

int main()
{
    CountingSink sink;
    base::Messages messages(sink);
    const meeting::ItemTypes items(meeting::Edition::Swimming, messages);
    constexpr int kCount = 1000000;
    const QList<Sample> list = samples(kCount);

    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpuStart = std::clock();
    qsizetype characters = 0;
    for (const Sample& s : list)
        characters += items.NormalisePerf(s.code, s.text).value_or(QString()).size();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const double cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;

    // The processor time is the figure to compare on a shared machine.
    std::printf("normalised %d performance texts in %.3f s (%.3f s of processor time): "
                "%.0f texts/s, %.0f ns each by processor time; %lld characters written, "
                "%d messages\n",
                kCount, seconds, cpuSeconds, kCount / cpuSeconds, cpuSeconds * 1e9 / kCount,
                static_cast<long long>(characters), sink.shown);
    return sink.shown == 0 ? 0 : 1;
}
