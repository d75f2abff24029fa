#pragma once

#include "testdata.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QWidget>

// Driving an editor page by its widgets' object names, as a user would.
namespace PageTesting {

// Reads a fixture of tests/data/zumoltc into the configuration; an empty
// text when it loaded, else the reader's error.
inline QString loadFixture(ZUConfiguration *configuration, const QString &name)
{
    QString error;
    if (!configuration->fromJson(
            TestSupport::readFile(TestSupport::dataPath(QStringLiteral("zumoltc/") + name)),
            &error))
        return error.isEmpty() ? QStringLiteral("not loaded") : error;
    return QString();
}

template<typename T = QLineEdit> T *field(const QWidget &page, const char *name)
{
    return page.findChild<T *>(QLatin1String(name));
}

inline QPushButton *button(const QWidget &page, QDialogButtonBox::StandardButton which)
{
    return field<QDialogButtonBox>(page, "buttonBox")->button(which);
}

inline QPushButton *apply(const QWidget &page)
{
    return button(page, QDialogButtonBox::Apply);
}

inline void clickApply(const QWidget &page)
{
    QTest::mouseClick(apply(page), Qt::LeftButton);
}

// Replaces the field's text by typing (an empty text deletes it).
inline void type(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    if (!text.isEmpty())
        QTest::keyClicks(edit, text);
}

// Chooses the combo item of this text, or none for an empty text.
inline void choose(QComboBox *combo, const QString &text)
{
    combo->setCurrentIndex(text.isEmpty() ? -1 : combo->findText(text));
}

inline QStringList itemTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

// The configuration as saved, read back as JSON.
inline QJsonObject saved(ZUConfiguration *configuration)
{
    return QJsonDocument::fromJson(configuration->toJson()).object();
}

// Whether every descendant but the button box itself is disabled.
inline bool allDisabled(const QWidget &page)
{
    for (const QWidget *widget : page.findChildren<QWidget *>()) {
        if (!qobject_cast<const QDialogButtonBox *>(widget) && widget->isEnabled())
            return false;
    }
    return true;
}

} // namespace PageTesting
