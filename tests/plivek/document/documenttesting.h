#pragma once

#include "modalanswerer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QMetaObject>
#include <QString>
#include <QTemporaryDir>

// While it lives, PATH is an empty folder: no zumoltc to hand ZU_MOLT documents to.
class NoZuMoltEditorOnPath
{
public:
    NoZuMoltEditorOnPath()
        : m_path(qgetenv("PATH"))
    {
        qputenv("PATH", m_empty.path().toLocal8Bit());
    }
    ~NoZuMoltEditorOnPath() { qputenv("PATH", m_path); }

private:
    QTemporaryDir m_empty;
    QByteArray m_path;
};

// Counts the queued calls posted to the application object (such as a queued
// quit) and drops them, so that none of them ends an event loop of a later test.
class PostedCallCounter : public QObject
{
public:
    PostedCallCounter() { QCoreApplication::instance()->installEventFilter(this); }
    ~PostedCallCounter() override { QCoreApplication::instance()->removeEventFilter(this); }

    int drain()
    {
        QCoreApplication::sendPostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
        return m_count;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != QCoreApplication::instance() || event->type() != QEvent::MetaCall)
            return false;
        ++m_count;
        return true;
    }

private:
    int m_count = 0;
};

// Answers the next save dialog: selects the filter at `filter` in the
// document's filter list (1 universal ... 5 ZU_MOLT; 0 keeps the one shown),
// types `name` and accepts. `proposed` receives the file the dialog offered
// and `shownFilter` the filter it showed first. `refusal`, when given, is
// armed to close the error box that a refused save pops up next.
inline void answerSaveDialog(ModalAnswerer &answerer, const QString &name, int filter = 0,
                             QString *proposed = nullptr, QString *shownFilter = nullptr,
                             ModalAnswerer *refusal = nullptr)
{
    answerer.answerWith([=](QWidget *modal) {
        if (refusal)
            refusal->reject();
        auto *files = qobject_cast<QFileDialog *>(modal);
        if (!files) {
            modal->close();
            return;
        }
        if (proposed)
            *proposed = files->selectedFiles().value(0);
        if (shownFilter)
            *shownFilter = files->selectedNameFilter();
        if (filter > 0)
            files->selectNameFilter(files->nameFilters().value(filter - 1));
        if (name.isEmpty()) {
            files->reject();
            return;
        }
        files->selectFile(name);
        QMetaObject::invokeMethod(files, "accept");
    });
}
