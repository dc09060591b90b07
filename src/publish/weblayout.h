#pragma once

#include <QString>

#include <optional>

namespace meeting {
class ItemTypes;
}

namespace publish {

// The names of the web site's files.
inline constexpr char kMeetingIndex[] = "MeetingIndex.html";
inline constexpr char kProgramPage[] = "Program.html";
inline constexpr char kStartersPage[] = "Starters.html";
inline constexpr char kSequenceIndex[] = "ResultsIndexSeq.html";
inline constexpr char kItemIndex[] = "ResultsIndexGrp.html";

// "Day" + d.
QString dayFolderName(int day);

// The results page of a heat or final: the sequence in three digits, the item code, the
// round letter with the heat number and the program row, "_" between them:
// 007_SHD____100M19_A3_1234.html.
QString resultsFileName(int seq, const QString& itemCode, const QString& round, int heatNo,
                        qint64 programNo);
// The program row a results page was written for; empty for any other file name.
std::optional<qint64> programNoOfResultsFile(const QString& fileName);

// The item part of a group page: the first 13 characters of the item code of a track
// item, the first 10 (the item type, every age and gender) of a field item.
QString groupPart(const meeting::ItemTypes& items, const QString& itemCode);
QString groupFileName(const meeting::ItemTypes& items, const QString& itemCode);

// A file the day folders keep besides the results pages: the indexes, group pages, the
// program, the start lists, vertical-jump histories.
bool isDayPageName(const QString& fileName);

} // namespace publish
