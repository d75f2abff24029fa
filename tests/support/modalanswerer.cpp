#include "modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

ModalAnswerer::ModalAnswerer(QObject *parent)
    : QObject(parent)
{
}

void ModalAnswerer::pressButton(int standardButton)
{
    arm([standardButton](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (QAbstractButton *button
                = box->button(QMessageBox::StandardButton(standardButton))) {
                button->click();
                return;
            }
        }
        if (auto *buttons = modal->findChild<QDialogButtonBox *>()) {
            if (QAbstractButton *button
                = buttons->button(QDialogButtonBox::StandardButton(standardButton))) {
                button->click();
                return;
            }
        }
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    });
}

void ModalAnswerer::pressButtonText(const QString &text)
{
    arm([text](QWidget *modal) {
        const auto buttons = modal->findChildren<QAbstractButton *>();
        for (QAbstractButton *button : buttons) {
            if (button->text().remove(QLatin1Char('&')) == text) {
                button->click();
                return;
            }
        }
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    });
}

void ModalAnswerer::enterText(const QString &text)
{
    arm([text](QWidget *modal) {
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            input->setTextValue(text);
            input->accept();
        } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            files->selectFile(text);
            QMetaObject::invokeMethod(files, "accept");
        } else if (auto *edit = modal->findChild<QLineEdit *>()) {
            edit->setText(text);
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->accept();
        }
    });
}

void ModalAnswerer::reject()
{
    arm([](QWidget *modal) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    });
}

void ModalAnswerer::answerWith(Answer answer)
{
    arm(std::move(answer));
}

void ModalAnswerer::arm(Answer answer)
{
    m_answer = std::move(answer);
    m_answered = false;
    m_polls = 0;
    QTimer::singleShot(0, this, &ModalAnswerer::poll);
}

void ModalAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal) {
        // The code under test has not opened its window yet; it will within a
        // few event-loop turns, or the test fails on answered() being false.
        if (++m_polls < 500)
            QTimer::singleShot(1, this, &ModalAnswerer::poll);
        return;
    }
    m_className = QString::fromLatin1(modal->metaObject()->className());
    m_title = modal->windowTitle();
    if (auto *box = qobject_cast<QMessageBox *>(modal))
        m_text = box->text();
    else if (auto *input = qobject_cast<QInputDialog *>(modal))
        m_text = input->labelText();
    m_answered = true;
    Answer answer = std::move(m_answer);
    m_answer = nullptr;
    if (answer)
        answer(modal);
}
