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

namespace {

const QString Edit = QStringLiteral("Edit");

bool writeFile(const QString &path, const QByteArray &content, int ageSeconds = 0)
{
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
    file.flush();
    return file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                            QFileDevice::FileModificationTime);
}

QByteArray lockHeldBy(qint64 pid)
{
    return QByteArray::number(pid) + "\nlarkpad\n" + QSysInfo::machineHostName().toUtf8() + '\n';
}

qint64 pidOfEndedProcess()
{
    QProcess gone;
    gone.start(QStringLiteral("true"));
    gone.waitForFinished();
    return gone.processId() ? gone.processId() : 999999;
}

// Runs in a scratch folder as the current directory.
class InFolder {
public:
    explicit InFolder(const QString &path) : previous_(QDir::currentPath()) { QDir::setCurrent(path); }
    ~InFolder() { QDir::setCurrent(previous_); }

private:
    QString previous_;
};

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingsKeepValuesExactly_data();
    void settingsKeepValuesExactly();
    void settingsFileIsOwnerOnly();
    void settingsThatCannotBeWrittenReportFailure();
    void damagedSettingsFileIsReplaced_data();
    void damagedSettingsFileIsReplaced();
    void abandonedSettingsLockDoesNotBlock_data();
    void abandonedSettingsLockDoesNotBlock();
    void instanceLock_data();
    void instanceLock();
    void launcherMapsExitStatus_data();
    void launcherMapsExitStatus();
    void dataFilesAndPictures();
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
        store.write(Edit, value);
        QVERIFY(store.flush());
    }
    IniSettingsStore reopened(path);
    QCOMPARE(reopened.read(Edit, QStringLiteral("default")), value);
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
        store.write(Edit, value);
        QVERIFY(store.flush());
        QCOMPARE(QFile::permissions(path) & 0x7777,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                     | QFileDevice::WriteUser);
    }
}

// Permission cases need an ordinary user; see tst_faults. A file standing
// where the folder should be stops root too.
void TestPlatform::settingsThatCannotBeWrittenReportFailure()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("not-a-folder")), {}));
    IniSettingsStore store(dir.filePath(QStringLiteral("not-a-folder/Larkpad.ini")));
    store.write(Edit, QStringLiteral("text"));
    QVERIFY(!store.flush());
    QVERIFY(store.location().endsWith(QStringLiteral("not-a-folder/Larkpad.ini")));
}

void TestPlatform::damagedSettingsFileIsReplaced_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("kenmeiAtLoad");
    QByteArray random(512, Qt::Uninitialized);
    for (qsizetype i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 7919 + 13) % 256);
    QTest::newRow("random bytes") << random << QString();
    QTest::newRow("truncated line") << QByteArray("[Ver.1.0]\nConfig=0101111\nKenmei0=\"abc") << "abc";
    QTest::newRow("group header cut off") << QByteArray("[Ver.1.") << QString();
    QTest::newRow("binary NULs") << QByteArray("[Ver.1.0]\0\0\0Kenmei0=x", 22) << QString();
    QTest::newRow("hand-edited comma") << QByteArray("[Ver.1.0]\nKenmei0=a,b\n") << "a,b";
}

// A damaged file loads what can be read (defaults for the rest) and is
// replaced by a sound one at the next save, without a false alarm.
void TestPlatform::damagedSettingsFileIsReplaced()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Larkpad.ini"));
    QVERIFY(writeFile(path, content));

    IniSettingsStore store(path);
    QTEST(store.read(QStringLiteral("Kenmei0"), QString()), "kenmeiAtLoad");
    store.write(Edit, QStringLiteral("新しい\r\n文書"));
    QVERIFY(store.flush());

    const QString copy = dir.filePath(QStringLiteral("copy.ini"));
    QVERIFY(QFile::copy(path, copy));
    QCOMPARE(IniSettingsStore(copy).read(Edit, QString()), QStringLiteral("新しい\r\n文書"));
}

void TestPlatform::abandonedSettingsLockDoesNotBlock_data()
{
    QTest::addColumn<QByteArray>("lockContent");
    QTest::newRow("unreadable") << QByteArray("\x7f garbage");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("holder gone") << lockHeldBy(999999999);
}

// Left by a crash in the middle of a save; QSettings alone would wait for it
// to grow old before writing.
void TestPlatform::abandonedSettingsLockDoesNotBlock()
{
    QFETCH(QByteArray, lockContent);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Larkpad.ini"));
    QVERIFY(writeFile(path + QStringLiteral(".lock"), lockContent));

    IniSettingsStore store(path);
    store.write(Edit, QStringLiteral("saved"));
    QVERIFY(store.flush());
    QVERIFY(!QFile::exists(path + QStringLiteral(".lock")));
    QCOMPARE(IniSettingsStore(path).read(Edit, QString()), QStringLiteral("saved"));
}

