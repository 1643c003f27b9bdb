// What happens when the settings cannot be saved. Meant to run as an ordinary
// user (tests/run-unprivileged arranges it): root ignores file permissions.

#include "fakes.h"
#include "main_window/frm_main.h"
#include "platform/fonts.h"
#include "platform/ini_settings_store.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

const QByteArray StoredBefore = "[Ver.1.0]\nEdit=stored before\n";

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void unsavableSettingsAreReportedAndKept_data();
    void unsavableSettingsAreReportedAndKept();
};

void TestFaults::initTestCase()
{
    if (::geteuid() == 0)
        QSKIP("root writes whatever the permissions say; run through tests/run-unprivileged");
    registerJapaneseFontSubstitutes();
}

void TestFaults::unsavableSettingsAreReportedAndKept_data()
{
    QTest::addColumn<QString>("situation");
    QTest::newRow("settings folder read-only") << "folder";
    QTest::newRow("settings file read-only") << "file";
    QTest::newRow("disk full") << "full";
}

void TestFaults::unsavableSettingsAreReportedAndKept()
{
    QFETCH(QString, situation);
    QTemporaryDir scratch;
    QString folder = scratch.path();
    if (situation == u"full") {
        folder = qEnvironmentVariable("LARKPAD_FULL_DIR");
        if (folder.isEmpty())
            QSKIP("no full file system prepared (needs tests/run-unprivileged as root)");
    } else {
        QFile stored(folder + QStringLiteral("/Larkpad.ini"));
        QVERIFY(stored.open(QIODevice::WriteOnly));
        stored.write(StoredBefore);
        stored.close();
    }
    const QString path = folder + QStringLiteral("/Larkpad.ini");
    QCOMPARE(contentOf(path), StoredBefore);
    if (situation == u"folder")
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    if (situation == u"file")
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));

    {
        IniSettingsStore store(path);
        SharedState state;
        FakePlatform fakes;
        Platform platform{store,         fakes.instance,  fakes.launcher, fakes.messages,
                          fakes.beeper,  fakes.clipboard, fakes.pictures};
        FakeDialogs dialogs;
        FrmMain window(state, platform, dialogs);
        QVERIFY(window.Form_Load());
        window.show();
        QVERIFY(QTest::qWaitFor([&] { return window.txtEdit_8moji()->isHidden(); }));
        QCOMPARE(window.currentBox()->toPlainText(), QStringLiteral("stored before"));
        window.currentBox()->setPlainText(QStringLiteral("typed since"));
        window.close();

        QCOMPARE(fakes.messages.shown.size(), size_t(1));
        QVERIFY2(fakes.messages.shown.front().text.contains(path),
                 qPrintable(fakes.messages.shown.front().text));
        QCOMPARE(fakes.messages.shown.front().style, MessageStyle::Stop);
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(contentOf(path), StoredBefore);
    if (situation == u"file")
        QVERIFY(!QFileInfo(path).isWritable());
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
