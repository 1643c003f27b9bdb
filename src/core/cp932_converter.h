#pragma once

#include <QByteArray>
#include <iconv.h>

// glibc's code page 932 converter, one character at a time. encode() uses it
// at run time and the table generator at build time, so that the count and
// the bytes written always come from the same converter.
class Cp932Converter {
public:
    Cp932Converter();
    ~Cp932Converter();
    Cp932Converter(const Cp932Converter &) = delete;
    Cp932Converter &operator=(const Cp932Converter &) = delete;

    // Converts one character (one or two UTF-16 units); appends nothing and
    // returns false when code page 932 has no form for it.
    bool convert(const char16_t *units, size_t count, QByteArray &out);

private:
    iconv_t m_cd;
};
