#include "meeting/meetingcolumns.h"

namespace meeting {

namespace {

constexpr ColumnKind I = ColumnKind::Integer;
constexpr ColumnKind D = ColumnKind::Decimal;
constexpr ColumnKind T = ColumnKind::Text;

// The values are those of the swimming edition.
const QList<MeetingColumn> kColumns{
    // identity and calendar
    {"MEETINGNO", I, nullptr},
    {"OLDNO", I, nullptr},
    {"DESCRIPTION", T, nullptr},
    {"VENUE", T, nullptr},
    {"THEDATE", T, nullptr},
    {"DAY_COUNT", I, "1"},
    {"NOTES", T, nullptr},
    {"VALIDATED", I, "0"},
    {"T_COMMENT", T, nullptr},
    // athletes
    {"ATH_HAS_NUMBERS", I, "0"},
    {"HIDE_AUTO_ATH_NUM", I, "1"},
    {"ATH_HAS_BIRTHDATE", I, "0"},
    {"ATH_HAS_ID_NUMBERS", I, "0"},
    {"ATH_HAS_DEMOGRAPHICS", I, "0"},
    {"HAS_DEMOGRAPHICS", I, "0"},
    {"MAXPARTSPERATH", I, "3"},
    {"DO_AGE_DEFAULTING", I, "1"},
    {"DEFAULT_AGES", T, nullptr},
    {"OLDERSTARTAGE", I, "16"},
    {"AGE_DESC_TYPE", I, "0"},
    {"GRADE_NOT_AGE", I, nullptr},
    {"SHOW_ADD_DISABLED", I, "0"},
    {"HAS_MASTERS_ITEMS", I, nullptr},
    // capture
    {"HAS_WIND", I, "0"},
    {"HAS_PERF_HIST", I, "0"},
    {"HIST_PERF_COUNT", I, "6"},
    {"HIST_TIME_COUNT", I, "3"},
    {"HISTTIMES_AVG_NOT_BEST", I, "1"},
    {"PERFHIST_AVG_NOT_BEST", I, nullptr},
    {"RESULTS_VIEW_EXTERNAL", I, "0"},
    {"RESULTS_HAS_REVISIONS", I, "0"},
    {"HAS_DRAW_SUMMARIES", I, nullptr},
    {"USES_CALLROOM", I, "0"},
    {"CALLROOM_TRGR_ALL", I, "1"},
    {"VIEW_HEATS_COMPLEX", I, "0"},
    {"ELECHAND", I, "2"},
    {"ELEC_TIME_MODE", I, "0"},
    {"ELEC_TIME_PATH", T, "''"},
    {"ELEC_FOLDER", T, "''"},
    // program and draws
    {"DRAW_METHOD", I, "6"},
    {"DRAW_CONST_SPCFY", I, "0"},
    {"ROUND_SEQ_SAME", I, "0"},
    {"FINALS_ARE_RUN", I, "1"},
    {"DOLVANE_LANE_COUNT", I, "10"},
    {"XCD_TRACKCOUNT_110M", I, "8"},
    {"XCD_TRACKCOUNT_200M", I, "8"},
    {"XCD_TRACKCOUNT_400M", I, "8"},
    {"XCD_TRACKS_WARN", I, "1"},
    {"LONG_HEAT_ATHS_800M", I, "8"},
    {"LONG_HEAT_ATHS_1500M", I, "8"},
    {"LONG_HEAT_ATHS_3000M", I, "8"},
    {"LONG_HEAT_ATHS_5000M", I, "8"},
    {"PATTERN_LANE_COUNT", I, nullptr},
    {"HAS_BEST_BEFORES", I, "0"},
    // items and their grouping
    {"HAS_N_ATHLONS", I, "0"},
    {"SHOW_COMBINE", I, "0"},
    {"COMBINED_RESULTS_IS_ONE", I, "0"},
    {"SHOW_SPECIALISED", I, "0"},
    {"HAS_CATEGORIES", I, "0"},
    {"CATEGORIES_RECSET_EACH", I, nullptr},
    {"CURRENT_ADD_CATEGORY", T, nullptr},
    // winners, medals, scores and points
    {"SCORESETNO", I, "0"},
    {"NATHLON_SCORESET", I, "0"},
    {"HAS_TABLE_SCORE", I, "0"},
    {"HIDE_POINTS_ON_EVT_RSLTS", I, "1"},
    {"ATHLETESCOREBASIS", I, "1"},
    {"ATHLETESCOREEVENTS", I, "2"},
    {"TEAMSCOREBASIS", I, "1"},
    {"TEAMSCOREPLACES", I, nullptr},
    {"SHAREPLACEPOINTS", I, "1"},
    {"PLACEPOINTS", D, nullptr},
    {"RELAYPOINTS", D, nullptr},
    {"HAS_PLACE_POINTS", I, nullptr},
    {"COMP_PLACEPOINTS_HAS_SETS", I, "0"},
    {"COMP_PLACEPOINTS_IS_MIXED", I, nullptr},
    {"RCRD_TEAM_BONUS", I, nullptr},
    {"DISQ_DEDUCT_POINTS", I, nullptr},
    {"MEDALBASEDON", I, "1"},
    {"MEDALS_XCLD_TEAMS", I, "0"},
    {"CHECKGOLD", I, "1"},
    {"CHECKSILVER", I, "1"},
    {"CHECKBRONZE", I, "1"},
    {"POINTGOLD", I, "1"},
    {"POINTSILVER", I, "2"},
    {"POINTBRONZE", I, "3"},
    {"TOPATHMINPARTS", I, nullptr},
    {"TOPATHRESTPARTS", I, nullptr},
    {"TOP_ATH_GENDERS_COUNT", I, "0"},
    {"TOP_ATH_MAX_PERFS_PER_ATH", I, "1"},
    {"TOP_ATH_AGES_COUNTS", T, nullptr},
    {"EXCLUDEGROUPS", T, nullptr},
    {"HAS_LEAGUES", I, "0"},
    {"MALE_TEAMS", T, nullptr},
    {"FEMALE_TEAMS", T, nullptr},
    {"BOTH_TEAMS", T, nullptr},
    {"XCNT_TEAM_SCORE_PLACES", I, nullptr},
    {"IS_ASA", I, "0"},
    {"ASA_PRINT_SCORE", I, nullptr},
    {"SCORE_GROUP", I, nullptr},
    {"SCORE_GUESS", I, nullptr},
    {"HEIGHTABOVESEA", I, nullptr},
    // printed sheets
    {"SHEETS_SHOW_ATHLETE", I, "1"},
    {"SHEETS_SKIP_PREVIEW", I, nullptr},
    {"SHEETS_HIDE_TEAMDRAW", I, nullptr},
    {"SHEETS_SKIP_JMP_WIND", I, "0"},
    {"SHEETS_SKIP_TRK_TIME", I, nullptr},
    {"SHEETS_SKIP_START", I, "1"},
    {"SHEETS_SKIP_LAP", I, "0"},
    {"SHEETS_SKIP_EVENT", I, nullptr},
    {"SHEET_VERTJUMP_LANDSCAPE", I, "1"},
    {"PRINT_LANGUAGE", I, "0"},
    {"PRINT_RECS_ONE_PER_LINE", I, "0"},
    {"USE_DISTRIBUTION", I, "0"},
    // publishing
    {"TWITTER_USERNAME", T, "'@'"},
    {"TWITTER_FOLDER", T, nullptr},
    {"TWITTER_HASH_TAG", T, nullptr},
    {"REMOTE_FOLDER", T, nullptr},
    {"CONFIGOTHER", T, nullptr},
};

} // namespace

const QList<MeetingColumn>& meetingColumns()
{
    return kColumns;
}

const MeetingColumn* findMeetingColumn(const QString& name)
{
    const QString upper = name.toUpper();
    for (const MeetingColumn& column : kColumns)
        if (upper == QLatin1String(column.name))
            return &column;
    return nullptr;
}

} // namespace meeting
