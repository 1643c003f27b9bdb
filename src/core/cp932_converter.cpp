#include "core/cp932_converter.h"

#include <array>

namespace {

iconv_t invalidHandle()
{
    return reinterpret_cast<iconv_t>(-1);
}

} // namespace

Cp932Converter::Cp932Converter() : m_cd(iconv_open("CP932", "UTF-16LE")) {}

Cp932Converter::~Cp932Converter()
{
    if (m_cd != invalidHandle())
        iconv_close(m_cd);
}

bool Cp932Converter::convert(const char16_t *units, size_t count, QByteArray &out)
{
    if (m_cd == invalidHandle())
        return false;
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    std::array<unsigned char, 4> in{};
    for (size_t i = 0; i < count; ++i) {
        in[2 * i] = static_cast<unsigned char>(units[i] & 0xFF);
        in[2 * i + 1] = static_cast<unsigned char>(units[i] >> 8);
    }
    char *inPtr = reinterpret_cast<char *>(in.data());
    size_t inLeft = 2 * count;
    std::array<char, 8> buffer{};
    char *outPtr = buffer.data();
    size_t outLeft = buffer.size();
    if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return false;
    // glibc silently drops a few invisible characters (tags, the byte order
    // mark); they have no code page 932 form either.
    const auto written = static_cast<qsizetype>(buffer.size() - outLeft);
    if (written == 0)
        return false;
    out.append(buffer.data(), written);
    return true;
}
