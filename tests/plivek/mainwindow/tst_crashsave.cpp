#include "../document/documenttesting.h"
#include "documentfixtures.h"
#include "modalanswerer.h"
#include "plivek/mainwindow/crashsaverecord.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>

using namespace WindowTesting;
using namespace DocumentFixtures;

class TestCrashSave : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    QByteArray tmpdir;

    QString tempFolder() const { return dir.filePath(QStringLiteral("tmp")); }

    QString document(const QString &name)
    {
        CnfController controller;
        initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"), 12, { 1, 2 });
        const QString path = dir.filePath(name);
        if (!writeContainer(path, controller, QByteArray()))
            qWarning() << "cannot write" << path;
        return path;
    }

    static QString ownCopy(const QString &name)
    {
        return QDir::temp().filePath(name.arg(QCoreApplication::applicationPid()));
    }

    static QVariant record(const QString &key)
    {
        QSettings settings;
        settings.setIniCodec("UTF-8");
        return settings.value(QStringLiteral("CrashSave/") + key);
    }

    static void setRecord(const QString &key, const QString &path)
    {
        QSettings settings;
        settings.setIniCodec("UTF-8");
        settings.setValue(QStringLiteral("CrashSave/") + key, path.toUtf8());
    }

    // A window whose document, loaded from the file, has been changed and crash-saved.
    void crashSaveChanged(const QString &path)
    {
        MainWindow window;
        window.loadDocument(path);
        QVERIFY(window.document().lastError().isEmpty());
        window.setChanged(true);
        window.crashSave();
    }

