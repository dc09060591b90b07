#pragma once

#include "meeting/edition.h"

#include <QList>
#include <QString>

// The fixed vocabulary of item codes: the groups of both editions with their English and
// Afrikaans names, the types of every group with their display names, and the medley
// relays. Data only; ItemTypes answers the questions about it.
namespace meeting::vocabulary {

struct Group {
    const char* code;
    const char* english;
    const char* afrikaans;
};

struct Type {
    QString code;
    QString name;
};

struct MedleyRelay {
    const char* type;
    const char* name; // shown followed by " Relay"
    int metres;
    const char* legs;
};

// The groups an edition offers, in its list order.
const QList<Group>& groups(Edition edition);
// The group of either edition with this code; null when there is none.
const Group* findGroup(const QString& code);
// The types of a group of either edition (also the unlisted road-walk group) in list
// order; null for a group that has no list.
const QList<Type>* typesOf(const QString& group);
// The medley relay with this type code; null when the type is not a medley relay.
const MedleyRelay* findMedleyRelay(const QString& type);

} // namespace meeting::vocabulary
