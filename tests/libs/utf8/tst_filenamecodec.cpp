#include "filenamecodecinuse.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QtTest>

// The codec both programs decode and encode file names with: every byte string comes back
// as it went in, and UTF-8 reads as UTF-8.
class TestFileNameCodec : public QObject
{
    Q_OBJECT
private:
    FileNameCodecInUse fileNames;

private slots:
    void bytesComeBackAsTheyWent_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text"); // empty: not compared
        QTest::newRow("ASCII") << QByteArray("plan 7.cnf") << QStringLiteral("plan 7.cnf");
        QTest::newRow("Cyrillic") << QByteArray("\xd0\xbf\xd0\xbb\xd0\xb0\xd0\xbd.cnf")
                                  << QStringLiteral("план.cnf");
        QTest::newRow("outside the basic plane")
            << QByteArray("\xf0\x9f\x9a\xa6") << QString::fromUcs4(U"\U0001F6A6");
        QTest::newRow("0xFF") << QByteArray("bad\xff.cnf")
                              << QStringLiteral("bad") + QChar(0xDCFF) + QStringLiteral(".cnf");
        QTest::newRow("Latin-1 e acute") << QByteArray("n\xe9.cnf") << QString();
        QTest::newRow("sequence cut short") << QByteArray("\xd0\xbf\xd0") << QString();
        QTest::newRow("sequence cut by ASCII") << QByteArray("\xe2\x82x") << QString();
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QString();
        QTest::newRow("encoded surrogate") << QByteArray("\xed\xb3\xbf") << QString();
        QTest::newRow("above U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << QString();
        QTest::newRow("lone continuation bytes") << QByteArray("\x80\xbf") << QString();
    }

    void bytesComeBackAsTheyWent()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const QString decoded = QFile::decodeName(bytes);
        if (!text.isEmpty())
            QCOMPARE(decoded, text);
        QCOMPARE(QFile::encodeName(decoded), bytes);
        // A stream decodes and encodes piece by piece: cut anywhere, the same. (A
        // stream holds back a sequence that may go on; the dot ends it.)
        const QByteArray stream = bytes + '.';
        for (int cut = 0; cut <= stream.size(); ++cut) {
            QTextDecoder decoder(QTextCodec::codecForLocale());
            QString pieces = decoder.toUnicode(stream.left(cut));
            pieces += decoder.toUnicode(stream.mid(cut));
            QCOMPARE(pieces, decoded + QLatin1Char('.'));
        }
        for (int cut = 0; cut <= decoded.size(); ++cut) {
            QTextEncoder encoder(QTextCodec::codecForLocale());
            QByteArray pieces = encoder.fromUnicode(decoded.left(cut));
            pieces += encoder.fromUnicode(decoded.mid(cut));
            QCOMPARE(pieces, bytes);
        }
    }

    // Qt's file functions reach a file whose name is not UTF-8, and a folder
    // listing gives a name that reaches it again.
    void fileWithNameNotUtf8IsReached()
    {
        QTemporaryDir dir;
        const QString name = QFile::decodeName("n\xe9-\xff.cnf");
        QFile file(QDir(dir.path()).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write("x"), qint64(1));
        file.close();
        const QStringList listed = QDir(dir.path()).entryList(QDir::Files);
        QCOMPARE(listed, QStringList { name });
        QVERIFY(QFileInfo(QDir(dir.path()).filePath(listed.first())).isFile());
    }
};

PROJECT_TEST(TestFileNameCodec);
#include "tst_filenamecodec.moc"
