#include "containerfile.h"

#include "cnf/cnfcontroller.h"
#include "containerframe.h"
#include "halm58a/network.h"
#include "halm58a/node.h"
#include "safefile/safefile.h"

#include <QBuffer>
#include <QCoreApplication>
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

bool ContainerFile::fail(const QString &error)
{
    m_error = error;
    return false;
}

bool ContainerFile::read(const QString &path)
{
    m_error.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QCoreApplication::translate("Project", "Error open file: ") + file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(QCoreApplication::translate("Project", "Error open file: ") + file.errorString());

    const ContainerFrame frame = ContainerFrame::split(bytes);
    if (frame.result == ContainerFrame::InvalidFormat)
        return fail(QCoreApplication::translate("Project", "File has invalid format"));
    if (!m_controller.load(frame.controllerBlock, true)) {
        return fail(QCoreApplication::translate("Project", "Error loading controller data: ")
                    + m_controller.lastError());
    }
    if (frame.result == ContainerFrame::NetworkNotClosed)
        return fail(QCoreApplication::translate("Project", "Error loading network data: no closing tag"));
    if (frame.network == ContainerFrame::NetworkBlock && m_network) {
        QXmlStreamReader reader(frame.networkBlock);
        if (!m_network->load(reader, false)) {
            return fail(QCoreApplication::translate("Project", "Error loading network: %1")
                            .arg(m_network->errorString()));
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
                    + reason);
    }
    return true;
}
