#pragma once

#include <QMap>
#include <QObject>
#include <QString>

namespace plotlet {

// One axis of a chart. With custom labels the axis shows those texts at their values (a
// signal plan labels its rows with the signal groups); without, it shows plain numbers.
class Axis : public QObject
{
    Q_OBJECT
public:
    explicit Axis(QObject *parent = nullptr);

    void resetCustomLabels();
    // Replaces the label at that value.
    void setCustomLabel(double value, const QString &text);
    // Empty when the value has no label.
    QString customLabel(double value) const;
    QMap<double, QString> customLabels() const { return m_labels; }

signals:
    void changed();

private:
    QMap<double, QString> m_labels;
};

} // namespace plotlet
