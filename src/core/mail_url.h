#pragma once

#include <QString>

struct Settings;

namespace MailUrl {

// "mailto:" destination "?subject=" subject "&body=" message, from the
// selected send slot. In all three parts "%", "&", "?", "#", CR and LF are
// percent-escaped, so that none of them can end a part early or start a
// fragment; everything else is kept as it is.
QString build(QStringView message, const Settings &settings);

// The address the send action opens, with whether the text had to be left
// out of it (it is then for the user to paste).
struct Compose {
    QString url;
    bool bodyLeftOut = false;
};

// Where the settings send the message: the "mailto:" URL above for the
// desktop's mail program, else the webmail's compose page, with destination
// and subject from the same slot and switches. On the page every part is
// UTF-8 percent-encoded but for the characters RFC 3986 leaves unreserved
// (so a space is "%20", never "+"), and each line break, CR LF as the
// message keeps it or a lone CR or LF, becomes one "%0A": the compose box
// holds LF breaks only, and so shows the lines as they were typed. A page
// that would be longer than its service accepts comes without the body.
Compose compose(QStringView message, const Settings &settings);

} // namespace MailUrl
