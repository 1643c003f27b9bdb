#pragma once

#include <QString>
#include <QStringList>

// The program's data folders ("image", "help") are looked for in the current
// directory first, then beside the executable, then in the data directory of
// the installation the executable sits in, then where the build meant to
// install it, so that it works both from its own folder and from the menu.
namespace DataFiles {

QStringList searchRoots();

// Absolute path of folder/name under the first root that has it, matching
// both names without regard to letter case; empty when none has it.
QString find(const QString &folder, const QString &name);

} // namespace DataFiles
