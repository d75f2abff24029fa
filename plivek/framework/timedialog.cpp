#include "timedialog.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QTimeEdit>

namespace {
constexpr int PresetCount = 4;
} // namespace

TimeDialog::TimeDialog(QWidget *parent)
    : QDialog(parent)
{
    setupUi();
    m_endTime->setDateTime(QDateTime::currentDateTime().addSecs(3600));
}

TimeDialog::~TimeDialog() = default;

void TimeDialog::setupUi()
{
    setObjectName(QStringLiteral("TimeDialog"));
    resize(504, 153);

    auto *grid = new QGridLayout(this);
    grid->setObjectName(QStringLiteral("gridLayout"));
    grid->setSpacing(6);
    grid->setContentsMargins(11, 11, 11, 11);

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("label"));
    grid->addWidget(m_label, 0, 0, 1, 3);

    auto *periodRow = new QHBoxLayout();
    periodRow->setObjectName(QStringLiteral("horizontalLayout"));
    periodRow->setSpacing(6);
    m_onTime = new QRadioButton(this);
    m_onTime->setObjectName(QStringLiteral("onTime"));
    periodRow->addWidget(m_onTime);
    m_period = new QTimeEdit(this);
    m_period->setObjectName(QStringLiteral("period"));
    m_period->setDisplayFormat(QStringLiteral("HH:mm"));
    m_period->setTime(QTime(1, 0));
    m_period->setEnabled(false);
    periodRow->addWidget(m_period);
    m_timePresets = new QComboBox(this);
    m_timePresets->setObjectName(QStringLiteral("timePresets"));
    for (int i = 0; i < PresetCount; ++i)
        m_timePresets->addItem(QString());
    m_timePresets->setEditable(false);
    m_timePresets->setFrame(true);
    m_timePresets->setEnabled(false);
    m_timePresets->setCurrentIndex(-1);
    periodRow->addWidget(m_timePresets);
    grid->addLayout(periodRow, 1, 0, 1, 3);

    auto *endRow = new QHBoxLayout();
    endRow->setObjectName(QStringLiteral("horizontalLayout_2"));
    m_beforeTime = new QRadioButton(this);
    m_beforeTime->setObjectName(QStringLiteral("beforeTime"));
    endRow->addWidget(m_beforeTime);
    m_endTime = new QDateTimeEdit(this);
    m_endTime->setObjectName(QStringLiteral("endTime"));
    m_endTime->setDisplayFormat(QStringLiteral("dd.MM.yyyy H:mm"));
    m_endTime->setCalendarPopup(true);
    m_endTime->setEnabled(false);
    endRow->addWidget(m_endTime);
    grid->addLayout(endRow, 2, 0, 1, 4);

    m_always = new QRadioButton(this);
    m_always->setObjectName(QStringLiteral("always"));
    m_always->setChecked(true);
    grid->addWidget(m_always, 3, 0, 1, 2);

    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("pushButton"));
    m_ok->setDefault(true);
    grid->addWidget(m_ok, 4, 0);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("pushButton_2"));
    grid->addWidget(m_cancel, 4, 1);
    grid->addItem(new QSpacerItem(79, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 4, 2);

    retranslateUi();

    connect(m_onTime, &QRadioButton::toggled, m_period, &QWidget::setEnabled);
    connect(m_onTime, &QRadioButton::toggled, m_timePresets, &QWidget::setEnabled);
    connect(m_onTime, &QRadioButton::clicked, m_period, [this] { m_period->setFocus(); });
    connect(m_beforeTime, &QRadioButton::toggled, m_endTime, &QWidget::setEnabled);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    QMetaObject::connectSlotsByName(this);
}

void TimeDialog::retranslateUi()
{
    setWindowTitle(tr("Program duration"));
    m_label->setText(tr("Set duration of the program:"));
    m_onTime->setText(tr("for a predetermined time (horus:minutes)"));
    m_timePresets->setItemText(0, tr("5 min."));
    m_timePresets->setItemText(1, tr("10 min."));
    m_timePresets->setItemText(2, tr("30 min."));
    m_timePresets->setItemText(3, tr("1 hour."));
    m_beforeTime->setText(tr("until a predetermined time (horus:minutes)"));
    m_always->setText(tr("permanently (until manually canceled)"));
    m_ok->setText(tr("OK"));
    m_cancel->setText(tr("Cancel"));
}

void TimeDialog::setDateTime(const QDateTime &end)
{
    if (end.isNull())
        return;
    m_beforeTime->setChecked(true);
    m_endTime->setDateTime(end);
}

QDateTime TimeDialog::dateTime() const
{
    if (m_always->isChecked())
        return QDateTime();
    if (m_beforeTime->isChecked())
        return m_endTime->dateTime();
    return QDateTime::currentDateTime().addSecs(QTime(0, 0).secsTo(m_period->time()));
}

void TimeDialog::on_period_timeChanged(const QTime &)
{
    m_timePresets->setCurrentIndex(-1);
}

void TimeDialog::on_timePresets_currentIndexChanged(int index)
{
    static const QTime presets[PresetCount]
        = { QTime(0, 5), QTime(0, 10), QTime(0, 30), QTime(1, 0) };
    if (index < 0)
        return;
    const QSignalBlocker blocker(m_period);
    if (index < PresetCount)
        m_period->setTime(presets[index]);
}

bool TimeDialog::editEnd(QWidget *parent, QDateTime *end)
{
    TimeDialog dialog(parent);
    dialog.setDateTime(*end);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *end = dialog.dateTime();
    return true;
}
