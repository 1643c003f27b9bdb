#include "core/mail_url.h"

#include "core/settings.h"

namespace MailUrl {
namespace {

// These would end a part early or start a fragment; everything else stays as
// it is and is made URI-safe on the way to the mail program.
void appendEscaped(QString &out, QStringView part)
{
    for (QChar c : part) {
        switch (c.unicode()) {
        case u'%': out += u"%25"; break;
        case u'&': out += u"%26"; break;
        case u'?': out += u"%3F"; break;
        case u'#': out += u"%23"; break;
        case u'\r': out += u"%0D"; break;
        case u'\n': out += u"%0A"; break;
        default: out += c;
        }
    }
}

} // namespace

QString build(QStringView message, const Settings &settings)
{
    const SendDetails &details = settings.sendDetails;
    const bool slotValid = details.selectedSlot >= 0 && details.selectedSlot < SendDetails::SlotCount;
    const int slot = slotValid ? details.selectedSlot : 0;
    const QString destination = details.useDestination == 1 ? details.destinations[slot] : QString();
    const QString subject = details.useSubject == 1 ? details.subjects[slot] : QStringLiteral(" ");

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
