#pragma once

#include "pagetesting.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

// A calendar page over the scheduler fixture (tests/data/zumoltc/scheduler.json)
// showing the first `count` objects of one kind (all for -1); the class names the
// page reports as changed are kept in order.
template<typename Page, typename T> struct SchedulerFixture
{
    using Objects = QList<QPointer<T>> &(ZUConfiguration::*)();

    SchedulerFixture(Objects objects, int count)
    {
        error = PageTesting::loadFixture(&configuration, QStringLiteral("scheduler.json"));
        page.setObjects(&configuration, (configuration.*objects)().mid(0, count));
        QObject::connect(&page, &Page::configurationChanged, &page,
                         [this](const char *className) { classNames << className; });
    }

    QString error;
    ZUConfiguration configuration;
    Page page;
    QList<const char *> classNames;
};
