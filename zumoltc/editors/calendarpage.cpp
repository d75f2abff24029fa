#include "calendarpage.h"

#include "editorpages.h"
#include "zumoltc/model/zubaseobject.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/intedit.h"
#include "zumoltc/shell/framework/pageprotocol.h"

#include <QCheckBox>
#include <QLineEdit>

CalendarPage::CalendarPage(Prefixes::Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
{
}

void CalendarPage::initPage(IntEdit *id, QLineEdit *name, QCheckBox *manualName)
{
    m_id = id;
    m_name = name;
    m_manualName = manualName;
    m_validator = new DialogItemValidator(this);
}

void CalendarPage::showIdAndName(const ZUBaseObject &object)
{
    PageProtocol::showIdAndName(m_id, m_name, m_manualName, Prefixes::prefix(m_kind), object.id(),
                                object.name());
}

bool CalendarPage::isApply(QAbstractButton *button, int selected) const
{
    return PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator)
        && selected == 1;
}

void CalendarPage::writeIdAndName(ZUBaseObject &object)
{
    EditorPages::writeIdAndName(*m_validator, m_id, m_name, &object);
}

void CalendarPage::finishApply(const ZUBaseObject *object, const char *className)
{
    if (object)
        setWindowTitle(object->text(QString()));
    m_validator->snapshotAll();
    emit configurationChanged(className);
}

void CalendarPage::on_manualName_toggled(bool checked)
{
    if (!m_id)
        return; // before initPage
    PageProtocol::setManualName(m_name, checked, Prefixes::prefix(m_kind), m_id->text());
}

void CalendarPage::on_id_textChanged(const QString &text)
{
    if (!m_id)
        return; // before initPage
    PageProtocol::followId(m_name, m_manualName, Prefixes::prefix(m_kind), text);
}
