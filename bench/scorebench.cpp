// Table scores: a million decathlon performances scored with the hand-time and altitude
// corrections, and the performances worth a range of scores. Prints the rates.

#include "base/messages.h"
#include "base/silentsink.h"
#include "meeting/itemtypes.h"
#include "scoring/perftoscore.h"

#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>

int main()
{
    base::SilentSink sink;
    base::Messages messages(sink);
    meeting::ItemTypes items(meeting::Edition::Athletics, messages);
    scoring::TableScores scores(items, messages);
    const QStringList codes{"SHD____100M25", "JMPLong___M25", "THRShotputM25", "JMPHigh___M25",
                            "SHD____400M25", "HDL____110M25", "THRDiscus_M25", "JMPPole___M25",
                            "THRJavelinM25", "LOD___1500M25"};
    const QStringList perfs{"11.22", "7.30",  "13.04", "2.20",  "0:49.26",
                            "14.96", "35.96", "4.00",  "52.32", "04:38.49"};
    constexpr int kRounds = 100000;
    QElapsedTimer timer;
    timer.start();
    qint64 total = 0;
    for (int r = 0; r < kRounds; ++r) {
        for (int i = 0; i < codes.size(); ++i)
            total += scores.PerfToScore(5, codes[i], perfs[i], r % 2000, r % 2 == 0).value_or(0);
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("PerfToScore: %d scores in %.3f s, %.0f per second (checksum %lld)\n",
                kRounds * int(codes.size()), seconds, kRounds * codes.size() / seconds,
                static_cast<long long>(total));
    timer.restart();
    double sum = 0;
    int count = 0;
    for (int r = 0; r < 1000; ++r) {
        for (int points = 100; points <= 1000; points += 10, ++count)
            sum += scores.ScoreToPerf(5, codes[r % codes.size()], points, 0, true).value_or(0);
    }
    const double inverse = timer.nsecsElapsed() / 1e9;
    std::printf("ScoreToPerf: %d performances in %.3f s, %.0f per second (checksum %.2f)\n", count,
                inverse, count / inverse, sum);
    return 0;
}
