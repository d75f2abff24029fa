#include "emulatorparametersdlg.h"
#include "ui_emulatorparametersdlg.h"

#include <QMap>
#include <QSettings>

#include <log4cxx/logger.h>
#include <log4cxx/spi/loggerrepository.h>

namespace {

const QString ExcludedModulesKey = QStringLiteral("EmulatorParameters/ExcludedModules");
const QString LoggingGroup = QStringLiteral("Log4qt");
const QString NoLevel = QStringLiteral("NULL");

log4cxx::spi::LoggerRepository *repository()
{
    const log4cxx::LoggerPtr root = log4cxx::Logger::getRootLogger();
    return root ? root->getLoggerRepository() : nullptr;
}

QString levelName(const log4cxx::LevelPtr &level)
{
    return level ? QString::fromStdString(level->toString()) : NoLevel;
}

} // namespace

EmulatorParametersDlg::EmulatorParametersDlg(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::EmulataorParametersDlg)
{
    Q_INIT_RESOURCE(emulation);
    ui->setupUi(this);
    QSettings settings;
    ui->excludedModules->setText(
        settings.value(ExcludedModulesKey, defaultExcludedModules()).toString());
    ui->disabledPlugins->setText(
        settings.value(disabledPluginsKey(), defaultDisabledPlugins()).toString());

    // Every logger the library knows with its own level, then the stored
    // levels, which win; ordered by name.
    QMap<QString, QString> levels;
    if (log4cxx::spi::LoggerRepository *loggers = repository()) {
        for (const log4cxx::LoggerPtr &logger : loggers->getCurrentLoggers())
            levels.insert(QString::fromStdString(logger->getName()), levelName(logger->getLevel()));
    }
    settings.beginGroup(LoggingGroup);
    for (const QString &key : settings.childKeys())
        levels.insert(key, settings.value(key).toString());
    settings.endGroup();
    QString text;
    for (auto it = levels.cbegin(); it != levels.cend(); ++it)
        text += it.key() + QLatin1Char('=') + it.value() + QLatin1Char('\n');
    ui->loggingParameters->setPlainText(text);
}

EmulatorParametersDlg::~EmulatorParametersDlg()
{
    delete ui;
}

QString EmulatorParametersDlg::defaultExcludedModules()
{
    return QStringLiteral("SystemBus,TiverkITS,Priority,BaseControls,TrafiCam,Citilog,Keyboard");
}

void EmulatorParametersDlg::on_notIncludedReset_clicked()
{
    ui->excludedModules->setText(defaultExcludedModules());
}

void EmulatorParametersDlg::on_disabledPluginsReset_clicked()
{
    ui->disabledPlugins->setText(defaultDisabledPlugins());
}

void EmulatorParametersDlg::accept()
{
    QSettings settings;
    settings.setValue(ExcludedModulesKey, ui->excludedModules->text());
    settings.setValue(disabledPluginsKey(), ui->disabledPlugins->text());

    settings.beginGroup(LoggingGroup);
    QStringList unnamed = settings.childKeys();
    settings.remove(QString());
    const QStringList lines
        = ui->loggingParameters->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList parts = line.trimmed().split(QLatin1Char('='));
        if (parts.size() != 2)
            continue;
        const QString name = parts.at(0).trimmed();
        const QString level = parts.at(1).trimmed();
        if (name.isEmpty())
            continue; // no logger has an empty name, and no settings key may be empty
        unnamed.removeAll(name);
        if (level != NoLevel)
            settings.setValue(name, level);
    }
    // A logger whose line was deleted is switched off rather than forgotten.
    for (const QString &name : qAsConst(unnamed))
        settings.setValue(name, QStringLiteral("OFF"));
    settings.endGroup();

    applyLoggingSettings();
    QDialog::accept();
}

void EmulatorParametersDlg::applyLoggingSettings()
{
    log4cxx::spi::LoggerRepository *loggers = repository();
    if (!loggers)
        return;
    // toLevel gives its default back for a text that is no level name; a
    // level of our own as that default tells the two apart.
    static const log4cxx::LevelPtr notALevel
        = std::make_shared<log4cxx::Level>(log4cxx::Level::OFF_INT - 1, "not a level", 0);
    QSettings settings;
    settings.beginGroup(LoggingGroup);
    for (const QString &name : settings.childKeys()) {
        const log4cxx::LevelPtr level
            = log4cxx::Level::toLevel(settings.value(name).toString().toStdString(), notALevel);
        if (!level || level == notALevel)
            continue;
        if (const log4cxx::LoggerPtr logger = loggers->exists(name.toStdString()))
            logger->setLevel(level);
    }
    settings.endGroup();
}
