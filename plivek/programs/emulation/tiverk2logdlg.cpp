#include "tiverk2logdlg.h"
#include "ui_tiverk2logdlg.h"

#include "wappender.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include <log4cxx/logger.h>

namespace {
const char *const GeometryKey = "Tiverk2LogDlg/geometry";
}

Tiverk2LogDlg::Tiverk2LogDlg(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Tiverk2LogDlg)
{
    ui->setupUi(this);
    m_appender = std::make_shared<WAppender>(ui->textEdit);
    log4cxx::Logger::getRootLogger()->addAppender(m_appender);
}

Tiverk2LogDlg::~Tiverk2LogDlg()
{
    // The root logger outlives the window: it must not keep writing into it.
    log4cxx::Logger::getRootLogger()->removeAppender(m_appender);
    m_appender->detach();
    delete ui;
}

void Tiverk2LogDlg::clearLog()
{
    ui->textEdit->clear();
}

void Tiverk2LogDlg::setVisible(bool visible)
{
    QSettings settings;
    if (visible) {
        const QByteArray geometry = settings.value(QLatin1String(GeometryKey)).toByteArray();
        if (!geometry.isEmpty()) {
            restoreGeometry(geometry);
        } else if (parentWidget()) {
            if (QScreen *screen = parentWidget()->screen())
                move(screen->availableGeometry().topLeft());
        }
    } else if (isVisible()) {
        settings.setValue(QLatin1String(GeometryKey), saveGeometry());
    }
    QDialog::setVisible(visible);
    emit visibilityChanged(visible);
}
