#include "../document/documenttesting.h"
#include "cnf/cnfsignalgroup.h"
#include "documentfixtures.h"
#include "modalanswerer.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace WindowTesting;

namespace {

// Chooses a family in the new-document dialog and accepts it.
void answerNewDocument(ModalAnswerer &answerer, const QString &button)
{
    answerer.answerWith([button](QWidget *modal) {
        if (auto *choice = modal->findChild<QRadioButton *>(button))
            choice->click();
        if (auto *buttons = modal->findChild<QDialogButtonBox *>())
            buttons->button(QDialogButtonBox::Ok)->click();
    });
}

} // namespace

class TestDocumentCommands : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    QByteArray path;

    void newDocument(MainWindow &window, const QString &button)
    {
        ModalAnswerer answerer;
        answerNewDocument(answerer, button);
        window.findChild<QAction *>("actionNew")->trigger();
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenClassName(), QStringLiteral("NewDocumentDlg"));
    }

    // The folder as PATH, with a zumoltc in it that records its arguments.
    QString fakeEditor(const QString &folder, bool executable)
    {
        QDir().mkpath(folder);
        const QString editor = folder + "/zumoltc";
        TestSupport::writeFile(editor, "#!/bin/sh\necho \"$#\" > \"${0%/*}/started\"\n");
        if (executable)
            QFile::setPermissions(editor, QFile::permissions(editor) | QFileDevice::ExeOwner);
        qputenv("PATH", folder.toLocal8Bit());
        return folder + "/started";
    }

