#include "testmain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

// The source texts of both programs' interfaces are English: the Russian interface
// is their translation (translations/*.ts). The texts are found the way the text
// collector finds them: every string of a designer form, and every literal that
// a translation call or marker of the code takes as its source text.

namespace {

struct SourceText
{
    QString file; // relative to the source tree
    int line = 0;
    QString text;
};

// Places where a text with Cyrillic letters is right: the data of a file, shown
// or stored as the file holds it. Each entry names the file and the exact text;
// an entry that no longer matches a text fails the test, so the list stays short.
struct Allowed
{
    const char *file;
    const char *text; // UTF-8
    const char *why;
};
const Allowed allowed[] = {
    // None: the controller's own words in the program layout (field names, list
    // entries) are shown through the translations of English texts, and the
    // files' keys and the batch modes' file contents are not interface texts.
    { nullptr, nullptr, nullptr },
};

const QStringList scannedFolders { QStringLiteral("plivek"), QStringLiteral("zumoltc"),
                                   QStringLiteral("common"), QStringLiteral("libs") };

bool hasCyrillic(const QString &text)
{
    for (const QChar c : text) {
        if (c.script() == QChar::Script_Cyrillic)
            return true;
    }
    return false;
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
            char c = m_code.at(m_at++);
            if (c == '\\' && m_at < m_code.size())
                c = escaped();
            bytes.append(c);
        }
        ++m_at;
        return bytes;
    }

    char escaped()
    {
        const char c = m_code.at(m_at++);
        switch (c) {
        case 'n':
            return '\n';
        case 't':
            return '\t';
        case 'r':
            return '\r';
        case 'x': {
            int value = 0;
            while (m_at < m_code.size() && isxdigit(uchar(m_code.at(m_at))))
                value = value * 16 + QByteArray(1, m_code.at(m_at++)).toInt(nullptr, 16);
            return char(value);
        }
        default:
            if (c >= '0' && c <= '7') {
                int value = c - '0';
                for (int digits = 1; digits < 3 && m_at < m_code.size() && m_code.at(m_at) >= '0'
                     && m_code.at(m_at) <= '7';
                     ++digits)
                    value = value * 8 + (m_code.at(m_at++) - '0');
                return char(value);
            }
            return c; // \" \\ \' \?
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

// The position of the source text among the arguments of a translation call
// or marker; -1 for other names.
int sourceArgument(const QByteArray &name)
{
    if (name == "tr" || name == "trUtf8" || name.startsWith("QT_TR_NOOP")
        || name.startsWith("QT_TR_N_NOOP"))
        return 0;
    if (name == "translate" || name.startsWith("QT_TRANSLATE_NOOP")
        || name.startsWith("QT_TRANSLATE_N_NOOP"))
        return 1;
    return -1;
}

// The source text of every translation call or marker whose source is a literal.
QList<SourceText> codeTexts(const QString &file, const QByteArray &code)
{
    QList<SourceText> texts;
    const QList<Token> tokens = Tokenizer(code).tokens();
    for (int i = 0; i + 1 < tokens.size(); ++i) {
        const int wanted
            = tokens.at(i).kind == Token::Name ? sourceArgument(tokens.at(i).value) : -1;
        if (wanted < 0 || tokens.at(i + 1).value != "(")
            continue;
        // The arguments up to the closing parenthesis, split at the commas of
        // this level.
        QList<QList<Token>> arguments { {} };
        int depth = 0;
        for (int j = i + 2; j < tokens.size(); ++j) {
            const Token &token = tokens.at(j);
            if (token.kind == Token::Punct) {
                const char c = token.value.at(0);
                if (depth == 0 && c == ')')
                    break;
                if (depth == 0 && c == ',') {
                    arguments.append(QList<Token>());
                    continue;
                }
                if (c == '(' || c == '[' || c == '{')
                    ++depth;
                else if (c == ')' || c == ']' || c == '}')
                    --depth;
            }
            arguments.last().append(token);
        }
        const QList<Token> argument = arguments.value(wanted);
        if (argument.size() == 1 && argument.first().kind == Token::String)
            texts.append(
                { file, argument.first().line, QString::fromUtf8(argument.first().value) });
    }
    return texts;
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

    // What the scan takes from code as source texts, and what it leaves.
    void codeTexts_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("tr") << QByteArray("setText(tr(\"Open\"));") << QStringList { "Open" };
        QTest::newRow("disambiguation left out")
            << QByteArray("tr(\"Open\", \"file\")") << QStringList { "Open" };
        QTest::newRow("joined literals")
            << QByteArray("tr(\"Short \"\n   \"text\")") << QStringList { "Short text" };
        QTest::newRow("escapes") << QByteArray("tr(\"a\\n\\\"b\\\" \\\\ \\101\")")
                                 << QStringList { "a\n\"b\" \\ A" };
        QTest::newRow("Cyrillic written as escapes")
            << QByteArray("QT_TRANSLATE_NOOP(\"X\", \"\\xD0\\x9A\" \"ey\")")
            << QStringList { QString::fromUtf8("Кey") };
        QTest::newRow("context and source")
            << QByteArray("QCoreApplication::translate(\"Ctx\", \"Row %1 of %2\").arg(f(a, "
                          "b)).arg(c); QT_TRANSLATE_NOOP3(\"Ctx\", \"Save\", \"menu\")")
            << QStringList { "Row %1 of %2", "Save" };
        QTest::newRow("markers in a table")
            << QByteArray("const char *names[] = { QT_TR_NOOP(\"Yes\"), QT_TR_NOOP(\"No\") };")
            << QStringList { "Yes", "No" };
        QTest::newRow("comments") << QByteArray("// tr(\"a\")\n/* tr(\"b\")\n */ tr(\"c\")")
                                  << QStringList { "c" };
        QTest::newRow("no literal source")
            << QByteArray("tr(name); translate(\"Ctx\", names[i]); painter.translate(10, 20);")
            << QStringList();
        QTest::newRow("other calls")
            << QByteArray("str(\"a\"); QStringLiteral(\"b\"); tr_(\"c\"); mytr(\"d\")")
            << QStringList();
        QTest::newRow("quote characters and digit separators")
            << QByteArray("tr(\"a\") + '\"' + 1'000 + tr(\"b\")") << QStringList { "a", "b" };
        QTest::newRow("raw literal")
            << QByteArray("R\"x(tr(\"no\"))x\"; u8\"s\"; tr(u8\"yes\")") << QStringList { "yes" };
    }

    void codeTexts()
    {
        QFETCH(QByteArray, code);
        QFETCH(QStringList, texts);
        QCOMPARE(textsOf(::codeTexts(QStringLiteral("x.cpp"), code)), texts);
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

    // No source text holds a Cyrillic letter, not even one that only looks Latin.
    void englishSourceTexts()
    {
        QVERIFY2(m_error.isEmpty(), qPrintable(m_error));
        QStringList found;
        QSet<int> used;
        for (const SourceText &text : qAsConst(m_texts)) {
            if (!hasCyrillic(text.text))
                continue;
            bool isAllowed = false;
            for (int i = 0; allowed[i].file; ++i) {
                if (text.file == QLatin1String(allowed[i].file)
                    && text.text == QString::fromUtf8(allowed[i].text)) {
                    isAllowed = true;
                    used.insert(i);
                }
            }
            if (!isAllowed)
                found
                    << QStringLiteral("%1:%2: \"%3\"").arg(text.file).arg(text.line).arg(text.text);
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
        for (int i = 0; allowed[i].file; ++i)
            QVERIFY2(used.contains(i), allowed[i].text);
    }
};

PROJECT_TEST(TestSourceTexts);
#include "tst_sourcetexts.moc"
