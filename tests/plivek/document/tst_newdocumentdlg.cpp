#include "installedtranslation.h"
#include "plivek/document/newdocumentdlg.h"
#include "testmain.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestNewDocumentDlg : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        NewDocumentDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Document type"));
        QCOMPARE(dialog.size(), QSize(184, 257));
        const auto buttons = dialog.findChildren<QRadioButton *>();
        QStringList names;
        for (const QRadioButton *button : buttons)
            names << button->objectName();
        QCOMPARE(names,
                 (QStringList { "tiverk314", "tiverk315", "tiverk316", "tiverk317", "tiverk318",
                                "adapter", "tiverkii", "ZU_MOLT" }));
        auto *preselected = dialog.findChild<QRadioButton *>("tiverk318");
        QVERIFY(preselected->isChecked());
        QCOMPARE(preselected->text(), QStringLiteral("TIVERK 3.18"));
        QVERIFY(buttons.first()->group());
        QCOMPARE(buttons.first()->group()->buttons().size(), 8);
    }

    // The Russian interface names the version of the preselected family as before.
    void russianText()
    {
        const TestSupport::InstalledTranslation russian(QStringLiteral("plivek_ru"));
        QVERIFY(russian.isLoaded());
        NewDocumentDlg dialog;
        QCOMPARE(dialog.findChild<QRadioButton *>("tiverk318")->text(),
                 QString::fromUtf8("ТИВЕРК 3.18"));
    }

    void choice_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QVariant>("version");
        QTest::newRow("unchanged") << ""
                                   << "tiverk" << QVariant("3.18");
        QTest::newRow("3.14") << "tiverk314"
                              << "tiverk" << QVariant("3.14");
        QTest::newRow("adapter") << "adapter"
                                 << "adapter" << QVariant();
        QTest::newRow("TIVERK II") << "tiverkii"
                                   << "tiverkii" << QVariant("0.1");
        QTest::newRow("ZU_MOLT") << "ZU_MOLT"
                                 << "ZU_MOLT" << QVariant("1.0");
    }

    void choice()
    {
        QFETCH(QString, button);
        QFETCH(QString, type);
        QFETCH(QVariant, version);
        NewDocumentDlg dialog;
        if (!button.isEmpty())
            QTest::mouseClick(dialog.findChild<QRadioButton *>(button), Qt::LeftButton);
        dialog.findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.type().toString(), type);
        QCOMPARE(dialog.version(), version);
    }
};

PROJECT_TEST(TestNewDocumentDlg);
#include "tst_newdocumentdlg.moc"
