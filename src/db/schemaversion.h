#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace db {

class DmdCoreDbs;
class FbTransaction;

// The schema version of the first release; the steps of the release chain build on it.
// Versions compare as texts.
inline constexpr const char* kSchemaVersion = "2.851";
// Who to call when an upgrade fails.
inline constexpr const char* kSupportLines =
    "Dolvane support: support@dolvane.example, +27 21 555 0199";

// Runs the statements of one upgrade step inside the step's transaction.
class StepContext {
public:
    StepContext(DmdCoreDbs& database, FbTransaction& transaction)
        : m_database(database), m_transaction(transaction)
    {
    }
    bool execute(const QString& sql);
    DmdCoreDbs& database() { return m_database; }
    const QString& lastErrorText() const { return m_lastErrorText; }

private:
    QString m_lastErrorText;
    DmdCoreDbs& m_database;
    FbTransaction& m_transaction;
};

struct UpgradeStep {
    QString version;
    QString name;
    QString kind; // "TBL" for structure, anything else for system records
    std::function<bool(StepContext&)> routine;
};

using UpgradeChain = std::vector<UpgradeStep>;

// The chain of this release, in ascending version order. An empty database is made at
// the version of its last step.
const UpgradeChain& releaseChain();
// The version this program brings a database to: the last step of the release chain.
QString programSchemaVersion();

QString storedVersion(DmdCoreDbs& database);
// "check": the stored version is equal to or above every step of the chain and the
// program's version.
bool isUpToDate(DmdCoreDbs& database, const UpgradeChain& chain);
// Runs the chain; each step commits with its version; the first failure stops it.
bool upgrade(DmdCoreDbs& database, const UpgradeChain& chain);
// The connect-time upgrade: check, inform, upgrade, check open queries.
bool upgradeAtConnect(DmdCoreDbs& database, const UpgradeChain& chain);

// Changes a column's type in four stages, each its own statement: add "ZZZZZZ", copy,
// drop the old column, rename "ZZZZZZ".
bool alterColumnType(DmdCoreDbs& database, const QString& table, const QString& column,
                     const QString& newType);
// One stage, 1 to 4.
bool alterColumnTypeStage(DmdCoreDbs& database, const QString& table, const QString& column,
                          const QString& newType, int stage);

// An event trigger: after insert on `table`, post `eventName`.
bool createEventTrigger(DmdCoreDbs& database, const QString& triggerName, const QString& table,
                        const QString& eventName);
bool dropTrigger(DmdCoreDbs& database, const QString& triggerName);
// The user-created triggers ("TRIGGER_%") with their tables, or "No user-created triggers".
QString listUserTriggers(DmdCoreDbs& database);

} // namespace db
