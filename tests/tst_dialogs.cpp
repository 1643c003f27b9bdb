// Every dialog, opened as the main window opens it, worked by the user's
// steps, and what it hands back: one row per dialog and way of closing it.

#include "core/message_text.h"
#include "core/settings.h"
#include "fakes.h"
#include "platform/fonts.h"
#include "ui/main_window.h"
#include "ui/window_style.h"

#include <QAccessible>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

// Runs `action` on the modal window as soon as one is open, so that a test
// can play the user's part while the code under test waits in exec().
void whenModalOpens(std::function<void(QWidget *modal)> action)
{
    // The modal loop runs this once the window is shown.
    QTimer::singleShot(0, [action] { action(QApplication::activeModalWidget()); });
}

// The captions of a window that the fonts found (whichever they are: ctest
// runs these tests with IPA alone and with Noto CJK alone too) do not show whole.
QString cutCaptions(QWidget *window)
{
    QStringList cut;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        const WindowStyle::Caption caption = WindowStyle::captionOf(control);
        if (!caption.text.isEmpty() && control->isVisibleTo(window) && !WindowStyle::wholeCaption(caption, control->font()))
            cut << QStringLiteral("%1 「%2」 in %3 %4 pt").arg(control->objectName(), caption.text,
                                                           QFontInfo(control->font()).family())
                       .arg(control->font().pointSizeF());
    }
    return cut.join(u"; ");
}

// Plays the user's part: "click:NAME", "type:NAME:TEXT" (replaces the text of
// a box), "down:NAME" (Down on a list), "key:Enter", "key:Esc", "key:Tab", "close"
// (the title bar's close box) and "next:STEP;STEP..." (steps for the window that
// a later step opens).
void play(QWidget *window, const QStringList &steps)
{
    // Keys go where the focus is, which a window has only once it is active.
    QVERIFY(QTest::qWaitForWindowActive(window));
    QVERIFY2(cutCaptions(window).isEmpty(), qPrintable(cutCaptions(window)));
    for (const QString &step : steps) {
        const QString verb = step.section(u':', 0, 0);
        const QString name = step.section(u':', 1, 1);
        if (verb == u"click") {
            // Near the left edge: a check box takes clicks on its tick and
            // caption only, not on the blank that may follow them.
            QWidget *button = window->findChild<QWidget *>(name);
            QVERIFY2(button, qPrintable(name));
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
        } else if (verb == u"type") {
            auto *box = window->findChild<QLineEdit *>(name);
            QVERIFY2(box, qPrintable(name));
            box->clear();
            QTest::keyClicks(box, step.section(u':', 2));
        } else if (verb == u"down") {
            QWidget *list = window->findChild<QWidget *>(name);
            QVERIFY2(list, qPrintable(name));
            QTest::keyClick(list, Qt::Key_Down);
        } else if (verb == u"key") {
            const auto key = name == u"Enter" ? Qt::Key_Return : name == u"Tab" ? Qt::Key_Tab : Qt::Key_Escape;
            QTest::keyClick(window->focusWidget(), key);
        } else if (verb == u"close") {
            window->close();
        } else if (verb == u"next") {
            whenModalOpens([steps = step.section(u':', 1).split(u';')](QWidget *next) {
                play(next, steps);
                if (next->isVisible()) // must not hang the test
                    next->close();
            });
        }
    }
}

// Options and send slots that each step must leave alone unless it is meant
// to change them.
Settings loaded(bool on)
{
    Settings settings;
    settings.copyNotice = settings.clearConfirmation = settings.overLimitNotice = settings.sendMode = on;
    settings.sendTo = on ? SendTo::MailProgram : SendTo::Outlook;
    settings.sendDetails = {{QStringLiteral("taro@example.jp"), QStringLiteral("hanako@example.jp"), QString()},
                            {QStringLiteral("こんにちは"), QStringLiteral("連絡"), QString()}, 1, 1, 0};
    return settings;
}

QString describe(const Settings &settings)
{
    const SendDetails &d = settings.sendDetails;
    return StoredForm::config(settings) + StoredForm::slot(d.selectedSlot) + u' '
           + QStringList(d.destinations.begin(), d.destinations.end()).join(u'|') + u' '
           + QStringList(d.subjects.begin(), d.subjects.end()).join(u'|') + u' ' + StoredForm::sendTo(settings.sendTo);
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerJapaneseFontSubstitutes(); }
    void cleanup() { QVERIFY(!QApplication::activeModalWidget()); }
    void closing_data();
    void closing();
    void mainWindowCaptionsWhole();
};

