#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class ZUConfiguration;
class ZUDetector;

namespace Ui {
class DetectorWidget;
}

// The page of one or several detectors: id and name (one detector) and
// "Allow report". With several detectors the box is tristate and shows partly
// checked where their flags differ; left so, Apply keeps every flag.
class DetectorWidget : public QWidget
{
    Q_OBJECT
public:
    explicit DetectorWidget(QWidget *parent = nullptr);
    ~DetectorWidget() override;

    void setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUDetector>> &detectors);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_id_textChanged(const QString &text);
    void on_manualName_toggled(bool checked);

private:
    Ui::DetectorWidget *ui;
    DialogItemValidator *m_validator;
    QPointer<ZUConfiguration> m_configuration;
    QList<QPointer<ZUDetector>> m_detectors;
};
