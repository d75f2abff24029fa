#include "commonparameterswidget.h"
#include "ui_commonparameterswidget.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace {

// Lets each paragraph from `from` to `from + length` keep its shaped text until it is
// laid out again. Qt drops it after every layout and paint, so each blink of the
// cursor shaped the whole paragraph that holds it once more, and a keystroke three
// times: a paragraph of a million characters kept a core busy while the field waited.
void keepShapedText(QTextDocument *document, int from, int length)
{
    const QTextBlock last = document->findBlock(from + length);
    for (QTextBlock block = document->findBlock(from); block.isValid(); block = block.next()) {
        block.layout()->setCacheEnabled(true);
        if (block == last)
            break;
    }
}

} // namespace

CommonParametersWidget::CommonParametersWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::CommonParametersWidget)
{
    ui->setupUi(this);
    // Lines break at word boundaries only. Qt's mode that also breaks a word longer
    // than the line measures such a word to its end again for each line it fills,
    // so pasting or opening a long text without blanks took time growing with the
    // square of its length; here such a word stays one line, reached by scrolling.
    ui->description->setWordWrapMode(QTextOption::WordWrap);
    // Told before the changed paragraphs are laid out again.
    QTextDocument *document = ui->description->document();
    connect(document, &QTextDocument::contentsChange, this,
            [document](int from, int, int added) { keepShapedText(document, from, added); });
    keepShapedText(document, 0, document->characterCount());
    m_validator = new DialogItemValidator(this);
}

CommonParametersWidget::~CommonParametersWidget()
{
    delete ui;
}

void CommonParametersWidget::load(ZUConfiguration *configuration)
{
    if (!configuration)
        return;
    const QList<QLineEdit *> edits = findChildren<QLineEdit *>();
    for (QLineEdit *edit : edits)
        edit->clear();
    ui->number->setValue(configuration->id());
    ui->name->setText(configuration->name());
    ui->description->setPlainText(configuration->description());
    ui->amberBlink->setValue(configuration->amberBlink());
    ui->allRed->setValue(configuration->allRed());
    ui->timeZone->setText(configuration->timeZone().toString());
    ui->maxCurrent->setValue(configuration->maxCurrent());
    m_validator->snapshotAll();
    m_configuration = configuration;
}

QVariant CommonParametersWidget::timeZoneValue(const QString &text)
{
    if (text.isEmpty())
        return QVariant();
    bool ok = false;
    const int hours = text.toInt(&ok, 10);
    if (ok)
        return hours;
    // "inf" and "nan" read as doubles too, but have no place in the file.
    const double real = text.toDouble(&ok);
    if (ok && std::isfinite(real))
        return real;
    return text;
}

void CommonParametersWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator))
        return;
    ZUConfiguration *c = m_configuration;
    if (m_validator->isChanged(ui->number))
        c->setId(ui->number->value());
    if (m_validator->isChanged(ui->name))
        c->setName(ui->name->text());
    if (m_validator->isChanged(ui->description))
        c->setDescription(ui->description->toPlainText());
    if (m_validator->isChanged(ui->amberBlink))
        c->setAmberBlink(ui->amberBlink->value());
    if (m_validator->isChanged(ui->allRed))
        c->setAllRed(ui->allRed->value());
    if (m_validator->isChanged(ui->timeZone))
        c->setTimeZone(timeZoneValue(ui->timeZone->text()));
    if (m_validator->isChanged(ui->maxCurrent))
        c->setMaxCurrent(ui->maxCurrent->value());
    m_validator->snapshotAll();
    emit configurationChanged(nullptr);
}
