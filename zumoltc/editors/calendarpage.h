#pragma once

#include "zumoltc/shell/framework/prefixes.h"

#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class IntEdit;
class QAbstractButton;
class QCheckBox;
class QLineEdit;
class ZUBaseObject;
class ZUConfiguration;

// What the calendar pages (daily plan, weekly plan, seasonal plan, special
// day) share: the id and name of the one object they edit by the page contract
// (pageprotocol.h), the validator of their fields, the configuration they
// write into and the signals of a page. A page calls initPage after setupUi.
class CalendarPage : public QWidget
{
    Q_OBJECT
public:
    CalendarPage(Prefixes::Kind kind, QWidget *parent);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

protected:
    // The page's id, name and manual-name fields; the validator watches every
    // field the page has at this moment.
    void initPage(IntEdit *id, QLineEdit *name, QCheckBox *manualName);
    // Shows the object's id and name.
    void showIdAndName(const ZUBaseObject &object);
    // Whether a click of the button box is an Apply with something to write
    // into one object.
    bool isApply(QAbstractButton *button, int selected) const;
    // Writes a changed id and name into the object.
    void writeIdAndName(ZUBaseObject &object);
    // The end of an Apply: the title shows the object as written, the fields
    // count as unchanged and the pages of `className` hear of it.
    void finishApply(const ZUBaseObject *object, const char *className);

    QPointer<ZUConfiguration> m_configuration;
    DialogItemValidator *m_validator = nullptr;

private slots:
    void on_manualName_toggled(bool checked);
    void on_id_textChanged(const QString &text);

private:
    Prefixes::Kind m_kind;
    IntEdit *m_id = nullptr;
    QLineEdit *m_name = nullptr;
    QCheckBox *m_manualName = nullptr;
};
