#include "testmain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

// The source texts of both programs' interfaces are English: the Russian interface
// is their translation (translations/*.ts). The scan reads every string of a designer
// form and every string literal of the code, not only those a translation call or
// marker takes: a literal given to a widget as it is (setText("..."), QStringLiteral,
// a message box's text) is shown untranslated, so a Cyrillic letter in any literal is
// a fault, unless it is a data value that a file or the controller needs as it is,
// which the list below allows with its reason.

namespace {

struct SourceText
{
    QString file; // relative to the source tree
    int line = 0;
    QString text;
};

// The places where Cyrillic words are right: data values that a file or the controller
// needs as they are, never shown as they are. Each entry names its files and the exact
// words (runs of Cyrillic words, as cyrillicWords cuts them) that its files may hold;
// every other Cyrillic letter fails the test. A file or word of an entry that no text
// uses any more fails the test too, so the list stays short.
struct Allowed
{
    QStringList files; // relative to the source tree
    QStringList words;
    const char *why;
};

const QList<Allowed> &allowed()
{
    static const QList<Allowed> list {
        { { QStringLiteral("libs/cnf/cnftiverklayout.cpp"),
            QStringLiteral("libs/cnf/cnfprogramrecord.cpp"),
            QStringLiteral("plivek/programs/tiverk3/layouttexts.cpp"),
            QStringLiteral("plivek/programs/tiverk3/algorithmtable.cpp") },
          QString::fromUtf8(
              "Вариант промтакта|Время перехода|Задержка старта|Цикл|Сдвиг|Фазы|Фаза|"
              "Длительность|Условие вызова|Кнопка или датчик вызова|Адрес датчика|Резерв|"
              "Минимум|Максимум|Продление|Фаза вызова|Длительность вызова|Программа возврата|"
              "Адрес датчика трамвая|Фаза приоритета|Длительность приоритета|Повторный вызов|"
              "Адрес датчика очереди|Порог занятости|Программа при очереди|Нет|КН|Датчик|"
              "Постоянно|Да|Номер программы|Тип программы|Параметры|датчик|кнопка")
              .split(QLatin1Char('|')),
          "The TIVERK III program layout's own field names and list entries: stored layouts "
          "and program records name the fields so, and the code finds a field by its name; "
          "the program dialog shows each through the translation of an English text "
          "(layouttexts.cpp)." },
        { { QStringLiteral("plivek/app/batchmodes.cpp") },
          QString::fromUtf8("Файл|Номер|Тип ДК|Типы алгоритмов|Всего").split(QLatin1Char('|')),
          "The header and the total line of the algorithm list that the batch mode writes "
          "into a file for the tools that read it, not shown in a window." },
    };
    return list;
}

const QStringList scannedFolders { QStringLiteral("plivek"), QStringLiteral("zumoltc"),
                                   QStringLiteral("common"), QStringLiteral("libs") };

// The runs of Cyrillic words in a text: "Тип ДК" and "КН" of "a;Тип ДК;КН1".
QStringList cyrillicWords(const QString &text)
{
    static const QRegularExpression words(QStringLiteral("\\p{Cyrillic}+(?: +\\p{Cyrillic}+)*"));
    QStringList found;
    for (QRegularExpressionMatchIterator it = words.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    return found;
}

// Every <string> of a designer form: titles, labels, texts, tool tips, items,
// header items, suffixes, also those marked not to be translated (they are shown
// all the same).
QList<SourceText> formTexts(const QString &file, const QByteArray &form, QString *error)
{
    QList<SourceText> texts;
    QXmlStreamReader xml(form);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement
            && xml.name() == QLatin1String("string")) {
            const int line = int(xml.lineNumber());
            texts.append({ file, line, xml.readElementText() });
        }
    }
    if (xml.hasError())
        *error = QStringLiteral("%1:%2: %3").arg(file).arg(xml.lineNumber()).arg(xml.errorString());
    return texts;
}

// A C++ source cut into the tokens that matter here: names, string literals
// (adjacent ones joined, escapes resolved, the bytes read as UTF-8) and single
// punctuation characters. Comments, character literals and numbers are dropped.
struct Token
{
    enum Kind { Name, String, Punct } kind;
    QByteArray value;
    int line;
};

