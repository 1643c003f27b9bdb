#include "modal_helpers.h"
#include "platform/fonts.h"
#include "settings/frm_config.h"
#include "settings/frm_send_detail.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

Q_DECLARE_METATYPE(SharedState)

namespace {

// Options and send slots that each step must leave alone unless it is meant
// to change them.
SharedState initial(bool notices, bool sendMode)
{
    return {notices, notices, notices, sendMode, false, 1, 0,
            {QStringLiteral("taro@example.jp"), QStringLiteral("hanako@example.jp"), QString()},
            {QStringLiteral("こんにちは"), QStringLiteral("連絡"), QString()}, 1};
}

// One line per state, so that QCOMPARE shows what differs.
QString describe(const SharedState &s)
{
    return QStringLiteral("copy=%1 clear=%2 over=%3 send=%4 use=%5,%6 no=%7 [%8] [%9]")
        .arg(s.CopyMsgShow).arg(s.ClearMsgShow).arg(s.OverMsgShow).arg(s.SendMode)
        .arg(s.UseAtesaki).arg(s.UseKenmei).arg(s.SettingNo)
        .arg(QStringList(s.Atesaki.begin(), s.Atesaki.end()).join(u'|'),
             QStringList(s.Kenmei.begin(), s.Kenmei.end()).join(u'|'));
}

template <typename T = QWidget>
T *control(const QWidget *window, const QString &name)
{
    auto *found = window->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// Plays the user's part: "click:NAME", "type:NAME:TEXT" (replaces
// the text of a box), "key:Enter", "key:Esc", "close" (the title bar's close box)
// and "next:STEP;STEP..." (steps for the window that a later step opens).
void play(QWidget *window, const QStringList &steps)
{
    for (const QString &step : steps) {
        const QString verb = step.section(u':', 0, 0);
        const QString name = step.section(u':', 1, 1);
        if (verb == u"click") {
            // Near the left edge: a check box takes clicks on its tick and
            // caption only, not on the blank that may follow them.
            QWidget *button = control(window, name);
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
        } else if (verb == u"type") {
            auto *box = control<QLineEdit>(window, name);
            box->clear();
            QTest::keyClicks(box, step.section(u':', 2));
        } else if (verb == u"key") {
            const Qt::Key key = name == u"Enter" ? Qt::Key_Return : Qt::Key_Escape;
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

// Runs the dialog as the program does, with the steps played once it is
// open; tells how it ended: "accepted", "rejected" or "left open".
QString runWithSteps(QDialog &dialog, const QStringList &steps)
{
    QString end = QStringLiteral("left open");
    whenModalOpens([&](QWidget *modal) {
        play(modal, steps);
        if (modal->isVisible()) // must not hang the test
            dialog.done(QDialog::Rejected);
        else
            end = dialog.result() == QDialog::Accepted ? "accepted" : "rejected";
    });
    dialog.exec();
    return end;
}

} // namespace

class TestSettingsDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The captions must fit with the fonts that stand in for the Windows ones.
    void initTestCase() { registerJapaneseFontSubstitutes(); }
    void cleanup() { QVERIFY(noModalLeftOpen()); }

    void closes_data();
    void closes();
    void slotMarking_data();
    void slotMarking();
    void captionsFit();

private:
    QWidget owner; // stands for the main window
};

void TestSettingsDialogs::closes_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<SharedState>("before");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<SharedState>("after");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("picture"); // given to the main window's button

    const SharedState allOff = initial(false, false);
    const SharedState allOn = initial(true, true); // slot 1, destination used, subject not
    const QStringList ok{"click:cmdOK"};
    const QStringList slots{"type:txtAtena_0:a0@example.jp", "type:txtKenmei_0:", "type:txtKenmei_1:k1",
                            "type:txtAtena_2:a2@example.jp", "type:txtKenmei_2:k2",
                            "click:OptSetting_2", "click:chkAtesaki", "click:chkKenmei"};

    // OK at once keeps what was loaded.
    QTest::newRow("frmConfig: loaded on, send mode")
        << "frmConfig" << allOn << ok << allOn << "accepted" << "SendBtn.gif";
    QTest::newRow("frmConfig: loaded off, copy mode")
        << "frmConfig" << allOff << ok << allOff << "accepted" << "CopyBtn.gif";
    QTest::newRow("frmConfig: OK")
        << "frmConfig" << allOn
        << QStringList{"click:chkCopyMsg", "click:chkClearMsg", "click:chk200OverMsg", "click:OptCopy"} + ok
        << allOff << "accepted" << "CopyBtn.gif";
    for (const char *way : {"click:cmdCancel", "close", "key:Esc"})
        QTest::addRow("frmConfig: 初期設定に戻す, %s", way)
            << "frmConfig" << allOff << QStringList{"click:cmdDefault", way} << allOff << "rejected" << "";
    QTest::newRow("frmConfig: 初期設定に戻す, OK")
        << "frmConfig" << allOff << QStringList{"click:cmdDefault"} + ok << allOn << "accepted" << "SendBtn.gif";
    SharedState detailed = allOff;
    detailed.Atesaki[0] = QStringLiteral("new@example.jp");
    detailed.SettingNo = 2;
    QTest::newRow("frmConfig: send details kept when Cancel follows")
        << "frmConfig" << allOff
        << QStringList{"click:chkCopyMsg", "next:type:txtAtena_0:new@example.jp;click:OptSetting_2;click:cmdOK",
                       "click:CmdSendBtnConfig", "click:cmdCancel"}
        << detailed << "rejected" << "";
    QTest::newRow("frmConfig: Enter on a check box presses nothing")
        << "frmConfig" << allOff << QStringList{"click:chkCopyMsg", "key:Enter"} << allOff << "left open" << "";

    SharedState edited = allOn;
    edited.Atesaki = {QStringLiteral("a0@example.jp"), allOn.Atesaki[1], QStringLiteral("a2@example.jp")};
    edited.Kenmei = {QString(), QStringLiteral("k1"), QStringLiteral("k2")};
    edited.SettingNo = 2;
    edited.UseAtesaki = 0;
    edited.UseKenmei = 1;
    QTest::newRow("frmSendDetail: OK") << "frmSendDetail" << allOn << slots + ok << edited << "accepted" << "";
    for (const char *way : {"click:cmdCancel", "close", "key:Esc"})
        QTest::addRow("frmSendDetail: %s", way)
            << "frmSendDetail" << allOn << slots + QStringList{way} << allOn << "rejected" << "";
    // Only 1 means "use"; any other stored value shows as not ticked.
    SharedState odd = allOn, unticked = allOn;
    unticked.UseAtesaki = unticked.UseKenmei = 0;
    for (auto [atesaki, kenmei] : {std::pair<qint16, qint16>{2, -1}, {-1, 2}}) {
        odd.UseAtesaki = atesaki;
        odd.UseKenmei = kenmei;
        QTest::addRow("frmSendDetail: use values %d and %d show cleared", atesaki, kenmei)
            << "frmSendDetail" << odd << ok << unticked << "accepted" << "";
    }
}

void TestSettingsDialogs::closes()
{
    QFETCH(QString, dialog);
    QFETCH(SharedState, before);
    QFETCH(QStringList, steps);
    QFETCH(SharedState, after);
    QFETCH(QString, end);
    QFETCH(QString, picture);

    SharedState state = before;
    QStringList given;
    std::unique_ptr<QDialog> window;
    if (dialog == u"frmConfig")
        window = std::make_unique<frmConfig>(state, [&](const QString &file) { given << file; }, &owner);
    else
        window = std::make_unique<frmSendDetail>(state, &owner);
    QCOMPARE(runWithSteps(*window, steps), end);
    QCOMPARE(describe(state), describe(after));
    QCOMPARE(given.join(u", "), picture);
}

void TestSettingsDialogs::slotMarking_data()
{
    QTest::addColumn<int>("settingNo");
    QTest::addColumn<int>("clicked"); // -1: none
    QTest::addColumn<int>("selected");

    for (int no : {0, 1, 2})
        QTest::addRow("slot %d", no) << no << -1 << no;
    // A hand-edited settings file can hold any number.
    for (int no : {-1, 3, 300})
        QTest::addRow("%d falls back on slot 0", no) << no << -1 << 0;
    QTest::newRow("0, then 2 clicked") << 0 << 2 << 2;
    QTest::newRow("2, then 1 clicked") << 2 << 1 << 1;
}

void TestSettingsDialogs::slotMarking()
{
    QFETCH(int, settingNo);
    QFETCH(int, clicked);
    QFETCH(int, selected);

    SharedState state = initial(true, true);
    state.SettingNo = qint16(settingNo);
    frmSendDetail dialog(state, &owner);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (clicked >= 0)
        play(&dialog, {"click:OptSetting_" + QString::number(clicked)});

    for (int i = 0; i < SharedState::SlotCount; ++i) {
        const QString n = QString::number(i);
        const QColor expected = i == selected ? QColor(255, 0, 0) : QColor(0, 0, 0);
        QCOMPARE(control<QRadioButton>(&dialog, "OptSetting_" + n)->isChecked(), i == selected);
        for (const char *part : {"OptSetting_", "lblAtesaki_", "lblKenmei_"})
            QCOMPARE(control(&dialog, part + n)->palette().color(QPalette::WindowText), expected);
        const auto *atesaki = control<QLineEdit>(&dialog, "txtAtena_" + n);
        const auto *kenmei = control<QLineEdit>(&dialog, "txtKenmei_" + n);
        QCOMPARE(atesaki->text(), state.Atesaki[i]);
        QCOMPARE(kenmei->text(), state.Kenmei[i]);
        // The frame drawn round the slot must not take the clicks meant for its text boxes.
        QCOMPARE(dialog.childAt(atesaki->geometry().center()), atesaki);
        QCOMPARE(dialog.childAt(kenmei->geometry().center()), kenmei);
    }
    dialog.close();
}

// With the fonts substituted for the Windows ones, no caption may need more
// room than its control has.
void TestSettingsDialogs::captionsFit()
{
    SharedState state;
    frmConfig config(state, [](const QString &) {}, &owner);
    frmSendDetail detail(state, &owner);
    for (const QDialog *dialog : std::initializer_list<const QDialog *>{&config, &detail}) {
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     qPrintable(label->objectName()));
        for (const QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
            QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->objectName()));
    }
}

QTEST_MAIN(TestSettingsDialogs)
#include "tst_settings_dialogs.moc"
