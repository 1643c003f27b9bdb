#include "platform/desktop_uri.h"

namespace DesktopUri {
namespace {

bool allowedInUri(unsigned char byte)
{
    if (byte <= 0x20 || byte >= 0x7F)
        return false;
    switch (byte) {
    case '"':
    case '<':
    case '>':
    case '\\':
    case '^':
    case '`':
    case '{':
    case '|':
    case '}':
        return false;
    default:
        return true;
    }
}

} // namespace

QString fromUrl(QStringView url)
{
    constexpr char HexDigits[] = "0123456789ABCDEF";
    // Some mail programs read "+" in a mailto URI as a space, even in the
    // address; "%2B" is read as "+" by all (RFC 6068). Elsewhere "+" keeps
    // the meaning it has there.
    const bool mail = url.startsWith(u"mailto:", Qt::CaseInsensitive);
    const QByteArray utf8 = url.toUtf8();
    QString out;
    out.reserve(utf8.size() * 3);
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (allowedInUri(byte) && !(mail && byte == '+')) {
            out += QLatin1Char(c);
        } else {
            out += u'%';
            out += QLatin1Char(HexDigits[byte >> 4]);
            out += QLatin1Char(HexDigits[byte & 0x0F]);
        }
    }
    return out;
}

} // namespace DesktopUri
