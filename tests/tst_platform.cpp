// The Linux side: the settings file and the launcher (the instance lock is
// tried by the end-to-end test, across real processes). tests/run-unprivileged runs this as an ordinary user, since
// root writes files whatever their permissions say.

#include "core/settings.h"
#include "platform/ini_settings_store.h"
#include "platform/xdg_launcher.h"
#include "platform/xdg_mail_program_lookup.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString Edit = QStringLiteral("Edit");
constexpr auto OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                           | QFileDevice::WriteUser;

bool writeFile(const QString &path, const QByteArray &content,
               QFileDevice::Permissions permissions = OwnerOnly | QFileDevice::ExeOwner | QFileDevice::ExeUser)
{
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
    return file.setPermissions(permissions);
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
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
    void launcherHandsOverOneArgument_data();
    void launcherHandsOverOneArgument();
    void mailProgramIsNamed_data();
    void mailProgramIsNamed();
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

// In a new folder (owner-only too), or through a link to a file not made yet;
// a text kept aside beside it too, each in a file of its own.
void TestPlatform::settingsFileIsOwnerOnly()
{
    QTemporaryDir dir;
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("not yet.ini")), dir.filePath(QStringLiteral("link.ini"))));
    for (const QString &name : {QStringLiteral("new/Larkpad.ini"), QStringLiteral("link.ini")}) {
        IniSettingsStore store(dir.filePath(name));
        for (const QString &value : {QStringLiteral("first"), QStringLiteral("second")}) {
            store.write(Edit, value);
            QVERIFY(store.flush());
            QCOMPARE(QFile::permissions(store.location()) & 0x7777, OwnerOnly);
            const QString kept = store.keepAside(value);
            QCOMPARE(QFile::permissions(kept) & 0x7777, OwnerOnly);
            QCOMPARE(contentOf(kept), value.toUtf8());
        }
    }
    QCOMPARE(QFile::permissions(dir.filePath(QStringLiteral("new"))) & 0x0077, 0);
}

void TestPlatform::damagedSettingsFileIsReplaced_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("subjectAtLoad");
    QTest::newRow("truncated line") << QByteArray("[Ver.1.0]\nConfig=0101111\nKenmei0=\"abc") << "abc";
    QTest::newRow("hand-edited comma") << QByteArray("[Ver.1.0]\nKenmei0=a,b\n") << "a,b";
    QTest::newRow("abandoned lock beside it") << QByteArray("lock: \x7f garbage") << QString();
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
    QTest::newRow("disk full") << "full";
}

