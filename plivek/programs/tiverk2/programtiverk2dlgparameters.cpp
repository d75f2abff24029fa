#include "programtiverk2dlg.h"
#include "ui_programtiverk2dlg.h"

#include "cnf/cnfprogram.h"
#include "cnf/tiverkiiconfig.h"
#include "plivek/dialogs/controller/calendardlg.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QTextBlock>
#include <QTextCursor>

// The parameter pages edited as text: the MultiRing pattern and module
// settings, and the script with its parameters.

namespace {

const QStringList &patternPath()
{
    static const QStringList path { QStringLiteral("plans"), QStringLiteral("algorithm"),
                                    QStringLiteral("pattern") };
    return path;
}

const QStringList &paramsPath()
{
    static const QStringList path { QStringLiteral("plans"), QStringLiteral("algorithm"),
                                    QStringLiteral("params") };
    return path;
}

const QStringList &multiRingPath()
{
    static const QStringList path { QStringLiteral("modules"), QStringLiteral("MultiRing") };
    return path;
}

// A map as the user edits it: the configuration file's section at `path`, or
// indented JSON when the file has no layout for it.
QString sectionText(const QVariant &value, const QStringList &path)
{
    QByteArray text = TiverkIIConfig::humanizedSection(value.toMap(), path);
    if (text.isEmpty())
        text = QJsonDocument::fromVariant(value).toJson(QJsonDocument::Indented);
    return QString::fromUtf8(text);
}

} // namespace

void ProgramTiverk2Dlg::fillMultiRing()
{
    const QVariant pattern = m_program->property("pattern");
    // A click, so that the box shows or hides the special pattern's editor.
    if (pattern.type() == QVariant::Map) {
        if (!ui->specialPattern->isChecked())
            ui->specialPattern->click();
        ui->patternContent->setPlainText(sectionText(pattern, patternPath()));
    } else {
        if (ui->specialPattern->isChecked())
            ui->specialPattern->click();
        ui->pattern->setText(pattern.toString());
    }
    ui->mr_mod_script->setPlainText(sectionText(m_multiRing, multiRingPath()));
}

void ProgramTiverk2Dlg::fillScript()
{
    ui->script->setText(m_program->property("script").toString());
    ui->extensions->setText(
        m_program->property("extensions").toStringList().join(QLatin1Char(',')));
    ui->scriptParam->setPlainText(sectionText(m_program->property("params"), paramsPath()));
}

bool ProgramTiverk2Dlg::storeMultiRing(bool validate)
{
    QVariant pattern;
    if (ui->specialPattern->isChecked()) {
        bool ok = false;
        const QVariant parsed = parseJsonEdit(ui->patternContent, &ok);
        // OK keeps the dialog open with the text, so the special pattern is not
        // lost; a refresh goes on without it.
        if (!ok && validate)
            return false;
        if (ok)
            pattern = parsed;
    } else {
        bool ok = false;
        const int number = ui->pattern->text().toInt(&ok);
        if (ok)
            pattern = number;
    }
    m_program->setProperty("pattern", pattern);

    bool ok = false;
    const QVariant modules = parseJsonEdit(ui->mr_mod_script, &ok);
    if (!ok)
        return false;
    m_multiRing = modules.toMap();
    return true;
}

bool ProgramTiverk2Dlg::storeScript()
{
    bool ok = false;
    const QVariant params = parseJsonEdit(ui->scriptParam, &ok);
    if (!ok)
        return false;
    m_program->setProperty("params", params);
    const QString script = ui->script->text();
    m_program->setProperty("script", script.isEmpty() ? QVariant() : QVariant(script));
    const QString extensions = ui->extensions->text();
    m_program->setProperty("extensions",
                           extensions.isEmpty()
                               ? QVariant()
                               : QVariant(extensions.split(QLatin1Char(','), Qt::SkipEmptyParts)));
    m_program->matrix.reset();
    return true;
}

// The text editors of the script and pattern pages are read only on OK and on
// the next refresh; they mark the program edited without starting one.
void ProgramTiverk2Dlg::on_pattern_textChanged(const QString &)
{
    m_changed = true;
}

void ProgramTiverk2Dlg::on_mr_mod_script_textChanged()
{
    m_changed = true;
}

void ProgramTiverk2Dlg::on_scriptParam_textChanged()
{
    m_changed = true;
}

void ProgramTiverk2Dlg::on_extensions_editingFinished()
{
    m_changed = true;
}

void ProgramTiverk2Dlg::on_script_editingFinished()
{
    m_changed = true;
}

void ProgramTiverk2Dlg::on_patternContent_textChanged()
{
    m_changed = true;
}

QVariant ProgramTiverk2Dlg::parseJsonEdit(QTextEdit *edit, bool *ok)
{
    if (!edit)
        return QVariant(false);
    const QByteArray bytes = edit->toPlainText().toUtf8();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        // The line of the error is selected, so the user sees where to look.
        const int line = 1 + int(bytes.left(error.offset + 1).count('\n'));
        QTextCursor cursor(edit->document()->findBlockByNumber(line - 1));
        cursor.movePosition(QTextCursor::StartOfBlock);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        CalendarDlg::printError(this, tr("Error at line %1: ").arg(line) + error.errorString());
        if (ok)
            *ok = false;
        return QVariant();
    }
    if (ok)
        *ok = true;
    return document.toVariant();
}

void ProgramTiverk2Dlg::on_formatScript_clicked()
{
    bool ok = false;
    const QVariant modules = parseJsonEdit(ui->mr_mod_script, &ok);
    if (ok) {
        const QByteArray text = TiverkIIConfig::humanizedSection(
            modules.toMap(), { QStringLiteral("modules"), QStringLiteral("MultiRing") });
        if (!text.isEmpty())
            ui->mr_mod_script->setPlainText(QString::fromUtf8(text));
    }
    if (ui->specialPattern->isChecked()) {
        const QVariant pattern = parseJsonEdit(ui->patternContent, &ok);
        if (ok) {
            const QByteArray text = TiverkIIConfig::humanizedSection(pattern.toMap(),
                                                                     { QStringLiteral("plans"),
                                                                       QStringLiteral("algorithm"),
                                                                       QStringLiteral("pattern") });
            if (!text.isEmpty())
                ui->patternContent->setPlainText(QString::fromUtf8(text));
        }
    }
}

void ProgramTiverk2Dlg::on_specialPattern_clicked(bool checked)
{
    ui->patternContent->setVisible(checked);
    ui->pattern->setEnabled(!checked);
}
