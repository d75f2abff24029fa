#include "plivek/mainwindow/dialogrunner.h"
#include "testmain.h"

#include <QDataStream>
#include <QDialog>
#include <QHeaderView>
#include <QSettings>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// Two dialog classes, so that each has its own key.
class SplitDialog : public QDialog
{
    Q_OBJECT
public:
    SplitDialog()
    {
        auto *layout = new QVBoxLayout(this);
        outer = new QSplitter(Qt::Horizontal, this);
        outer->setObjectName(QStringLiteral("outer"));
        outer->addWidget(new QWidget);
        inner = new QSplitter(Qt::Vertical);
        inner->addWidget(new QWidget);
        inner->addWidget(new QWidget);
        outer->addWidget(inner);
        layout->addWidget(outer);
    }
    QSplitter *outer;
    QSplitter *inner; // no object name
};

class PlainDialog : public QDialog
{
    Q_OBJECT
};

// Content that asks for more room than the form gives it.
class WideContent : public QWidget
{
public:
    QSize sizeHint() const override { return QSize(640, 420); }
    QSize minimumSizeHint() const override { return QSize(100, 80); }
};

// A table whose rows and columns the form's size does not show.
class TableDialog : public QDialog
{
    Q_OBJECT
public:
    TableDialog()
    {
        auto *layout = new QVBoxLayout(this);
        table = new QTableWidget(8, 6, this);
        layout->addWidget(table);
        resize(260, 160);
    }
    QTableWidget *table;
};

class ContentDialog : public QDialog
{
    Q_OBJECT
public:
    ContentDialog()
    {
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(new WideContent);
        resize(300, 200);
    }
};

struct Stored
{
    QByteArray geometry;
    qint32 count = -1;
    QList<QPair<QByteArray, QByteArray>> records;
};

Stored decode(const QByteArray &bytes)
{
    Stored stored;
    QDataStream stream(bytes);
    stream >> stored.geometry >> stored.count;
    for (qint32 i = 0; i < stored.count; ++i) {
        QByteArray name, state;
        stream >> name >> state;
        stored.records.append({ name, state });
    }
    return stored;
}

QByteArray storedValue(const char *className)
{
    return QSettings()
        .value(QLatin1String("WindowsGeometry/") + QLatin1String(className))
        .toByteArray();
}

// Runs the dialog, closing it from a timer with accept or reject.
int runAndClose(QDialog *dialog, bool accept)
{
    QTimer::singleShot(0, dialog,
                       [dialog, accept] { accept ? dialog->accept() : dialog->reject(); });
    return execWithSavedGeometry(dialog);
}

} // namespace

class TestDialogRunner : public QObject
{
    Q_OBJECT
private slots:
    void init() { QSettings().clear(); }

