#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QTranslator>

namespace TestSupport {

// Installs a program's compiled translation (bin/translations/<name>.qm, as the
// build makes it) for the life of the object, as the program installs the one of
// the user's language; forms made meanwhile show its texts. An empty name
// installs none: the source texts show.
class InstalledTranslation
{
public:
    explicit InstalledTranslation(const QString &name)
    {
        if (name.isEmpty())
            return;
        m_loaded = m_translator.load(
            name, QDir(QStringLiteral(PROJECT_BIN_DIR)).filePath(QStringLiteral("translations")));
        if (m_loaded)
            QCoreApplication::installTranslator(&m_translator);
    }
    ~InstalledTranslation() { QCoreApplication::removeTranslator(&m_translator); }
    InstalledTranslation(const InstalledTranslation &) = delete;
    InstalledTranslation &operator=(const InstalledTranslation &) = delete;

    // False when a translation was asked for and could not be loaded.
    bool isLoaded() const { return m_loaded; }

private:
    QTranslator m_translator;
    bool m_loaded = true;
};

} // namespace TestSupport
