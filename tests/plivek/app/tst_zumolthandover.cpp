#include "plivek/mainwindow/mainwindow.h"
#include "testdata.h"
#include "testmain.h"

#include <QAction>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads what a writer puts into the named pipe, waiting for it at most
// timeoutMs; empty when no writer came.
QByteArray readPipe(const QString &path, int timeoutMs)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return QByteArray();
    QByteArray bytes;
    for (;;) {
        pollfd waiting = { fd, POLLIN, 0 };
        if (::poll(&waiting, 1, timeoutMs) <= 0)
            break;
        char buffer[4096];
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        // poll reports nothing before a writer came; after that, 0 means the
        // writer has closed its end.
        if (count > 0)
            bytes.append(buffer, int(count));
        else if (count == 0 || errno != EAGAIN)
            break;
    }
    ::close(fd);
    return bytes;
}

} // namespace

class TestZuMoltHandOver : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    // A copy of plivek in a folder of its own, so that a fake editor can lie
    // beside it, and a ZU_MOLT configuration to open.
    QString preparePlivek()
    {
        const QString plivek = m_dir.filePath(QStringLiteral("plivek"));
        if (!QFile::exists(plivek))
            QFile::copy(TestSupport::programPath(QStringLiteral("plivek")), plivek);
        // The same ZU_MOLT content under both suffixes that can hold it.
        for (const QString &name : { QStringLiteral("plan.json"), QStringLiteral("plan.cnf") }) {
            QFile::remove(m_dir.filePath(name));
            QFile::copy(TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")),
                        m_dir.filePath(name));
        }
        return plivek;
    }

    void writeEditor(const QByteArray &content, bool executable)
    {
        QFile editor(m_dir.filePath(QStringLiteral("zumoltc")));
        QVERIFY(editor.open(QIODevice::WriteOnly | QIODevice::Truncate));
        editor.write(content);
        editor.close();
        QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        if (executable)
            permissions |= QFileDevice::ExeOwner;
        QVERIFY(editor.setPermissions(permissions));
    }

private slots:
    void startsEditorWithPathAndQuits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("ZU_MOLT .json") << "plan.json";
        QTest::newRow("ZU_MOLT in .cnf") << "plan.cnf";
    }

    void startsEditorWithPathAndQuits()
    {
        QFETCH(QString, name);
        const QString plivek = preparePlivek();
        const QString pipe = m_dir.filePath(QStringLiteral("started"));
        QFile::remove(pipe);
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        writeEditor("#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"$(dirname \"$0\")/started\"\n",
                    true);

        QProcess process;
        const QString document = m_dir.filePath(name);
        process.start(plivek, { document });
        QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
        QCOMPARE(readPipe(pipe, 30000), QByteArray("1|") + document.toUtf8());
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
    }

    void editorThatCannotStartLeavesDocumentOpen()
    {
        // The window reports in its message table, so it is looked at in this
        // process: an editor on PATH that cannot run leaves the document here.
        preparePlivek();
        writeEditor("not a program", false);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", m_dir.path().toLocal8Bit());

        MainWindow window;
        window.loadDocument(m_dir.filePath(QStringLiteral("plan.json")));
        qputenv("PATH", path);

        const auto *messages = window.findChild<QTableWidget *>(QStringLiteral("messageTable"));
        QStringList texts;
        for (int row = 0; row < messages->rowCount(); ++row)
            texts << messages->item(row, 2)->text();
        QVERIFY2(texts.join('\n').contains("Cannot start the ZU_MOLT editor"),
                 qPrintable(texts.join('\n')));
        QCOMPARE(texts.last(), QStringLiteral("Loading complete"));
        QVERIFY(window.document().isZuMolt());
        QVERIFY(window.findChild<QAction *>(QStringLiteral("actionClose"))->isEnabled());
    }
};

PROJECT_TEST(TestZuMoltHandOver);
#include "tst_zumolthandover.moc"
