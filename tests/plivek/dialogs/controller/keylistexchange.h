#pragma once

#include "cnf/cnfcontroller.h"
#include "plivek/framework/uidataexchange.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QtTest>

// Moves a key list between the controller's native data and a dialog's
// widgets the way the main window does: every key is loaded (an absent one as
// not set), the dialog is run and answered, and on acceptance every key is
// stored back, not-set values included.
namespace KeyListExchange {

inline void load(UiDataExchange &dialog, const CnfController &controller, const QStringList &keys)
{
    for (const QString &key : keys)
        dialog.setWidgetValue(key, controller.getNativeData(key, QVariant()));
}

inline void store(const UiDataExchange &dialog, CnfController &controller, const QStringList &keys)
{
    for (const QString &key : keys)
        controller.setNativeData(key, dialog.widgetValue(key));
}

// The dialog's child of that object name and class; warns when missing.
template<typename T> T *child(QWidget &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    if (!widget)
        qWarning("no %s", name);
    return widget;
}

inline int press(QDialog &dialog, QDialogButtonBox::StandardButton button)
{
    QTimer::singleShot(0, &dialog, [&dialog, button] {
        auto *box = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        QTest::mouseClick(box->button(button), Qt::LeftButton);
    });
    return dialog.exec();
}

// Load, OK, store; the dialog's result.
inline int roundTrip(UiDataExchange &dialog, CnfController &controller, const QStringList &keys)
{
    load(dialog, controller, keys);
    const int result = press(dialog, QDialogButtonBox::Ok);
    if (result == QDialog::Accepted)
        store(dialog, controller, keys);
    return result;
}

} // namespace KeyListExchange