private slots:
    void initTestCase()
    {
        tmpdir = qgetenv("TMPDIR");
        QVERIFY(QDir().mkpath(tempFolder()));
        // Copies go to the temporary folder: this test's own one.
        qputenv("TMPDIR", tempFolder().toLocal8Bit());
        QCOMPARE(QDir::temp().absolutePath(), QDir(tempFolder()).absolutePath());
        actAsPlivek(dir);
    }

    void init() { clearSettings(); }

    void cleanupTestCase() { qputenv("TMPDIR", tmpdir); }

    void copyIsNamedAfterTheDocument_data()
    {
        QTest::addColumn<QString>("documentFile");
        QTest::addColumn<QString>("copy");

        QTest::newRow("named") << "/cfg/x12.cnf"
                               << "x12_4711.cnf";
        QTest::newRow("unnamed") << ""
                                 << "no_name_4711.xcnf";
        QTest::newRow("base name before the first dot") << "/cfg/x12.old.json"
                                                        << "x12_4711.json";
    }

    void copyIsNamedAfterTheDocument()
    {
        QFETCH(QString, documentFile);
        QFETCH(QString, copy);
        QCOMPARE(CrashSaveRecord::copyPath(documentFile, 4711), QDir::temp().filePath(copy));
    }

    void changedDocumentIsCopiedAndRecorded()
    {
        const QString path = document(QStringLiteral("x12.xcnf"));
        // An older copy of another process is replaced.
        const QString older = QDir::temp().filePath(QStringLiteral("x12_1.xcnf"));
        QVERIFY(TestSupport::writeFile(older, "old"));
        setRecord(QStringLiteral("file"), older);

        crashSaveChanged(path);

        const QString copy = ownCopy(QStringLiteral("x12_%1.xcnf"));
        QVERIFY(QFileInfo::exists(copy));
        QVERIFY(!QFileInfo::exists(older));
        QCOMPARE(record(QStringLiteral("file")), QVariant(copy.toUtf8()));
        QCOMPARE(record(QStringLiteral("editedFile")), QVariant(path.toUtf8()));
        // The copy is a document of its own.
        Project reread;
        QVERIFY2(reread.load(copy), qPrintable(reread.lastError()));
        QCOMPARE(reread.controller().property("number").toInt(), 12);
        QFile::remove(copy);
    }

    // After a failed Save As the record still names the file the document
    // came from, so that a recovered document saves back there.
    void failedSaveAsKeepsTheEditedFile()
    {
        const QString path = document(QStringLiteral("kept12.xcnf"));
        MainWindow window;
        window.loadDocument(path);
        window.setChanged(true);
        ModalAnswerer answerer;
        ModalAnswerer refusal;
        answerSaveDialog(answerer, dir.filePath(QStringLiteral("missing/other.xcnf")), 1, nullptr,
                         nullptr, &refusal);
        window.findChild<QAction *>(QStringLiteral("actionSave_As"))->trigger();
        QVERIFY(answerer.answered());
        QVERIFY(refusal.answered());
        QCOMPARE(window.document().fileName(), path);
        window.crashSave();
        QCOMPARE(record(QStringLiteral("editedFile")), QVariant(path.toUtf8()));
        const QString copy = ownCopy(QStringLiteral("kept12_%1.xcnf"));
        QVERIFY(QFileInfo::exists(copy));
        QFile::remove(copy);
        window.document().setChanged(false);
    }

    void recordIsWrittenBeforeTheCopy()
    {
        const QString path = document(QStringLiteral("blocked.xcnf"));
        // A folder where the copy should go: the copy cannot be written.
        const QString copy = ownCopy(QStringLiteral("blocked_%1.xcnf"));
        QVERIFY(QDir().mkpath(copy));
        setRecord(QStringLiteral("editedFile"), QStringLiteral("/stale.cnf"));

        crashSaveChanged(path);

        QCOMPARE(record(QStringLiteral("file")), QVariant(copy.toUtf8()));
        QCOMPARE(record(QStringLiteral("editedFile")), QVariant(path.toUtf8()));
        QVERIFY(QDir().rmdir(copy));
        // The next start finds no copy and asks nothing.
        MainWindow next;
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        QVERIFY(!next.recoverCrashSave());
        QVERIFY(!answerer.answered());
    }

    void unchangedDocumentWritesNothing()
    {
        const QString path = document(QStringLiteral("same.xcnf"));
        MainWindow window;
        window.loadDocument(path);
        window.crashSave();
        QVERIFY(QDir(tempFolder()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
        QSettings settings;
        QVERIFY(!settings.childGroups().contains(QStringLiteral("CrashSave")));
    }

    void yesRestoresTheDocumentAsChanged()
    {
        const QString path = document(QStringLiteral("x13.xcnf"));
        crashSaveChanged(path);
        const QString copy = ownCopy(QStringLiteral("x13_%1.xcnf"));
        QVERIFY(QFileInfo::exists(copy));

        MainWindow window;
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        QVERIFY(window.recoverCrashSave());
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Recover"));
        QCOMPARE(answerer.seenText(),
                 QStringLiteral("Previous completion of the program was incorrect. Recover data?"));

        QCOMPARE(window.document().fileName(), path);
        QVERIFY(window.document().isChanged());
        QVERIFY(window.windowTitle().endsWith(QLatin1Char('*')));
        QVERIFY(child<QAction>(window, "actionSave")->isEnabled());
        QCOMPARE(window.document().controller().property("number").toInt(), 12);
        QVERIFY(!QFileInfo::exists(copy));
        QVERIFY(!record(QStringLiteral("file")).isValid());
        QVERIFY(!record(QStringLiteral("editedFile")).isValid());
        window.document().setChanged(false);
    }

    void noDeletesTheCopy()
    {
        const QString path = document(QStringLiteral("x14.xcnf"));
        crashSaveChanged(path);
        const QString copy = ownCopy(QStringLiteral("x14_%1.xcnf"));

        MainWindow window;
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::No);
        QVERIFY(!window.recoverCrashSave());
        QVERIFY(answerer.answered());
        QVERIFY(window.document().fileName().isEmpty());
        QVERIFY(!child<QAction>(window, "actionSave")->isEnabled());
        QVERIFY(!QFileInfo::exists(copy));
        QVERIFY(!record(QStringLiteral("file")).isValid());
    }

    void missingCopyAsksNothing()
    {
        const QString gone = QDir::temp().filePath(QStringLiteral("gone_1.xcnf"));
        setRecord(QStringLiteral("file"), gone);
        MainWindow window;
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        QVERIFY(!window.recoverCrashSave());
        QVERIFY(!answerer.answered());
        // The record stays as it was.
        QCOMPARE(record(QStringLiteral("file")), QVariant(gone.toUtf8()));
    }

    void unnamedDocumentIsRecoveredWithoutFileName()
    {
        {
            MainWindow window;
            initController(window.document().controller(), QStringLiteral("tiverk"),
                           QStringLiteral("3.18"), 21, { 1 });
            window.setChanged(true);
            setRecord(QStringLiteral("editedFile"), QStringLiteral("/left/over.cnf"));
            window.crashSave();
            QVERIFY(!record(QStringLiteral("editedFile")).isValid());
            window.document().setChanged(false);
        }
        const QString copy = ownCopy(QStringLiteral("no_name_%1.xcnf"));
        QVERIFY(QFileInfo::exists(copy));

        MainWindow window;
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        QVERIFY(window.recoverCrashSave());
        QCOMPARE(window.document().controller().property("number").toInt(), 21);
        QVERIFY(window.document().isChanged());
        // Save must ask where to write, not write into the deleted temporary copy.
        QVERIFY(window.document().fileName().isEmpty());
        QVERIFY(!QFileInfo::exists(copy));
        window.document().setChanged(false);
    }

    void copyThatCannotBeLoadedLeavesNoDocument()
    {
        const QString copy = QDir::temp().filePath(QStringLiteral("broken_1.xcnf"));
        QVERIFY(TestSupport::writeFile(copy, "<UniConf version=\"0.1\"><broken"));
        setRecord(QStringLiteral("file"), copy);
        setRecord(QStringLiteral("editedFile"), document(QStringLiteral("kept.xcnf")));

        MainWindow window;
        // Yes, then the load's error box.
        ModalAnswerer error;
        ModalAnswerer answerer;
        answerer.answerWith([&error](QWidget *modal) {
            error.pressButton(QMessageBox::Ok);
            qobject_cast<QMessageBox *>(modal)->button(QMessageBox::Yes)->click();
        });
        QVERIFY(window.recoverCrashSave());
        QVERIFY(error.answered());
        QVERIFY(!window.document().isChanged());
        QVERIFY(!child<QAction>(window, "actionSave")->isEnabled());
        QVERIFY(!child<QAction>(window, "actionClose")->isEnabled());
        QVERIFY(!QFileInfo::exists(copy));
        QVERIFY(!record(QStringLiteral("file")).isValid());
    }
};

PROJECT_TEST(TestCrashSave);
#include "tst_crashsave.moc"
