#pragma once

#include "cnffwd.h"

#include <QByteArray>
#include <QString>

// The links between CnfNative and the readers and writers of the adapter,
// TIVERK II and ZU_MOLT families, which live in their own classes.
namespace CnfFamilyFormats {

// Each returns null when `bytes` are not of its family, and otherwise a
// configuration object (isValid() false with lastError() when the content is
// of its family but broken). `path` names the file when there is one.
CnfNativePtr readAdapter(const QByteArray &bytes, const QString &path);
CnfNativePtr readTiverkII(const QByteArray &bytes, const QString &path);
CnfNativePtr readZuMolt(const QByteArray &bytes, const QString &path);

// The bytes of a file of the family; empty with `error` set on failure.
QByteArray writeAdapter(const CnfController &controller, QString &error);
QByteArray writeTiverkII(const CnfController &controller, QString &error);
QByteArray writeZuMolt(const CnfController &controller, QString &error);

} // namespace CnfFamilyFormats
