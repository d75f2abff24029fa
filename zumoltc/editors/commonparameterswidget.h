#pragma once

#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class ZUConfiguration;

namespace Ui {
class CommonParametersWidget;
}

// The page of the section "Common parameters": number, name, description, the
// two start-up times, time zone and maximum current of the configuration
// itself. It keeps the editor-page contract (pageprotocol.h): load() shows the
// configuration's values as the baseline; Apply writes only the changed fields
// back into that configuration and emits configurationChanged(nullptr), as the
// page edits the configuration's own record and no model class. Empty integer
// fields are the not-set value; the time zone is stored as an int, a double or
// the text as typed, an emptied field as not set.
class CommonParametersWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CommonParametersWidget(QWidget *parent = nullptr);
    ~CommonParametersWidget() override;

    // Shows the configuration's values; the page edits it from now on. The page
    // does not own it.
    void load(ZUConfiguration *configuration);

    // The time-zone text as the model keeps it: an int, else a finite double,
    // else the text; an empty text is not set (an invalid QVariant).
    static QVariant timeZoneValue(const QString &text);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);

private:
    Ui::CommonParametersWidget *ui;
    QPointer<ZUConfiguration> m_configuration;
    DialogItemValidator *m_validator;
};
