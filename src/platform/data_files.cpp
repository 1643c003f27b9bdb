#include "platform/data_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString entryIgnoringCase(const QDir &dir, const QString &name, QDir::Filters kind)
{
    if (dir.exists(name))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(kind | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

} // namespace

namespace DataFiles {

QStringList searchRoots()
{
    QStringList roots;
    if (QCoreApplication::instance()) {
        const QDir programDir(QCoreApplication::applicationDirPath());
        roots << programDir.path()
              << QDir::cleanPath(programDir.filePath(QStringLiteral(LARKPAD_DATA_DIR_FROM_BIN)));
    }
    roots << QStringLiteral(LARKPAD_DATA_DIR);
    roots.removeDuplicates();
    return roots;
}

QString find(const QString &folder, const QString &name)
{
    for (const QString &root : searchRoots()) {
        const QString folderPath = entryIgnoringCase(QDir(root), folder, QDir::Dirs);
        if (folderPath.isEmpty())
            continue;
        const QString filePath = entryIgnoringCase(QDir(folderPath), name, QDir::Files);
        if (!filePath.isEmpty() && QFileInfo(filePath).isFile())
            return QFileInfo(filePath).absoluteFilePath();
    }
    return {};
}

} // namespace DataFiles
