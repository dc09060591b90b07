#pragma once

#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}
namespace base {
class Messages;
}

namespace draw {

// What of a heat is shown to outside viewers: its draw or its results.
enum class Publication { Draw, Results };

// Releasing and retracting a heat's draw or results, and their revision numbers. With the
// meeting's releases carrying revisions, what is released is frozen until retracted.
class ProgramRelease {
public:
    ProgramRelease(db::DmdCoreDbs& database, const meeting::ItemTypes& items);

    // Asks first; says so when the heat already is in that state.
    bool setReleased(qint64 programNo, Publication what, bool release);
    // Raises the revision by one, after asking.
    bool incrementRevision(qint64 programNo, Publication what);

    // The checks the draws and the place calculation make before they rewrite a heat.
    bool mayRedraw(qint64 programNo);
    bool mayRecalculate(qint64 programNo);

    // "100m Freestyle 13 Male Heat 2": the heat as the questions name it.
    QString heatTitle(qint64 programNo);

private:
    struct State {
        bool found = false;
        bool released = false;
        int revision = 0;
        QString round;
        bool revisions = false; // the meeting's RESULTS_HAS_REVISIONS
    };
    State state(qint64 programNo, Publication what);
    bool mayRewrite(qint64 programNo, Publication what);
    base::Messages& messages() const;

    db::DmdCoreDbs& m_database;
    const meeting::ItemTypes& m_items;
};

QString publicationName(Publication what);

} // namespace draw
