#pragma once

#include <QTextCodec>

// UTF-8 that keeps every byte. A byte that belongs to no well-formed UTF-8 sequence
// becomes a lone surrogate, U+DC80 to U+DCFF, and turns back into the same byte, so
// a file name that is not UTF-8 (from the command line or a folder listing) still
// names its file when Qt encodes it again. Both programs make it the locale codec,
// which Qt uses for file names, the program's arguments and the log, whatever the
// locale, so that a name plivek hands to zumoltc reaches the same file.
class FileNameCodec : public QTextCodec
{
public:
    // Makes the codec the locale codec; Qt owns it from then on.
    static void install();

    QByteArray name() const override;
    int mibEnum() const override;

protected:
    QString convertToUnicode(const char *in, int length, ConverterState *state) const override;
    QByteArray convertFromUnicode(const QChar *in, int length,
                                  ConverterState *state) const override;
};
