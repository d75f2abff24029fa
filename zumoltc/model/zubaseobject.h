#pragma once

#include "keptmembers.h"
#include "zuenums.h"

#include <QObject>
#include <QString>

#include <memory>

// Base of the ZU_MOLT model objects that carry an id and a name. The id is
// zu::NotSet until given; accessors store any value without checks or signals.
// Every subclass except ZUConfiguration emits beforeDestroyed(this) first thing
// in its destructor, while the object is still whole, so that owners can drop it
// from their lists. A copy constructor of a subclass is a clone: same parent as
// the source, id not set, empty name, the subclass's own fields copied.
class ZUBaseObject : public QObject
{
    Q_OBJECT
public:
    explicit ZUBaseObject(QObject *parent = nullptr);
    ~ZUBaseObject() override;

    int id() const;
    void setId(int id);
    QString name() const;
    void setName(const QString &name);

    // List text: the id, then "(name)", then the suffix, the parts that are set
    // joined by single blanks.
    virtual QString text(const QString &suffix = QString()) const;
    // The list text of a message: the id, then "(name)" with the name quoted
    // as a message quotes a text from the file (Utf8::quoted).
    QString quotedText() const;

    // What the file held for this object beyond what the model knows; a clone
    // starts without.
    KeptMembers &keptMembers();
    const KeptMembers &keptMembers() const;

signals:
    void beforeDestroyed(ZUBaseObject *object);

protected:
    // Clone base: the parent of the source, id not set, empty name.
    ZUBaseObject(const ZUBaseObject &other);

    // Emits beforeDestroyed once; a subclass destructor calls it first, so the most
    // derived destructor is the one that sends it.
    void notifyDestroying();

    // Appends part to result after a blank when result is not empty; empty parts add nothing.
    static void appendTextPart(QString &result, const QString &part);

private:
    // The list text with `shownName` in the place of the name.
    QString listText(const QString &shownName, const QString &suffix) const;

    // The configuration whose list holds the object: kept by that configuration,
    // so that adding tells "already listed" from the object itself.
    friend class ZUConfiguration;
    const QObject *listedIn() const;
    void setListedIn(const QObject *configuration);

    struct Private;
    std::unique_ptr<Private> d;
};
