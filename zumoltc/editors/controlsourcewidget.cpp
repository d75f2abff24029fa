#include "controlsourcewidget.h"
#include "ui_controlsourcewidget.h"

#include "editorpages.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/objectselection.h"
#include "zumoltc/shell/framework/pageprotocol.h"

namespace {

constexpr int TopPriority = 9999;

} // namespace

ControlSourceWidget::ControlSourceWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::ControlSourceWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
    ui->priority->setTop(TopPriority);
}

ControlSourceWidget::~ControlSourceWidget()
{
    delete ui;
}

void ControlSourceWidget::setObjects(ZUConfiguration *configuration,
                                     const QList<QPointer<ZUControlSource>> &objects)
{
    m_configuration = configuration;
    m_objects = objects;
    if (objects.isEmpty())
        return;
    const bool one = objects.size() == 1;
    if (one)
        forbidOtherIds(m_validator, ui->id, objects, configuration->controlSources(), true);
    else
        m_validator->reset();
    ui->id->reset();
    ui->priority->reset();
    ui->timeout->reset();
    ui->type->clear();
    EditorPages::setDescendantsEnabled(this, one);
    if (!one)
        return;

    if (ZUControlSource *source = objects.first()) {
        for (const auto &item : enumItems<zu::CsType>(false))
            ui->type->addItem(item.first, item.second);
        // A type or priority another source has is not for this one.
        QList<int> priorities;
        for (const QPointer<ZUControlSource> &other : configuration->controlSources()) {
            if (!other || other == source)
                continue;
            priorities << other->priority();
            const int taken = ui->type->findData(other->type());
            if (taken >= 0)
                ui->type->removeItem(taken);
        }
        m_validator->setForbiddenInts(ui->priority, priorities);
        ui->id->setValue(source->id());
        ui->type->setCurrentIndex(ui->type->findData(source->type()));
        ui->priority->setValue(source->priority());
        ui->timeout->setValue(source->timeout());
    }
    m_validator->snapshotAll();
}

void ControlSourceWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator)
        || m_objects.size() != 1)
        return;
    if (ZUControlSource *source = m_objects.first()) {
        if (m_validator->isChanged(ui->id))
            source->setId(ui->id->value());
        if (m_validator->isChanged(ui->type))
            source->setType(enumValue<zu::CsType>(ui->type->currentData()));
        if (m_validator->isChanged(ui->priority))
            source->setPriority(ui->priority->value());
        if (m_validator->isChanged(ui->timeout))
            source->setTimeout(ui->timeout->value());
        setWindowTitle(source->text(QString()));
    }
    m_validator->snapshotAll();
    emit configurationChanged(ZUControlSource::staticMetaObject.className());
}
