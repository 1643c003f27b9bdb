#include "fakes.h"
#include "help_version/frm_version.h"
#include "modal_helpers.h"
#include "platform/fonts.h"

#include <QPushButton>
#include <QtTest>

class TestVersion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The home-page caption must fit with the fonts that stand in for the Windows ones.
    void initTestCase() { registerJapaneseFontSubstitutes(); }
    void cleanup() { QVERIFY(noModalLeftOpen()); }

    void keys_data();
    void keys();
    void failedLaunchKeepsWindowOpen();
    void homePageCaptionFits();

private:
    QWidget owner; // stands for the main window
};

void TestVersion::keys_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");

    QTest::newRow("Enter on OK closes") << "cmdOK" << int(Qt::Key_Return) << true;
    QTest::newRow("Enter on the home-page button opens the page") << "CmdHP" << int(Qt::Key_Return) << false;
    QTest::newRow("Esc does nothing, there being no Cancel") << "cmdOK" << int(Qt::Key_Escape) << false;
}

void TestVersion::keys()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, closes);

    FakeLauncher launcher;
    FakeMessageBox messages;
    frmVersion window(launcher, messages, &owner);
    bool stillOpen = false;
    whenModalOpens([&](QWidget *modal) {
        auto *target = modal->findChild<QPushButton *>(focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        if ((stillOpen = modal->isVisible()))
            modal->close();
    });
    window.exec();

    QCOMPARE(stillOpen, !closes);
    const bool launches = focus == u"CmdHP";
    QCOMPARE(launcher.targets, launches ? QStringList{LARKPAD_HOMEPAGE_URL} : QStringList());
}

void TestVersion::failedLaunchKeepsWindowOpen()
{
    FakeLauncher launcher;
    launcher.result = ShellLauncher::OtherFailure;
    FakeMessageBox messages;
    frmVersion window(launcher, messages, &owner);
    bool stillOpen = false;
    whenModalOpens([&](QWidget *modal) {
        QTest::mouseClick(modal->findChild<QPushButton *>("CmdHP"), Qt::LeftButton);
        if ((stillOpen = modal->isVisible()))
            modal->close();
    });
    window.exec();

    QVERIFY(stillOpen);
    QCOMPARE(messages.shown.size(), size_t(1));
    QCOMPARE(messages.shown[0].text, "ブラウザの起動に失敗しました。ヘルプファイルが見つからないか、"
                                     "又はブラウザが破損している可能性があります。");
    QCOMPARE(messages.shown[0].title, "ブラウザ起動エラー");
    QCOMPARE(messages.shown[0].style, MessageStyle::Stop);
}

void TestVersion::homePageCaptionFits()
{
    FakeLauncher launcher;
    FakeMessageBox messages;
    frmVersion window(launcher, messages, &owner);
    const auto *homePage = window.findChild<QPushButton *>("CmdHP");
    QVERIFY(homePage->sizeHint().width() <= homePage->width());
}

QTEST_MAIN(TestVersion)
#include "tst_version.moc"
