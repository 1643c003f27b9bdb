// The Linux side: the settings file, the instance lock, the launcher and the
// data folders. tests/run-unprivileged runs this as an ordinary user, since
// root writes files whatever their permissions say.

#include "core/settings.h"
#include "platform/data_files.h"
#include "platform/ini_settings_store.h"
#include "platform/instance_lock.h"
#include "platform/qt_desktop_services.h"
#include "platform/xdg_launcher.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

const QString Edit = QStringLiteral("Edit");
constexpr auto OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                           | QFileDevice::WriteUser;

bool writeFile(const QString &path, const QByteArray &content, int ageSeconds = 0,
               QFileDevice::Permissions permissions = OwnerOnly | QFileDevice::ExeOwner | QFileDevice::ExeUser)
{
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
    file.flush();
    return file.setPermissions(permissions)
           && file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QByteArray lockHeldBy(qint64 pid)
{
    return QByteArray::number(pid) + "\nlarkpad\n" + QSysInfo::machineHostName().toUtf8() + '\n';
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void earlierSettingsFileIsWrittenBackByteForByte();
    void settingsFileIsOwnerOnly();
    void damagedSettingsFileIsReplaced_data();
    void damagedSettingsFileIsReplaced();
    void unsavableSettingsKeepTheEarlierFile_data();
    void unsavableSettingsKeepTheEarlierFile();
    void instanceLock_data();
    void instanceLock();
    void launcherHandsOverOneArgument_data();
    void launcherHandsOverOneArgument();
    void dataFilesAndPictures();
};

// A file written by version 1.3, with every awkward value the store must
// keep as it is: blanks, commas, quotes, CR LF, brackets, emoji, odd digits.
void TestPlatform::earlierSettingsFileIsWrittenBackByteForByte()
{
    QTemporaryDir dir;
    const QString earlier = dir.filePath(QStringLiteral("earlier.ini"));
    QVERIFY(QFile::copy(QStringLiteral(":/data/settings-1.3.ini"), earlier));
    QFile::setPermissions(earlier, OwnerOnly);
    const IniSettingsStore loaded(earlier);
    IniSettingsStore store(dir.filePath(QStringLiteral("Larkpad.ini")));
    saveDraft(loadDraft(loaded), store);
    saveSettings(loadSettings(loaded), store);
    QVERIFY(store.flush());
    QCOMPARE(contentOf(store.location()), contentOf(earlier));
}

void TestPlatform::settingsFileIsOwnerOnly()
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath(QStringLiteral("new/Larkpad.ini")));
    for (const QString &value : {QStringLiteral("first"), QStringLiteral("second")}) {
        store.write(Edit, value);
        QVERIFY(store.flush());
        QCOMPARE(QFile::permissions(store.location()) & 0x7777, OwnerOnly);
    }
}

void TestPlatform::damagedSettingsFileIsReplaced_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("subjectAtLoad");
    QByteArray random(512, Qt::Uninitialized);
    for (qsizetype i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 7919 + 13) % 256);
    QTest::newRow("random bytes") << random << QString();
    QTest::newRow("truncated line") << QByteArray("[Ver.1.0]\nConfig=0101111\nKenmei0=\"abc") << "abc";
    QTest::newRow("binary NULs") << QByteArray("[Ver.1.0]\0\0\0Kenmei0=x", 22) << QString();
    QTest::newRow("hand-edited comma") << QByteArray("[Ver.1.0]\nKenmei0=a,b\n") << "a,b";
    QTest::newRow("abandoned lock beside it") << QByteArray("lock: \x7f garbage") << QString();
    QTest::newRow("lock of a holder gone") << "lock: " + lockHeldBy(999999999) << QString();
}

// A damaged file loads what can be read and is replaced by a sound one at
// the next save, without a false alarm; a lock left by a crash in the middle
// of a save does not make the save wait for it to grow old.
void TestPlatform::damagedSettingsFileIsReplaced()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Larkpad.ini"));
    if (content.startsWith("lock: "))
        QVERIFY(writeFile(path + QStringLiteral(".lock"), content.mid(6)));
    else
        QVERIFY(writeFile(path, content));
    IniSettingsStore store(path);
    QTEST(store.read(QStringLiteral("Kenmei0"), QString()), "subjectAtLoad");
    store.write(Edit, QStringLiteral("新しい\r\n文書"));
    QVERIFY(store.flush());
    QVERIFY(QFile::copy(path, path + QStringLiteral(".copy")));
    QCOMPARE(IniSettingsStore(path + QStringLiteral(".copy")).read(Edit, QString()), QStringLiteral("新しい\r\n文書"));
}

void TestPlatform::unsavableSettingsKeepTheEarlierFile_data()
{
    QTest::addColumn<QString>("situation");
    QTest::newRow("settings folder read-only") << "folder";
    QTest::newRow("settings file read-only") << "file";
    QTest::newRow("a file where the folder should be") << "not a folder";
    QTest::newRow("disk full") << "full";
}

