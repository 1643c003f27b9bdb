#pragma once

#include <QString>
#include <QStringList>

// The program's data folders ("image", "help") are looked for beside the
// executable (the build tree links them there), then in the data directory of
// the installation the executable sits in, then where the build meant to
// install them. Never in the current directory: started from a shared folder
// such as /tmp, the program would open pages and decode pictures that anyone
// could have put there.
namespace DataFiles {

QStringList searchRoots();

// Absolute path of folder/name under the first root that has it, matching
// both names without regard to letter case; empty when none has it.
QString find(const QString &folder, const QString &name);

} // namespace DataFiles
