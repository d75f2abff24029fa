#include "childprocess.h"
#include "cnf/cnfcontroller.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
#include "common/widgets/parameterstable.h"
#include "filenamecodecinuse.h"
#include "messagecapture.h"
#include "modalanswerer.h"
#include "plivek/app/batchmodes.h"
#include "plivek/app/loadcontrollerconfig.h"
#include "plivek/programs/programdlg.h"
#include "testdata.h"
#include "testmain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a quiet mode of plivek as a script would, untranslated and without a
// display; a mode that showed a window would never end and fail on the time-out.
Run runPlivek(const QStringList &arguments, const QString &workingFolder = QString())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    for (const char *name : { "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY" })
        environment.remove(QLatin1String(name));
    process.setProcessEnvironment(environment);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.start(TestSupport::programPath(QStringLiteral("plivek")), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// Runs plivek in a child process in which `limit` has lowered a resource limit
// (false when it could not), with its standard output and error in `output`.
TestSupport::ChildEnd runPlivekLimited(const QStringList &arguments,
                                       const std::function<bool()> &limit)
{
    const QByteArray program
        = QFile::encodeName(TestSupport::programPath(QStringLiteral("plivek")));
    QList<QByteArray> encoded { program };
    for (const QString &argument : arguments)
        encoded << QFile::encodeName(argument);
    return TestSupport::runInChild([&](int outputFd) {
        std::vector<char *> argv;
        for (QByteArray &argument : encoded)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        ::setenv("LC_ALL", "C", 1);
        if (!limit() || ::dup2(outputFd, STDOUT_FILENO) < 0 || ::dup2(outputFd, STDERR_FILENO) < 0)
            return 126;
        ::execv(argv[0], argv.data());
        return 127;
    });
}

QString batchData(const QString &relative)
{
    return TestSupport::dataPath(QStringLiteral("batch/") + relative);
}

// Copies fixture files into the folder; false when one is missing.
bool copyInto(const QString &folder, const QStringList &sources)
{
    for (const QString &source : sources) {
        if (!QFile::copy(source, QDir(folder).filePath(QFileInfo(source).fileName())))
            return false;
    }
    return true;
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

// Runs --edit-prog on a program file holding `content` and presses OK in the
// program dialog; gives the program written back, read for the configuration
// (loaded into `controller`), and the class of the dialog that was shown. Null
// when the mode failed.
CnfProgramPtr editAndAccept(CnfController &controller, const QString &config, int objectId,
                            int programNumber, const QByteArray &content, QString *dialogClass)
{
    QTemporaryDir dir;
    const QString programFile = dir.filePath(QStringLiteral("program.xml"));
    if (!TestSupport::writeFile(programFile, content))
        return {};
    ModalAnswerer answerer;
    answerer.pressButton(QDialogButtonBox::Ok);
    const int exitCode = BatchModes::editProgram(programFile, config, objectId, programNumber);
    *dialogClass = answerer.seenClassName();
    if (exitCode != 0 || !loadControllerConfig(controller, config, 0, true))
        return {};
    return controller.loadDynamicProgram(TestSupport::readFile(programFile));
}

} // namespace

class TestBatchModes : public QObject
{
    Q_OBJECT
private:
    // As in plivek: file names that are not UTF-8 go to the child and come back in
    // its log as their bytes.
    FileNameCodecInUse fileNames;

private slots:
    // --- the modes as an outside caller runs them ---

    void algorithmList()
    {
        const Run run
            = runPlivek({ QStringLiteral("--alg-list") }, batchData(QStringLiteral("alglist")));
        QCOMPARE(run.exitCode, 0);
        // The file that does not load and the storage error answer (upper-case
        // suffix) give their name only; totals count files, not programs.
        QCOMPARE(QString::fromUtf8(run.out),
                 QStringLiteral("Файл;Номер;Тип ДК;Типы алгоритмов;\n"
                                "a.cnf;7;tiverk;Fixed time,Local fixed time\n"
                                "b.json;12;tiverkii;Fixed time\n"
                                "broken.cnf\n"
                                "c.JSON\n"
                                "Всего:\n"
                                "Fixed time;2\n"
                                "Local fixed time;1\n"));
        QVERIFY2(run.err.contains("Access denied"), run.err.constData());
    }

    // A file name that is not UTF-8 is printed as its bytes, as the log names it.
    void algorithmListGivesNamesAsTheirBytes()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(batchData(QStringLiteral("alglist/a.cnf")),
                            QDir(dir.path()).filePath(QFile::decodeName("a\xe9.cnf"))));
        QVERIFY(TestSupport::writeFile(QDir(dir.path()).filePath(QFile::decodeName("b\xe9.cnf")),
                                       "hello"));
        const Run run = runPlivek({ QStringLiteral("--alg-list") }, dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out,
                 QStringLiteral("Файл;Номер;Тип ДК;Типы алгоритмов;\n").toUtf8()
                     + "a\xe9.cnf;7;tiverk;Fixed time,Local fixed time\n"
                       "b\xe9.cnf\n"
                     + QStringLiteral("Всего:\n").toUtf8()
                     + "Fixed time;1\n"
                       "Local fixed time;1\n");
    }

    void programList_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("list"); // "-" = no file
        QTest::addColumn<QByteArray>("logged"); // part of the error log; empty: not checked
        QTest::newRow("programs") << TestSupport::examplesPath(
            QStringLiteral("tiverk318_intersection.cnf"))
                                  << 0 << QByteArray("1\n2\n3\n") << QByteArray();
        QTest::newRow("no programs")
            << batchData(QStringLiteral("empty.cnf")) << 0 << QByteArray("") << QByteArray();
        QTest::newRow("storage error") << batchData(QStringLiteral("alglist/c.JSON")) << 1
                                       << QByteArray("-") << QByteArray("Access denied");
        QTest::newRow("missing file")
            << batchData(QStringLiteral("none.cnf")) << 1 << QByteArray("-") << QByteArray();
        // Written as it stands, the id would read as the two programs "2" and "3".
        QTest::newRow("id with a line feed")
            << batchData(QStringLiteral("id_line_feed.cnf")) << 1 << QByteArray("-")
            << QByteArray(
                   "Program id \"2\\n3\" holds a line break; the program list is not written");
    }

    void programList()
    {
        QFETCH(QString, config);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, list);
        QFETCH(QByteArray, logged);
        QTemporaryDir dir;
        const QString listFile = dir.filePath(QStringLiteral("list.txt"));
        const Run run = runPlivek({ QStringLiteral("--get-prog-list"), listFile,
                                    QStringLiteral("--controller-config"), config });
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(logged), run.err.constData());
        if (list == "-") {
            QVERIFY(!QFile::exists(listFile));
            return;
        }
        QVERIFY(QFile::exists(listFile));
        QCOMPARE(TestSupport::readFile(listFile), list);
    }

    // The system's reason alone ("No such file or directory") does not say which
    // file the script asked for: the logged error names it, and nothing is left.
    void programListThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("name"); // inside a fresh folder
        QTest::addColumn<int>("sizeLimit"); // bytes the mode may write to a file; 0: no limit
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("missing folder")
            << QStringLiteral("none/list.txt") << 0 << QByteArray("No such file or directory");
        QTest::newRow("name too long")
            << QString(300, QLatin1Char('n')) << 0 << QByteArray("File name too long");
        // A file size limit stands for a full disk: the write fails part way.
        QTest::newRow("write cut short")
            << QStringLiteral("list.txt") << 2 << QByteArray("File too large");
    }

    void programListThatCannotBeWritten()
    {
        QFETCH(QString, name);
        QFETCH(int, sizeLimit);
        QFETCH(QByteArray, reason);
        QTemporaryDir dir;
        const QString listFile = dir.filePath(name);
        const QStringList arguments {
            QStringLiteral("--get-prog-list"), listFile, QStringLiteral("--controller-config"),
            TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf"))
        };
        const TestSupport::ChildEnd end = runPlivekLimited(arguments, [sizeLimit] {
            if (sizeLimit == 0)
                return true;
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit;
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = rlim_t(sizeLimit);
            return setrlimit(RLIMIT_FSIZE, &limit) == 0;
        });
        QVERIFY(end.exited);
        QCOMPARE(end.exitCode, 1);
        QVERIFY2(end.output.contains(QFile::encodeName(listFile)), end.output.constData());
        QVERIFY2(end.output.contains(reason), end.output.constData());
        QCOMPARE(entries(dir.path()), QStringList());
    }

    // A script's log says which file or folder could not be read: each message
    // keeps its own words first and names the path; the exit codes stay the modes'.
    // In the texts "%d" stands for the test's folder, which holds: empty.cnf (empty),
    // garbage.cnf (no configuration), denied.cnf (a storage error answer), folder.cnf
    // (a folder), closed.cnf (no read permission), huge.cnf (3 GB, sparse) and
    // configs/ with a.cnf (controller 7) and an empty b.cnf.
    void batchModesNameWhatTheyCouldNotRead_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("workingFolder"); // empty: the test's own
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("logged");
        // A path that holds the program list of configs/a.cnf after the run (a named
        // pipe: what its reader got; a device: nothing to read), still the same file.
        QTest::addColumn<QString>("written");

        const QString list = QStringLiteral("--get-prog-list");
        const QString listFile = QStringLiteral("%d/list.txt");
        const QString config = QStringLiteral("--controller-config");
        const QString report = QStringLiteral("--create-report");
        const QString batch = QStringLiteral("--batch-report");
        const QString configDir = QStringLiteral("--config-dir");
        QTest::newRow("program list: missing file")
            << QStringList { list, listFile, config, "%d/none.cnf" } << QString() << 1
            << "Error open file No such file or directory: %d/none.cnf" << QString();
        QTest::newRow("program list: a folder")
            << QStringList { list, listFile, config, "%d/folder.cnf" } << QString() << 1
            << "Error open file file to open is a directory: %d/folder.cnf" << QString();
        QTest::newRow("program list: not readable")
            << QStringList { list, listFile, config, "%d/closed.cnf" } << QString() << 1
            << "Error open file Permission denied: %d/closed.cnf" << QString();
        QTest::newRow("program list: empty file")
            << QStringList { list, listFile, config, "%d/empty.cnf" } << QString() << 1
            << "Error Configuration not contains valid data: %d/empty.cnf" << QString();
        // Qt would read the file as empty; it is named as too large instead.
        QTest::newRow("program list: above 2 GB")
            << QStringList { list, listFile, config, "%d/huge.cnf" } << QString() << 1
            << "Error The file is too large to load: %d/huge.cnf" << QString();
        QTest::newRow("program list: no configuration named")
            << QStringList { list, listFile } << QString() << 1
            << "Error open file No configuration file given (--controller-config)" << QString();
        QTest::newRow("report: unknown format")
            << QStringList { report, config, "%d/garbage.cnf" } << QString() << 1
            << "Error processing data Storage service returned an data of unknown format: "
               "%d/garbage.cnf"
            << QString();
        QTest::newRow("report: storage error")
            << QStringList { report, config, "%d/denied.cnf" } << QString() << 1
            << "Error Access denied: %d/denied.cnf" << QString();
        QTest::newRow("report: missing file")
            << QStringList { report, config, "%d/none.cnf" } << QString() << 1
            << "Error open file No such file or directory: %d/none.cnf" << QString();
        QTest::newRow("algorithm list: empty file")
            << QStringList { QStringLiteral("--alg-list") } << QStringLiteral("%d/configs") << 0
            << "Error Configuration not contains valid data: %d/configs/b.cnf" << QString();
        QTest::newRow("batch report: missing configuration folder")
            << QStringList { batch, configDir, "%d/none" } << QString() << 0
            << "Error open folder No such folder: %d/none" << QString();
        QTest::newRow("batch report: a file in place of the folder")
            << QStringList { batch, configDir, "%d/empty.cnf" } << QString() << 0
            << "Error open folder Not a folder: %d/empty.cnf" << QString();
        QTest::newRow("batch report: missing report folder")
            << QStringList { batch, configDir, "%d/configs", QStringLiteral("--report-dir"),
                             "%d/none" }
            << QString() << 0 << "Create subdirectory error: %d/none/7" << QString();
        // Names that are not UTF-8 reach the files they name, from the command line
        // and from a folder listing. "bad\xff.cnf" is a copy of configs/a.cnf,
        // "names/n\xe9.cnf" holds no configuration.
        const QString badName = QFile::decodeName("%d/bad\xff.cnf");
        const QString listName = QFile::decodeName("%d/l\xff.txt");
        QTest::newRow("program list: names not UTF-8")
            << QStringList { list, listName, config, badName } << QString() << 0 << QString()
            << listName;
        QTest::newRow("report: name not UTF-8")
            << QStringList { report, config, QFile::decodeName("%d/n\xe9.cnf") } << QString() << 1
            << "Error processing data Storage service returned an data of unknown format: "
                + QFile::decodeName("%d/n\xe9.cnf")
            << QString();
        QTest::newRow("batch report: name not UTF-8 in the folder")
            << QStringList { batch, configDir, "%d/names" } << QString() << 0
            << "Error processing data Storage service returned an data of unknown format: "
                + QFile::decodeName("%d/names/n\xe9.cnf")
            << QString();
        QTest::newRow("algorithm list: name not UTF-8 in the folder")
            << QStringList { QStringLiteral("--alg-list") } << QStringLiteral("%d/names") << 0
            << "Error processing data Storage service returned an data of unknown format: "
                + QFile::decodeName("%d/names/n\xe9.cnf")
            << QString();
        // A target that is no regular file is written, not replaced by one.
        QTest::newRow("program list: onto a named pipe")
            << QStringList { list, "%d/pipe", config, "%d/configs/a.cnf" } << QString() << 0
            << QString() << "%d/pipe";
        QTest::newRow("program list: onto a device")
            << QStringList { list, "/dev/null", config, "%d/configs/a.cnf" } << QString() << 0
            << QString() << "/dev/null";
    }

    void batchModesNameWhatTheyCouldNotRead()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, workingFolder);
        QFETCH(int, exitCode);
        QFETCH(QString, logged);
        QFETCH(QString, written);
        if (QByteArray(QTest::currentDataTag()).endsWith("not readable") && ::geteuid() == 0)
            QSKIP("the superuser reads any file");

        QTemporaryDir dir;
        const QDir folder(dir.path());
        QVERIFY(TestSupport::writeFile(folder.filePath(QStringLiteral("empty.cnf")), ""));
        QVERIFY(TestSupport::writeFile(folder.filePath(QStringLiteral("garbage.cnf")), "hello"));
        QVERIFY(TestSupport::writeFile(folder.filePath(QStringLiteral("denied.cnf")),
                                       "<Error>Access denied</Error>"));
        QVERIFY(folder.mkdir(QStringLiteral("folder.cnf")));
        const QString closed = folder.filePath(QStringLiteral("closed.cnf"));
        QVERIFY(TestSupport::writeFile(closed, "<Controller/>"));
        QVERIFY(QFile::setPermissions(closed, QFileDevice::Permissions()));
        QFile huge(folder.filePath(QStringLiteral("huge.cnf")));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(qint64(3) << 30)); // sparse: no disk space is taken
        huge.close();
        QVERIFY(folder.mkdir(QStringLiteral("configs")));
        QVERIFY(copyInto(folder.filePath(QStringLiteral("configs")),
                         { batchData(QStringLiteral("alglist/a.cnf")) }));
        QVERIFY(TestSupport::writeFile(folder.filePath(QStringLiteral("configs/b.cnf")), ""));
        QVERIFY(QFile::copy(batchData(QStringLiteral("alglist/a.cnf")),
                            folder.filePath(QFile::decodeName("bad\xff.cnf"))));
        QVERIFY(TestSupport::writeFile(folder.filePath(QFile::decodeName("n\xe9.cnf")), "hello"));
        QVERIFY(folder.mkdir(QStringLiteral("names")));
        QVERIFY(
            TestSupport::writeFile(folder.filePath(QFile::decodeName("names/n\xe9.cnf")), "hello"));
        const QByteArray pipe = QFile::encodeName(folder.filePath(QStringLiteral("pipe")));
        QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
        // A reader that waits for no writer: the mode's write does not block.
        const int reader = ::open(pipe.constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        const auto closeReader = qScopeGuard([reader] { ::close(reader); });

        for (QString &argument : arguments)
            argument.replace(QLatin1String("%d"), dir.path());
        written.replace(QLatin1String("%d"), dir.path());
        struct stat before = {};
        const bool existed = ::stat(QFile::encodeName(written).constData(), &before) == 0;
        const Run run
            = runPlivek(arguments, QString(workingFolder).replace(QLatin1String("%d"), dir.path()));
        QCOMPARE(run.exitCode, exitCode);
        const QString expected = logged.replace(QLatin1String("%d"), dir.path());
        // The log gives names as their bytes.
        const QString log = QFile::decodeName(run.err);
        QVERIFY2(log.contains(expected),
                 qPrintable(QStringLiteral("expected \"%1\" in:\n%2").arg(expected, log)));
        if (written.isEmpty())
            return;
        struct stat after = {};
        QCOMPARE(::stat(QFile::encodeName(written).constData(), &after), 0);
        const QByteArray programList("1\n2\n3\n");
        if (S_ISREG(after.st_mode)) {
            QCOMPARE(TestSupport::readFile(written), programList);
        } else if (S_ISFIFO(after.st_mode)) {
            char buffer[64];
            const ssize_t length = ::read(reader, buffer, sizeof buffer);
            QCOMPARE(QByteArray(buffer, int(qMax<ssize_t>(0, length))), programList);
        }
        if (existed) {
            QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
            QCOMPARE(after.st_ino, before.st_ino);
        }
    }

    // A configuration that needs more memory than is left fails like a broken
    // one: exit code 1 and the reason in the log, never an abort.
    void configurationTooLargeForTheMemoryLeft_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("program list") << QStringLiteral("--get-prog-list");
        QTest::newRow("report") << QStringLiteral("--create-report");
    }

    void configurationTooLargeForTheMemoryLeft()
    {
        QFETCH(QString, mode);
        if (!TestSupport::addressSpaceLimitWorks())
            QSKIP("AddressSanitizer cannot run under an address-space limit");
        QTemporaryDir dir;
        const QString config = dir.filePath(QStringLiteral("huge.json"));
        QVERIFY(TestSupport::writeLongArrayConfiguration(config, 30 * 1024 * 1024));
        QStringList arguments { mode };
        if (mode == QLatin1String("--get-prog-list"))
            arguments << dir.filePath(QStringLiteral("list.txt"));
        arguments << QStringLiteral("--controller-config") << config;

        const TestSupport::ChildEnd end = runPlivekLimited(
            arguments, [] { return TestSupport::limitAddressSpace(512 * 1024 * 1024); });
        QVERIFY2(end.exited, qPrintable(QStringLiteral("ended by signal %1").arg(end.signal)));
        QCOMPARE(end.exitCode, 1);
        QVERIFY2(end.output.contains("Not enough memory to load " + QFile::encodeName(config)),
                 end.output.constData());
        QCOMPARE(entries(dir.path()), QStringList { QStringLiteral("huge.json") });
    }

    void createReport()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("config")));
        const QString folder = dir.filePath(QStringLiteral("config"));
        QVERIFY(copyInto(folder, { batchData(QStringLiteral("report/report.cnf")) }));
        // Without --report-dir the report lands beside the configuration.
        const Run run
            = runPlivek({ QStringLiteral("--create-report"), QStringLiteral("--controller-config"),
                          QDir(folder).filePath(QStringLiteral("report.cnf")) });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QString::fromUtf8(
                     TestSupport::readFile(QDir(folder).filePath(QStringLiteral("report.json")))),
                 QString::fromUtf8(TestSupport::readFile(
                     batchData(QStringLiteral("report/expected-report.json")))));
        // Program 2 flashes yellow: no pictures. The id "../x" names pictures
        // inside the report folder, nothing lands beside it.
        QCOMPARE(entries(folder),
                 (QStringList { QStringLiteral("prog_1.png"), QStringLiteral("prog_1.svg"),
                                QStringLiteral("prog___x.png"), QStringLiteral("prog___x.svg"),
                                QStringLiteral("report.cnf"), QStringLiteral("report.json") }));
        QCOMPARE(entries(dir.path()), QStringList { QStringLiteral("config") });
        QCOMPARE(QImage(QDir(folder).filePath(QStringLiteral("prog_1.png"))).size(),
                 QSize(1024, 600));
        QVERIFY(TestSupport::readFile(QDir(folder).filePath(QStringLiteral("prog___x.svg")))
                    .contains("width=\"1024\" height=\"600\""));
    }

    // The sample's program records hold their steps: the report's "data" shows
    // them, and the SVG picture shows the green blink in its colour.
    void reportOfTheSample()
    {
        QTemporaryDir dir;
        const Run run
            = runPlivek({ QStringLiteral("--create-report"), QStringLiteral("--controller-config"),
                          TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")),
                          QStringLiteral("--report-dir"), dir.path() });
        QCOMPARE(run.exitCode, 0);
        const QJsonObject programs
            = QJsonDocument::fromJson(
                  TestSupport::readFile(dir.filePath(QStringLiteral("report.json"))))
                  .object()
                  .value(QStringLiteral("programs"))
                  .toObject();
        const QJsonArray data = programs.value(QStringLiteral("1"))
                                    .toObject()
                                    .value(QStringLiteral("data"))
                                    .toArray();
        QCOMPARE(data.size(), 2);
        QCOMPARE(data.at(1).toArray().at(0).toInt(), 1); // interstate variant
        const QJsonArray steps = data.at(1).toArray().at(1).toArray();
        QStringList shown;
        for (int row = 1; row < steps.size() && !steps.at(row).toArray().at(0).isNull(); ++row)
            shown << QStringLiteral("%1:%2")
                         .arg(steps.at(row).toArray().at(0).toInt())
                         .arg(steps.at(row).toArray().at(1).toInt());
        QCOMPARE(shown, QStringList({ "2:8", "1:35", "3:20", "4:10" }));
        QVERIFY(
            TestSupport::readFile(dir.filePath(QStringLiteral("prog_1.svg"))).contains("#1a6d06"));
    }

    void createReportFails_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("reportFolder");
        QTest::newRow("configuration does not load")
            << batchData(QStringLiteral("alglist/broken.cnf")) << QStringLiteral("reports");
        QTest::newRow("report folder is a file")
            << batchData(QStringLiteral("report/report.cnf")) << QStringLiteral("file");
    }

    void createReportFails()
    {
        QFETCH(QString, config);
        QFETCH(QString, reportFolder);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("reports")));
        QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("file")), "keep"));
        const Run run
            = runPlivek({ QStringLiteral("--create-report"), QStringLiteral("--controller-config"),
                          config, QStringLiteral("--report-dir"), dir.filePath(reportFolder) });
        QCOMPARE(run.exitCode, 1);
        QVERIFY(entries(dir.filePath(QStringLiteral("reports"))).isEmpty());
        QCOMPARE(TestSupport::readFile(dir.filePath(QStringLiteral("file"))), QByteArray("keep"));
    }

    // A report folder with room for "report.json" but not for the pictures: the
    // report is incomplete, and the exit code says so.
    void createReportWithoutRoomForPictures()
    {
        QTemporaryDir dir;
        const TestSupport::ChildEnd end = runPlivekLimited(
            { QStringLiteral("--create-report"), QStringLiteral("--controller-config"),
              batchData(QStringLiteral("report/report.cnf")), QStringLiteral("--report-dir"),
              dir.path() },
            [] {
                // Ignored, the signal stays ignored in plivek: a write past the limit
                // fails as on a full disk instead of ending the process.
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit limit;
                getrlimit(RLIMIT_FSIZE, &limit);
                limit.rlim_cur = 8192;
                return setrlimit(RLIMIT_FSIZE, &limit) == 0;
            });
        QVERIFY2(end.exited, qPrintable(QStringLiteral("ended by signal %1").arg(end.signal)));
        QCOMPARE(end.exitCode, 1);
        QVERIFY2(end.output.contains("Can't save"), end.output.constData());
        QCOMPARE(entries(dir.path()), QStringList { QStringLiteral("report.json") });
    }

    void batchReport()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("configs")));
        const QString folder = dir.filePath(QStringLiteral("configs"));
        const QString fixtures = batchData(QStringLiteral("reports"));
        for (const QString &name : entries(fixtures))
            QVERIFY(QFile::copy(QDir(fixtures).filePath(name), QDir(folder).filePath(name)));
        // Without --report-dir the subfolders are made in the configuration folder.
        const Run run = runPlivek(
            { QStringLiteral("--batch-report"), QStringLiteral("--config-dir"), folder });
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains("Parsing n.cnf"), run.err.constData());
        // Each configuration without a whole report is named; the others are not.
        QVERIFY2(run.err.contains("No complete report for broken.json"), run.err.constData());
        QCOMPARE(run.err.count("No complete report for"), 1);
        // Subfolders by number, by the file name without suffix when the number
        // is empty, and a number "../up" kept inside; the broken file is skipped.
        QCOMPARE(entries(folder),
                 (QStringList { QStringLiteral("55"), QStringLiteral("__up"),
                                QStringLiteral("broken.json"), QStringLiteral("k12"),
                                QStringLiteral("k12.cnf"), QStringLiteral("n.cnf"),
                                QStringLiteral("up.cnf") }));
        QCOMPARE(entries(dir.path()), QStringList { QStringLiteral("configs") });
        for (const QString &sub :
             { QStringLiteral("55"), QStringLiteral("k12"), QStringLiteral("__up") }) {
            QCOMPARE(entries(QDir(folder).filePath(sub)),
                     (QStringList { QStringLiteral("prog_1.png"), QStringLiteral("prog_1.svg"),
                                    QStringLiteral("prog___x.png"), QStringLiteral("prog___x.svg"),
                                    QStringLiteral("report.json") }));
        }
    }

    void batchReportIntoOtherFolder()
    {
        QTemporaryDir dir;
        const Run run = runPlivek(
            { QStringLiteral("--batch-report"), QStringLiteral("--config-dir"),
              batchData(QStringLiteral("alglist")), QStringLiteral("--report-dir"), dir.path() });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(entries(dir.path()), (QStringList { QStringLiteral("12"), QStringLiteral("7") }));
    }

    // --- in process ---

    void loadControllerConfigQuiet_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("logged");
        QTest::newRow("storage error")
            << QByteArray("<Error>Access denied</Error>") << QStringLiteral("Error Access denied");
        QTest::newRow("storage error in UTF-8") << QByteArray("<Error>Доступ запрещён</Error>")
                                                << QStringLiteral("Error Доступ запрещён");
        QTest::newRow("no closing tag")
            << QByteArray("<Error>Access denied")
            << QStringLiteral("Error Configuration not contains valid data");
        QTest::newRow("empty file")
            << QByteArray() << QStringLiteral("Error Configuration not contains valid data");
        QTest::newRow("unknown format")
            << QByteArray("hello")
            << QStringLiteral(
                   "Error processing data Storage service returned an data of unknown format");
    }

    void loadControllerConfigQuiet()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, logged);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("answer.cnf"));
        QVERIFY(TestSupport::writeFile(path, content));
        MessageCapture capture;
        CnfController controller;
        QVERIFY(!loadControllerConfig(controller, path, 0, true));
        // The reason, then the file it is about.
        QCOMPARE(capture.criticals(), QStringList { logged + QStringLiteral(": ") + path });
        QVERIFY(controller.programs().isEmpty());
    }

    void loadControllerConfigReadsFiles()
    {
        MessageCapture capture;
        CnfController controller;
        QVERIFY(loadControllerConfig(
            controller, TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")), 0,
            true));
        QCOMPARE(controller.property("type").toString(), QStringLiteral("ZU_MOLT"));
        QVERIFY(capture.criticals().isEmpty());

        CnfController missing;
        QVERIFY(!loadControllerConfig(missing, batchData(QStringLiteral("none.cnf")), 0, true));
        QCOMPARE(capture.criticals().size(), 1);
        QVERIFY(capture.criticals().first().startsWith(QLatin1String("Error open file ")));
    }

    // Without a configuration the user chooses a document; it must be the
    // controller asked for (-1 without --object-id).
    void editProgramChosenDocumentOfOtherController()
    {
        QTemporaryDir dir;
        const QString programFile = dir.filePath(QStringLiteral("program.xml"));
        QVERIFY(TestSupport::writeFile(programFile, QByteArray()));
        ModalAnswerer files;
        ModalAnswerer box;
        files.answerWith([&box](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY(dialog);
            dialog->selectFile(
                TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")));
            box.pressButton(QMessageBox::Ok);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QCOMPARE(BatchModes::editProgram(programFile, QString(), -1, 0), 1);
        QVERIFY(files.answered());
        QVERIFY(box.answered());
        QCOMPARE(box.seenText(),
                 QStringLiteral("You must specify the configuration of the controller -1"));
        QCOMPARE(TestSupport::readFile(programFile), QByteArray());
    }

    void olderProgramForm_data()
    {
        QTest::addColumn<QString>("version"); // empty: the controller has none
        QTest::addColumn<QByteArray>("older");
        QTest::addColumn<QByteArray>("converted");
        QTest::addColumn<QString>("error"); // "*": the parser's message
        QTest::newRow("coordinated; full_length wins")
            << "3.17"
            << QByteArray(
                   "<Program type=\"2\" cycle_length=\"90\"><Phase length=\"30\" "
                   "full_length=\"35\" "
                   "start=\"0\">1</Phase><Phase length=\"55\" start=\"35\">2</Phase></Program>")
            << QByteArray("<Controller type=\"tiverk\" version=\"3.17\"><Program type=\"coord\" "
                          "cycle=\"90\">"
                          "<Phase length=\"35\" start=\"0\">1</Phase><Phase length=\"55\" "
                          "start=\"35\">2</Phase>"
                          "</Program></Controller>")
            << QString();
        QTest::newRow("timer, controller without version")
            << QString()
            << QByteArray(
                   "<Program type=\"1\"><Phase length=\"20\" start=\"0\">A</Phase></Program>")
            << QByteArray("<Controller type=\"tiverk\" ><Program type=\"timer\">"
                          "<Phase length=\"20\" start=\"0\">A</Phase></Program></Controller>")
            << QString();
        QTest::newRow("markup in a phase text stays text")
            << "3.17"
            << QByteArray("<Program type=\"1\"><Phase length=\"5\" "
                          "start=\"0\">&lt;x&gt;</Phase></Program>")
            << QByteArray(
                   "<Controller type=\"tiverk\" version=\"3.17\"><Program type=\"timer\">"
                   "<Phase length=\"5\" start=\"0\">&lt;x&gt;</Phase></Program></Controller>")
            << QString();
        QTest::newRow("unknown type")
            << "3.17" << QByteArray("<Program type=\"7\" cycle_length=\"90\"/>") << QByteArray()
            << QStringLiteral("Invalid program type 7 when converting formats");
        QTest::newRow("not XML") << "3.17" << QByteArray("<Program type=\"1\">") << QByteArray()
                                 << QStringLiteral("*");
    }

    void olderProgramForm()
    {
        QFETCH(QString, version);
        QFETCH(QByteArray, older);
        QFETCH(QByteArray, converted);
        QFETCH(QString, error);
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverk"));
        if (!version.isEmpty())
            controller.setProperty("version", version);
        QByteArray result;
        QString reason;
        QCOMPARE(BatchModes::convertOlderProgramForm(older, controller, &result, &reason),
                 error.isEmpty());
        QCOMPARE(result, converted);
        if (error == QLatin1String("*"))
            QVERIFY(!reason.isEmpty());
        else
            QCOMPARE(reason, error);
    }

    // A ZU_MOLT document chosen in the fall-back is read here even when the
    // zumoltc editor could take it over: the mode needs the configuration.
    void chosenZuMoltDocumentStaysHere()
    {
        QTemporaryDir editorFolder;
        const QString marker = editorFolder.filePath(QStringLiteral("started"));
        const QString editor = editorFolder.filePath(QStringLiteral("zumoltc"));
        QVERIFY(TestSupport::writeFile(editor, "#!/bin/sh\ntouch \"" + marker.toUtf8() + "\"\n"));
        QVERIFY(QFile::setPermissions(editor, QFile::permissions(editor) | QFileDevice::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(editorFolder.path()) + ':' + path);

        ModalAnswerer files;
        files.enterText(TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")));
        CnfController controller;
        const bool loaded = loadControllerConfig(controller, QString(), 21, false);
        qputenv("PATH", path);
        QVERIFY(files.answered());
        QVERIFY(loaded);
        QCOMPARE(controller.property("type").toString(), QStringLiteral("ZU_MOLT"));
        QVERIFY(!controller.programs().isEmpty());
        QVERIFY(!QFile::exists(marker));
    }

    // The older form names no algorithm kind: its type does. The dialog opens on
    // that kind with the program's cycle and steps; the user sets the interstate
    // variant the older form lacks, and OK writes the kind and a record stating
    // them, in the current form for the controller's family and version.
    void editProgramOlderForm_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("kindName");
        QTest::addColumn<int>("cycle"); // -1: the kind states none
        // "full_length" wins over "length".
        QTest::newRow("coordinated")
            << QByteArray("<Program type=\"2\" cycle_length=\"90\">"
                          "<Phase length=\"30\" full_length=\"35\" start=\"0\">1</Phase>"
                          "<Phase length=\"55\" start=\"35\">2</Phase></Program>")
            << int(CnfProgram::Coordinated) << 2 << QStringLiteral("Coordinated fixed time") << 90;
        QTest::newRow("timer") << QByteArray(
            "<Program type=\"1\">"
            "<Phase length=\"30\" full_length=\"35\" start=\"0\">1</Phase>"
            "<Phase length=\"55\" start=\"35\">2</Phase></Program>")
                               << int(CnfProgram::FixedTime) << 1
                               << QStringLiteral("Local fixed time") << -1;
    }

    void editProgramOlderForm()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, type);
        QFETCH(int, kind);
        QFETCH(QString, kindName);
        QFETCH(int, cycle);
        const QString config
            = TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf"));
        QTemporaryDir dir;
        const QString programFile = dir.filePath(QStringLiteral("program.xml"));
        QVERIFY(TestSupport::writeFile(programFile, content));
        ModalAnswerer answerer;
        QString shownKind;
        QString shownCycle = QStringLiteral("no cycle column");
        QStringList shownSteps;
        QStringList programSteps;
        answerer.answerWith([&](QWidget *modal) {
            shownKind = modal->findChild<QComboBox *>(QStringLiteral("algType"))->currentText();
            auto *table = modal->findChild<ParametersTable *>(QStringLiteral("tiverkTable"));
            for (int column = 0; column < table->columnCount(); ++column) {
                const QTableWidgetItem *header = table->horizontalHeaderItem(column);
                if (header && header->text() == QStringLiteral("Cycle"))
                    shownCycle = table->item(0, column)->text();
                if (auto *sequence
                    = qobject_cast<ParametersTable *>(table->cellWidget(0, column))) {
                    for (int row = 0; row < sequence->rowCount(); ++row) {
                        if (sequence->item(row, 0) && !sequence->item(row, 0)->text().isEmpty())
                            shownSteps << sequence->item(row, 0)->text()
                                       << sequence->item(row, 1)->text();
                    }
                }
            }
            if (auto *dialog = qobject_cast<ProgramDlg *>(modal)) {
                for (const CnfPhaseDefPtr &def : dialog->program()->phases())
                    programSteps << def->id() << QString::number(def->length());
            }
            // The older form has no interstate variant: the user sets one.
            if (QTableWidgetItem *variant = table->item(0, 0))
                variant->setText(QStringLiteral("1"));
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        QCOMPARE(BatchModes::editProgram(programFile, config, 101, 0), 0);
        QCOMPARE(answerer.seenClassName(), QStringLiteral("ProgramDlg"));
        QCOMPARE(shownKind, kindName);
        QCOMPARE(shownCycle,
                 cycle < 0 ? QStringLiteral("no cycle column") : QString::number(cycle));
        QCOMPARE(programSteps.size(), 4);
        QCOMPARE(programSteps.at(0), QStringLiteral("1"));
        QCOMPARE(programSteps.at(2), QStringLiteral("2"));
        QCOMPARE(shownSteps, programSteps);

        const QByteArray written = TestSupport::readFile(programFile);
        QVERIFY2(written.contains("type=\"tiverk\" version=\"3.18\""), written.constData());
        QVERIFY2(written.contains(QStringLiteral("kind=\"%1\"").arg(kind).toLatin1()),
                 written.constData());
        CnfController controller;
        QVERIFY(loadControllerConfig(controller, config, 0, true));
        const CnfProgramPtr program = controller.loadDynamicProgram(written);
        QVERIFY2(program, qPrintable(controller.lastError()));
        QCOMPARE(program->type, type);
        QCOMPARE(program->kind, kind);
        QCOMPARE(program->cycleLength, qMax(cycle, 0));
        QCOMPARE(program->phaseCount(), 2);
        QCOMPARE(program->phaseDefAt(0)->id(), QStringLiteral("1"));
        QCOMPARE(program->phaseDefAt(0)->fullLength(), 35);
        QCOMPARE(program->phaseDefAt(1)->fullLength(), 55);
        // The record states the kind, the variant, the steps and the cycle.
        const QDomDocument layout = controller.tiverkLayout();
        const QByteArray record = program->data();
        QCOMPARE(record.size(), 64);
        QCOMPARE(int(quint8(record.at(1))), kind);
        QCOMPARE(CnfProgramRecord::readVariant(layout, record), 1);
        QCOMPARE(CnfProgramRecord::readCycle(layout, record), cycle);
        QList<CnfProgramRecord::Step> steps;
        QVERIFY(CnfProgramRecord::readSteps(layout, record, &steps));
        const QStringList phaseIds = CnfProgramRecord::phaseIds(controller);
        QCOMPARE(steps.size(), 2);
        QCOMPARE(phaseIds.value(steps.at(0).phase), QStringLiteral("1"));
        QCOMPARE(QString::number(steps.at(0).duration), programSteps.at(1));
        QCOMPARE(phaseIds.value(steps.at(1).phase), QStringLiteral("2"));
        QCOMPARE(QString::number(steps.at(1).duration), programSteps.at(3));
    }

    // An OK the dialog refuses tells the user why in a message box over the
    // dialog, which stays open: there is no main window to list the message.
    void editProgramRefusalShownInTheDialog()
    {
        QTemporaryDir dir;
        // The older form has no interstate variant.
        const QString programFile = dir.filePath(QStringLiteral("program.xml"));
        const QByteArray content = "<Program type=\"2\" cycle_length=\"90\">"
                                   "<Phase length=\"30\" start=\"0\">1</Phase>"
                                   "<Phase length=\"60\" start=\"30\">2</Phase></Program>";
        QVERIFY(TestSupport::writeFile(programFile, content));

        ModalAnswerer dialogAnswer;
        ModalAnswerer boxAnswer;
        bool stayedOpen = false;
        dialogAnswer.answerWith([&boxAnswer, &stayedOpen](QWidget *modal) {
            // The program opens on its coordinated kind, whose parameters begin with
            // the variant; the user edits a step's duration and leaves the variant.
            auto *table = modal->findChild<ParametersTable *>(QStringLiteral("tiverkTable"));
            for (int column = 0; column < table->columnCount(); ++column) {
                if (auto *sequence = qobject_cast<ParametersTable *>(table->cellWidget(0, column)))
                    sequence->item(0, 1)->setText(QStringLiteral("20"));
            }
            boxAnswer.pressButton(QMessageBox::Ok);
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            stayedOpen = modal->isVisible();
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
        });
        MessageCapture capture;
        QCOMPARE(BatchModes::editProgram(programFile,
                                         batchData(QStringLiteral("report/report.cnf")), 31, 0),
                 1);
        QCOMPARE(dialogAnswer.seenClassName(), QStringLiteral("ProgramDlg"));
        QVERIFY(boxAnswer.answered());
        QCOMPARE(boxAnswer.seenClassName(), QStringLiteral("QMessageBox"));
        QCOMPARE(boxAnswer.seenText(), QStringLiteral("Interstate variant not set"));
        QVERIFY(stayedOpen);
        // Standard error still has it, for a caller that reads it.
        QVERIFY(capture.criticals().contains(QStringLiteral("Interstate variant not set")));
        QCOMPARE(TestSupport::readFile(programFile), content);
    }

    // Refused or cancelled: exit code 1 and the program file as it was.
    void editProgramRefused_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("programNumber");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const QString tiverk = batchData(QStringLiteral("report/report.cnf"));
        const QString multiRing = batchData(QStringLiteral("multiring.json"));
        const QString box = QStringLiteral("QMessageBox");
        QTest::newRow("cancelled dialog")
            << tiverk
            << QByteArray(
                   "<Program type=\"1\"><Phase length=\"30\" start=\"0\">1</Phase></Program>")
            << 0 << QStringLiteral("ProgramDlg") << QStringLiteral("Control plan") << QString();
        QTest::newRow("older form of unknown type")
            << tiverk << QByteArray("<Program type=\"3\" cycle_length=\"90\"/>") << 0 << box
            << QStringLiteral("Error reading program")
            << QStringLiteral("Invalid program type 3 when converting formats");
        QTest::newRow("program not found")
            << tiverk << QByteArray() << 7 << box << QStringLiteral("Error reading program")
            << QStringLiteral("Program 7 not found");
        QTest::newRow("missing pattern")
            << multiRing << QByteArray() << 2 << box << QStringLiteral("Load multiring data error")
            << QStringLiteral("invalid pattern 3");
        QTest::newRow("missing sequence")
            << multiRing << QByteArray() << 3 << box << QStringLiteral("Load multiring data error")
            << QStringLiteral("invalid sequence 5 in pattern 2");
        QTest::newRow("missing split of an own pattern")
            << multiRing << QByteArray() << 4 << box << QStringLiteral("Load multiring data error")
            << QStringLiteral("invalid split 4 in pattern 0");
    }

    void editProgramRefused()
    {
        QFETCH(QString, config);
        QFETCH(QByteArray, content);
        QFETCH(int, programNumber);
        QFETCH(QString, window);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString programFile = dir.filePath(QStringLiteral("program.xml"));
        QVERIFY(TestSupport::writeFile(programFile, content));
        ModalAnswerer answerer;
        answerer.reject();
        QCOMPARE(BatchModes::editProgram(programFile, config, 12, programNumber), 1);
        QCOMPARE(answerer.seenClassName(), window);
        QCOMPARE(answerer.seenTitle(), title);
        QCOMPARE(answerer.seenText(), text);
        QCOMPARE(TestSupport::readFile(programFile), content);
    }

    void editProgramMultiRingExpanded()
    {
        CnfController controller;
        QString dialogClass;
        const CnfProgramPtr program
            = editAndAccept(controller, batchData(QStringLiteral("multiring.json")), 12, 1,
                            QByteArray(), &dialogClass);
        QCOMPARE(dialogClass, QStringLiteral("ProgramTiverk2Dlg"));
        QVERIFY(program);
        const QVariantMap pattern = program->property("pattern").toMap();
        QCOMPARE(pattern.value(QStringLiteral("sequence")).toList(), (QVariantList { 1, 2 }));
        QCOMPARE(pattern.value(QStringLiteral("split")).toMap().value(QStringLiteral("2")).toInt(),
                 25);
    }

    // An empty file and program number 0 edit a new program.
    void editProgramNewProgram()
    {
        CnfController controller;
        QString dialogClass;
        const CnfProgramPtr program
            = editAndAccept(controller, batchData(QStringLiteral("report/report.cnf")), 31, 0,
                            QByteArray(), &dialogClass);
        QCOMPARE(dialogClass, QStringLiteral("ProgramDlg"));
        QVERIFY(program);
        QCOMPARE(program->id, QStringLiteral("3"));
    }
};

PROJECT_TEST(TestBatchModes);
#include "tst_batchmodes.moc"
