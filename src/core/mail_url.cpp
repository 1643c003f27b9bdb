#include "core/mail_url.h"

#include "core/message_text.h"
#include "core/settings.h"

#include <QUrl>

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

int selectedSlot(const SendDetails &details)
{
    const bool valid = details.selectedSlot >= 0 && details.selectedSlot < SendDetails::SlotCount;
    return valid ? details.selectedSlot : 0;
}

QString usedDestination(const SendDetails &details)
{
    return details.useDestination == 1 ? details.destinations[selectedSlot(details)] : QString();
}

QString usedSubject(const SendDetails &details)
{
    return details.useSubject == 1 ? details.subjects[selectedSlot(details)] : QString();
}

// A compose page: the address up to the destination, then the names of the
// subject and body parameters, and the longest address the service takes.
struct ComposePage {
    QLatin1String toDestination;
    QLatin1String toSubject;
    QLatin1String toBody;
    qsizetype longest;
};

// Google's front ends turn away requests whose address and cookies pass
// about 16 KB. Signed out, the address travels again inside the sign-in link,
// encoded once more (each "%" grows into "%25"), so 8,000 stays clear of it.
constexpr ComposePage Gmail{QLatin1String("https://mail.google.com/mail/?view=cm&fs=1&to="), QLatin1String("&su="),
                            QLatin1String("&body="), 8000};
// Outlook.com refuses addresses from about 2,000 characters on, and signed
// out it carries the address base64-encoded, a third longer, through its
// sign-in redirect: 1,500 keeps that within 2,000 too.
constexpr ComposePage Outlook{QLatin1String("https://outlook.live.com/mail/0/deeplink/compose?to="),
                              QLatin1String("&subject="), QLatin1String("&body="), 1500};

QString encoded(QStringView part)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(MessageText::toBox(part)));
}

} // namespace

QString build(QStringView message, const Settings &settings)
{
    const QString destination = usedDestination(settings.sendDetails);
    const QString subject = settings.sendDetails.useSubject == 1 ? usedSubject(settings.sendDetails)
                                                                 : QStringLiteral(" ");
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

Compose compose(QStringView message, const Settings &settings)
{
    if (settings.sendTo == SendTo::MailProgram)
        return {build(message, settings), false};
    const ComposePage &page = settings.sendTo == SendTo::Gmail ? Gmail : Outlook;
    const QString url = page.toDestination + encoded(usedDestination(settings.sendDetails)) + page.toSubject
                        + encoded(usedSubject(settings.sendDetails));
    const QString body = page.toBody + encoded(message);
    if (url.size() + body.size() > page.longest)
        return {url, true};
    return {url + body, false};
}

} // namespace MailUrl
