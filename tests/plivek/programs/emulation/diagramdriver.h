#pragma once

#include "modalanswerer.h"
#include "plivek/programs/emulation/dteventdlg.h"
#include "plivek/programs/emulation/tiverk2diagrammdlg.h"
#include "plotlet/chart.h"
#include "plotlet/colorhboxseries.h"
#include "plotlet/rectangleseries.h"
#include "plotlet/vline.h"
#include "scriptedtlc.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

// Drives the diagram window as a user does: the chart's context menu, the
// event dialog, and reads what the chart shows.
namespace DiagramDriver {

// Each test starts without settings, and its windows run the scripted emulator.
inline void beginTest()
{
    QSettings().clear();
    ScriptedTlc::reset();
    Tiverk2DiagrammDlg::setEmulatorFactory([](QObject *parent) { return new ScriptedTlc(parent); });
}

inline void endTest()
{
    Tiverk2DiagrammDlg::setEmulatorFactory({});
}

inline plotlet::Chart *chart(const Tiverk2DiagrammDlg &dlg)
{
    return dlg.findChild<plotlet::Chart *>(QStringLiteral("chart"));
}

// "row from-to colour" per bar, in the order drawn; a picture bar is "image",
// a two-colour bar "first+second".
inline QStringList bars(const Tiverk2DiagrammDlg &dlg)
{
    QStringList result;
    auto *series = qobject_cast<plotlet::ColorHBoxSeries *>(chart(dlg)->findSeries(1));
    if (!series)
        return result;
    for (const plotlet::ColorHBoxSeries::Bar &bar : series->bars()) {
        QString colour = bar.color.name();
        if (!bar.pixmap.isNull())
            colour = QStringLiteral("image");
        else if (bar.color2.isValid())
            colour += QLatin1Char('+') + bar.color2.name();
        result << QStringLiteral("%1 %2-%3 %4")
                      .arg(bar.row)
                      .arg(QString::number(bar.from, 'g', 6), QString::number(bar.to, 'g', 6),
                           colour);
    }
    return result;
}

// "from-to caption" per stage rectangle (the caption's line feed as "|").
inline QStringList rects(const Tiverk2DiagrammDlg &dlg)
{
    QStringList result;
    auto *series = qobject_cast<plotlet::RectangleSeries *>(chart(dlg)->findSeries(2));
    if (!series)
        return result;
    for (const plotlet::RectangleSeries::Rect &rect : series->rects()) {
        result << QStringLiteral("%1-%2 %3")
                      .arg(QString::number(rect.rect.left(), 'g', 6),
                           QString::number(rect.rect.right(), 'g', 6),
                           QString(rect.caption).replace(QLatin1Char('\n'), QLatin1Char('|')));
    }
    return result;
}

// Waits in the event loop for the context menu and hands it to `answer`,
// which must close it (or trigger an action and close it).
inline void answerMenu(std::function<void(QMenu *)> answer)
{
    // The pending timer holds the poll; the poll itself holds only a weak link,
    // so that it is freed when the polling ends.
    auto poll = std::make_shared<std::function<void(int)>>();
    const std::weak_ptr<std::function<void(int)>> self = poll;
    *poll = [self, answer](int left) {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            answer(menu);
            return;
        }
        const auto next = self.lock();
        if (left > 0 && next)
            QTimer::singleShot(1, [next, left] { (*next)(left - 1); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(500); });
}

inline QStringList actionTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    return texts;
}

// The entries of the context menu at a chart point; the menu is closed unused.
inline QStringList menuEntries(Tiverk2DiagrammDlg &dlg)
{
    QStringList seen;
    answerMenu([&seen](QMenu *menu) {
        seen = actionTexts(menu);
        menu->close();
    });
    emit chart(dlg)->mousePress(Qt::RightButton, QPoint(20, 20), QPointF(1, 1));
    return seen;
}

// Picks the menu entry of that text, if there is one, and closes the menu.
inline void pickMenuEntry(Tiverk2DiagrammDlg &dlg, const QString &text,
                          const QPointF &point = QPointF(1, 1))
{
    answerMenu([text](QMenu *menu) {
        QAction *picked = nullptr;
        for (QAction *action : menu->actions()) {
            if (action->text() == text)
                picked = action;
        }
        menu->close();
        if (picked)
            picked->trigger();
    });
    emit chart(dlg)->mousePress(Qt::RightButton, QPoint(20, 20), point);
}

// Fills the event dialog: the kind, the list entry and the pulse width (0
// keeps the dialog's), and accepts it.
inline void answerEventDialog(ModalAnswerer &answerer, bool detector, int index, int widthMs,
                              int position = -1)
{
    answerer.answerWith([=](QWidget *modal) {
        auto *dialog = qobject_cast<DtEventDlg *>(modal);
        if (!dialog)
            return;
        dialog
            ->findChild<QRadioButton *>(detector ? QStringLiteral("radioButton")
                                                 : QStringLiteral("rbsens"))
            ->setChecked(true);
        dialog->findChild<QComboBox *>(detector ? QStringLiteral("cbdt") : QStringLiteral("cbsens"))
            ->setCurrentIndex(index);
        if (widthMs > 0)
            dialog->findChild<QSpinBox *>(QStringLiteral("spin_pwidth"))->setValue(widthMs);
        if (position >= 0)
            dialog->findChild<QSpinBox *>(QStringLiteral("spin_pos"))->setValue(position);
        dialog->accept();
    });
}

// Adds an event marker at abscissa x through the context menu and the event
// dialog (needs expert mode); true when the dialog was answered.
inline bool addMarker(Tiverk2DiagrammDlg &dlg, double x, bool detector, int index, int widthMs = 0)
{
    ModalAnswerer answerer;
    answerEventDialog(answerer, detector, index, widthMs);
    pickMenuEntry(dlg,
                  detector ? QStringLiteral("Add event from detector")
                           : QStringLiteral("Add event from sensor"),
                  QPointF(x, 1));
    return answerer.answered();
}

} // namespace DiagramDriver
