#pragma once

#include "entries/relaymembers.h"
#include "entries/relayteams.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QListWidget;
class QTableWidget;

namespace base {
class Run;
}

namespace entries {

// "Relay athletes": the swimmers of one relay team in one relay event, first team and
// reserves with their legs, and the team's swimmers who may still join.
class RelayMembersForm : public QDialog {
    Q_OBJECT
public:
    RelayMembersForm(base::Run& run, qint64 eventNo, const QString& itemDescription,
                     QWidget* parent = nullptr);
    ~RelayMembersForm() override;

    void selectRelayTeam(int index);
    void setAnyAge(bool anyAge);
    void addFirst() { addMember(QStringLiteral("F")); }
    void addReserve() { addMember(QStringLiteral("R")); }
    void setLeg();
    void swapLegs();
    void removeMember();

    QComboBox* relayTeamBox() const { return m_relayTeam; }
    QTableWidget* memberTable() const { return m_memberTable; }
    QListWidget* candidateList() const { return m_candidates; }

private:
    void addMember(const QString& kind);
    void showMembers();
    const RelayMemberRow* currentMember() const;

    base::Run& m_run;
    qint64 m_eventNo;
    QList<RelayTeamRow> m_relayTeams;
    std::unique_ptr<RelayMembers> m_members;
    QList<RelayMemberRow> m_memberRows;
    QList<AthleteRow> m_candidateRows;
    QComboBox* m_relayTeam;
    QCheckBox* m_anyAge;
    QTableWidget* m_memberTable;
    QListWidget* m_candidates;
};

} // namespace entries
