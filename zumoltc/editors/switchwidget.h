#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class IntEdit;
class QAbstractButton;
class QComboBox;
class ZUConfiguration;
class ZUSwitch;

namespace Ui {
class SwitchWidget;
}

// The page of power switches, one or several at once: channel (the id), name,
// output address, type, signal group, lamp colour, current bounds, load
// control and heads count.
//
// While its box is off, the name is the switch prefix followed by the channel
// text and the address is the channel minus one (0 for no channel), both
// following every change of the channel. Type and current bounds inherit from
// the configuration's default switch: an own value that is not set shows the
// default's (the type as the chosen item, a bound as placeholder), and a value
// equal to the default's is stored as not set.
//
// It keeps the page contract (pageprotocol.h); with several switches the
// channel, name and address are disabled and never written, the other fields
// show merged values and write to every switch.
class SwitchWidget : public QWidget
{
    Q_OBJECT
public:
    explicit SwitchWidget(QWidget *parent = nullptr);
    ~SwitchWidget() override;

    void setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUSwitch>> &objects);

    // The address that follows a channel text: the channel minus one, 0 when
    // that is no number or below zero.
    static int derivedAddress(const QString &channelText);

    // Shared with the page of the default switch:
    // the switch types by key name, the values as item data, none chosen;
    static void fillSwitchTypes(QComboBox *types);
    // the current bounds of a switch are shown exactly while the type of the
    // item at index is not ZU4_SW (no item chosen shows them).
    static void showCurrentBounds(QWidget *bounds, const QComboBox *types, int index);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

public slots:
    // Signal groups changed: their list follows, keeping the chosen group by id.
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_id_textChanged(const QString &text);
    void on_manualName_toggled(bool checked);
    void on_manualAddress_toggled(bool checked);
    void on_clear_type_clicked();
    void on_clear_sg_clicked();
    void on_type_currentIndexChanged(int index);

private:
    void mergeSwitch(const ZUSwitch *sw, bool first, const ZUSwitch *defaults);
    // The default's bound as the field's hint, by what the merge found.
    static void hintDefault(IntEdit *field, int defaultValue);
    int chosenColor() const;

    Ui::SwitchWidget *ui;
    QPointer<ZUConfiguration> m_configuration;
    QList<QPointer<ZUSwitch>> m_objects;
    DialogItemValidator *m_validator;
    int m_mergedColor = 0;
    bool m_colorsDiffer = false;
};