    void storesGeometryAndSplitters_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted") << true;
        QTest::newRow("rejected") << false;
    }

    void storesGeometryAndSplitters()
    {
        QFETCH(bool, accept);

        SplitDialog dialog;
        dialog.resize(420, 300);
        QCOMPARE(runAndClose(&dialog, accept),
                 accept ? int(QDialog::Accepted) : int(QDialog::Rejected));
        const Stored stored = decode(storedValue("SplitDialog"));
        QCOMPARE(stored.geometry, dialog.saveGeometry());
        QCOMPARE(stored.count, 2);
        const QList<QSplitter *> splitters = dialog.findChildren<QSplitter *>();
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(stored.records.at(i).first, splitters.at(i)->objectName().toLocal8Bit());
            QCOMPARE(stored.records.at(i).second, splitters.at(i)->saveState());
        }
        QCOMPARE(stored.records.at(0).first, QByteArray("outer"));
        QCOMPARE(stored.records.at(1).first, QByteArray());
    }

    void noSplitterStoresCountZero()
    {
        PlainDialog dialog;
        runAndClose(&dialog, true);
        const QByteArray bytes = storedValue("PlainDialog");
        const Stored stored = decode(bytes);
        QCOMPARE(stored.count, 0);
        QVERIFY(!stored.geometry.isEmpty());
        // Geometry as a length-prefixed array, then the 32-bit count: nothing more.
        QCOMPARE(bytes.size(), 4 + stored.geometry.size() + 4);
    }

    // The next dialog of the class opens as large as the last, with its
    // splitter where it was; another class keeps its own value.
    void restores()
    {
        QList<int> sizesLeft;
        QList<int> innerLeft;
        {
            SplitDialog first;
            first.resize(500, 320);
            QTimer::singleShot(0, &first, [&first, &sizesLeft, &innerLeft] {
                first.outer->setSizes({ 100, 380 });
                first.inner->setSizes({ 200, 50 });
                sizesLeft = first.outer->sizes();
                innerLeft = first.inner->sizes();
                first.reject();
            });
            execWithSavedGeometry(&first);
        }
        SplitDialog second;
        QVERIFY(second.outer->sizes() != sizesLeft);
        QList<int> sizesSeen;
        QList<int> innerSeen;
        QSize sizeSeen;
        QTimer::singleShot(0, &second, [&] {
            sizeSeen = second.size();
            sizesSeen = second.outer->sizes();
            innerSeen = second.inner->sizes();
            second.accept();
        });
        execWithSavedGeometry(&second);
        QCOMPARE(sizeSeen, QSize(500, 320));
        QCOMPARE(sizesSeen, sizesLeft);
        // The unnamed splitter gets its own state back, not the named one's.
        QCOMPARE(second.outer->orientation(), Qt::Horizontal);
        QCOMPARE(innerSeen, innerLeft);

        PlainDialog plain;
        plain.resize(200, 150);
        runAndClose(&plain, true);
        QVERIFY(storedValue("PlainDialog") != storedValue("SplitDialog"));
        QCOMPARE(decode(storedValue("SplitDialog")).count, 2);
    }

    // Without a stored geometry the dialog opens large enough for its layout;
    // once the user has sized it, that size wins, even below the layout's wish.
    void firstSizeShowsTheContent()
    {
        QSize firstSeen;
        QSize hint;
        {
            ContentDialog first;
            QTimer::singleShot(0, &first, [&] {
                firstSeen = first.size();
                hint = first.layout()->sizeHint();
                first.resize(420, 260);
                first.reject();
            });
            execWithSavedGeometry(&first);
        }
        QVERIFY2(firstSeen.width() >= hint.width() && firstSeen.height() >= hint.height(),
                 qPrintable(QStringLiteral("%1x%2 < %3x%4")
                                .arg(firstSeen.width())
                                .arg(firstSeen.height())
                                .arg(hint.width())
                                .arg(hint.height())));
        ContentDialog second;
        QSize secondSeen;
        QTimer::singleShot(0, &second, [&] {
            secondSeen = second.size();
            second.accept();
        });
        execWithSavedGeometry(&second);
        QCOMPARE(secondSeen, QSize(420, 260));
    }

    // The first time, the dialog also grows by what its table would hide
    // behind scroll bars, so that every cell shows.
    void firstSizeShowsWholeTables()
    {
        TableDialog dialog;
        QSize hidden(-1, -1);
        // Looked at once the shown dialog has settled: behind what it queued.
        QTimer::singleShot(0, &dialog, [&] {
            QMetaObject::invokeMethod(
                &dialog,
                [&] {
                    const QWidget *viewport = dialog.table->viewport();
                    hidden = QSize(dialog.table->horizontalHeader()->length() - viewport->width(),
                                   dialog.table->verticalHeader()->length() - viewport->height());
                    dialog.reject();
                },
                Qt::QueuedConnection);
        });
        execWithSavedGeometry(&dialog);
        QVERIFY2(
            hidden.width() <= 0 && hidden.height() <= 0,
            qPrintable(QStringLiteral("%1x%2 hidden").arg(hidden.width()).arg(hidden.height())));
    }

    // A short or foreign value never stops the dialog; it is overwritten.
    void brokenValues_data()
    {
        QTest::addColumn<QByteArray>("value");

        QByteArray cut;
        {
            QDataStream stream(&cut, QIODevice::WriteOnly);
            stream << QByteArray() << qint32(5) << QByteArray("outer");
        }
        QTest::newRow("records cut short") << cut;
        QTest::newRow("garbage") << QByteArray("\xff\xff\xff\x7f", 4);
        QByteArray unknown;
        {
            QDataStream stream(&unknown, QIODevice::WriteOnly);
            stream << QByteArray() << qint32(1) << QByteArray("gone") << QByteArray("state");
        }
        QTest::newRow("unknown splitter") << unknown;
    }

    void brokenValues()
    {
        QFETCH(QByteArray, value);

        QSettings().setValue(QStringLiteral("WindowsGeometry/SplitDialog"), value);
        SplitDialog dialog;
        QCOMPARE(runAndClose(&dialog, true), int(QDialog::Accepted));
        QCOMPARE(decode(storedValue("SplitDialog")).count, 2);
    }
};

PROJECT_TEST(TestDialogRunner);
#include "tst_dialogrunner.moc"
