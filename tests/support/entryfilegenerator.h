#pragma once

// A generator of competitor files of any size, shaped like a championship's entries: teams,
// swimmers of both genders over eight ages, each entered in a few individual items with a
// best time in the item's canonical form. Header-only so that the benchmarks (which link
// the core only) and the tests share it.

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <iterator>

namespace testing_support {

struct EntryFileShape {
    int teams = 60;
    int swimmers = 1500;
    int entriesPerSwimmer = 4;
    quint32 seed = 2026;
};

struct GeneratedEntries {
    QByteArray csv;        // UTF-8, a header line, comma-delimited
    QStringList itemCodes; // every item the file enters: the meeting's events
    int teams = 0;
    int swimmers = 0;
    int entries = 0;
};

// Column layout of the generated file, for the import's setup.
struct GeneratedLayout {
    static constexpr int surname = 1;
    static constexpr int firstName = 2;
    static constexpr int gender = 3;
    static constexpr int age = 4;
    static constexpr int team = 5;
    static constexpr int number = 6;
    static constexpr int itemFirst = 7; // item, best, item, best ...
};

inline GeneratedEntries generateEntries(const EntryFileShape& shape)
{
    static const char* surnames[] = {
        "NEL",     "BOTHA",      "O'NEIL",    "MÜLLER",    "DU PLESSIS", "NGCOBO",   "VAN WYK",
        "SMITH",   "DLAMINI",    "PILLAY",    "JOUBERT",   "KHUMALO",    "FOURIE",   "NAIDOO",
        "LE ROUX", "MOKOENA",    "COETZEE",   "D'ALMEIDA", "VENTER",     "MAHLANGU", "BRANDT",
        "ROSSOUW", "GOUWS",      "ZULU",      "SÁNCHEZ",   "VILJOEN",    "MOLEFE",   "KRUGER",
        "NKOSI",   "STEYN",      "PRETORIUS", "HENDRIKS",  "NAUDÉ",      "MEYER",    "LOUW",
        "SIBIYA",  "OOSTHUIZEN", "GOVENDER",  "MARAIS",    "ADAMS"};
    static const char* firstNames[] = {
        "Anna", "Ben",   "Chloë", "Dawid", "Emma",  "Frans",  "Grace", "Hugo",   "Iman",  "Jan",
        "Kea",  "Lwazi", "Mia",   "Nico",  "Olé",   "Pieter", "Quinn", "Ruan",   "Sara",  "Thabo",
        "Uma",  "Vusi",  "Wian",  "Xola",  "Yusuf", "Zoë",    "Adri",  "Bonga",  "Cara",  "Dineo",
        "Elsa", "Femi",  "Gert",  "Hanna", "Ilse",  "Jody",   "Karin", "Lerato", "Marco", "Nadia"};
    static const char* strokes[][2] = {
        {"FRE", "Freestyle"}, {"BRE", "Breaststroke"}, {"BCK", "Backstroke"}, {"BFL", "Butterfly"}};
    const int surnameCount = int(std::size(surnames));
    const int firstCount = int(std::size(firstNames));

    // Ten individual items per gender and age: three free, two of each other stroke, and
    // the 200 m individual medley.
    struct Item {
        QString group;
        QString type;
        QString name;
        int metres;
    };
    QList<Item> items;
    for (int s = 0; s < 4; ++s) {
        for (int metres : {50, 100, 200}) {
            if (metres == 200 && s > 0)
                continue;
            items.append({QString::fromLatin1(strokes[s][0]),
                          QString::number(metres).rightJustified(7, QLatin1Char('_')),
                          QString::number(metres) + QStringLiteral("m ") +
                              QString::fromLatin1(strokes[s][1]),
                          metres});
        }
    }
    items.append({QStringLiteral("I_M"), QStringLiteral("4X50___"),
                  QStringLiteral("200m(4X50) IndMedl"), 200});

    QRandomGenerator random(shape.seed);
    GeneratedEntries out;
    out.teams = shape.teams;
    out.swimmers = shape.swimmers;
    QStringList header{"Surname", "Firstname", "Gender", "Age", "Team", "Number"};
    for (int e = 1; e <= shape.entriesPerSwimmer; ++e)
        header << QStringLiteral("Item") + QString::number(e) << QStringLiteral("Best");
    QString text = header.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    QSet<QString> codes;
    for (int i = 0; i < shape.swimmers; ++i) {
        const QString gender = i % 2 == 0 ? QStringLiteral("M") : QStringLiteral("F");
        const int age = 10 + (i / 2) % 8;
        QStringList cells{QString::fromUtf8(surnames[i % surnameCount]),
                          QString::fromUtf8(firstNames[(i / surnameCount) % firstCount]),
                          gender,
                          QString::number(age),
                          QStringLiteral("T") + QString::number(i % shape.teams + 1),
                          QString::number(i + 1)};
        QList<int> chosen;
        while (int(chosen.size()) < std::min(shape.entriesPerSwimmer, int(items.size()))) {
            const int pick = int(random.bounded(int(items.size())));
            if (!chosen.contains(pick))
                chosen.append(pick);
        }
        for (int pick : chosen) {
            const Item& item = items[pick];
            // About 0.6 to 0.9 s a metre: a plausible seed time in "m:ss.dd".
            const int hundredths = item.metres * (60 + int(random.bounded(30)));
            const QString best = QString::number(hundredths / 6000) + QLatin1Char(':') +
                                 QString::number(hundredths / 100 % 60).rightJustified(2, '0') +
                                 QLatin1Char('.') +
                                 QString::number(hundredths % 100).rightJustified(2, '0');
            cells << item.name << best;
            codes.insert(item.group + item.type + gender +
                         QString::number(age).rightJustified(2, QLatin1Char('0')) +
                         QStringLiteral("W"));
            ++out.entries;
        }
        text += cells.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    out.csv = text.toUtf8();
    out.itemCodes = QStringList(codes.begin(), codes.end());
    out.itemCodes.sort();
    return out;
}

} // namespace testing_support
