#include "actions/mail_url.h"

#include "platform/shift_jis.h"

namespace MailUrl {
namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

void appendEscape(QString &out, unsigned char byte)
{
    out += u'%';
    out += QLatin1Char(HexDigits[byte >> 4]);
    out += QLatin1Char(HexDigits[byte & 0x0F]);
}

bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xEF);
}

bool passesUnchanged(unsigned char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= '@' && byte <= 'Z')
           || (byte >= '0' && byte <= '9') || byte == '*' || byte == '-' || byte == '.'
           || byte == '_';
}

bool isSpecial(QChar c)
{
    switch (c.unicode()) {
    case u'%':
    case u'&':
    case u'?':
    case u'#':
    case u'\r':
    case u'\n':
        return true;
    default:
        return false;
    }
}

void appendEscaped(QString &out, QStringView part)
{
    for (QChar c : part) {
        if (isSpecial(c))
            out += UrlEncode(QString(c));
        else
            out += c;
    }
}

} // namespace

QString UrlEncode(QString text)
{
    const QByteArray bytes = ShiftJis::encode(text);
    QString out;
    out.reserve(bytes.size() * 3);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (isLeadByte(byte)) {
            appendEscape(out, byte);
            if (i + 1 < bytes.size())
                appendEscape(out, static_cast<unsigned char>(bytes[++i]));
        } else if (byte == ' ') {
            out += u'+';
        } else if (passesUnchanged(byte)) {
            out += QLatin1Char(static_cast<char>(byte));
        } else {
            appendEscape(out, byte);
        }
    }
    return out;
}

QString BuildMailUrl(QStringView message, const SharedState &state)
{
    const bool slotValid = state.SettingNo >= 0 && state.SettingNo < SharedState::SlotCount;
    const qsizetype slot = slotValid ? state.SettingNo : 0;
    const QString destination = state.UseAtesaki == 1 ? state.Atesaki[slot] : QString();
    const QString subject = state.UseKenmei == 1 ? state.Kenmei[slot] : QStringLiteral(" ");

    QString url;
    url.reserve(32 + destination.size() + subject.size() + message.size() * 2);
    url += u"mailto:";
    appendEscaped(url, destination);
    url += u"?subject=";
    appendEscaped(url, subject);
    url += u"&body=";
    appendEscaped(url, message);
    return url;
}

} // namespace MailUrl
