#include "halm58ga/colorsettingsdlga.h"
#include "netcolors.h"
#include "testmain.h"

#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

using Halm58ga::ColorSettingsDlga;
namespace NetColors = Halm58ga::NetColors;

class TestColorSettingsDlga : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { NetColors::reset(); }

    void listsEveryKind()
    {
        ColorSettingsDlga dialog;
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("colorTable"));
        QVERIFY(table);
        QCOMPARE(table->rowCount(), NetColors::kinds().size());
        QCOMPARE(table->item(0, ColorSettingsDlga::ColorColumn)->text(),
                 NetColors::defaultColor(QStringLiteral("node")).name());
    }

    void storedColoursAreRead()
    {
        // A colour stored in an earlier session shows, and a change replaces it at once.
        QSettings().setValue(QStringLiteral("NetColors/node"), QStringLiteral("#123456"));
        QCOMPARE(NetColors::color(QStringLiteral("node")), QColor("#123456"));
        NetColors::setColor(QStringLiteral("node"), QColor("#654321"));
        QCOMPARE(NetColors::color(QStringLiteral("node")), QColor("#654321"));
        QCOMPARE(QSettings().value(QStringLiteral("NetColors/node")).toString(),
                 QStringLiteral("#654321"));
        NetColors::reset();
        QCOMPARE(NetColors::color(QStringLiteral("node")),
                 NetColors::defaultColor(QStringLiteral("node")));
    }

    void changesAreStoredAndAnnounced()
    {
        ColorSettingsDlga dialog;
        QSignalSpy changed(&dialog, &ColorSettingsDlga::colorsChanged);
        dialog.setColor(QStringLiteral("connection"), QColor(Qt::magenta));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(NetColors::color(QStringLiteral("connection")), QColor(Qt::magenta));

        // Unknown kinds and invalid colours change nothing.
        dialog.setColor(QStringLiteral("bridge"), QColor(Qt::red));
        dialog.setColor(QStringLiteral("node"), QColor());
        QCOMPARE(changed.size(), 1);

        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("defaults")),
                          Qt::LeftButton);
        QCOMPARE(changed.size(), 2);
        QCOMPARE(NetColors::color(QStringLiteral("connection")),
                 NetColors::defaultColor(QStringLiteral("connection")));
    }
};

PROJECT_TEST(TestColorSettingsDlga);
#include "tst_colorsettingsdlga.moc"
