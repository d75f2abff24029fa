#include "containerfile.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnftextplace.h"
#include "containerframe.h"
#include "halm58a/network.h"
#include "halm58a/node.h"
#include "safefile/safefile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

ContainerFile::ContainerFile(CnfController &controller, Halm58a::Network *network,
                             QMap<QString, QByteArray> &customData)
    : m_controller(controller)
    , m_network(network)
    , m_customData(customData)
{
}

namespace {

// The block as its reader sees it, preceded by the line breaks and blanks that
// stand before it in the file: XML allows white space before the root element,
// and the reader then counts lines and columns from the start of the file.
QByteArray placedAsInFile(const QByteArray &bytes, int blockStart, const QByteArray &block)
{
    // lastIndexOf counts a negative start from the end.
    const int lineStart = blockStart > 0 ? bytes.lastIndexOf('\n', blockStart - 1) + 1 : 0;
    const int blanks
        = QString::fromUtf8(bytes.constData() + lineStart, blockStart - lineStart).size();
    QByteArray placed(bytes.left(lineStart).count('\n'), '\n');
    placed.append(blanks, ' ');
    return placed + block;
}

} // namespace

bool ContainerFile::fail(const QString &error)
{
    m_error = error;
    return false;
}

bool ContainerFile::read(const QString &path)
{
    m_error.clear();
    // Every message names the file first; the readers' texts add the place.
    const QString named = QDir::toNativeSeparators(path) + QStringLiteral(": ");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QCoreApplication::translate("Project", "Error open file: ") + named
                    + file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(QCoreApplication::translate("Project", "Error open file: ") + named
                    + file.errorString());

    const ContainerFrame frame = ContainerFrame::split(bytes);
    if (frame.result == ContainerFrame::InvalidFormat) {
        return fail(QCoreApplication::translate("Project", "File has invalid format")
                    + QStringLiteral(": ")
                    + QCoreApplication::translate("Project", "%1 holds no \"Controller\" element")
                          .arg(QDir::toNativeSeparators(path)));
    }
    if (!m_controller.load(placedAsInFile(bytes, frame.controllerStart, frame.controllerBlock),
                           true)) {
        return fail(QCoreApplication::translate("Project", "Error loading controller data: ")
                    + named + m_controller.lastError());
    }
    if (frame.result == ContainerFrame::NetworkNotClosed) {
        const int line = bytes.left(frame.networkStart).count('\n') + 1;
        return fail(
            QCoreApplication::translate("Project", "Error loading network data: no closing tag")
            + QStringLiteral(": ") + named
            + QCoreApplication::translate("Project",
                                          "Line %1: the \"Network\" element that starts here")
                  .arg(line));
    }
    if (frame.network == ContainerFrame::NetworkBlock && m_network) {
        const QByteArray networkBlock
            = placedAsInFile(bytes, frame.networkStart, frame.networkBlock);
        // The block is UTF-8 by the frame's rule; Qt would place a byte that is not
        // at the block's start.
        const CnfTextPlace::NonUtf8Byte bad = CnfTextPlace::firstNonUtf8Byte(networkBlock);
        if (bad.offset >= 0) {
            return fail(QCoreApplication::translate("Project", "Error loading network: %1")
                            .arg(named
                                 + QCoreApplication::translate("Project", "Line %1, column %2: %3")
                                       .arg(bad.line)
                                       .arg(bad.column)
                                       .arg(CnfTextPlace::nonUtf8Message(bad.byte))));
        }
        QXmlStreamReader reader(networkBlock);
        if (!m_network->load(reader, false)) {
            return fail(QCoreApplication::translate("Project", "Error loading network: %1")
                            .arg(named + m_network->errorString()));
        }
        m_network->setObjectName(m_controller.property("number").toString());
    }
    for (auto it = frame.customData.cbegin(); it != frame.customData.cend(); ++it)
        m_customData.insert(it.key(), it.value());
    return true;
}

bool ContainerFile::write(const QString &path)
{
    m_error.clear();
    const QByteArray controllerBlock = m_controller.save(1);
    if (controllerBlock.isEmpty()) {
        return fail(QCoreApplication::translate("ProjectPrivate", "Error saving configuration: ")
                    + m_controller.lastError());
    }

    QByteArray networkBlock;
    if (m_network && m_network->findChild<Halm58a::Node *>()) {
        QBuffer buffer(&networkBlock);
        buffer.open(QIODevice::WriteOnly);
        QXmlStreamWriter writer(&buffer);
        if (!m_network->save(writer, true, false)) {
            return fail(QCoreApplication::translate("ProjectPrivate", "Error saving network: %1")
                            .arg(m_network->errorString()));
        }
    }

    const QByteArray bytes = ContainerFrame::compose(controllerBlock, networkBlock, m_customData);
    QString reason;
    SafeFile::Failure failure;
    if (!SafeFile::write(path, bytes, &reason, &failure)) {
        return fail((failure == SafeFile::Failure::Open
                         ? QCoreApplication::translate("ProjectPrivate", "Error open file: ")
                         : QCoreApplication::translate("ProjectPrivate", "Error writing file: "))
                    + SafeFile::failureText(path, reason, failure));
    }
    return true;
}
