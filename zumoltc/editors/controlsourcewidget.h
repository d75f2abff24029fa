#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class ZUConfiguration;
class ZUControlSource;

namespace Ui {
class ControlSourceWidget;
}

// The page of one control source: id, type, priority (up to 9999) and timeout.
// Sources stay apart: another source's id or priority is refused, and the
// types other sources have are not offered. It keeps the page contract
// (pageprotocol.h) for one object; a selection of several disables the whole
// page, buttons included, and is never written.
class ControlSourceWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ControlSourceWidget(QWidget *parent = nullptr);
    ~ControlSourceWidget() override;

    void setObjects(ZUConfiguration *configuration,
                    const QList<QPointer<ZUControlSource>> &objects);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);

private:
    Ui::ControlSourceWidget *ui;
    QPointer<ZUConfiguration> m_configuration;
    QList<QPointer<ZUControlSource>> m_objects;
    DialogItemValidator *m_validator;
};
