#include "dotwriter.h"

#include "edge.h"
#include "network.h"
#include "node.h"

#include <QTextStream>

namespace Halm58a {

namespace {

QString quoted(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString vertex(const Node *node)
{
    return QStringLiteral("n%1").arg(node->id());
}

} // namespace

QByteArray DotWriter::write(const Network &network)
{
    QString text;
    QTextStream out(&text);
    const QString name
        = network.objectName().isEmpty() ? QStringLiteral("network") : network.objectName();
    out << "digraph " << quoted(name) << " {\n";
    out << "    node [shape=circle];\n";
    for (const Node *node : network.findChildren<Node *>()) {
        out << "    " << vertex(node) << " [label=" << quoted(node->label()) << ", pos="
            << quoted(QStringLiteral("%1,%2!").arg(node->pos().x()).arg(node->pos().y())) << "];\n";
    }
    for (const Edge *edge : network.findChildren<Edge *>()) {
        if (!edge->from() || !edge->to())
            continue;
        const QString label = QStringLiteral("e%1 (%2)").arg(edge->id()).arg(edge->lanes().size());
        out << "    " << vertex(edge->from()) << " -> " << vertex(edge->to())
            << " [label=" << quoted(label) << "];\n";
    }
    out << "}\n";
    out.flush();
    return text.toUtf8();
}

} // namespace Halm58a