class Tokenizer
{
public:
    explicit Tokenizer(const QByteArray &code)
        : m_code(code)
    {
    }

    QList<Token> tokens()
    {
        QList<Token> result;
        while (m_at < m_code.size()) {
            const char c = m_code.at(m_at);
            if (c == '\n') {
                ++m_line;
                ++m_at;
            } else if (isspace(uchar(c))) {
                ++m_at;
            } else if (startsWith("//")) {
                while (m_at < m_code.size() && m_code.at(m_at) != '\n')
                    ++m_at;
            } else if (startsWith("/*")) {
                const int end = m_code.indexOf("*/", m_at + 2);
                skipTo(end < 0 ? m_code.size() : end + 2);
            } else if (c == '\'') {
                quoted('\'');
            } else if (c == '"') {
                append(&result, { Token::String, quoted('"'), m_line });
            } else if (isalpha(uchar(c)) || c == '_') {
                const int start = m_at;
                while (m_at < m_code.size()
                       && (isalnum(uchar(m_code.at(m_at))) || m_code.at(m_at) == '_'))
                    ++m_at;
                const QByteArray name = m_code.mid(start, m_at - start);
                const bool literal = m_at < m_code.size() && m_code.at(m_at) == '"';
                if (literal && name.endsWith('R') && name.size() <= 3)
                    append(&result, { Token::String, raw(), m_line });
                else if (!(literal && (name == "u8" || name == "L" || name == "u" || name == "U")))
                    result.append({ Token::Name, name, m_line });
            } else if (isdigit(uchar(c))) {
                // Digit separators (1'000) must not open a character literal.
                while (m_at < m_code.size()
                       && (isalnum(uchar(m_code.at(m_at))) || m_code.at(m_at) == '.'
                           || m_code.at(m_at) == '\''))
                    ++m_at;
            } else {
                result.append({ Token::Punct, QByteArray(1, c), m_line });
                ++m_at;
            }
        }
        return result;
    }

private:
    bool startsWith(const char *text) const { return m_code.mid(m_at, int(strlen(text))) == text; }

    void skipTo(int end)
    {
        m_line += m_code.mid(m_at, end - m_at).count('\n');
        m_at = end;
    }

    static void append(QList<Token> *tokens, const Token &token)
    {
        if (!tokens->isEmpty() && tokens->last().kind == Token::String)
            tokens->last().value += token.value;
        else
            tokens->append(token);
    }

    // A quoted literal from its opening quote; its bytes with the escapes resolved.
    QByteArray quoted(char quote)
    {
        QByteArray bytes;
        ++m_at;
        while (m_at < m_code.size() && m_code.at(m_at) != quote && m_code.at(m_at) != '\n') {
            const char c = m_code.at(m_at++);
            if (c == '\\' && m_at < m_code.size())
                bytes += escaped();
            else
                bytes.append(c);
        }
        ++m_at;
        return bytes;
    }

    // The bytes of an escape sequence after its backslash.
    QByteArray escaped()
    {
        const char c = m_code.at(m_at++);
        switch (c) {
        case 'n':
            return "\n";
        case 't':
            return "\t";
        case 'r':
            return "\r";
        case 'u':
        case 'U': {
            // A universal character name (\u0416): the character's UTF-8 bytes.
            char32_t value = 0;
            for (int digits = 0; digits < (c == 'u' ? 4 : 8) && m_at < m_code.size()
                 && isxdigit(uchar(m_code.at(m_at)));
                 ++digits)
                value = value * 16 + QByteArray(1, m_code.at(m_at++)).toUInt(nullptr, 16);
            return QString::fromUcs4(&value, 1).toUtf8();
        }
        case 'x': {
            int value = 0;
            while (m_at < m_code.size() && isxdigit(uchar(m_code.at(m_at))))
                value = value * 16 + QByteArray(1, m_code.at(m_at++)).toInt(nullptr, 16);
            return QByteArray(1, char(value));
        }
        default:
            if (c >= '0' && c <= '7') {
                int value = c - '0';
                for (int digits = 1; digits < 3 && m_at < m_code.size() && m_code.at(m_at) >= '0'
                     && m_code.at(m_at) <= '7';
                     ++digits)
                    value = value * 8 + (m_code.at(m_at++) - '0');
                return QByteArray(1, char(value));
            }
            return QByteArray(1, c); // \" \\ \' \?
        }
    }

