#pragma once

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdaycard.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfseasonplan.h"
#include "cnf/cnfweekcard.h"
#include "plivek/dialogs/controller/calendardlg.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

// What the calendar dialog's tests share: the timetables they load, the
// dialog with its views, and the texts of the views' rows.
namespace CalendarFixture {

// Stands in for the main window: collects what the dialog reports.
class ErrorSink : public QWidget
{
    Q_OBJECT
public:
    QStringList errors;

public slots:
    void printError(const QString &message) { errors.append(message); }
};

inline CnfProgramPtr addProgram(CnfController &controller, const QString &id)
{
    auto program = CnfProgramPtr::create();
    program->id = id;
    controller.addProgram(program);
    return program;
}

inline CnfDayCardPtr addDayCard(CnfController &controller, const QString &id,
                                const QString &name = QString())
{
    auto card = CnfDayCardPtr::create();
    card->id = id;
    card->name = name;
    controller.addDayCard(card);
    return card;
}

inline CnfWeekCardPtr addWeekCard(CnfController &controller, const QString &id,
                                  const QMap<int, CnfDayCardPtr> &days,
                                  const QString &name = QString())
{
    auto card = CnfWeekCardPtr::create();
    card->id = id;
    card->name = name;
    card->days = days;
    controller.addWeekCard(card);
    return card;
}

inline void addSeasonPlan(CnfController &controller, const QString &name, const QDate &from,
                          const QDate &to, const CnfWeekCardPtr &weekCard)
{
    auto plan = CnfSeasonPlanPtr::create();
    plan->name = name;
    plan->from = from;
    plan->to = to;
    plan->weekCard = weekCard;
    controller.addSeasonPlan(plan);
}

inline void addSpecialDay(CnfController &controller, const QDate &date, const QString &id,
                          const QString &name, const CnfDayCardPtr &dayCard)
{
    auto day = CnfSpecialDayPtr::create();
    day->id = id;
    day->name = name;
    day->dayCard = dayCard;
    controller.addSpecialDay(date, day);
}

// A whole timetable: three day cards (reserve programs on some records, one
// record without program), two week cards (one day without card), two season
// plans, two special days and the three defaults.
inline void fillTimetable(CnfController &controller, const QString &family)
{
    controller.setProperty("type", family);
    if (family == QLatin1String("tiverk"))
        controller.setProperty("version", QStringLiteral("3.18"));
    const CnfProgramPtr p1 = addProgram(controller, QStringLiteral("1"));
    const CnfProgramPtr p2 = addProgram(controller, QStringLiteral("2"));
    const CnfProgramPtr p3 = addProgram(controller, QStringLiteral("3"));

    const CnfDayCardPtr work
        = addDayCard(controller, QStringLiteral("1"), QStringLiteral("Workday"));
    work->addRecord(QTime(6, 0), QTime(22, 0), p1, p2);
    work->addRecord(QTime(22, 0), QTime(6, 0), p2, {});
    const CnfDayCardPtr weekend
        = addDayCard(controller, QStringLiteral("2"), QStringLiteral("Weekend"));
    weekend->addRecord(QTime(0, 0), QTime(0, 0), p3, p1);
    const CnfDayCardPtr dark = addDayCard(controller, QStringLiteral("3"));
    dark->addRecord(QTime(7, 30), QTime(7, 30), {}, {});

    const CnfWeekCardPtr summer = addWeekCard(controller, QStringLiteral("1"),
                                              { { Qt::Monday, work },
                                                { Qt::Tuesday, work },
                                                { Qt::Saturday, weekend },
                                                { Qt::Sunday, dark } },
                                              QStringLiteral("Summer"));
    const CnfWeekCardPtr winter = addWeekCard(controller, QStringLiteral("2"),
                                              { { Qt::Monday, weekend }, { Qt::Friday, {} } });
    addSeasonPlan(controller, QStringLiteral("Warm"), QDate(2027, 4, 1), QDate(2027, 9, 30),
                  summer);
    addSeasonPlan(controller, QStringLiteral("Cold"), QDate(2027, 10, 1), QDate(2028, 3, 31),
                  winter);
    addSpecialDay(controller, QDate(2027, 1, 1), QStringLiteral("1"), QStringLiteral("New year"),
                  dark);
    addSpecialDay(controller, QDate(2027, 5, 9), QStringLiteral("2"), QStringLiteral("Holiday"),
                  weekend);

    controller.setDefaultDayCard(work);
    controller.setDefaultProgram(p1);
    controller.setReserveProgram(p3);
}

// The dialog with its views, found by object name as the form names them.
struct Calendar
{
    explicit Calendar(CnfController *controller, QWidget *parent = nullptr)
        : dialog(parent, controller)
        , dayCards(dialog.findChild<QTreeWidget *>(QStringLiteral("dayCards")))
        , weekCards(dialog.findChild<QTreeWidget *>(QStringLiteral("weekCards")))
        , seasonPlan(dialog.findChild<QTableWidget *>(QStringLiteral("seasonPlan")))
        , specialDays(dialog.findChild<QTableWidget *>(QStringLiteral("specialDays")))
        , defaultDayCard(dialog.findChild<QComboBox *>(QStringLiteral("def_daycard")))
    {
    }

    void trigger(const char *name)
    {
        QAction *action = dialog.findChild<QAction *>(QLatin1String(name));
        QVERIFY2(action, name);
        action->trigger();
    }

    void pressOk()
    {
        QTest::mouseClick(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    }

    void setCreateMinimal()
    {
        dialog.findChild<QCheckBox *>(QStringLiteral("createMinimal"))->setChecked(true);
    }

    // Types `text` into the number editor of a card row and commits it.
    void typeNumber(QTreeWidget *tree, QTreeWidgetItem *item, const QString &text)
    {
        dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget"))
            ->setCurrentWidget(tree->parentWidget());
        tree->setCurrentItem(item, 0);
        tree->editItem(item, 0);
        auto *editor = tree->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->selectAll();
        if (text.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        else
            QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits through a queued call; the closed editor must
        // be gone before the next one is looked for.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CalendarDlg dialog;
    QTreeWidget *dayCards;
    QTreeWidget *weekCards;
    QTableWidget *seasonPlan;
    QTableWidget *specialDays;
    QComboBox *defaultDayCard;
};

inline QStringList childTexts(const QTreeWidgetItem *card, int column)
{
    QStringList texts;
    for (int i = 0; i < card->childCount(); ++i)
        texts.append(card->child(i)->text(column));
    return texts;
}

inline QStringList topTexts(const QTreeWidget *tree, int column = 0)
{
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        texts.append(tree->topLevelItem(i)->text(column));
    return texts;
}

inline QStringList columnTexts(const QTableWidget *table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts.append(table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
}

inline QStringList menuNames(QMenu *menu)
{
    QStringList names;
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions)
        names.append(action->objectName());
    delete menu;
    return names;
}

inline QStringList ids(const QList<CnfDayCardPtr> &cards)
{
    QStringList texts;
    for (const CnfDayCardPtr &card : cards)
        texts.append(card->id);
    return texts;
}

} // namespace CalendarFixture
