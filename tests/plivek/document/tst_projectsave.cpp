#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/vobject.h"
#include "documenttesting.h"
#include "halm58a/network.h"
#include "halm58a/node.h"
#include "modalanswerer.h"
#include "ordinaryuser.h"
#include "plivek/document/project.h"
#include "testdata.h"
#include "testmain.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString copyTo(const QString &from, const QString &to)
{
    QFile::remove(to);
    return QFile::copy(from, to) ? to : QString();
}

// The family of a written file as a fresh document reads it.
QString familyOf(const QString &path)
{
    Project reader;
    if (!reader.load(path))
        return QStringLiteral("unreadable: ") + reader.lastError();
    return reader.controller().property("type").toString();
}

} // namespace

class TestProjectSave : public QObject
{
    Q_OBJECT
private:
    NoZuMoltEditorOnPath m_noEditor;

private slots:
    void init() { QSettings().clear(); }

    void newDocumentToUnknownSuffixStaysChanged()
    {
        QTemporaryDir dir;
        Project project;
        CnfNative::initController(project.controller(), QStringLiteral("tiverk"),
                                  QStringLiteral("3.18"));
        project.setFileName(dir.filePath("plan.doc"));
        project.setChanged(true);
        QVERIFY(!project.save());
        QCOMPARE(project.lastError(), QStringLiteral("Error saving file: unknown file type"));
        QVERIFY(project.isChanged());
        QVERIFY(!QFile::exists(dir.filePath("plan.doc")));
    }

    void emptyFileName()
    {
        Project project;
        project.setFileName(QString());
        QVERIFY(!project.save());
        QCOMPARE(project.lastError(), QStringLiteral("Empty file name"));
    }

