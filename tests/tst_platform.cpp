#include "platform/data_files.h"
#include "platform/ini_settings_store.h"
#include "platform/instance_guard.h"
#include "platform/qt_desktop_services.h"
#include "platform/xdg_shell_launcher.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingsKeepValuesExactly_data();
    void settingsKeepValuesExactly();
    void settingsFileIsOwnerOnly();
    void settingsThatCannotBeWrittenReportFailure();
    void handEditedCommaValueReadsWhole();
    void damagedSettingsFileIsReplaced_data();
    void damagedSettingsFileIsReplaced();
    void abandonedSettingsLockDoesNotBlock_data();
    void abandonedSettingsLockDoesNotBlock();
    void secondGuardSeesTheFirst();
    void lockOfDeadProcessIsTakenOver();
    void unreadableLockIsTakenOverOnceOld_data();
    void unreadableLockIsTakenOverOnceOld();
    void launcherMapsExitStatus_data();
    void launcherMapsExitStatus();
    void launcherWithoutXdgOpen();
    void dataFilesIgnoreLetterCase();
    void pictureLoaderKeepsNothingOnFailure();

private:
    QString writeStandInOpener(const QTemporaryDir &dir, int exitStatus);
};

void TestPlatform::settingsKeepValuesExactly_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("leading blank") << " 2";
    QTest::newRow("CR LF inside") << "一行目\r\n二行目\r\n";
    QTest::newRow("only blanks") << "   ";
    QTest::newRow("comma and quotes") << "a, \"b\"; c";
    QTest::newRow("backslashes and equals") << "C:\\x = y\\";
    QTest::newRow("full-width blank") << "　インデント";
    QTest::newRow("brackets like a section") << "[Ver.1.0]";
    QTest::newRow("emoji") << "😀";
    QTest::newRow("empty") << "";
}

void TestPlatform::settingsKeepValuesExactly()
{
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Larkpad.ini"));
    {
        IniSettingsStore store(path);
        store.write(QStringLiteral("Edit"), value);
        QVERIFY(store.flush());
    }
    IniSettingsStore reopened(path);
    QCOMPARE(reopened.read(QStringLiteral("Edit"), QStringLiteral("default")), value);
    QCOMPARE(reopened.read(QStringLiteral("Absent"), QStringLiteral("default")), QStringLiteral("default"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("[Ver.1.0]"));
}

void TestPlatform::settingsFileIsOwnerOnly()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Larkpad.ini"));
    IniSettingsStore store(path);
    for (const QString &value : {QStringLiteral("first"), QStringLiteral("second")}) {
        store.write(QStringLiteral("Edit"), value);
        QVERIFY(store.flush());
        QCOMPARE(QFile::permissions(path) & 0x7777,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                     | QFileDevice::WriteUser);
    }
}

void TestPlatform::settingsThatCannotBeWrittenReportFailure()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    IniSettingsStore store(dir.filePath(QStringLiteral("not-a-folder/Larkpad.ini")));
    store.write(QStringLiteral("Edit"), QStringLiteral("text"));
    QVERIFY(!store.flush());
    QVERIFY(store.location().endsWith(QStringLiteral("not-a-folder/Larkpad.ini")));
}

void TestPlatform::handEditedCommaValueReadsWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Larkpad.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Ver.1.0]\nKenmei0=a,b\n");
    file.close();
    IniSettingsStore store(path);
    QCOMPARE(store.read(QStringLiteral("Kenmei0"), QString()), QStringLiteral("a,b"));
}

void TestPlatform::damagedSettingsFileIsReplaced_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("editAtLoad");
    QByteArray random(512, Qt::Uninitialized);
    for (qsizetype i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 7919 + 13) % 256);
    QTest::newRow("random bytes") << random << QString();
    QTest::newRow("truncated line") << QByteArray("[Ver.1.0]\nConfig=0101111\nEdit=\"abc") << QStringLiteral("abc");
    QTest::newRow("group header cut off") << QByteArray("[Ver.1.") << QString();
    QTest::newRow("binary NULs") << QByteArray("[Ver.1.0]\0\0\0Edit=x", 19) << QString();
}

