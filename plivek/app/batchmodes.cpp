#include "batchmodes.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"
#include "cnf/vobject.h"
#include "loadcontrollerconfig.h"
#include "plivek/mainwindow/mainwindowtexts.h"
#include "plivek/programs/programdlg.h"
#include "plivek/programs/tiverk2/programtiverk2dlg.h"
#include "reporterror.h"
#include "safefile/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QMap>
#include <QTextStream>

#include <new>

namespace {

const QString &readingProgramTitle()
{
    static const QString title = MainWindowTexts::tr("Error reading program");
    return title;
}

const QString &multiRingTitle()
{
    static const QString title = MainWindowTexts::tr("Load multiring data error");
    return title;
}

// Entry `number` (from 1) of a multi-ring list, as a value; invalid when missing.
QVariant multiRingEntry(const CnfController &controller, const char *list, int number)
{
    if (number < 1)
        return QVariant();
    const VObject entry = controller.nativeData()["modules"]["MultiRing"][list][number - 1];
    return entry.isNull() ? QVariant() : entry.toVariant();
}

// Puts the pattern, sequence and split that a multi-ring program names by number
// into its property "pattern". False after reporting a reference to nothing.
bool expandMultiRingReferences(const CnfController &controller, CnfProgram &program)
{
    const QVariant pattern = program.property("pattern");
    bool isNumber = false;
    const int patternNumber = pattern.toInt(&isNumber);
    QVariantMap working;
    if (isNumber) {
        const QVariant entry = multiRingEntry(controller, "patterns", patternNumber);
        if (!entry.isValid()) {
            reportError(multiRingTitle(),
                        MainWindowTexts::tr("invalid pattern %1").arg(patternNumber), false);
            return false;
        }
        working = entry.toMap();
    } else if (pattern.type() == QVariant::Map) {
        working = pattern.toMap();
    }
    const int shownPattern = isNumber ? patternNumber : 0;
    struct Reference
    {
        const char *key;
        const char *list;
        const char *message;
    };
    static const Reference references[] = {
        { "sequence", "sequences",
          QT_TRANSLATE_NOOP("MainWindow", "invalid sequence %1 in pattern %2") },
        { "split", "splits", QT_TRANSLATE_NOOP("MainWindow", "invalid split %1 in pattern %2") },
    };
    for (const Reference &reference : references) {
        const QString key = QLatin1String(reference.key);
        if (!working.contains(key))
            working.insert(key, QVariant());
        bool named = false;
        const int number = working.value(key).toInt(&named);
        if (!named)
            continue;
        const QVariant entry = multiRingEntry(controller, reference.list, number);
        if (!entry.isValid()) {
            reportError(multiRingTitle(),
                        MainWindowTexts::tr(reference.message).arg(number).arg(shownPattern),
                        false);
            return false;
        }
        working.insert(key, entry);
    }
    program.setProperty("pattern", working);
    return true;
}

} // namespace

