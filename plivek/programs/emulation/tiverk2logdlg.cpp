#include "tiverk2logdlg.h"
#include "ui_tiverk2logdlg.h"

#include "wappender.h"

#include "plivek/framework/windowgeometry.h"

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
    if (visible) {
        if (!WindowGeometry::restore(this, QLatin1String(GeometryKey)) && parentWidget()) {
            if (QScreen *screen = parentWidget()->screen())
                move(screen->availableGeometry().topLeft());
        }
    } else if (isVisible()) {
        WindowGeometry::store(this, QLatin1String(GeometryKey));
    }
    QDialog::setVisible(visible);
    emit visibilityChanged(visible);
}
