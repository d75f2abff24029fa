// MainWindow: a new name of an element, followed by the places naming it by its name.

#include "mainwindow.h"

#include "namefollowing.h"

#include <QMessageBox>

void MainWindow::followNewName(const CnfReferences::Element &element, const QString &newName)
{
    CnfController &controller = project.controller();
    const NameFollowing following(controller, element, newName);
    const QString question = following.question();
    if (!question.isEmpty()
        && QMessageBox::question(this, tr("New name"), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::NoButton)
            != QMessageBox::Yes)
        return;
    for (const QString &line : following.follow(controller))
        addLogMessage(line);
}