namespace BatchModes {

bool convertOlderProgramForm(const QByteArray &content, const CnfController &controller,
                             QByteArray *converted, QString *error)
{
    QDomDocument document;
    QString parseError;
    if (!document.setContent(content, &parseError)) {
        *error = parseError;
        return false;
    }
    const QDomElement root = document.documentElement();
    const QVariant version = controller.property("version");
    QString text
        = QStringLiteral("<Controller type=\"%1\" %2><Program type=")
              .arg(controller.property("type").toString().toHtmlEscaped(),
                   version.isValid()
                       ? QStringLiteral("version=\"%1\"").arg(version.toString().toHtmlEscaped())
                       : QString());
    const QString type = root.attribute(QStringLiteral("type"));
    if (type == QLatin1String("1")) {
        text += QStringLiteral("\"timer\">");
    } else if (type == QLatin1String("2")) {
        text += QStringLiteral("\"coord\" cycle=\"%1\">")
                    .arg(root.attribute(QStringLiteral("cycle_length")).toHtmlEscaped());
    } else {
        *error = MainWindowTexts::tr("Invalid program type %1 when converting formats").arg(type);
        return false;
    }
    for (QDomElement phase = root.firstChildElement(QStringLiteral("Phase")); !phase.isNull();
         phase = phase.nextSiblingElement(QStringLiteral("Phase"))) {
        // The full length, when given, is the length the current form keeps.
        const QString length = phase.hasAttribute(QStringLiteral("full_length"))
            ? phase.attribute(QStringLiteral("full_length"))
            : phase.attribute(QStringLiteral("length"));
        text += QStringLiteral("<Phase length=\"%1\" start=\"%2\">%3</Phase>")
                    .arg(length.toHtmlEscaped(),
                         phase.attribute(QStringLiteral("start")).toHtmlEscaped(),
                         phase.text().toHtmlEscaped());
    }
    text += QStringLiteral("</Program></Controller>");
    *converted = text.toUtf8();
    return true;
}

QString programTypeName(const CnfProgram &program, const QString &family)
{
    if (program.type == CnfProgram::Tiverk)
        return CnfProgram::tiverkTypeName(program.kind, family, true);
    return CnfProgram::typeName(program.type, true);
}

QStringList configurationFiles(const QDir &folder)
{
    QStringList files;
    const QStringList names = folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names) {
        if (name.endsWith(QLatin1String(".cnf"), Qt::CaseInsensitive)
            || name.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
            files << name;
    }
    return files;
}

int algorithmList(const QDir &folder, QTextStream &out)
{
    out << QStringLiteral("Файл;Номер;Тип ДК;Типы алгоритмов;") << Qt::endl;
    // Files that use each type name.
    QMap<QString, int> totals;
    for (const QString &name : configurationFiles(folder)) {
        CnfController controller;
        if (!loadControllerConfig(controller, folder.absoluteFilePath(name), 0, true)) {
            out << name << Qt::endl;
            continue;
        }
        const QString version = controller.property("version").toString();
        QStringList names;
        for (const CnfProgramPtr &program : controller.programs()) {
            const QString typeName = programTypeName(*program, version);
            if (names.contains(typeName))
                continue;
            names << typeName;
            ++totals[typeName];
        }
        out << name << ';' << controller.property("number").toString() << ';'
            << controller.property("type").toString() << ';' << names.join(QLatin1Char(','))
            << Qt::endl;
    }
    out << QStringLiteral("Всего:") << Qt::endl;
    for (auto total = totals.cbegin(); total != totals.cend(); ++total)
        out << total.key() << ';' << total.value() << Qt::endl;
    return 0;
}

namespace {

// The program that --edit-prog edits: read from the program file (the older form
// converted), else looked up by its number; null for a new program. False after
// reporting why (a file that cannot be opened is not reported).
bool readEditedProgram(CnfController &controller, const QString &programFile, int programNumber,
                       CnfProgramPtr *program)
{
    QFile file(programFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray content = file.readAll();
    file.close();

    if (content.startsWith("<Program")) {
        QString error;
        if (!BatchModes::convertOlderProgramForm(content, controller, &content, &error)) {
            reportError(readingProgramTitle(), error, false);
            return false;
        }
    }

    if (!content.isEmpty()) {
        *program = controller.loadDynamicProgram(content);
        if (!*program) {
            reportError(readingProgramTitle(), controller.lastError(), false);
            return false;
        }
    } else if (programNumber != 0 && programNumber < 50) {
        *program = controller.findProgram(QString::number(programNumber));
        if (!*program) {
            reportError(readingProgramTitle(),
                        MainWindowTexts::tr("Program %1 not found").arg(programNumber), false);
            return false;
        }
    }
    return true;
}

} // namespace

int editProgram(const QString &programFile, const QString &configPath, int objectId,
                int programNumber)
{
    CnfController controller;
    if (!loadControllerConfig(controller, configPath, objectId, false))
        return 1;
    CnfProgramPtr program;
    try {
        if (!readEditedProgram(controller, programFile, programNumber, &program))
            return 1;
    } catch (const std::bad_alloc &) {
        reportError(readingProgramTitle(), notEnoughMemoryToLoad(programFile), false);
        return 1;
    }

    // The dialog works on a copy; only an accepted dialog gives a program back.
    CnfProgramPtr edited;
    const QString family = controller.property("type").toString();
    if (family == QLatin1String("tiverkii") || family == QLatin1String("ZU_MOLT")) {
        if (program && program->type == CnfProgram::MultiRing
            && !expandMultiRingReferences(controller, *program))
            return 1;
        ProgramTiverk2Dlg dialog(nullptr, program, &controller, nullptr, true);
        if (dialog.exec() == QDialog::Accepted)
            edited = dialog.program();
    } else {
        ProgramDlg dialog(nullptr, program, &controller, true);
        if (dialog.exec() == QDialog::Accepted)
            edited = dialog.program();
    }
    if (!edited)
        return 1;

    const QByteArray bytes = controller.createDynamicProgram(edited);
    if (bytes.isEmpty()) {
        reportError(MainWindowTexts::tr("Error creating program"), controller.lastError(), false);
        return 1;
    }
    QString error;
    SafeFile::Failure failure;
    if (!SafeFile::write(programFile, bytes, &error, &failure)) {
        reportError(MainWindowTexts::tr("Error writing output file"),
                    SafeFile::failureText(programFile, error, failure), false);
        return 1;
    }
    return 0;
}

int programList(const QString &listFile, const QString &configPath, int objectId)
{
    CnfController controller;
    if (!loadControllerConfig(controller, configPath, objectId, true))
        return 1;
    QByteArray bytes;
    for (const CnfProgramPtr &program : controller.programs()) {
        // The caller reads one id a line: an id that breaks its line would read as two
        // programs, so the list is refused rather than written wrong.
        if (program->id.contains(QLatin1Char('\n')) || program->id.contains(QLatin1Char('\r'))) {
            QString shown = program->id;
            shown.replace(QLatin1Char('\n'), QLatin1String("\\n"))
                .replace(QLatin1Char('\r'), QLatin1String("\\r"));
            reportError(QString(),
                        MainWindowTexts::tr(
                            "Program id \"%1\" holds a line break; the program list is not written")
                            .arg(shown),
                        true);
            return 1;
        }
        bytes += program->id.toUtf8() + '\n';
    }
    QString error;
    SafeFile::Failure failure;
    if (!SafeFile::write(listFile, bytes, &error, &failure)) {
        reportError(QString(), SafeFile::failureText(listFile, error, failure), true);
        return 1;
    }
    return 0;
}

} // namespace BatchModes
