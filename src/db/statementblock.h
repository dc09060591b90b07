#pragma once

#include <QString>

namespace db {

class DmdCoreDbs;

// Many small statements of one batch sent as a few "execute block" statements: the
// server compiles one block instead of each statement, which is what makes writing
// thousands of rows quick. Statements are added to the running batch of `database`.
class StatementBlock {
public:
    explicit StatementBlock(DmdCoreDbs& database, int statementsPerBlock = 200)
        : m_database(database), m_perBlock(statementsPerBlock)
    {
    }

    // One statement without its ";"; false once a block has failed.
    bool add(const QString& statement);
    // Sends what is left; false when this or an earlier block failed.
    bool flush();

private:
    DmdCoreDbs& m_database;
    int m_perBlock;
    QString m_text;
    int m_count = 0;
    bool m_ok = true;
};

} // namespace db
