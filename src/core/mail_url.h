#pragma once

#include <QString>

struct Settings;

namespace MailUrl {

// "mailto:" destination "?subject=" subject "&body=" message, from the
// selected send slot. In all three parts "%", "&", "?", "#", CR and LF are
// percent-escaped, so that none of them can end a part early or start a
// fragment; everything else is kept as it is.
QString build(QStringView message, const Settings &settings);

} // namespace MailUrl
