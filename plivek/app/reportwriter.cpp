#include "reportwriter.h"

#include "batchmodes.h"
#include "cnf/cnfcontroller.h"
#include "cnf/cnfdaycard.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfweekcard.h"
#include "loadcontrollerconfig.h"
#include "plivek/mainwindow/mainwindowtexts.h"
#include "plivek/programs/programdlg.h"
#include "reporterror.h"
#include "safefile/safefile.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSize>

namespace {

const QSize pictureSize(1024, 600);

// The day card's number as week cards give it: its id as a decimal number, 0
// when the id is no number.
int dayCardNumber(const CnfDayCardPtr &card)
{
    return card->id.toInt();
}

// The programs of type 3 and above with their tables; writes their pictures into
// the folder. `picturesWritten` becomes false when a picture could not be written
// (the program dialog has logged why).
QJsonObject programsObject(CnfController &controller, const QDir &folder, bool *picturesWritten)
{
    const bool adapter = controller.property("type").toString() == QLatin1String("adapter");
    const QString family
        = adapter ? QStringLiteral("adapter") : controller.property("version").toString();
    // The program dialog draws no diagram for the adapter family: no picture is due.
    const bool picturesDue = !adapter;
    *picturesWritten = true;
    QJsonObject programs;
    for (const CnfProgramPtr &program : controller.programs()) {
        if (program->type < CnfProgram::FixedTime)
            continue;
        // The dialog is never shown: it only lends its table and its diagram.
        ProgramDlg dialog(nullptr, program, &controller, false);
        QJsonObject entry;
        entry.insert(QStringLiteral("type"), BatchModes::programTypeName(*program, family));
        entry.insert(QStringLiteral("data"), QJsonArray::fromVariantList(dialog.tiverkTableData()));
        programs.insert(program->id, entry);
        const QString base = QStringLiteral("prog_") + ReportWriter::safeFileName(program->id);
        for (const QString &suffix : { QStringLiteral(".png"), QStringLiteral(".svg") }) {
            if (!dialog.saveDiagramImage(folder.filePath(base + suffix), pictureSize)
                && picturesDue)
                *picturesWritten = false;
        }
    }
    return programs;
}

QJsonObject dayCardsObject(const CnfController &controller)
{
    QJsonObject cards;
    for (const CnfDayCardPtr &card : controller.dayCards()) {
        QJsonObject items;
        for (auto record = card->records.cbegin(); record != card->records.cend(); ++record) {
            QJsonObject item;
            if (!record->programId().isEmpty())
                item.insert(QStringLiteral("prog"), record->programId());
            if (!record->reserveId().isEmpty())
                item.insert(QStringLiteral("reserve_prog"), record->reserveId());
            items.insert(record.key().toString(QStringLiteral("hh:mm:ss")), item);
        }
        cards.insert(card->id, items);
    }
    return cards;
}

// Monday first: the day card number of each day; a day without its own card
// takes the card of the nearest earlier day that has one (the week taken as a
// cycle), -1 when the week card names none at all. With several week cards the
// last one is described.
QJsonObject weekCardObject(const CnfController &controller)
{
    QJsonObject week;
    for (const CnfWeekCardPtr &card : controller.weekCards()) {
        QJsonArray days;
        for (int day = 1; day <= 7; ++day) {
            int number = -1;
            for (int back = 0; back < 7; ++back) {
                const int earlier = (day - 1 - back + 7) % 7 + 1;
                const CnfDayCardPtr dayCard = card->days.value(earlier);
                if (dayCard) {
                    number = dayCardNumber(dayCard);
                    break;
                }
            }
            days.append(number);
        }
        week.insert(QStringLiteral("id"), card->id);
        week.insert(QStringLiteral("daycards"), days);
    }
    return week;
}

} // namespace

namespace ReportWriter {

QString safeFileName(const QString &name)
{
    QString safe = name;
    safe.replace(QLatin1String(".."), QLatin1String("_"));
    safe.replace(QLatin1Char('/'), QLatin1Char('_'));
    safe.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return safe;
}

bool createReport(CnfController &controller, const QString &folder)
{
    const QDir dir(folder);
    const QString reportPath = dir.filePath(QStringLiteral("report.json"));
    bool picturesWritten = true;
    QJsonObject report;
    report.insert(QStringLiteral("programs"), programsObject(controller, dir, &picturesWritten));
    report.insert(QStringLiteral("daycards"), dayCardsObject(controller));
    report.insert(QStringLiteral("weekcards"), weekCardObject(controller));
    // "report.json" is written even when a picture is missing: its data stand apart.
    QString error;
    SafeFile::Failure failure;
    if (!SafeFile::write(reportPath, QJsonDocument(report).toJson(QJsonDocument::Indented), &error,
                         &failure)) {
        qWarning().noquote() << QStringLiteral("Open file error:")
                + SafeFile::failureText(reportPath, error, failure);
        return false;
    }
    return picturesWritten;
}

int createReportMode(const QString &configPath, const QString &reportFolder)
{
    const QString folder
        = reportFolder.isEmpty() ? QFileInfo(configPath).absolutePath() : reportFolder;
    CnfController controller;
    if (!loadControllerConfig(controller, configPath, 0, true))
        return 1;
    return createReport(controller, folder) ? 0 : 1;
}

int batchReportMode(const QString &configFolder, const QString &reportFolder)
{
    const QDir configs(configFolder);
    const QDir reports(reportFolder.isEmpty() ? configFolder : reportFolder);
    // A folder that is not there would list no file and leave the caller without a word.
    const QFileInfo configsInfo(configFolder);
    if (!configsInfo.isDir()) {
        reportError(MainWindowTexts::tr("Error open folder"),
                    namingPath(configsInfo.exists() ? MainWindowTexts::tr("Not a folder")
                                                    : MainWindowTexts::tr("No such folder"),
                               configFolder),
                    true);
        return 0;
    }
    const QStringList files = BatchModes::configurationFiles(configs);
    // The run goes on past a failed file and ends with 0; the log names each
    // configuration whose report is missing or incomplete, in the bytes of its name.
    auto reportFailed = [](const QString &name) {
        qWarning().noquote() << QStringLiteral("No complete report for ") + name;
    };
    for (const QString &name : files) {
        qDebug().noquote() << QStringLiteral("Parsing ") + name;
        CnfController controller;
        if (!loadControllerConfig(controller, configs.absoluteFilePath(name), 0, true)) {
            reportFailed(name);
            continue;
        }
        QString subfolder = controller.property("number").toString();
        if (subfolder.isEmpty())
            subfolder = QFileInfo(name).baseName();
        subfolder = safeFileName(subfolder);
        const QFileInfo target(reports, subfolder);
        if (!target.isDir() && !reports.mkdir(subfolder)) {
            qWarning().noquote() << namingPath(QStringLiteral("Create subdirectory error"),
                                               reports.filePath(subfolder));
            reportFailed(name);
            continue;
        }
        if (!createReport(controller, target.absoluteFilePath()))
            reportFailed(name);
    }
    return 0;
}

} // namespace ReportWriter
