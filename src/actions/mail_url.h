#pragma once

#include "settings/shared_state.h"

#include <QString>

namespace MailUrl {

// Percent-encodes the code page 932 bytes of the text: a lead byte and the
// byte after it are both escaped, a space becomes "+", letters, digits, "@",
// "*", "-", "." and "_" pass unchanged, every other byte is escaped.
QString UrlEncode(QString text);

// "mailto:" destination "?subject=" subject "&body=" message. In all three
// parts "%", "&", "?", "#", CR and LF are escaped, so that none of them can end
// a part early or start a fragment; everything else is kept as it is.
QString BuildMailUrl(QStringView message, const SharedState &state);


} // namespace MailUrl
