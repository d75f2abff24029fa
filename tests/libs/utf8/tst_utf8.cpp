#include "testmain.h"
#include "utf8/utf8.h"

#include <QtTest>

// Decoding a text's bytes: a U+FEFF is a character wherever it stands.
class TestUtf8 : public QObject
{
    Q_OBJECT
private slots:
    void decodeKeepsEveryCharacter_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QChar mark(0xFEFF);
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("plain") << QByteArray("Harbour") << QStringLiteral("Harbour");
        QTest::newRow("U+FEFF first")
            << QByteArray("\xEF\xBB\xBFHarbour") << mark + QStringLiteral("Harbour");
        QTest::newRow("two U+FEFF first")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << QString(mark) + mark + QLatin1Char('x');
        QTest::newRow("U+FEFF alone") << QByteArray("\xEF\xBB\xBF") << QString(mark);
        QTest::newRow("U+FEFF inside") << QByteArray("a\xEF\xBB\xBF"
                                                     "b")
                                       << QLatin1Char('a') + mark + QLatin1Char('b');
        QTest::newRow("NUL inside") << QByteArray("a\0b", 3) << QString::fromLatin1("a\0b", 3);
        QTest::newRow("Cyrillic after U+FEFF")
            << QByteArray("\xEF\xBB\xBF\xD0\xBC") << mark + QString(QChar(0x043C));
    }

    void decodeKeepsEveryCharacter()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(Utf8::decode(bytes), text);
        QCOMPARE(Utf8::decode(bytes.constData(), bytes.size()), text);
        // An empty text is empty, not null, as QString::fromUtf8 gives it.
        QVERIFY(!Utf8::decode(bytes).isNull());
    }

    // Our own store keeps a lone surrogate as its code unit's three bytes; a text
    // without one is plain UTF-8. The strict decoder still refuses those bytes.
    void surrogatesKeptInOurOwnStore_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        const QChar high(0xD800);
        const QChar low(0xDFFF);
        QTest::newRow("plain") << QStringLiteral("Мира 1") << QStringLiteral("Мира 1").toUtf8();
        QTest::newRow("pair") << QString::fromUcs4(U"\U0001F6A6") << QByteArray("\xF0\x9F\x9A\xA6");
        QTest::newRow("lone high first")
            << high + QStringLiteral("x") << QByteArray("\xED\xA0\x80x");
        QTest::newRow("lone low last") << QStringLiteral("x") + low << QByteArray("x\xED\xBF\xBF");
        QTest::newRow("low before high")
            << QString(low) + high << QByteArray("\xED\xBF\xBF\xED\xA0\x80");
        QTest::newRow("U+FEFF after a surrogate") << QString(high) + QChar(0xFEFF)
                + QLatin1Char('y') << QByteArray("\xED\xA0\x80\xEF\xBB\xBFy");
        QTest::newRow("U+FEFF first")
            << QChar(0xFEFF) + QString(high) << QByteArray("\xEF\xBB\xBF\xED\xA0\x80");
    }

    void surrogatesKeptInOurOwnStore()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Utf8::encodeKeepingSurrogates(text), bytes);
        QCOMPARE(Utf8::decodeKeepingSurrogates(bytes), text);
        const bool lone = bytes.contains("\xED\xA0") || bytes.contains("\xED\xBF");
        QCOMPARE(Utf8::decode(bytes) == text, !lone);
    }

    // A message shows what a text from a file holds: what shows nothing, or
    // shows as another character, as its escape sequence; the rest as it is.
    void visibleInMessages_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << QStringLiteral("Мира 1, \"x\"")
                               << QStringLiteral("Мира 1, \"x\"");
        QTest::newRow("U+FEFF first")
            << QChar(0xFEFF) + QStringLiteral("odd") << QStringLiteral("\\ufeffodd");
        QTest::newRow("controls") << QString::fromLatin1("a\0b\t\x1b\x7f", 6)
                                  << QStringLiteral("a\\u0000b\\u0009\\u001b\\u007f");
        QTest::newRow("zero width, direction marks, soft hyphen")
            << QString::fromUtf16(u"a\u200Bb\u202Ec\u00ADd")
            << QStringLiteral("a\\u200bb\\u202ec\\u00add");
        QTest::newRow("no-break space and line separator")
            << QString::fromUtf16(u"a\u00A0b\u2028") << QStringLiteral("a\\u00a0b\\u2028");
        QTest::newRow("lone surrogates") << QString(QChar(0xDFFF)) + QStringLiteral("x")
                + QChar(0xD800) << QStringLiteral("\\udfffx\\ud800");
        QTest::newRow("pair shows")
            << QString::fromUcs4(U"\U0001F6A6") << QString::fromUcs4(U"\U0001F6A6");
        QTest::newRow("invisible past U+FFFF")
            << QString::fromUcs4(U"\U000E0001") << QStringLiteral("\\udb40\\udc01");
        QTest::newRow("non-character") << QString(QChar(0xFFFE)) << QStringLiteral("\\ufffe");
    }

    void visibleInMessages()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(Utf8::visible(text), shown);
    }

    // A message quotes at most 40 characters of a text from a file, shown as
    // visible() shows them, never half a character, and marks the cut.
    void quotedInMessages_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString a39(39, QLatin1Char('a'));
        const QString a40(40, QLatin1Char('a'));
        const QString light = QString::fromUcs4(U"\U0001F6A6");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("short, escaped")
            << QString::fromUtf16(u"x\u200By") << QStringLiteral("x\\u200by");
        QTest::newRow("exactly at the limit") << a40 << a40;
        QTest::newRow("one past the limit")
            << a40 + QLatin1Char('b') << a40 + QStringLiteral("...");
        QTest::newRow("pair as the 40th character, the last") << a39 + light << a39 + light;
        QTest::newRow("pair as the 40th character, more after it")
            << a39 + light + QLatin1Char('b') << a39 + light + QStringLiteral("...");
        QTest::newRow("pair across 40 units") << a39.left(38) + light + QStringLiteral("bc")
                                              << a39.left(38) + light + QStringLiteral("b...");
        QTest::newRow("40 pairs") << light.repeated(40) << light.repeated(40);
        QTest::newRow("41 pairs") << light.repeated(41)
                                  << light.repeated(40) + QStringLiteral("...");
        QTest::newRow("escape as the 40th character")
            << a39 + QChar(0xFEFF) + QLatin1Char('b') << a39 + QStringLiteral("\\ufeff...");
        QTest::newRow("escape just past the cut")
            << a40 + QChar(0x200B) << a40 + QStringLiteral("...");
        QTest::newRow("invisible pair across the cut") << a39 + QString::fromUcs4(U"\U000E0001")
                + QLatin1Char('b') << a39 + QStringLiteral("\\udb40\\udc01...");
        QTest::newRow("lone surrogate at the cut is one character")
            << a39 + QChar(0xD83D) + QLatin1Char('b') << a39 + QStringLiteral("\\ud83d...");
        QTest::newRow("a million U+FEFF")
            << QString(1000000, QChar(0xFEFF))
            << QStringLiteral("\\ufeff").repeated(40) + QStringLiteral("...");
    }

    void quotedInMessages()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(Utf8::quoted(text), shown);
    }
};

PROJECT_TEST(TestUtf8);
#include "tst_utf8.moc"