    // A raw literal R"delimiter(...)delimiter" from its opening quote.
    QByteArray raw()
    {
        const int open = m_code.indexOf('(', m_at);
        const QByteArray close = ')' + m_code.mid(m_at + 1, open - m_at - 1) + '"';
        const int end = m_code.indexOf(close, open);
        const QByteArray bytes = m_code.mid(open + 1, end - open - 1);
        skipTo(end < 0 ? m_code.size() : end + close.size());
        return bytes;
    }

    const QByteArray m_code;
    int m_at = 0;
    int m_line = 1;
};

// Every string literal of the code (adjacent ones joined), whatever takes it: a
// translation call's source text, a widget's text, a key of a file.
QList<SourceText> codeTexts(const QString &file, const QByteArray &code)
{
    QList<SourceText> texts;
    for (const Token &token : Tokenizer(code).tokens()) {
        if (token.kind == Token::String)
            texts.append({ file, token.line, QString::fromUtf8(token.value) });
    }
    return texts;
}

// The Cyrillic words of the texts that no entry of `allowed` lets their file hold, as
// "file:line: "text"" lines; `unused` gets the files and words of entries that no text uses.
QStringList untranslatedCyrillic(const QList<SourceText> &texts, const QList<Allowed> &allowed,
                                 QStringList *unused)
{
    QStringList found;
    QSet<QString> usedFiles;
    QSet<QString> usedWords;
    for (const SourceText &text : texts) {
        bool wrong = false;
        for (const QString &word : cyrillicWords(text.text)) {
            bool isAllowed = false;
            for (const Allowed &entry : allowed) {
                if (entry.files.contains(text.file) && entry.words.contains(word)) {
                    isAllowed = true;
                    usedFiles.insert(text.file);
                    usedWords.insert(word);
                }
            }
            wrong = wrong || !isAllowed;
        }
        if (wrong)
            found << QStringLiteral("%1:%2: \"%3\"").arg(text.file).arg(text.line).arg(text.text);
    }
    for (const Allowed &entry : allowed) {
        for (const QString &file : entry.files) {
            if (!usedFiles.contains(file))
                *unused << file;
        }
        for (const QString &word : entry.words) {
            if (!usedWords.contains(word))
                *unused << word;
        }
    }
    return found;
}

QString sourceTree()
{
    return QStringLiteral(PROJECT_SOURCE_TREE);
}

// Every interface text of the scanned folders; `error` names a form that did not parse.
QList<SourceText> interfaceTexts(QString *error)
{
    QList<SourceText> texts;
    const QDir root(sourceTree());
    for (const QString &folder : scannedFolders) {
        QDirIterator files(
            root.filePath(folder),
            { QStringLiteral("*.ui"), QStringLiteral("*.cpp"), QStringLiteral("*.h") }, QDir::Files,
            QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QFile source(path);
            if (!source.open(QIODevice::ReadOnly)) {
                *error = QStringLiteral("%1: %2").arg(path, source.errorString());
                continue;
            }
            const QString file = root.relativeFilePath(path);
            if (path.endsWith(QLatin1String(".ui")))
                texts += formTexts(file, source.readAll(), error);
            else
                texts += codeTexts(file, source.readAll());
        }
    }
    return texts;
}

QStringList textsOf(const QList<SourceText> &found)
{
    QStringList texts;
    for (const SourceText &text : found)
        texts << text.text;
    return texts;
}

} // namespace

class TestSourceTexts : public QObject
{
    Q_OBJECT
    QList<SourceText> m_texts;
    QString m_error;

private slots:
    void initTestCase() { m_texts = interfaceTexts(&m_error); }