// A damaged file loads what can be read (defaults for the rest) and is
// replaced by a sound one at the next save, without a false alarm.
void TestPlatform::damagedSettingsFileIsReplaced()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Larkpad.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    IniSettingsStore store(path);
    QTEST(store.read(QStringLiteral("Edit"), QString()), "editAtLoad");
    store.write(QStringLiteral("Edit"), QStringLiteral("新しい\r\n文書"));
    store.write(QStringLiteral("SettingNo"), QStringLiteral(" 1"));
    QVERIFY(store.flush());

    const QString copy = dir.filePath(QStringLiteral("copy.ini"));
    QVERIFY(QFile::copy(path, copy));
    IniSettingsStore reread(copy);
    QCOMPARE(reread.read(QStringLiteral("Edit"), QString()), QStringLiteral("新しい\r\n文書"));
    QCOMPARE(reread.read(QStringLiteral("SettingNo"), QString()), QStringLiteral(" 1"));
}

void TestPlatform::abandonedSettingsLockDoesNotBlock_data()
{
    QTest::addColumn<QByteArray>("lockContent");
    QTest::newRow("unreadable") << QByteArray("\x7f garbage");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("holder gone") << QByteArray("999999999\nlarkpad\n") + QSysInfo::machineHostName().toUtf8() + '\n';
}

// Left by a crash in the middle of a save; QSettings alone would wait for it
// to grow old before writing.
void TestPlatform::abandonedSettingsLockDoesNotBlock()
{
    QFETCH(QByteArray, lockContent);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Larkpad.ini"));
    QFile lock(path + QStringLiteral(".lock"));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(lockContent);
    lock.close();

    IniSettingsStore store(path);
    store.write(QStringLiteral("Edit"), QStringLiteral("saved"));
    QVERIFY(store.flush());
    QVERIFY(!QFile::exists(lock.fileName()));
    QCOMPARE(IniSettingsStore(path).read(QStringLiteral("Edit"), QString()), QStringLiteral("saved"));
}

void TestPlatform::secondGuardSeesTheFirst()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("larkpad.lock"));
    LockFileInstanceGuard first(path);
    LockFileInstanceGuard second(path);
    QVERIFY(!first.anotherInstanceRunning());
    QVERIFY(second.anotherInstanceRunning());
}

void TestPlatform::lockOfDeadProcessIsTakenOver()
{
    QProcess gone;
    gone.start(QStringLiteral("true"));
    QVERIFY(gone.waitForFinished());
    const qint64 deadPid = gone.processId() ? gone.processId() : 999999;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("larkpad.lock"));
    QFile lock(path);
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\nlarkpad\n" + QSysInfo::machineHostName().toUtf8() + '\n');
    lock.close();
    LockFileInstanceGuard guard(path);
    QVERIFY(!guard.anotherInstanceRunning());
}

void TestPlatform::unreadableLockIsTakenOverOnceOld_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("running");
    QTest::newRow("old garbage") << QByteArray("\x01\xff garbage") << 60 << false;
    QTest::newRow("old empty file") << QByteArray() << 60 << false;
    QTest::newRow("garbage written a moment ago") << QByteArray("garbage") << 0 << true;
}

// A copy that is still writing its lock file must not have it taken away;
// a file that stayed unreadable is a leftover.
void TestPlatform::unreadableLockIsTakenOverOnceOld()
{
    QFETCH(QByteArray, content);
    QFETCH(int, ageSeconds);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("larkpad.lock"));
    QFile lock(path);
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(content);
    lock.flush();
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                             QFileDevice::FileModificationTime));
    lock.close();
    LockFileInstanceGuard guard(path);
    QTEST(guard.anotherInstanceRunning(), "running");
}

QString TestPlatform::writeStandInOpener(const QTemporaryDir &dir, int exitStatus)
{
    const QString script = dir.filePath(QStringLiteral("xdg-open"));
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/argument\"\necho \"$#\" > \"$(dirname \"$0\")/count\"\nexit "
               + QByteArray::number(exitStatus) + "\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return dir.filePath(QStringLiteral("argument"));
}

