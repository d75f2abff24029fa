#include "cnfnative.h"

#include "cnfcontroller.h"
#include "cnffamilyformats.h"
#include "cnftextplace.h"
#include "safefile/safefile.h"
#include "utf8/utf8.h"

#include <QCoreApplication>
#include <QFile>
#include <QXmlStreamReader>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CnfNative", text);
}

QString &loadErrorText()
{
    static QString text;
    return text;
}

// Index of the first byte after a UTF-8 byte order mark and white space.
int contentStart(const QByteArray &bytes)
{
    int i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < bytes.size()
           && (bytes.at(i) == ' ' || bytes.at(i) == '\t' || bytes.at(i) == '\r'
               || bytes.at(i) == '\n'))
        ++i;
    return i;
}

// The name of the first element that starts in an XML text, which may end anywhere;
// empty when none does.
QString firstElementName(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return xml.name().toString();
    }
    return QString();
}

// Checks that XML content is one well-formed "Controller" element;
// `isController` tells whether the root element is one at all.
bool checkNativeXml(const QByteArray &bytes, QString &error, bool &isController)
{
    isController = false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() != QLatin1String("Controller")) {
            error = tr("Line %1, column %2: the root element is \"%3\", not \"Controller\"")
                        .arg(xml.lineNumber())
                        .arg(xml.columnNumber())
                        .arg(Utf8::quoted(xml.name().toString()));
            return false;
        }
        if (xml.isStartElement()) {
            isController = true;
            break;
        }
    }
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError()) {
        const CnfTextPlace::XmlError placed = CnfTextPlace::xmlError(xml, bytes);
        error
            = tr("Line %1, column %2: %3").arg(placed.line).arg(placed.column).arg(placed.message);
        // Qt refuses a byte that is not UTF-8 before it reads the first tag: the text
        // before that byte tells whether it is a controller with a broken byte.
        const CnfTextPlace::NonUtf8Byte bad = CnfTextPlace::firstNonUtf8Byte(bytes);
        if (!isController && bad.offset >= 0)
            isController = firstElementName(bytes.left(bad.offset)) == QLatin1String("Controller");
        return false;
    }
    return true;
}

} // namespace

CnfNative::CnfNative() = default;
CnfNative::~CnfNative() = default;

CnfNativePtr CnfNative::loadNativeConfig(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        loadErrorText() = tr("Cannot open %1: %2").arg(path, file.errorString());
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        loadErrorText() = tr("Cannot read %1: %2").arg(path, file.errorString());
        return {};
    }
    return detect(bytes, path);
}

CnfNativePtr CnfNative::loadNativeConfig(const QByteArray &bytes)
{
    return detect(bytes, QString());
}

CnfNativePtr CnfNative::detect(const QByteArray &bytes, const QString &path)
{
    loadErrorText().clear();
    if (contentStart(bytes) >= bytes.size()) {
        loadErrorText() = tr("The configuration is empty");
        return {};
    }
    // Content of a known family that is broken comes back as an invalid
    // object whose lastError says what is wrong and where; null is only for
    // content of no known family.
    if (bytes.at(contentStart(bytes)) == '<') {
        QString error;
        bool isController = false;
        const bool wellFormed = checkNativeXml(bytes, error, isController);
        loadErrorText() = error;
        if (!wellFormed && !isController)
            return {};
        auto native = CnfNativePtr::create();
        if (wellFormed)
            native->m_bytes = bytes;
        native->m_valid = wellFormed;
        native->m_lastError = error;
        return native;
    }
    using Reader = CnfNativePtr (*)(const QByteArray &, const QString &);
    const Reader readers[] = { &CnfFamilyFormats::readZuMolt, &CnfFamilyFormats::readTiverkII,
                               &CnfFamilyFormats::readAdapter };
    for (Reader reader : readers) {
        const CnfNativePtr native = reader(bytes, path);
        if (!native)
            continue;
        if (!native->isValid())
            loadErrorText() = native->lastError();
        return native;
    }
    loadErrorText() = tr("The content is no configuration of a known format");
    return {};
}

QString CnfNative::loadError()
{
    return loadErrorText();
}

bool CnfNative::save(const QString &path, const CnfController &controller, QString &error)
{
    return save(path, controller, controller.property("type").toString(), error);
}

bool CnfNative::save(const QString &path, const CnfController &controller, const QString &family,
                     QString &error)
{
    QByteArray bytes;
    QString formatError;
    if (family == QLatin1String("adapter"))
        bytes = CnfFamilyFormats::writeAdapter(controller, formatError);
    else if (family == QLatin1String("tiverkii"))
        bytes = CnfFamilyFormats::writeTiverkII(controller, formatError);
    else if (family == QLatin1String("ZU_MOLT"))
        bytes = CnfFamilyFormats::writeZuMolt(controller, formatError);
    else
        bytes = controller.save(-1);
    if (bytes.isEmpty()) {
        error = formatError.isEmpty() ? tr("Nothing to write") : formatError;
        return false;
    }
    QString reason;
    SafeFile::Failure failure;
    if (!SafeFile::write(path, bytes, &reason, &failure)) {
        error = SafeFile::failureText(path, reason, failure);
        return false;
    }
    return true;
}

bool CnfNative::save(const QString &path, const CnfController *controller, QString &error)
{
    if (!controller) {
        error = tr("No configuration to save");
        return false;
    }
    return save(path, *controller, error);
}

void CnfNative::initController(CnfController &controller, const QString &type,
                               const QString &version)
{
    controller.clear();
    controller.setLastError(QString());
    controller.setProperty("type", type);
    if (!version.isEmpty())
        controller.setProperty("version", version);
}

void CnfNative::initController(CnfController *controller, const QString &type,
                               const QString &version)
{
    if (controller)
        initController(*controller, type, version);
}

bool CnfNative::isValid() const
{
    return m_valid;
}

bool CnfNative::createController(CnfController &controller)
{
    if (!m_valid) {
        controller.clear();
        controller.setLastError(m_lastError);
        return false;
    }
    if (controller.load(m_bytes, true)) {
        m_lastError.clear();
        return true;
    }
    m_lastError = controller.lastError();
    return false;
}

bool CnfNative::createController(CnfController *controller)
{
    if (!controller) {
        m_lastError = tr("No configuration to fill");
        return false;
    }
    return createController(*controller);
}
