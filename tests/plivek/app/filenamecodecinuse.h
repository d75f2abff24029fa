#pragma once

#include "plivek/app/filenamecodec.h"

#include <QTextCodec>

// While it lives, file names are decoded and encoded as plivek's main has them:
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
