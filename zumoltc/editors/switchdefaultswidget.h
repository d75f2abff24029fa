#pragma once

#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class ZUSwitch;

namespace Ui {
class SwitchDefaultsWidget;
}

// The page of the branch "Power switches" itself: the default switch's type
// and current bounds, which every switch without its own value takes. The
// bounds are shown only while the chosen type is not ZU4_SW, and keep their
// values while hidden. It keeps the page contract (pageprotocol.h) for one
// record: load() takes the baseline, Apply writes the changed fields and
// emits configurationChanged(nullptr).
class SwitchDefaultsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit SwitchDefaultsWidget(QWidget *parent = nullptr);
    ~SwitchDefaultsWidget() override;

    void load(QPointer<ZUSwitch> defaults);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_clear_type_clicked();
    void on_type_currentIndexChanged(int index);

private:
    Ui::SwitchDefaultsWidget *ui;
    QPointer<ZUSwitch> m_defaults;
    DialogItemValidator *m_validator;
};