void TestPlatform::instanceLock_data()
{
    QTest::addColumn<QByteArray>("content"); // "live": held by a guard of this process
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("running");
    QTest::newRow("held by a running copy") << QByteArray("live") << 0 << true;
    QTest::newRow("holder ended") << lockHeldBy(pidOfEndedProcess()) << 0 << false;
    QTest::newRow("old garbage") << QByteArray("\x01\xff garbage") << 60 << false;
    QTest::newRow("old empty file") << QByteArray() << 60 << false;
    // A copy that is still writing its lock must not have it taken away.
    QTest::newRow("garbage written a moment ago") << QByteArray("garbage") << 0 << true;
}

void TestPlatform::instanceLock()
{
    QFETCH(QByteArray, content);
    QFETCH(int, ageSeconds);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("larkpad.lock"));
    LockFileInstanceGuard first(path);
    if (content == "live")
        QVERIFY(!first.anotherInstanceRunning());
    else
        QVERIFY(writeFile(path, content, ageSeconds));
    LockFileInstanceGuard guard(path);
    QTEST(guard.anotherInstanceRunning(), "running");
}

void TestPlatform::launcherMapsExitStatus_data()
{
    QTest::addColumn<int>("exitStatus"); // -1: no xdg-open at all
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("result");
    QTest::newRow("opened") << 0 << "mailto:?subject= &body=あ%0D%0A"
                            << "mailto:?subject=%20&body=%E3%81%82%0D%0A" << 33;
    QTest::newRow("file not found, path as it is") << 2 << "/tmp/help dir/index.html"
                                                   << "/tmp/help dir/index.html" << 2;
    QTest::newRow("no handler") << 3 << "mailto:x" << "mailto:x" << 2;
    QTest::newRow("action failed") << 4 << "https://larkpad.example/" << "https://larkpad.example/" << 2;
    QTest::newRow("other status") << 1 << "mailto:" << "mailto:" << 2;
    QTest::newRow("no xdg-open") << -1 << "mailto:" << QString() << 2;
}

// A stand-in xdg-open first on PATH records its arguments and exits with
// the status of the row.
void TestPlatform::launcherMapsExitStatus()
{
    QFETCH(int, exitStatus);
    QFETCH(QString, target);
    QTemporaryDir dir;
    if (exitStatus >= 0) {
        const QByteArray script = "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/argument\"\n"
                                  "echo \"$#\" > \"$(dirname \"$0\")/count\"\nexit "
                                  + QByteArray::number(exitStatus) + "\n";
        QVERIFY(writeFile(dir.filePath(QStringLiteral("xdg-open")), script));
        QFile::setPermissions(dir.filePath(QStringLiteral("xdg-open")),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", exitStatus >= 0 ? dir.path().toLocal8Bit() + ':' + oldPath : dir.path().toLocal8Bit());
    XdgShellLauncher launcher;
    std::optional<int> result;
    launcher.open(target, [&result](int r) { result = r; });
    qputenv("PATH", oldPath);
    QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 10000);

    QTEST(*result, "result");
    if (exitStatus < 0)
        return;
    QFile argument(dir.filePath(QStringLiteral("argument")));
    QVERIFY(argument.open(QIODevice::ReadOnly));
    QTEST(QString::fromUtf8(argument.readAll()), "argument");
    QFile count(dir.filePath(QStringLiteral("count")));
    QVERIFY(count.open(QIODevice::ReadOnly));
    QCOMPARE(count.readAll().trimmed(), QByteArray("1"));
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
    // Qt writes no GIF; the reader goes by content, not by name.
    QVERIFY(good.save(dir.filePath(QStringLiteral("Image/CopyBtn.gif")), "PNG"));

    InFolder scratch(dir.path());
    QCOMPARE(QFileInfo(DataFiles::find(QStringLiteral("image"), QStringLiteral("sendBtn.gif"))).canonicalFilePath(),
             QFileInfo(dir.filePath(QStringLiteral("Image/SENDBTN.GIF"))).canonicalFilePath());
    FilePictureLoader loader;
    QVERIFY(!loader.load(QStringLiteral("image"), QStringLiteral("clearbtn.gif")));
    QVERIFY(!loader.load(QStringLiteral("image"), QStringLiteral("nothing.gif")));
    const auto readable = loader.load(QStringLiteral("image"), QStringLiteral("copybtn.gif"));
    QVERIFY(readable);
    QCOMPARE(readable->size(), QSize(62, 38));
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