    // What the scan takes from code: every string literal, whatever takes it.
    void codeTexts_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("tr") << QByteArray("setText(tr(\"Open\"));") << QStringList { "Open" };
        QTest::newRow("disambiguation")
            << QByteArray("tr(\"Open\", \"file\")") << QStringList { "Open", "file" };
        QTest::newRow("joined literals")
            << QByteArray("tr(\"Short \"\n   \"text\")") << QStringList { "Short text" };
        QTest::newRow("escapes") << QByteArray("tr(\"a\\n\\\"b\\\" \\\\ \\101\")")
                                 << QStringList { "a\n\"b\" \\ A" };
        QTest::newRow("Cyrillic written as escapes")
            << QByteArray("QT_TRANSLATE_NOOP(\"X\", \"\\xD0\\x9A\" \"ey\")")
            << QStringList { "X", QString::fromUtf8("Кey") };
        QTest::newRow("Cyrillic written as character names")
            << QByteArray("QStringLiteral(\"\\u041a\\U00000415y\")")
            << QStringList { QString::fromUtf8("КЕy") };
        QTest::newRow("context and source")
            << QByteArray("QCoreApplication::translate(\"Ctx\", \"Row %1 of %2\").arg(f(a, "
                          "b)).arg(c); QT_TRANSLATE_NOOP3(\"Ctx\", \"Save\", \"menu\")")
            << QStringList { "Ctx", "Row %1 of %2", "Ctx", "Save", "menu" };
        QTest::newRow("markers in a table")
            << QByteArray("const char *names[] = { QT_TR_NOOP(\"Yes\"), QT_TR_NOOP(\"No\") };")
            << QStringList { "Yes", "No" };
        QTest::newRow("comments") << QByteArray("// tr(\"a\")\n/* tr(\"b\")\n */ tr(\"c\")")
                                  << QStringList { "c" };
        QTest::newRow("texts given to widgets as they are")
            << QByteArray("label->setText(\"a\"); box.setWindowTitle(QStringLiteral(\"b\"));"
                          " combo->addItem(QString::fromUtf8(\"c\")); QMessageBox::warning(this,"
                          " QLatin1String(\"d\"), QString(\"e\"));")
            << QStringList { "a", "b", "c", "d", "e" };
        QTest::newRow("no literal")
            << QByteArray("tr(name); painter.translate(10, 20);") << QStringList();
        QTest::newRow("quote characters and digit separators")
            << QByteArray("tr(\"a\") + '\"' + 1'000 + tr(\"b\")") << QStringList { "a", "b" };
        QTest::newRow("raw literal") << QByteArray("R\"x(tr(\"no\"))x\"; u8\"s\"; tr(u8\"yes\")")
                                     << QStringList { "tr(\"no\")", "s", "yes" };
    }

    void codeTexts()
    {
        QFETCH(QByteArray, code);
        QFETCH(QStringList, texts);
        QCOMPARE(textsOf(::codeTexts(QStringLiteral("x.cpp"), code)), texts);
    }

    // A Cyrillic letter in any literal is caught, wherever it goes, but for the words an
    // entry lets the file hold.
    void untranslatedCyrillic_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<int>("caught");
        const QList<std::pair<const char *, QByteArray>> shown {
            { "setText", "label->setText(\"Цикл\");" },
            { "QStringLiteral", "box.setWindowTitle(QStringLiteral(\"Цикл\"));" },
            { "addItem", "combo->addItem(QString::fromUtf8(\"Цикл\"));" },
            { "message box", "QMessageBox::warning(this, tr(\"Error\"), QString(\"Цикл\"));" },
            { "tool tip as escapes", "w->setToolTip(\"\\xD0\\xA6\\u0438кл\");" },
            { "translation source", "tr(\"Цикл\")" },
        };
        for (const auto &code : shown) {
            QTest::addRow("%s in a window", code.first)
                << "plivek/mainwindow/x.cpp" << QByteArray(code.second) << 1;
            QTest::addRow("%s in a file allowed the word", code.first)
                << "libs/cnf/cnftiverklayout.cpp" << QByteArray(code.second) << 0;
        }
        QTest::newRow("a word beside an allowed one")
            << "libs/cnf/cnftiverklayout.cpp"
            << QByteArray("\"<Element name=\\\"Цикл\\\"/>\" \"<b>Привет</b>\"") << 1;
        QTest::newRow("an allowed word in a longer run")
            << "libs/cnf/cnftiverklayout.cpp" << QByteArray("\"Цикл нов\"") << 1;
        QTest::newRow("a word of another entry")
            << "libs/cnf/cnftiverklayout.cpp" << QByteArray("\"Всего\"") << 1;
        QTest::newRow("a letter that looks Latin")
            << "common/widgets/x.cpp" << QByteArray("setText(\"Nо\");") << 1;
        QTest::newRow("comments") << "plivek/x.cpp"
                                  << QByteArray("// Цикл\n/* Цикл */ setText(\"Cycle\");") << 0;
    }

    void untranslatedCyrillic()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, code);
        QFETCH(int, caught);
        QStringList unused;
        const QStringList found
            = ::untranslatedCyrillic(::codeTexts(file, code), allowed(), &unused);
        QVERIFY2(found.size() == caught, qPrintable(found.join(QLatin1Char('\n'))));
    }

    void formTexts()
    {
        const QByteArray form = QByteArray(
            "<ui version=\"4.0\"><widget class=\"QDialog\" name=\"D\">\n"
            "<property name=\"windowTitle\"><string>Title</string></property>\n"
            "<widget class=\"QSpinBox\" name=\"s\"><property name=\"suffix\">"
            "<string>\xD1\x81\xD0\xB5\xD0\xBA.</string></property></widget>\n"
            "<widget class=\"QTableWidget\" name=\"t\"><column><property name=\"text\">"
            "<string notr=\"true\">ID</string></property></column>"
            "<item row=\"0\" column=\"0\"><property name=\"text\"><string>A &amp; B</string>"
            "</property></item></widget>\n"
            "</widget></ui>");
        QString error;
        const QList<SourceText> texts = ::formTexts(QStringLiteral("d.ui"), form, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(textsOf(texts),
                 (QStringList { "Title", QString::fromUtf8("сек."), "ID", "A & B" }));
        QCOMPARE(texts.at(1).line, 3);
    }

    // The scan reaches forms and code of every scanned folder: a scan that found
    // nothing would let every text through.
    void scanReachesEveryKindOfSource_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::newRow("plivek form") << "plivek/document/newdocumentdlg.ui"
                                     << "Document type";
        QTest::newRow("plivek tr") << "plivek/programs/programdlg.cpp"
                                   << "Interstate variant not set";
        QTest::newRow("plivek table of markers") << "plivek/dialogs/controller/errorcontroldlg.cpp"
                                                 << "Key out of sync with electricity grid";
        QTest::newRow("program layout") << "plivek/programs/tiverk3/layouttexts.cpp"
                                        << "Interstate variant";
        QTest::newRow("zumoltc form") << "zumoltc/shell/checkingerrorsdialog.ui"
                                      << "Checking results";
        QTest::newRow("zumoltc tr") << "zumoltc/editors/signalgroupwidget.cpp"
                                    << "Lamps count";
        QTest::newRow("common tr") << "common/widgets/parameterstable.cpp"
                                   << "Copy all with titles";
        QTest::newRow("libs marker") << "libs/cnf/cnfprogram.cpp"
                                     << "Coordinated fixed time";
        QTest::newRow("literal given as it is")
            << "plivek/app/batchmodes.cpp" << QString::fromUtf8("Всего:");
        QTest::newRow("field name")
            << "plivek/programs/tiverk3/algorithmtable.cpp" << QString::fromUtf8("Условие вызова");
    }

    void scanReachesEveryKindOfSource()
    {
        QFETCH(QString, file);
        QFETCH(QString, text);
        QVERIFY2(m_error.isEmpty(), qPrintable(m_error));
        bool found = false;
        for (const SourceText &source : qAsConst(m_texts))
            found = found || (source.file == file && source.text == text);
        QVERIFY2(found, qPrintable(QStringLiteral("%1 not found in %2").arg(text, file)));
    }

    // No text of the sources holds a Cyrillic letter, not even one that only looks Latin,
    // but for the data values that the list allows.
    void englishSourceTexts()
    {
        QVERIFY2(m_error.isEmpty(), qPrintable(m_error));
        QStringList unused;
        const QStringList found = ::untranslatedCyrillic(m_texts, allowed(), &unused);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
        QVERIFY2(unused.isEmpty(),
                 qPrintable(QStringLiteral("allowed but not used: ")
                            + unused.join(QLatin1String(", "))));
    }
};

PROJECT_TEST(TestSourceTexts);
#include "tst_sourcetexts.moc"