void TestPlatform::unsavableSettingsKeepTheEarlierFile()
{
    QFETCH(QString, situation);
    if (::geteuid() == 0)
        QSKIP("root writes whatever the permissions say; run through tests/run-unprivileged");
    QTemporaryDir scratch;
    QString folder = scratch.path();
    if (situation == u"full")
        folder = qEnvironmentVariable("LARKPAD_FULL_DIR");
    if (folder.isEmpty())
        QSKIP("no full file system prepared (needs tests/run-unprivileged as root)");
    const QString path = folder + QStringLiteral("/Larkpad.ini");
    const QByteArray before = contentOf(path);
    if (situation == u"folder")
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    if (situation == u"file")
        QVERIFY(writeFile(path, "[Ver.1.0]\nEdit=stored before\n", QFileDevice::ReadOwner));
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

void TestPlatform::launcherHandsOverOneArgument_data()
{
    QTest::addColumn<QByteArray>("opener"); // the stand-in's last line; empty: no xdg-open
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<std::optional<LaunchResult>>("result"); // none: the launcher goes first
    const auto standIn = [](const char *last) {
        return "#!/bin/sh\nd=$(dirname \"$0\")\necho $$ > \"$d/pid\"\nprintf '%s|' \"$@\" > \"$d/arguments\"\n"
               + QByteArray(last) + '\n';
    };
    using R = std::optional<LaunchResult>;
    QTest::newRow("URL, opened") << standIn("exit 0") << "mailto:?subject= &body=あ%0D%0A"
                                 << "mailto:?subject=%20&body=%E3%81%82%0D%0A" << R(LaunchResult::Started);
    QTest::newRow("file path as it is, fails at once") << standIn("exit 4") << "/tmp/help dir/index.html"
                                                       << "/tmp/help dir/index.html" << R(LaunchResult::Failed);
    QTest::newRow("fails after the grace period") << standIn("sleep 5; exit 4") << "mailto:" << "mailto:"
                                                  << R(LaunchResult::Started);
    QTest::newRow("launcher gone while it runs") << standIn("exec sleep 1000") << "mailto:" << "mailto:" << R();
    QTest::newRow("no xdg-open") << QByteArray() << "mailto:" << QString() << R(LaunchResult::Failed);
    QTest::newRow("not a program") << QByteArray("\x7f" "ELF garbage") << "mailto:" << QString()
                                   << R(LaunchResult::BrokenProgram);
    QTest::newRow("longer than a command line") << standIn("exit 0") << "mailto:?body=" + QString(140000, u'a')
                                                << QString() << R(LaunchResult::TooLong);
}

// A stand-in xdg-open first on PATH records its process and arguments, then
// ends as the row says. It is reaped whenever it ends, and never ended.
void TestPlatform::launcherHandsOverOneArgument()
{
    QFETCH(QByteArray, opener);
    QFETCH(QString, target);
    QFETCH(std::optional<LaunchResult>, result);
    QTemporaryDir dir;
    if (!opener.isEmpty())
        QVERIFY(writeFile(dir.filePath(QStringLiteral("xdg-open")), opener));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", opener.isEmpty() ? dir.path().toLocal8Bit() : dir.path().toLocal8Bit() + ':' + path);
    auto launcher = std::make_unique<XdgLauncher>();
    std::optional<LaunchResult> reported;
    launcher->open(target, [&reported](LaunchResult r) { reported = r; });
    qputenv("PATH", path);
    const QString pidFile = dir.filePath(QStringLiteral("pid"));
    if (!result) {
        QTRY_VERIFY(contentOf(pidFile).endsWith('\n'));
        launcher.reset();
        QCoreApplication::processEvents();
    }
    const pid_t pid = contentOf(pidFile).trimmed().toInt();
    const auto stop = qScopeGuard([pid, &result] {
        if (!result && pid > 0 && ::kill(pid, SIGKILL) == 0)
            ::waitpid(pid, nullptr, 0);
    });
    QTRY_VERIFY_WITH_TIMEOUT(reported == result, 10000);
    if (!result)
        QCOMPARE(::waitpid(pid, nullptr, WNOHANG), 0); // still running
    else if (pid > 0)
        QTRY_VERIFY_WITH_TIMEOUT(::kill(pid, 0) != 0, 10000); // reaped, no zombie
    QFETCH(QString, argument);
    QCOMPARE(QString::fromUtf8(contentOf(dir.filePath(QStringLiteral("arguments")))),
             argument.isNull() ? "<unreadable>" : argument + u'|');
}

void TestPlatform::mailProgramIsNamed_data()
{
    QTest::addColumn<QByteArray>("xdgMime"); // the stand-in's last line; empty: no xdg-mime
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QString>("program");
    QTest::newRow("Japanese") << QByteArray("echo larkpad-mail.desktop") << QByteArray("ja_JP.UTF-8")
                              << "Thunderbird メール";
    QTest::newRow("C: the plain name") << QByteArray("echo larkpad-mail.desktop") << QByteArray("C.UTF-8")
                                       << "Thunderbird";
    QTest::newRow("none set") << QByteArray("exit 0") << QByteArray("ja_JP.UTF-8") << "<none set>";
    QTest::newRow("stuck, with a child") << QByteArray("sleep 100 & echo $! > \"$(dirname \"$0\")/child\"; wait")
                                         << QByteArray("ja_JP.UTF-8") << "<unknown>";
    QTest::newRow("flooding: not read to the end") << QByteArray("head -c 9000 /dev/zero | tr '\\0' ' '; echo larkpad-mail.desktop")
                                                   << QByteArray("C.UTF-8") << "<unknown>";
    QTest::newRow("a path, not an ID") << QByteArray("echo ../applications/larkpad-mail.desktop") << QByteArray("C.UTF-8")
                                       << "<unknown>";
    QTest::newRow("no xdg-mime") << QByteArray() << QByteArray("ja_JP.UTF-8") << "<unknown>";
}

// A stand-in xdg-mime first on PATH answers for the desktop; the desktop file
// is found in XDG_DATA_HOME and read in the language of LC_ALL. Two asks at
// once share one answer.
void TestPlatform::mailProgramIsNamed()
{
    QFETCH(QByteArray, xdgMime);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("applications/larkpad-mail.desktop")),
                      "[Desktop Entry]\nName[de]=Thunderbird-Mail\nName=Thunderbird\nName[ja]=Thunderbird メール\n"
                      "[Desktop Action compose]\nName[ja]=作成\n",
                      OwnerOnly));
    if (!xdgMime.isEmpty())
        QVERIFY(writeFile(dir.filePath(QStringLiteral("bin/xdg-mime")), "#!/bin/sh\n" + xdgMime + '\n'));
    const QByteArray path = qgetenv("PATH"), language = qgetenv("LC_ALL");
    const auto restore = qScopeGuard([=] {
        qputenv("PATH", path);
        qputenv("LC_ALL", language);
        qunsetenv("XDG_DATA_HOME");
    });
    const QByteArray bin = dir.filePath(QStringLiteral("bin")).toLocal8Bit();
    qputenv("PATH", xdgMime.isEmpty() ? bin : bin + ':' + path);
    qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
    QFETCH(QByteArray, locale);
    qputenv("LC_ALL", locale);
    XdgMailProgramLookup lookup;
    QList<DesktopMailProgram> found;
    lookup.lookUp([&found](const DesktopMailProgram &program) { found << program; });
    lookup.lookUp([&found](const DesktopMailProgram &program) { found << program; });
    QTRY_COMPARE_WITH_TIMEOUT(found.size(), 2, 10000);
    QCOMPARE(found[0], found[1]);
    QTRY_VERIFY(lookup.findChildren<QProcess *>().isEmpty()); // a stuck one is ended, and reaped
    if (const QByteArray child = contentOf(dir.filePath(QStringLiteral("bin/child"))).trimmed(); child.toInt() > 0)
        QTRY_VERIFY(!contentOf(QStringLiteral("/proc/%1/stat").arg(child)).contains(") S ")); // ended with the script
    using State = DesktopMailProgram::State;
    const State state = found[0].state;
    QTEST(state == State::Named ? found[0].name : state == State::NoneSet ? "<none set>" : "<unknown>", "program");
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
