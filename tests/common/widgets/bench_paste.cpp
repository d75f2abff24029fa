// Pasting 10,000 cells (100 lines of 100 fields) into a parameter table.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.
#include "common/widgets/parameterstable.h"

#include <QApplication>
#include <QClipboard>
#include <QtTest>

class BenchPaste : public QObject
{
    Q_OBJECT
private slots:
    void paste10000Cells()
    {
        constexpr int Size = 100;
        QString text;
        for (int row = 0; row < Size; ++row) {
            for (int column = 0; column < Size; ++column) {
                if (column > 0)
                    text += QLatin1Char('\t');
                // Texts, integers and doubles, as the table copies them.
                switch (column % 3) {
                case 0:
                    text += QStringLiteral("\"name %1\"").arg(row);
                    break;
                case 1:
                    text += QString::number(row * column);
                    break;
                default:
                    text += QString::number(row + column / 10.0);
                    break;
                }
            }
            text += QLatin1Char('\n');
        }
        QGuiApplication::clipboard()->setText(text);

        // A fresh table each time: every cell gets a new item and value.
        QBENCHMARK
        {
            ParametersTable table;
            table.setRowCount(Size);
            table.setColumnCount(Size);
            table.setCurrentCell(0, 0);
            table.paste();
            QVERIFY(table.item(Size - 1, Size - 1));
        }
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchPaste bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_paste.moc"
