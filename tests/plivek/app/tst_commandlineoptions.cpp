#include "filenamecodecinuse.h"
#include "plivek/app/commandlineoptions.h"
#include "testmain.h"

#include <QtTest>

Q_DECLARE_METATYPE(CommandLineOptions::Mode)

class TestCommandLineOptions : public QObject
{
    Q_OBJECT
private:
    // main makes UTF-8 that keeps every byte the locale codec before reading the
    // options.
    FileNameCodecInUse fileNames;

    static QByteArrayList argv(const QString &line)
    {
        QByteArrayList arguments { "plivek" };
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString &word : words)
            arguments << word.toUtf8();
        return arguments;
    }

private slots:
    void options_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("no arguments: object id") << ""
                                                 << "objectId" << QVariant(-1);
        QTest::newRow("no arguments: program id") << ""
                                                  << "progId" << QVariant(0);
        QTest::newRow("edit-prog") << "--edit-prog p.xml"
                                   << "editProg" << QVariant("p.xml");
        QTest::newRow("names ignore case") << "--EDIT-Prog p.xml"
                                           << "editProg" << QVariant("p.xml");
        QTest::newRow("values keep their case") << "--EDIT-PROG Plan.XML"
                                                << "editProg" << QVariant("Plan.XML");
        QTest::newRow("controller-config") << "--controller-config c.cnf"
                                           << "controllerConfig" << QVariant("c.cnf");
        QTest::newRow("object-id") << "--object-id 17"
                                   << "objectId" << QVariant(17);
        QTest::newRow("prog-id not a number gives 0") << "--prog-id abc"
                                                      << "progId" << QVariant(0);
        QTest::newRow("prog-id") << "--prog-id 5"
                                 << "progId" << QVariant(5);
        QTest::newRow("get-prog-list") << "--get-prog-list l.txt"
                                       << "progListFile" << QVariant("l.txt");
        QTest::newRow("report-dir") << "--report-dir out"
                                    << "reportDir" << QVariant("out");
        QTest::newRow("config-dir") << "--config-dir d"
                                    << "configDir" << QVariant("d");
        QTest::newRow("value is taken whatever it is") << "--report-dir --alg-list"
                                                       << "reportDir" << QVariant("--alg-list");
        QTest::newRow("taken value is no flag") << "--report-dir --alg-list"
                                                << "algList" << QVariant(false);
        QTest::newRow("trailing value option ignored") << "--config-dir d --config-dir"
                                                       << "configDir" << QVariant("d");
        QTest::newRow("later occurrence wins") << "--object-id 1 --object-id 2"
                                               << "objectId" << QVariant(2);
        QTest::newRow("unknown arguments skipped") << "x.cnf --foo --prog-id 3"
                                                   << "progId" << QVariant(3);
        QTest::newRow("flag create-report") << "--create-report"
                                            << "createReport" << QVariant(true);
        QTest::newRow("flag batch-report") << "--Batch-Report"
                                           << "batchReport" << QVariant(true);
        QTest::newRow("flag alg-list") << "--ALG-LIST"
                                       << "algList" << QVariant(true);
        QTest::newRow("document is the first argument") << "--edit-prog"
                                                        << "document" << QVariant("--edit-prog");
        QTest::newRow("lone value option sets nothing") << "--edit-prog"
                                                        << "editProg" << QVariant("");
        QTest::newRow("no document without arguments") << ""
                                                       << "document" << QVariant("");
    }

    void options()
    {
        QFETCH(QString, line);
        QFETCH(QString, field);
        QFETCH(QVariant, expected);

        const CommandLineOptions o = CommandLineOptions::parse(argv(line));
        const QMap<QString, QVariant> fields {
            { "editProg", o.editProg },         { "controllerConfig", o.controllerConfig },
            { "objectId", o.objectId },         { "progId", o.progId },
            { "progListFile", o.progListFile }, { "createReport", o.createReport },
            { "reportDir", o.reportDir },       { "batchReport", o.batchReport },
            { "configDir", o.configDir },       { "algList", o.algList },
            { "document", o.document }
        };
        QVERIFY2(fields.contains(field), qPrintable(field));
        QCOMPARE(fields.value(field), expected);
    }

    void mode_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<CommandLineOptions::Mode>("mode");

        QTest::newRow("nothing") << "" << CommandLineOptions::Window;
        QTest::newRow("a document") << "x.cnf" << CommandLineOptions::Window;
        QTest::newRow("alg-list in capitals") << "--ALG-LIST" << CommandLineOptions::AlgorithmList;
        QTest::newRow("alg-list before edit-prog")
            << "--alg-list --edit-prog p.xml" << CommandLineOptions::AlgorithmList;
        QTest::newRow("edit-prog")
            << "--edit-prog p.xml --get-prog-list l" << CommandLineOptions::EditProgram;
        QTest::newRow("edit-prog without value") << "--edit-prog" << CommandLineOptions::Window;
        QTest::newRow("get-prog-list before reports")
            << "--batch-report --config-dir d --get-prog-list l" << CommandLineOptions::ProgramList;
        QTest::newRow("batch-report before create-report")
            << "--create-report --controller-config c.cnf --batch-report --config-dir d"
            << CommandLineOptions::BatchReport;
        QTest::newRow("batch-report without config-dir")
            << "--batch-report" << CommandLineOptions::Window;
        QTest::newRow("batch-report without config-dir falls to create-report")
            << "--batch-report --create-report --controller-config c.cnf"
            << CommandLineOptions::CreateReport;
        QTest::newRow("create-report") << "--controller-config c.cnf --create-report --report-dir r"
                                       << CommandLineOptions::CreateReport;
        QTest::newRow("create-report without controller-config")
            << "--create-report --report-dir r" << CommandLineOptions::Window;
        QTest::newRow("config-dir alone") << "--config-dir d" << CommandLineOptions::Window;
    }

    void mode()
    {
        QFETCH(QString, line);
        QFETCH(CommandLineOptions::Mode, mode);
        QCOMPARE(CommandLineOptions::parse(argv(line)).mode(), mode);
    }

    void nonAsciiPaths()
    {
        // Option paths come in the locale's 8-bit encoding (UTF-8 here), and so
        // does the document path.
        const QString path = QStringLiteral("/tmp/перекрёсток №7/конфиг.cnf");
        const CommandLineOptions o = CommandLineOptions::parse(
            { "plivek", path.toUtf8(), "--controller-config", path.toUtf8(), "--config-dir",
              QStringLiteral("Straße").toUtf8() });
        QCOMPARE(o.controllerConfig, path);
        QCOMPARE(o.configDir, QStringLiteral("Straße"));
        QCOMPARE(o.document, path);
    }

    // A path that is not UTF-8 names the file its bytes name.
    void pathsNotUtf8()
    {
        const QByteArray name("/tmp/bad\xff-n\xe9.cnf");
        const CommandLineOptions o = CommandLineOptions::parse(
            { "plivek", name, "--controller-config", name, "--get-prog-list", "l\xff.txt" });
        QCOMPARE(QFile::encodeName(o.document), name);
        QCOMPARE(QFile::encodeName(o.controllerConfig), name);
        QCOMPARE(QFile::encodeName(o.progListFile), QByteArray("l\xff.txt"));
    }
};

PROJECT_TEST(TestCommandLineOptions);
#include "tst_commandlineoptions.moc"
