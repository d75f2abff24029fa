#pragma once

#include "cnf/cnfreferences.h"

#include <QString>
#include <QStringList>

class CnfController;

// What a new name of an element does to the places that name it by its name
// (a crosswalk's list, a module channel, a detector's or sensor's own source,
// an indication row, a sensor's link, the ZU_MOLT panel, a countdown board):
// they follow the new name, and the message table gets one line for each.
// Where another element of the kind has the old name (the places name that one
// too) or the new one (they would name both), the user is asked first; so too
// where a place that reads a text as an id as well (a channel) would name
// another element by its id. The question says where No leaves a place naming
// no element.
class NameFollowing
{
public:
    // The element as the places name it: its id and its old name.
    NameFollowing(const CnfController &controller, const CnfReferences::Element &element,
                  const QString &newName);

    // The places naming the element by its old name.
    const QList<CnfReferences::Place> &places() const { return named; }
    // The question to ask before the places follow; empty when none is needed.
    QString question() const;
    // Gives the places the new name; the lines for the message table, one per place.
    QStringList follow(CnfController &controller) const;

    // "detector 74", "program 36", ...
    static QString elementText(const CnfReferences::Element &element);
    // The element of the kind, other than the one of `id`, that has the name
    // (its text as elementText gives it); empty when none has.
    static QString otherWithName(const CnfController &controller, CnfReferences::Kind kind,
                                 const QString &id, const QString &name);
    // The element of the kind, other than the one of `id`, whose id is the text.
    static QString otherWithId(const CnfController &controller, CnfReferences::Kind kind,
                               const QString &id, const QString &text);
    // How a line of the message table names the place.
    static QString placeText(const CnfReferences::Place &place);
    // The lines of the message table for the places naming the element that
    // its Delete keeps, as their text names another element of the kind too
    // (worded here, with the places and elements of the other lines).
    static QStringList keptOnDelete(const CnfController &controller,
                                    const CnfReferences::Element &element);

private:
    QString line(const CnfReferences::Place &place) const;
    // Whether the place, keeping the old name, still names an element.
    bool stillNamesAfterNo(const CnfReferences::Place &place) const;

    CnfReferences::Element element;
    QString newName;
    QList<CnfReferences::Place> named;
    QString oldNameHolder; // another element that has the old name
    QString newNameHolder; // another element that has the new name
    QString oldIdHolder; // another element whose id is the old name
    QString newIdHolder; // another element whose id is the new name
};