private slots:
    void initTestCase()
    {
        path = qgetenv("PATH");
        useProgramIdentity();
    }

    void init()
    {
        clearSettings();
        QSettings().setValue("lastSaveDir", dir.path().toUtf8());
        hideZuMoltEditor(dir);
    }

    void cleanupTestCase() { qputenv("PATH", path); }

    void newPerFamily_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("version");
        QTest::newRow("TIVERK 3.14") << "tiverk314"
                                     << "tiverk"
                                     << "3.14";
        QTest::newRow("TIVERK 3.18") << "tiverk318"
                                     << "tiverk"
                                     << "3.18";
        QTest::newRow("adapter") << "adapter"
                                 << "adapter"
                                 << "";
        QTest::newRow("TIVERK II") << "tiverkii"
                                   << "tiverkii"
                                   << "0.1";
        QTest::newRow("ZU_MOLT without its editor") << "ZU_MOLT"
                                                    << "ZU_MOLT"
                                                    << "1.0";
    }

    void newPerFamily()
    {
        QFETCH(QString, button);
        QFETCH(QString, type);
        QFETCH(QString, version);
        MainWindow window;
        window.loadDocument(TestSupport::examplesPath("tiverkii_intersection.json"));
        newDocument(window, button);
        const CnfController &controller = window.document().controller();
        QCOMPARE(controller.property("type").toString(), type);
        QCOMPARE(controller.property("version").toString(), version);
        QVERIFY(window.findChild<QAction *>("actionClose")->isEnabled());
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Program of configuration of road controllers"));
        QVERIFY(!window.findChild<QAction *>("actionSave")->isEnabled());
        QCOMPARE(table(window, "sgTable")->rowCount(), 0);
        QCOMPARE(table(window, "detectorsTable")->rowCount(), 0);
        const QString created = controller.getNativeData("creationTime").toString();
        if (type == QLatin1String("tiverk")) {
            QVERIFY2(QRegularExpression("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d$")
                         .match(created)
                         .hasMatch(),
                     qPrintable(created));
        } else {
            QCOMPARE(created, QString());
        }
    }

    void newCancelledKeepsTheDocument()
    {
        MainWindow window;
        const QString example = TestSupport::examplesPath("tiverkii_intersection.json");
        window.loadDocument(example);
        ModalAnswerer answerer;
        answerer.reject();
        window.findChild<QAction *>("actionNew")->trigger();
        QVERIFY(answerer.answered());
        QCOMPARE(window.document().fileName(), example);
    }

    void newZuMoltGoesToItsEditor()
    {
        const QString started = fakeEditor(dir.filePath("editor"), true);
        PostedCallCounter quit;
        MainWindow window;
        newDocument(window, "ZU_MOLT");
        QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::readFile(started).isEmpty(), 20000);
        QCOMPARE(TestSupport::readFile(started).trimmed(), QByteArray("0"));
        QCOMPARE(quit.drain(), 1);
        QVERIFY(!window.findChild<QAction *>("actionClose")->isEnabled());
    }

    void newZuMoltWithAnEditorThatCannotStart()
    {
        fakeEditor(dir.filePath("broken"), false);
        PostedCallCounter quit;
        MainWindow window;
        newDocument(window, "ZU_MOLT");
        QCOMPARE(quit.drain(), 0);
        QVERIFY(window.document().isZuMolt());
        QVERIFY(window.findChild<QAction *>("actionClose")->isEnabled());
        QVERIFY(messageTexts(window).last().startsWith("Cannot start the ZU_MOLT editor"));
    }

    void saveOfUnnamedDocumentRunsSaveAs()
    {
        MainWindow window;
        newDocument(window, "tiverkii");
        window.setChanged();
        const QString file = dir.filePath("unnamed.json");
        ModalAnswerer answerer;
        answerSaveDialog(answerer, file, 4);
        window.findChild<QAction *>("actionSave")->trigger();
        QVERIFY(answerer.answered());
        QVERIFY(QFile::exists(file));
        QCOMPARE(messageTexts(window), QStringList { "Document saved to file " + file });
        QVERIFY(window.windowTitle().endsWith(file));

        // The window then shows the document as the file gives it back.
        QCoreApplication::processEvents();
        QCOMPARE(messageTexts(window),
                 (QStringList { "Document saved to file " + file, "Loading file " + file,
                                "Loading complete" }));
        QCOMPARE(recentFiles(window).value(0), file);
        QVERIFY(!window.document().isChanged());
    }

    void saveOfNamedDocument()
    {
        const QString file = dir.filePath("named.cnf");
        QFile::remove(file);
        QVERIFY(QFile::copy(TestSupport::examplesPath("tiverk318_intersection.cnf"), file));
        MainWindow window;
        window.loadDocument(file);
        window.clearMessageTable();
        window.document().controller().setProperty("number", 4711);
        window.setChanged();
        window.findChild<QAction *>("actionSave")->trigger();
        QCOMPARE(messageTexts(window),
                 (QStringList { "Saving current document", "Saving complete" }));
        QVERIFY(!window.windowTitle().endsWith('*'));
        QVERIFY(!window.findChild<QAction *>("actionSave")->isEnabled());
        QVERIFY(QFile::exists(dir.filePath("named.bak")));
        QVERIFY(TestSupport::readFile(file).contains("4711"));
    }

    // A Save As that fails leaves the document where it was: the title keeps
    // the opened file, and Save writes that file, not the refused one.
    void failedSaveAsKeepsTheDocument()
    {
        const QString file = dir.filePath("t318.cnf");
        QFile::remove(file);
        QVERIFY(QFile::copy(TestSupport::examplesPath("tiverk318_intersection.cnf"), file));
        MainWindow window;
        window.loadDocument(file);
        window.document().controller().setProperty("number", 4711);
        window.setChanged();
        const QString title = window.windowTitle();
        QVERIFY(title.endsWith("t318.cnf*"));
        window.clearMessageTable();
        const QString refused = dir.filePath("missing/other.cnf");
        ModalAnswerer answerer;
        ModalAnswerer refusal;
        answerSaveDialog(answerer, refused, 2, nullptr, nullptr, &refusal);
        window.findChild<QAction *>("actionSave_As")->trigger();
        QVERIFY(answerer.answered());
        QVERIFY(refusal.answered());
        QVERIFY2(refusal.seenText().contains(refused), qPrintable(refusal.seenText()));
        QCoreApplication::processEvents();
        QCOMPARE(messageTexts(window).size(), 1);
        QCOMPARE(window.windowTitle(), title);
        QCOMPARE(window.document().fileName(), file);
        QCOMPARE(window.document().type(), 2);
        QVERIFY(window.document().isChanged());

        window.findChild<QAction *>("actionSave")->trigger();
        QCOMPARE(messageTexts(window).mid(1),
                 (QStringList { "Saving current document", "Saving complete" }));
        QVERIFY(TestSupport::readFile(file).contains("4711"));
        QVERIFY(!QFile::exists(refused));
        QVERIFY(!window.windowTitle().endsWith('*'));
    }

    void declinedConversionCancelsTheSave()
    {
        MainWindow window;
        newDocument(window, "tiverk318");
        window.document().setFileName(dir.filePath("declined.txt"));
        window.setChanged();
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::No);
        window.findChild<QAction *>("actionSave")->trigger();
        QVERIFY(answerer.answered());
        QCOMPARE(messageTexts(window),
                 (QStringList { "Saving current document", "Saving canceled" }));
        QVERIFY(window.document().isChanged());
        QVERIFY(!QFile::exists(dir.filePath("declined.txt")));
    }

    // The adapter has no start delay: Save As to an adapter text tells once
    // which program lost its own, as a change to an older version does.
    void adapterSaveReportsADroppedStartDelay()
    {
        const QString source = dir.filePath("delayed.cnf");
        QFile::remove(source);
        QVERIFY(QFile::copy(TestSupport::examplesPath("tiverk318_intersection.cnf"), source));
        MainWindow window;
        window.loadDocument(source);
        const CnfProgramPtr coordinated
            = DocumentFixtures::delayCoordinatedProgram(window.document().controller(), 20);
        QVERIFY(coordinated);
        window.setChanged();
        window.clearMessageTable();

        const QString file = dir.filePath("delayed.txt");
        QFile::remove(file);
        ModalAnswerer files;
        answerSaveDialog(files, file, 3);
        window.findChild<QAction *>("actionSave_As")->trigger();
        QVERIFY(files.answered());
        QVERIFY(QFile::exists(file));
        const QString warning = "The adapter has no start delay: the start delay of program "
            + coordinated->id + " was dropped";
        QCOMPARE(messageTexts(window).filter("start delay"), QStringList { warning });

        // Saved again, the adapter configuration has nothing more to drop.
        QCoreApplication::processEvents();
        QCOMPARE(window.document().controller().property("type").toString(),
                 QStringLiteral("adapter"));
        window.clearMessageTable();
        window.setChanged();
        window.findChild<QAction *>("actionSave")->trigger();
        QCOMPARE(messageTexts(window),
                 (QStringList { "Saving current document", "Saving complete" }));
    }

    void failedRecentFileLeavesTheList()
    {
        QStringList files;
        for (const char *name : { "r1", "r2", "r3" }) {
            const QString file = dir.filePath(QString::fromLatin1(name) + ".cnf");
            QFile::remove(file);
            QVERIFY(QFile::copy(TestSupport::examplesPath("tiverk318_intersection.cnf"), file));
            files << file;
        }
        MainWindow window;
        for (const QString &file : files)
            window.loadDocument(file);
        QCOMPARE(recentFiles(window), (QStringList { files[2], files[1], files[0] }));

        // Chosen while a document is open, a deleted file still leaves the list:
        // the failed load leaves the window without document.
        QVERIFY(QFile::remove(files[1]));
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        const auto entries
            = child<QMenu>(window, "menuFile")->findChild<QActionGroup *>()->actions();
        entries.at(1)->trigger();
        QVERIFY(answerer.answered());
        QCOMPARE(recentFiles(window), (QStringList { files[2], files[0] }));
        QVERIFY(!entries.at(2)->isVisible());

        // A file that loads moves to the first place.
        entries.at(1)->trigger();
        QCOMPARE(recentFiles(window), (QStringList { files[0], files[2] }));
        QCOMPARE(window.document().fileName(), files[0]);
    }

    // New, a renamed signal group, Save As to each kind: the file gives the name back.
    void endToEnd_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("family");
        QTest::newRow("container") << "e2e.xcnf" << 1 << "tiverk";
        QTest::newRow("native") << "e2e.cnf" << 2 << "tiverk";
        QTest::newRow("adapter") << "e2e.txt" << 3 << "adapter";
        QTest::newRow("TIVERK II") << "e2e.json" << 4 << "tiverkii";
        QTest::newRow("ZU_MOLT") << "e2e_zu.json" << 5 << "ZU_MOLT";
    }

    void endToEnd()
    {
        QFETCH(QString, name);
        QFETCH(int, filter);
        QFETCH(QString, family);
        const QString file = dir.filePath(name);
        QFile::remove(file);
        MainWindow window;
        newDocument(window, "tiverk318");
        auto group = CnfSignalGroupPtr::create();
        group->id = 1;
        group->name = QStringLiteral("North");
        QVERIFY(window.document().controller().addSignalGroup(group));
        window.document().controller().findSG(1)->name = QStringLiteral("North approach");
        window.setChanged();

        // For the adapter the conversion question follows the save dialog.
        ModalAnswerer question;
        ModalAnswerer files;
        files.answerWith([&](QWidget *modal) {
            if (family == QLatin1String("adapter"))
                question.pressButton(QMessageBox::Yes);
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            dialog->selectNameFilter(dialog->nameFilters().value(filter - 1));
            dialog->selectFile(file);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        window.findChild<QAction *>("actionSave_As")->trigger();
        QVERIFY2(messageTexts(window).last() == "Document saved to file " + file,
                 qPrintable(messageTexts(window).join('\n')));
        QCoreApplication::processEvents();
        QCOMPARE(messageTexts(window).last(), QStringLiteral("Loading complete"));
        QCOMPARE(window.document().controller().property("type").toString(), family);
        const CnfSignalGroupPtr reread = window.document().controller().findSG(1);
        QVERIFY(reread);
        QCOMPARE(reread->name, QStringLiteral("North approach"));
        QCOMPARE(cellText(table(window, "sgTable"), 0, 1), QStringLiteral("North approach"));
    }
};

PROJECT_TEST(TestDocumentCommands);
#include "tst_documentcommands.moc"