    void suffixlessNameTakesTheFilter_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("family");
        QTest::newRow("TIVERK II") << 4 << 4 << "tiverkii";
        QTest::newRow("ZU_MOLT") << 5 << 5 << "ZU_MOLT";
        QTest::newRow("container") << 1 << 1 << "tiverkii";
    }

    void suffixlessNameTakesTheFilter()
    {
        QFETCH(int, filter);
        QFETCH(int, type);
        QFETCH(QString, family);
        QTemporaryDir dir;
        Project project;
        CnfNative::initController(project.controller(), QStringLiteral("tiverkii"),
                                  QStringLiteral("0.1"));
        ModalAnswerer answerer;
        QString shownFilter;
        answerSaveDialog(answerer, dir.filePath("plan"), filter, nullptr, &shownFilter);
        QVERIFY2(project.saveAsConverted(QString()), qPrintable(project.lastError()));
        QVERIFY(answerer.answered());
        QCOMPARE(shownFilter, QStringLiteral("TIVERKII configuration files (*.json)"));
        const QString written = dir.filePath(type == 1 ? "plan.xcnf" : "plan.json");
        QCOMPARE(project.fileName(), written);
        QCOMPARE(project.type(), type);
        QCOMPARE(familyOf(written), family);
        QCOMPARE(QSettings().value("lastSaveDir").toByteArray(), dir.path().toUtf8());
    }

    void proposesNameAfterTheNumber_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter");
        QTest::newRow("first line") << "tiverk"
                                    << "dat00012"
                                    << "TIVERK and adapter configuration files (*.cnf)";
        QTest::newRow("adapter") << "adapter"
                                 << "dat00012"
                                 << "adapter configuration files (*.txt)";
        QTest::newRow("TIVERK II") << "tiverkii"
                                   << ""
                                   << "TIVERKII configuration files (*.json)";
    }

    void proposesNameAfterTheNumber()
    {
        QFETCH(QString, family);
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QTemporaryDir dir;
        QSettings().setValue("lastSaveDir", dir.path().toUtf8());
        Project project;
        CnfNative::initController(project.controller(), family, QString());
        project.controller().setProperty("number", 12);
        ModalAnswerer answerer;
        QString proposed;
        QString shownFilter;
        answerSaveDialog(answerer, QString(), 0, &proposed, &shownFilter);
        QVERIFY(!project.saveAsConverted(QString()));
        QVERIFY(answerer.answered());
        QCOMPARE(project.lastError(), QString());
        QCOMPARE(shownFilter, filter);
        if (!name.isEmpty())
            QCOMPARE(proposed, dir.filePath(name));
        QCOMPARE(project.fileName(), QString());
    }

    void readOnlyFolderKeepsFileAndBackup()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("closed");
        QVERIFY(QDir(dir.path()).mkdir("closed"));
        const QString path
            = copyTo(TestSupport::examplesPath("tiverk318_intersection.cnf"), folder + "/plan.cnf");
        const QString backup = folder + "/plan.bak";
        QVERIFY(TestSupport::writeFile(backup, "old backup"));
        const QByteArray original = TestSupport::readFile(path);
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(backup, QFile::ReadOwner));

        bool ran = false;
        const QByteArray error = TestSupport::runAsOrdinaryUser(
            [&path] {
                Project project;
                if (!project.load(path))
                    return QByteArray("not loaded");
                project.controller().setProperty("number", 4242);
                project.setChanged(true);
                return project.save() ? QByteArray() : project.lastError().toUtf8();
            },
            { dir.path(), folder, path, backup }, &ran);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(ran);
        QVERIFY2(error.startsWith("Error saving configuration: "), error.constData());
        QCOMPARE(TestSupport::readFile(path), original);
        QCOMPARE(TestSupport::readFile(backup), QByteArray("old backup"));
    }

    // A Save As refused by the folder changes nothing of the document: name,
    // kind and changed flag stay, and Save then writes the opened file.
    void failedSaveAsKeepsNameTypeAndChanged()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("closed");
        QVERIFY(QDir(dir.path()).mkdir("closed"));
        const QString path
            = copyTo(TestSupport::examplesPath("tiverk318_intersection.cnf"), folder + "/t318.cnf");
        const QString refused = folder + "/other.cnf";
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));

        bool ran = false;
        const QByteArray outcome = TestSupport::runAsOrdinaryUser(
            [&] {
                Project project;
                if (!project.load(path))
                    return QByteArray("not loaded");
                project.controller().setProperty("number", 4242);
                project.setChanged(true);
                ModalAnswerer answerer;
                answerSaveDialog(answerer, refused, 2);
                QByteArray result = project.saveAsConverted(QString()) ? "saved as" : "refused";
                result += answerer.answered() ? "" : " unasked";
                result += project.lastError().contains(refused) ? "" : " without the name";
                result += project.fileName() == path ? "" : " renamed";
                result += project.type() == 2 ? "" : " retyped";
                result += project.isChanged() ? "" : " unchanged";
                // Saving is refused in a folder that takes no new file; opened
                // again, it writes the file the document came from.
                if (!QFile::setPermissions(folder,
                                           QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
                    return QByteArray(result + ", folder not opened");
                result += project.save() ? QByteArray(", saved")
                                         : ", not saved: " + project.lastError().toUtf8();
                return result;
            },
            { dir.path(), folder, path }, &ran);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(ran);
        QCOMPARE(outcome, QByteArray("refused, saved"));
        QVERIFY(!QFile::exists(refused));
        Project reread;
        QVERIFY(reread.load(path));
        QCOMPARE(reread.controller().property("number").toInt(), 4242);
    }

    void changedNetworkIsExportedFirst_data()
    {
        QTest::addColumn<QString>("networkFile");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("warned");
        QTest::newRow("exported") << "net.hm58a" << true << false;
        QTest::newRow("export cancelled") << "" << false << false;
        QTest::newRow("export fails") << "missing/net.hm58a" << false << true;
    }

    void changedNetworkIsExportedFirst()
    {
        QFETCH(QString, networkFile);
        QFETCH(bool, written);
        QFETCH(bool, warned);
        QTemporaryDir dir;
        QSettings().setValue("lastSaveDir", dir.path().toUtf8());
        const QString path
            = copyTo(TestSupport::dataPath("document/network.xcnf"), dir.filePath("doc.xcnf"));
        Project project;
        project.createNetwork(nullptr);
        QVERIFY(project.load(path));
        QVERIFY(!project.isNetworkEmpty());
        project.network()->addItem(new Halm58a::Node);
        QVERIFY(project.network()->isChanged());
        project.setChanged(true);

        ModalAnswerer answerer;
        answerSaveDialog(answerer, networkFile.isEmpty() ? QString() : dir.filePath(networkFile));
        QVERIFY2(project.save(), qPrintable(project.lastError()));
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Select file"));
        QCOMPARE(QFile::exists(dir.filePath("net.hm58a")), written);
        QCOMPARE(!project.warnings().isEmpty(), warned);
        QVERIFY(!project.isChanged());
        QVERIFY(QFile::exists(dir.filePath("doc.bak")));
        if (written) {
            // Once it has a file, the network goes there without asking.
            QVERIFY(!project.network()->isChanged());
            project.network()->addItem(new Halm58a::Node);
            QVERIFY(project.save());
            QVERIFY(!project.network()->isChanged());
        }
    }

    void copyLeavesTheDocumentAsItWas()
    {
        QTemporaryDir dir;
        const QString path = copyTo(TestSupport::examplesPath("tiverk318_intersection.cnf"),
                                    dir.filePath("plan.cnf"));
        Project project;
        QVERIFY(project.load(path));
        project.setChanged(true);
        QVERIFY(project.saveAs(dir.filePath("copy.xcnf")));
        QCOMPARE(project.fileName(), path);
        QCOMPARE(project.type(), 2);
        QVERIFY(project.isChanged());
        QCOMPARE(familyOf(dir.filePath("copy.xcnf")), QStringLiteral("tiverk"));

        // Through the dialog: the chosen kind, and again nothing of the document changes.
        ModalAnswerer answerer;
        answerSaveDialog(answerer, dir.filePath("copy2"), 1);
        QVERIFY(project.saveAs(QString()));
        QVERIFY(QFile::exists(dir.filePath("copy2.xcnf")));
        QCOMPARE(project.fileName(), path);
        QCOMPARE(project.type(), 2);
        QVERIFY(project.isChanged());
    }

    // Both JSON families share the suffix; the filter decides for a copy too,
    // so a ZU_MOLT document never gets the TIVERK II control sources.
    void copyOfZuMoltAsJson()
    {
        QTemporaryDir dir;
        Project project;
        CnfNative::initController(project.controller(), QStringLiteral("ZU_MOLT"),
                                  QStringLiteral("1.0"));
        ModalAnswerer answerer;
        answerSaveDialog(answerer, dir.filePath("copy"), 5);
        QVERIFY2(project.saveAs(QString()), qPrintable(project.lastError()));
        QCOMPARE(familyOf(dir.filePath("copy.json")), QStringLiteral("ZU_MOLT"));
        const VObject sources = project.controller().nativeData()["controlSources"];
        for (int i = 0; i < sources.size(); ++i)
            QVERIFY(sources[i]["type"] != QLatin1String("JsonRPC"));
        QCOMPARE(project.type(), 0);
    }

    void unnamedDocumentSavedFromTheQuestion()
    {
        QTemporaryDir dir;
        Project project;
        CnfNative::initController(project.controller(), QStringLiteral("tiverkii"), QString());
        project.setChanged(true);
        // The question first; its answer arms the answer of the save dialog.
        ModalAnswerer question;
        ModalAnswerer files;
        question.answerWith([&](QWidget *modal) {
            answerSaveDialog(files, dir.filePath("new.json"), 4);
            qobject_cast<QMessageBox *>(modal)->button(QMessageBox::Yes)->click();
        });
        QVERIFY(project.maybeSave());
        QVERIFY(question.answered());
        QVERIFY(files.answered());
        QCOMPARE(familyOf(dir.filePath("new.json")), QStringLiteral("tiverkii"));
    }
};

PROJECT_TEST(TestProjectSave);
#include "tst_projectsave.moc"
