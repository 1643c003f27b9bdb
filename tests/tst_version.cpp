#include "fakes.h"
#include "help_version/frm_version.h"
#include "layouts/window_style.h"
#include "modal_helpers.h"
#include "platform/fonts.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString HomePage = QStringLiteral(LARKPAD_HOMEPAGE_URL);

template <typename T = QWidget>
T *control(const QWidget *window, const char *name)
{
    auto *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

} // namespace

class TestVersion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup() { QVERIFY(noModalLeftOpen()); }

    void windowFrame();
    void contents();
    void geometry_data();
    void geometry();
    void homePageButtonIsLightYellow();
    void focusAndTabOrder();
    void enterKey_data();
    void enterKey();
    void closes_data();
    void closes();
    void failedLaunchKeepsWindowOpen();

private:
    // Stands for the main window.
    QWidget owner;
};

void TestVersion::initTestCase()
{
    registerJapaneseFontSubstitutes();
    // Off the middle of the screen, so that "centred on the owner" and
    // "centred on the screen" are told apart.
    owner.setGeometry(100, 100, 400, 300);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
}

void TestVersion::windowFrame()
{
    FakeLauncher launcher;
    FakeMessageBox messages;
    frmVersion window(launcher, messages, &owner);

    QCOMPARE(window.windowTitle(), "バージョン情報");
    QCOMPARE(window.windowFlags(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                       | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QCOMPARE(window.minimumSize(), QSize(325, 195));
    QCOMPARE(window.maximumSize(), QSize(325, 195));
    QVERIFY(!window.windowIcon().isNull());
    QVERIFY(window.autoFillBackground());
    QCOMPARE(window.palette().color(QPalette::Window), WindowStyle::PanelColor);

    QPoint centre;
    whenModalOpens([&](QWidget *modal) {
        centre = modal->geometry().center();
        modal->close();
    });
    window.exec();
    const QPoint offCentre = centre - owner.screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2,
             qPrintable(QStringLiteral("off by %1,%2").arg(offCentre.x()).arg(offCentre.y())));
}

void TestVersion::contents()
{
    FakeLauncher launcher;
    FakeMessageBox messages;
    frmVersion window(launcher, messages, &owner);

    auto *title = control<QLabel>(&window, "Label1");
    QCOMPARE(title->text(), "ラークパッド　Version 1.3");
    QCOMPARE(title->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(title->font().family(), "ＭＳ ゴシック");
    QCOMPARE(title->font().pointSizeF(), 12.0);
    QVERIFY(title->fontMetrics().horizontalAdvance(title->text()) <= title->width());

    auto *copyright = control<QLabel>(&window, "Label2");
    QVERIFY(copyright->text().startsWith(u"Copyright © "));
    QVERIFY(copyright->alignment() & Qt::AlignHCenter);
    QCOMPARE(copyright->font().family(), "ＭＳ Ｐゴシック");
    QCOMPARE(copyright->font().pointSizeF(), 11.25);
    QVERIFY(copyright->font().bold());
    QVERIFY(copyright->fontMetrics().horizontalAdvance(copyright->text()) <= copyright->width());

    const QPixmap icon = control<QLabel>(&window, "Image1")->pixmap();
    QCOMPARE(icon.size(), QSize(32, 32));

    auto *homePage = control<QPushButton>(&window, "CmdHP");
    QCOMPARE(homePage->text(), HomePage + u' ' + u'（' + QStringLiteral(LARKPAD_HOMEPAGE_TITLE) + u'）');
    QVERIFY(!homePage->testAttribute(Qt::WA_SetFont)); // the platform's default font
    QVERIFY(homePage->sizeHint().width() <= homePage->width());

    auto *ok = control<QPushButton>(&window, "cmdOK");
    QCOMPARE(ok->text(), "OK");
    QCOMPARE(ok->font().family(), "ＭＳ ゴシック");
    QCOMPARE(ok->font().pointSizeF(), 11.25);
    QVERIFY(ok->font().bold());
    QVERIFY(ok->isDefault());
}

void TestVersion::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");

    QTest::newRow("CmdHP") << "CmdHP" << QRect(27, 104, 271, 26);
    QTest::newRow("cmdOK") << "cmdOK" << QRect(112, 147, 100, 33);
    QTest::newRow("Label2") << "Label2" << QRect(16, 74, 292, 22);
    QTest::newRow("Image1") << "Image1" << QRect(34, 16, 32, 32);
    QTest::newRow("Label1") << "Label1" << QRect(71, 30, 250, 24);
}

void TestVersion::geometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);

    FakeLauncher launcher;
    FakeMessageBox messages;
    frmVersion window(launcher, messages, &owner);
    QCOMPARE(control(&window, qPrintable(name))->geometry(), rect);
}