void TestPlatform::launcherMapsExitStatus_data()
{
    QTest::addColumn<int>("exitStatus");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("result");
    QTest::newRow("opened") << 0 << "mailto:?subject= &body=あ%0D%0A" << "mailto:?subject=%20&body=%E3%81%82%0D%0A" << 33;
    QTest::newRow("file not found") << 2 << "/tmp/help dir/index.html" << "/tmp/help dir/index.html" << 2;
    QTest::newRow("no handler") << 3 << "mailto:x" << "mailto:x" << 2;
    QTest::newRow("action failed") << 4 << "https://larkpad.example/" << "https://larkpad.example/" << 2;
    QTest::newRow("other status") << 1 << "mailto:" << "mailto:" << 2;
}

void TestPlatform::launcherMapsExitStatus()
{
    QFETCH(int, exitStatus);
    QFETCH(QString, target);
    QTemporaryDir dir;
    const QString argumentFile = writeStandInOpener(dir, exitStatus);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", dir.path().toLocal8Bit() + ':' + oldPath);

    XdgShellLauncher launcher;
    std::optional<int> result;
    launcher.open(target, [&result](int r) { result = r; });
    QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 10000);
    qputenv("PATH", oldPath);

    QTEST(*result, "result");
    QFile argument(argumentFile);
    QVERIFY(argument.open(QIODevice::ReadOnly));
    QTEST(QString::fromUtf8(argument.readAll()), "argument");
    QFile count(dir.filePath(QStringLiteral("count")));
    QVERIFY(count.open(QIODevice::ReadOnly));
    QCOMPARE(count.readAll().trimmed(), QByteArray("1"));
}

void TestPlatform::launcherWithoutXdgOpen()
{
    QTemporaryDir empty;
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", empty.path().toLocal8Bit());
    XdgShellLauncher launcher;
    std::optional<int> result;
    launcher.open(QStringLiteral("mailto:"), [&result](int r) { result = r; });
    qputenv("PATH", oldPath);
    QTRY_VERIFY(result.has_value());
    QCOMPARE(*result, int(ShellLauncher::OtherFailure));
}

void TestPlatform::dataFilesIgnoreLetterCase()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Image")));
    QFile picture(dir.filePath(QStringLiteral("Image/SENDBTN.GIF")));
    QVERIFY(picture.open(QIODevice::WriteOnly));
    picture.close();
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const QString found = DataFiles::find(QStringLiteral("image"), QStringLiteral("sendBtn.gif"));
    const QString missing = DataFiles::find(QStringLiteral("image"), QStringLiteral("copyBtn.gif"));
    QDir::setCurrent(previous);
    QCOMPARE(QFileInfo(found).canonicalFilePath(), QFileInfo(picture.fileName()).canonicalFilePath());
    QVERIFY(missing.isEmpty() || !missing.startsWith(dir.path()));
}

void TestPlatform::pictureLoaderKeepsNothingOnFailure()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("image")));
    QFile broken(dir.filePath(QStringLiteral("image/ClearBtn.gif")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("GIF89a but not really");
    broken.close();
    QImage good(62, 38, QImage::Format_ARGB32);
    good.fill(Qt::red);
    // Qt writes no GIF; the reader goes by content, not by name.
    QVERIFY(good.save(dir.filePath(QStringLiteral("image/CopyBtn.gif")), "PNG"));

    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    FilePictureLoader loader;
    const auto unreadable = loader.load(QStringLiteral("image"), QStringLiteral("clearbtn.gif"));
    const auto absent = loader.load(QStringLiteral("image"), QStringLiteral("nothing.gif"));
    const auto readable = loader.load(QStringLiteral("image"), QStringLiteral("copybtn.gif"));
    QDir::setCurrent(previous);
    QVERIFY(!unreadable);
    QVERIFY(!absent);
    QVERIFY(readable);
    QCOMPARE(readable->size(), QSize(62, 38));
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
