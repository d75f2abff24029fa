#pragma once

#include <QDateTime>
#include <QDialog>

class QComboBox;
class QDateTimeEdit;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimeEdit;

// Asks how long a program switched on by hand stays in force: permanently,
// for a period from now, or until a given date and time. The caller runs it
// modally and, after Accepted only, reads dateTime(): a null value means
// permanently. The dialog keeps no settings and touches no document data.
class TimeDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TimeDialog(QWidget *parent = nullptr);
    ~TimeDialog() override;

    // A non-null end selects "until a predetermined time" and shows it as given
    // (a past moment included); a null one leaves the dialog as it is.
    void setDateTime(const QDateTime &end);
    // Null for "permanently", the edited end, or now plus the edited period.
    QDateTime dateTime() const;

    // Runs the dialog modally on *end: after Accepted *end takes the new end and true comes
    // back; Cancel leaves *end as it was.
    static bool editEnd(QWidget *parent, QDateTime *end);

private slots:
    void on_period_timeChanged(const QTime &time);
    void on_timePresets_currentIndexChanged(int index);

private:
    void setupUi();
    void retranslateUi();

    QLabel *m_label = nullptr;
    QRadioButton *m_onTime = nullptr;
    QTimeEdit *m_period = nullptr;
    QComboBox *m_timePresets = nullptr;
    QRadioButton *m_beforeTime = nullptr;
    QDateTimeEdit *m_endTime = nullptr;
    QRadioButton *m_always = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
