#include "cnf/cnfcontroller.h"
#include "plivek/dialogs/controller/asudddlg.h"
#include "plivek/dialogs/controller/calendardlg.h"
#include "plivek/dialogs/controller/countdowntabletiverk2dlg.h"
#include "plivek/dialogs/controller/countdowntablezu_moltdlg.h"
#include "plivek/dialogs/controller/vpudlg.h"
#include "testmain.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

// The dialogs that read and write the controller themselves: each has its
// form with OK and Cancel; Cancel never changes the configuration, and OK
// changes nothing while the dialog has nothing of its own to write.
std::unique_ptr<QDialog> makeDialog(const QString &name, CnfController *controller)
{
    if (name == QLatin1String("AsuddDlg"))
        return std::make_unique<AsuddDlg>(nullptr, controller);
    if (name == QLatin1String("CalendarDlg"))
        return std::make_unique<CalendarDlg>(nullptr, controller);
    if (name == QLatin1String("CountDownTableTiverk2Dlg"))
        return std::make_unique<CountDownTableTiverk2Dlg>(nullptr, controller);
    if (name == QLatin1String("CountDownTableZU_MOLTDlg"))
        return std::make_unique<CountDownTableZU_MOLTDlg>(nullptr, controller);
    return std::make_unique<VpuDlg>(nullptr, controller);
}

} // namespace

class TestFirstVersions : public QObject
{
    Q_OBJECT
private slots:
    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("unchanged");

        const QStringList names { "AsuddDlg", "CalendarDlg", "CountDownTableTiverk2Dlg",
                                  "CountDownTableZU_MOLTDlg", "VpuDlg" };
        const QStringList titles { "ATCS parameters", "Calendar schedule",
                                   "Parameters display countdown", "Parameters display countdown",
                                   "Parameters of RCU" };
        // These write their blocks on OK (their own tests look at what).
        const QStringList writing { "AsuddDlg", "CountDownTableTiverk2Dlg",
                                    "CountDownTableZU_MOLTDlg", "VpuDlg" };
        for (int i = 0; i < names.size(); ++i) {
            QTest::addRow("%s OK", qPrintable(names.at(i)))
                << names.at(i) << titles.at(i) << int(QDialogButtonBox::Ok)
                << int(QDialog::Accepted) << !writing.contains(names.at(i));
            QTest::addRow("%s Cancel", qPrintable(names.at(i)))
                << names.at(i) << titles.at(i) << int(QDialogButtonBox::Cancel)
                << int(QDialog::Rejected) << true;
        }
    }

    void buttons()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(int, button);
        QFETCH(int, result);
        QFETCH(bool, unchanged);

        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverk"));
        controller.setNativeData(QStringLiteral("errorControl"), QVariantList { 1, 2 });
        const QByteArray before = controller.save(-1);
        std::unique_ptr<QDialog> dialog = makeDialog(name, &controller);
        QCOMPARE(QString::fromLatin1(dialog->metaObject()->className()), name);
        QCOMPARE(dialog->windowTitle(), title);
        QTimer::singleShot(0, dialog.get(), [&dialog, button] {
            auto *box = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
            QTest::mouseClick(box->button(QDialogButtonBox::StandardButton(button)),
                              Qt::LeftButton);
        });
        QCOMPARE(dialog->exec(), result);
        if (unchanged)
            QCOMPARE(controller.save(-1), before);
    }
};

PROJECT_TEST(TestFirstVersions);
#include "tst_firstversions.moc"
