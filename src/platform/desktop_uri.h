#pragma once

#include <QString>

namespace DesktopUri {

// The form a desktop URL handler reads: every byte of the UTF-8 text that may
// not stand in a URI (controls, blanks, non-ASCII, and the few ASCII signs
// URIs exclude, and "+" in a mailto URI) is percent-escaped; escapes already
// present are kept.
QString fromUrl(QStringView url);

} // namespace DesktopUri
