#pragma once

#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class ZUConfiguration;

namespace Ui {
class RecoveryWidget;
}

// The page of the section "Error processing": the defect switch rate, the
// confidence interval and, per fault kind (one row each, twelve), the interval
// between recovery attempts, their number and a filter. Apply writes the changed
// fields (a changed table rewrites all twelve records) and emits
// configurationChanged(nullptr): the page edits a record of the configuration.
class RecoveryWidget : public QWidget
{
    Q_OBJECT
public:
    explicit RecoveryWidget(QWidget *parent = nullptr);
    ~RecoveryWidget() override;

    void load(ZUConfiguration *configuration);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);

private:
    void keepErrorColumnsInView();

    Ui::RecoveryWidget *ui;
    DialogItemValidator *m_validator;
    QPointer<ZUConfiguration> m_configuration;
};
