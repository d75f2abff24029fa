#pragma once

#include "pagetesting.h"
#include "testdata.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

// The small configuration of the signal-group, stage, matrix and detector page
// tests (tests/data/zumoltc/pages.json):
// groups A (1, amber 5), B (2, tram) and C (3, amber 7) under default amber 3;
// stage 1 holds A and C, stage 2 nothing; conflict points (1,2)=4, (2,1)=5,
// (3,1)=6; switches S1 (group 1), "<b>&" (free) and S3 (group 2); detectors 1
// and 3 reported, 2 not; report intervals 60 and 300.
namespace PageFixture {

// The widget helpers (field, button, type, clickApply) are those of every page test.
using namespace PageTesting;

inline bool loadPages(ZUConfiguration &configuration)
{
    QString error;
    const bool ok
        = configuration.load(TestSupport::dataPath(QStringLiteral("zumoltc/pages.json")), &error);
    if (!ok)
        qWarning() << error;
    return ok;
}

// Saves the configuration through the model and reads the file back as JSON.
inline QJsonObject saved(ZUConfiguration &configuration)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.json"));
    QString error;
    if (!configuration.save(path, &error)) {
        qWarning() << error;
        return {};
    }
    return QJsonDocument::fromJson(TestSupport::readFile(path)).object();
}

// The saved item of a list with the given id.
inline QJsonObject itemWithId(const QJsonArray &items, int id)
{
    for (const QJsonValue &item : items) {
        if (item.toObject().value(QStringLiteral("id")).toInt() == id)
            return item.toObject();
    }
    return {};
}

inline QJsonObject savedGroup(const QJsonObject &json, int id)
{
    return itemWithId(json.value(QStringLiteral("signalGroups"))
                          .toObject()
                          .value(QStringLiteral("items"))
                          .toArray(),
                      id);
}

} // namespace PageFixture
