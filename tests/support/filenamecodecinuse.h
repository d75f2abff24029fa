#pragma once

#include "utf8/filenamecodec.h"

#include <QTextCodec>

// While it lives, file names are decoded and encoded as both programs' mains have them:
// UTF-8 that keeps every byte. The codec before it comes back afterwards.
class FileNameCodecInUse
{
public:
    FileNameCodecInUse()
        : m_previous(QTextCodec::codecForLocale())
    {
        FileNameCodec::install();
    }
    ~FileNameCodecInUse() { QTextCodec::setCodecForLocale(m_previous); }
    FileNameCodecInUse(const FileNameCodecInUse &) = delete;
    FileNameCodecInUse &operator=(const FileNameCodecInUse &) = delete;

private:
    QTextCodec *m_previous;
};
