#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QVector>

// Names and value tables shared by the ZU_MOLT file's reader and writer
// (ZU_MOLTConfig::fill and ZU_MOLTConfig::save).
namespace ZuMoltFormat {

// Messages of both sides translate in the context of ZU_MOLTConfig.
QString tr(const char *text);

// Native key that keeps the members of stages, matrices, scheduler objects and
// switches for which the controller's elements have no field, per kind and id.
constexpr const char *extrasKey = "elementExtras";
// Root keys of our own that zumoltc ignores: what a ZU_MOLT file has no place for.
constexpr const char *extraMatricesKey = "extraMatrices";
constexpr const char *sensorsKey = "sensors";
constexpr const char *interstateKey = "interstate";
constexpr const char *propertiesKey = "controllerProperties";
// zumoltc's value of an integer that is not set; it never stands in its files.
constexpr int notSetTime = 2147483647;

const QStringList &sgTimes();
const QStringList &sgTypeKeys();
// zu::TimelineState key <-> CnfSignalGroup::SGState.
const QVector<QPair<QString, int>> &timelineStates();
// zu::Color::Value key <-> CnfPowerDevice::Color.
const QVector<QPair<QString, int>> &colors();

int lookup(const QVector<QPair<QString, int>> &table, const QString &key, int notFound = -1);
QString lookup(const QVector<QPair<QString, int>> &table, int value);

QVariantMap without(QVariantMap map, const QStringList &keys);

} // namespace ZuMoltFormat