void TestPlatform::unsavableSettingsKeepTheEarlierFile()
{
    QFETCH(QString, situation);
    if (::geteuid() == 0 && situation != u"not a folder")
        QSKIP("root writes whatever the permissions say; run through tests/run-unprivileged");
    QTemporaryDir scratch;
    QString folder = scratch.path();
    if (situation == u"full")
        folder = qEnvironmentVariable("LARKPAD_FULL_DIR");
    if (folder.isEmpty())
        QSKIP("no full file system prepared (needs tests/run-unprivileged as root)");
    if (situation == u"not a folder") {
        QVERIFY(writeFile(folder + QStringLiteral("/stored"), {}));
        folder += QStringLiteral("/stored");
    }
    const QString path = folder + QStringLiteral("/Larkpad.ini");
    const QByteArray before = contentOf(path);
    if (situation == u"folder")
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    if (situation == u"file")
        QVERIFY(writeFile(path, "[Ver.1.0]\nEdit=stored before\n", 0, QFileDevice::ReadOwner));
    {
        IniSettingsStore store(path);
        store.write(Edit, QStringLiteral("typed since"));
        QVERIFY(!store.flush());
        QCOMPARE(store.location(), path);
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(!contentOf(path).contains("typed since"));
    if (situation != u"file")
        QCOMPARE(contentOf(path), before);
}

void TestPlatform::instanceLock_data()
{
    QTest::addColumn<QByteArray>("content"); // "live": held by a lock of this process
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("running");
    QTest::newRow("held by a running copy") << QByteArray("live") << 0 << true;
    QTest::newRow("holder ended") << lockHeldBy(999999999) << 0 << false;
    QTest::newRow("old garbage") << QByteArray("\x01\xff garbage") << 60 << false;
    // A copy that is still writing its lock must not have it taken away.
    QTest::newRow("garbage written a moment ago") << QByteArray("garbage") << 0 << true;
}

void TestPlatform::instanceLock()
{
    QFETCH(QByteArray, content);
    QFETCH(int, ageSeconds);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("larkpad.lock"));
    FileInstanceLock first(path);
    if (content == "live")
        QVERIFY(!first.anotherInstanceRunning());
    else
        QVERIFY(writeFile(path, content, ageSeconds));
    QTEST(FileInstanceLock(path).anotherInstanceRunning(), "running");
}

void TestPlatform::launcherHandsOverOneArgument_data()
{
    QTest::addColumn<int>("exitStatus"); // -1: no xdg-open at all
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<LaunchResult>("result");
    QTest::newRow("URL, opened") << 0 << "mailto:?subject= &body=あ%0D%0A"
                                 << "mailto:?subject=%20&body=%E3%81%82%0D%0A" << LaunchResult::Started;
    QTest::newRow("file path as it is, not found") << 2 << "/tmp/help dir/index.html"
                                                   << "/tmp/help dir/index.html" << LaunchResult::Failed;
    QTest::newRow("no xdg-open") << -1 << "mailto:" << QString() << LaunchResult::Failed;
}

// A stand-in xdg-open first on PATH records its arguments and exits with
// the status of the row.
void TestPlatform::launcherHandsOverOneArgument()
{
    QFETCH(int, exitStatus);
    QFETCH(QString, target);
    QTemporaryDir dir;
    const QString recorded = dir.filePath(QStringLiteral("arguments"));
    if (exitStatus >= 0)
        QVERIFY(writeFile(dir.filePath(QStringLiteral("xdg-open")),
                          "#!/bin/sh\nprintf '%s|' \"$@\" > '" + recorded.toUtf8() + "'\nexit "
                              + QByteArray::number(exitStatus) + "\n"));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", exitStatus >= 0 ? dir.path().toLocal8Bit() + ':' + path : dir.path().toLocal8Bit());
    XdgLauncher launcher;
    std::optional<LaunchResult> result;
    launcher.open(target, [&result](LaunchResult r) { result = r; });
    qputenv("PATH", path);
    QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 10000);
    QTEST(*result, "result");
    QFETCH(QString, argument);
    QCOMPARE(QString::fromUtf8(contentOf(recorded)), argument.isNull() ? "<unreadable>" : argument + u'|');
}

// Names match without regard to letter case, the current directory first; a
// missing or unreadable picture yields nothing, so the caller keeps its own.
void TestPlatform::dataFilesAndPictures()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Image/SENDBTN.GIF")), {}));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Image/ClearBtn.gif")), "GIF89a but not really"));
    QImage good(62, 38, QImage::Format_ARGB32);
    good.fill(Qt::red);
    QVERIFY(good.save(dir.filePath(QStringLiteral("Image/CopyBtn.gif")), "PNG"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QString found = DataFiles::find(QStringLiteral("image"), QStringLiteral("sendBtn.gif"));
    FilePictureLoader loader;
    const bool unreadable = loader.load(QStringLiteral("image"), QStringLiteral("clearbtn.gif")).has_value();
    const bool missing = loader.load(QStringLiteral("image"), QStringLiteral("nothing.gif")).has_value();
    const auto readable = loader.load(QStringLiteral("image"), QStringLiteral("copybtn.gif"));
    QDir::setCurrent(previous);
    QCOMPARE(QFileInfo(found).fileName(), QStringLiteral("SENDBTN.GIF"));
    QVERIFY(!unreadable && !missing && readable);
    QCOMPARE(readable->size(), QSize(62, 38));
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