void TestDialogs::closing_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<bool>("on"); // options loaded on or off, see loaded()
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("answer");

    const QString ok = QStringLiteral("click:cmdOK");
    QTest::newRow("over: Esc closes") << "over" << true << QStringList{"key:Esc"} << "alert, closed";
    QTest::newRow("paste: Enter closes") << "paste" << true << QStringList{"key:Enter"} << "alert, closed";
    QTest::newRow("paste refused: Esc closes") << "refused" << true << QStringList{"key:Esc"} << "alert, closed";
    QTest::newRow("copy: ticked, close box") << "copy" << true << QStringList{"click:ChkMsgShow", "close"}
                                             << "alert, closed, show again 0";
    QTest::newRow("clear: 削除しない, ticked") << "clear" << true << QStringList{"click:ChkMsgShow", "click:cmdCancel"}
                                           << "alert, clear 0, ask again 0";
    QTest::newRow("clear: Esc is 削除しない") << "clear" << true << QStringList{"click:ChkMsgShow", "key:Esc"}
                                          << "alert, clear 0, ask again 0";
    QTest::newRow("clear: Enter at open is 削除しない") << "clear" << true << QStringList{"key:Enter"}
                                                    << "alert, clear 0, ask again 1";

    const QString on = describe(loaded(true)), off = describe(loaded(false));
    QTest::newRow("settings: everything switched, OK")
        << "settings" << true
        << QStringList{"click:chkCopyMsg", "click:chkClearMsg", "click:chk200OverMsg", "click:OptCopy",
                       "down:cboSendTo", "down:cboSendTo", ok}
        << "accepted " + off;
    for (const char *way : {"click:cmdCancel", "close", "key:Esc"})
        QTest::addRow("settings: 初期設定に戻す, %s", way)
            << "settings" << false << QStringList{"click:cmdDefault", way} << "rejected " + off;
    QTest::newRow("settings: 初期設定に戻す, OK") << "settings" << false << QStringList{"click:cmdDefault", ok}
                                           << "accepted " + on;
    QTest::newRow("settings: Enter on a check box presses nothing")
        << "settings" << false << QStringList{"click:chkCopyMsg", "key:Enter"} << "left open";
    QTest::newRow("settings: send details kept when Cancel follows")
        << "settings" << false
        << QStringList{"click:chkCopyMsg", "next:type:txtAtena_0:new@example.jp;click:OptSetting_2;click:cmdOK",
                       "click:CmdSendBtnConfig", "click:cmdCancel"}
        << "rejected 1000110 2 new@example.jp|hanako@example.jp| こんにちは|連絡| outlook";
    const QString slots = QStringLiteral("type:txtAtena_0:a0@example.jp;type:txtKenmei_0:;type:txtKenmei_1:k1;"
                                         "type:txtKenmei_2:k2;click:OptSetting_2;click:chkAtesaki;click:chkKenmei");
    QTest::newRow("send details: OK") << "settings" << true
                                      << QStringList{"next:" + slots + ";click:cmdOK", "click:CmdSendBtnConfig", ok}
                                      << "accepted 1111001 2 a0@example.jp|hanako@example.jp| |k1|k2 mailto";
    for (const char *way : {"click:cmdCancel", "close", "key:Esc"})
        QTest::addRow("send details: %s", way)
            << "settings" << true << QStringList{"next:" + slots + u';' + way, "click:CmdSendBtnConfig", ok}
            << "accepted " + on;
    QTest::newRow("about: Enter on the home page opens it")
        << "about" << true << QStringList{"click:CmdHP", "key:Enter"}
        << "left open, opened https://example.org/larkpad/, opened https://example.org/larkpad/";
    QTest::newRow("about, no home page: no button to Tab to") << "about, no home page" << true
                                                           << QStringList{"key:Tab", "key:Enter"} << "closed";
}

void TestDialogs::closing()
{
    QFETCH(QString, dialog);
    QFETCH(bool, on);
    QFETCH(QStringList, steps);
    QWidget owner; // stands for the main window
    owner.show();
    FakePlatform fakes;
    const Platform platform = fakes.platform();
    WindowDialogs dialogs(platform, dialog == u"about" ? HomePage{QStringLiteral("https://example.org/larkpad/"),
                                                                   QStringLiteral("公式サイト")}
                                                       : HomePage{});

    bool leftOpen = false;
    QString answer;
    whenModalOpens([&](QWidget *modal) {
        // An alert's labels are read out when it opens, a dialog's seldom.
        if (QAccessible::queryAccessibleInterface(modal)->role() == QAccessible::AlertMessage)
            answer = QStringLiteral("alert, ");
        play(modal, steps);
        leftOpen = modal->isVisible();
        if (leftOpen) // must not hang the test
            static_cast<QDialog *>(modal)->done(QDialog::Rejected);
    });
    if (dialog == u"over") {
        dialogs.showOverLimitNotice(&owner);
    } else if (dialog == u"paste") {
        dialogs.showPasteNotice(&owner);
    } else if (dialog == u"refused") {
        dialogs.showInsertionRefused(10, TextEntry::Paste, &owner);
    } else if (dialog == u"copy") {
        answer += QStringLiteral("closed, show again %1").arg(dialogs.showCopyNotice(&owner));
    } else if (dialog == u"clear") {
        const ClearAnswer clear = dialogs.askClear(&owner);
        answer += QStringLiteral("clear %1, ask again %2").arg(clear.clear).arg(clear.askAgain);
    } else if (dialog == u"settings") {
        const SettingsEdit edit = dialogs.editSettings(loaded(on), &owner);
        answer = (edit.accepted ? QStringLiteral("accepted ") : QStringLiteral("rejected ")) + describe(edit.settings);
    } else {
        dialogs.showAbout(&owner);
    }
    if (leftOpen)
        answer = QStringLiteral("left open");
    else if (answer.isEmpty() || answer.endsWith(u' '))
        answer += QStringLiteral("closed");
    for (const QString &target : fakes.launcher.targets)
        answer += QStringLiteral(", opened ") + target;
    QTEST(answer, "answer");
}

// The main window's captions, and the count once it has five digits; the
// dialogs' are checked as each opens.
void TestDialogs::mainWindowCaptionsWhole()
{
    FakePlatform fakes;
    const Platform platform = fakes.platform();
    FakeDialogs dialogs;
    MainWindow window(platform, dialogs);
    window.show();
    QVERIFY2(cutCaptions(&window).isEmpty(), qPrintable(cutCaptions(&window)));
    window.findChild<QPlainTextEdit *>("txtEdit_10moji")->setPlainText(QString(MessageText::MaximumCharacters, u'あ'));
    QVERIFY2(cutCaptions(&window).isEmpty(), qPrintable(cutCaptions(&window)));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