void TestVersion::homePageButtonIsLightYellow()
{
    FakeLauncher launcher;
    FakeMessageBox messages;
    frmVersion window(launcher, messages, &owner);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto *homePage = control<QPushButton>(&window, "CmdHP");
    const QImage picture = homePage->grab().toImage();
    // Left of the caption, halfway down: the button's face, not its text or edge.
    QCOMPARE(picture.pixelColor(6, picture.height() / 2), QColor(255, 255, 192));
    window.close();
}

void TestVersion::focusAndTabOrder()
{
    FakeLauncher launcher;
    FakeMessageBox messages;
    frmVersion window(launcher, messages, &owner);
    auto *ok = control(&window, "cmdOK");

    QStringList chain;
    QWidget *widget = ok;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != ok);
    QCOMPARE(chain, (QStringList{"cmdOK", "CmdHP"}));

    QString focused;
    whenModalOpens([&](QWidget *modal) {
        focused = modal->focusWidget()->objectName();
        modal->close();
    });
    window.exec();
    QCOMPARE(focused, "cmdOK");
}

void TestVersion::enterKey_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("launches");
    QTest::addColumn<bool>("closed");

    QTest::newRow("on OK, Enter closes") << "cmdOK" << 0 << true;
    QTest::newRow("on the home-page button, Enter opens the page") << "CmdHP" << 1 << false;
}

void TestVersion::enterKey()
{
    QFETCH(QString, focus);
    QFETCH(int, launches);
    QFETCH(bool, closed);

    FakeLauncher launcher;
    FakeMessageBox messages;
    frmVersion window(launcher, messages, &owner);
    QSignalSpy accepted(&window, &QDialog::accepted);
    bool stillOpen = false;
    whenModalOpens([&](QWidget *modal) {
        QWidget *target = control(modal, qPrintable(focus));
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        stillOpen = modal->isVisible();
        if (stillOpen)
            modal->close();
    });
    window.exec();

    QCOMPARE(stillOpen, !closed);
    QCOMPARE(accepted.count(), closed ? 1 : 0);
    QCOMPARE(launcher.targets, QStringList(launches, HomePage));
    QVERIFY(messages.shown.empty());
}

void TestVersion::closes_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("closed");

    QTest::newRow("OK") << "OK" << true;
    QTest::newRow("close box") << "close box" << true;
    QTest::newRow("Esc does nothing, there being no Cancel") << "Esc" << false;
}

void TestVersion::closes()
{
    QFETCH(QString, way);
    QFETCH(bool, closed);

    FakeLauncher launcher;
    FakeMessageBox messages;
    frmVersion window(launcher, messages, &owner);
    QSignalSpy finished(&window, &QDialog::finished);
    bool stillOpen = false;
    whenModalOpens([&](QWidget *modal) {
        if (way == u"OK")
            QTest::mouseClick(control(modal, "cmdOK"), Qt::LeftButton);
        else if (way == u"Esc")
            QTest::keyClick(modal->focusWidget(), Qt::Key_Escape);
        else
            modal->close();
        stillOpen = modal->isVisible();
        if (stillOpen)
            modal->close();
    });
    window.exec();

    QCOMPARE(stillOpen, !closed);
    QCOMPARE(finished.count(), 1);
    QVERIFY(launcher.targets.isEmpty());
}

void TestVersion::failedLaunchKeepsWindowOpen()
{
    FakeLauncher launcher;
    launcher.result = ShellLauncher::OtherFailure;
    FakeMessageBox messages;
    frmVersion window(launcher, messages, &owner);
    QList<bool> openAfterEachPress;
    whenModalOpens([&](QWidget *modal) {
        for (int press = 0; press < 2; ++press) {
            QTest::mouseClick(control(modal, "CmdHP"), Qt::LeftButton);
            openAfterEachPress << modal->isVisible();
        }
        modal->close();
    });
    window.exec();

    QCOMPARE(openAfterEachPress, (QList<bool>{true, true}));
    QCOMPARE(launcher.targets, (QStringList{HomePage, HomePage}));
    QCOMPARE(messages.shown.size(), size_t(2));
    for (const ShownMessage &message : messages.shown) {
        QCOMPARE(message.text, "ブラウザの起動に失敗しました。ヘルプファイルが見つからないか、"
                               "又はブラウザが破損している可能性があります。");
        QCOMPARE(message.title, "ブラウザ起動エラー");
        QCOMPARE(message.style, MessageStyle::Stop);
    }
}

QTEST_MAIN(TestVersion)
#include "tst_version.moc"
