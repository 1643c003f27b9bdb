#include "layouts/window_style.h"
#include "modal_helpers.h"
#include "platform/fonts.h"
#include "settings/frm_config.h"
#include "settings/frm_send_detail.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(SharedState)

namespace {

const QColor Red{255, 0, 0};
const QColor Black{0, 0, 0};

// Send settings that no step of the settings dialog may touch.
SharedState withSlots()
{
    SharedState state;
    state.Atesaki = {QStringLiteral("taro@example.jp"), QStringLiteral("hanako@example.jp"),
                     QStringLiteral("jiro@example.jp")};
    state.Kenmei = {QStringLiteral("こんにちは"), QStringLiteral("連絡"), QString()};
    state.UseAtesaki = 1;
    state.UseKenmei = 0;
    state.SettingNo = 1;
    return state;
}

SharedState withOptions(bool copyMsg, bool clearMsg, bool overMsg, bool sendMode)
{
    SharedState state = withSlots();
    state.CopyMsgShow = copyMsg;
    state.ClearMsgShow = clearMsg;
    state.OverMsgShow = overMsg;
    state.SendMode = sendMode;
    return state;
}

template <typename Change>
SharedState changed(SharedState state, Change change)
{
    change(state);
    return state;
}

// One line per state, so that QCOMPARE shows what differs.
QString describe(const SharedState &s)
{
    return QStringLiteral("copy=%1 clear=%2 over=%3 send=%4 useAtesaki=%5 useKenmei=%6 no=%7 "
                          "atesaki=[%8] kenmei=[%9]")
        .arg(s.CopyMsgShow)
        .arg(s.ClearMsgShow)
        .arg(s.OverMsgShow)
        .arg(s.SendMode)
        .arg(s.UseAtesaki)
        .arg(s.UseKenmei)
        .arg(s.SettingNo)
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

// Plays the user's part. Steps: "click:NAME", "focus:NAME", "type:NAME:TEXT"
// (replaces the text of a box), "key:Enter", "key:Esc", "key:Space" (on the
// focused control) and "close" (the title bar's close box).
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
        } else if (verb == u"focus") {
            control(window, name)->setFocus();
        } else if (verb == u"type") {
            auto *box = control<QLineEdit>(window, name);
            box->setFocus();
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClicks(box, step.section(u':', 2));
        } else if (verb == u"key") {
            const int key = name == u"Enter" ? Qt::Key_Return
                            : name == u"Esc" ? Qt::Key_Escape
                                             : Qt::Key_Space;
            QTest::keyClick(window->focusWidget(), Qt::Key(key));
        } else if (verb == u"close") {
            window->close();
        } else {
            qFatal("unknown step %s", qPrintable(step));
        }
    }
}

struct Outcome {
    int accepted = 0;
    int rejected = 0;
    bool leftOpen = false;
};

// Runs the dialog as the program does, with the steps played once it is open.
Outcome runWithSteps(QDialog &dialog, const QStringList &steps)
{
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    bool leftOpen = false;
    whenModalOpens([&](QWidget *modal) {
        play(modal, steps);
        // Steps that forget to close the dialog must not hang the test.
        if (modal->isVisible()) {
            leftOpen = true;
            static_cast<QDialog *>(modal)->done(QDialog::Rejected);
        }
    });
    dialog.exec();
    return {int(accepted.count()), int(rejected.count()), leftOpen};
}

std::unique_ptr<QDialog> makeDialog(const QString &name, SharedState &state, QWidget *owner)
{
    if (name == u"frmConfig")
        return std::make_unique<frmConfig>(state, [](const QString &) {}, owner);
    return std::make_unique<frmSendDetail>(state, owner);
}

QWidget *widgetOrWindow(QWidget *window, const QString &name)
{
    return name.isEmpty() ? window : control(window, name);
}

// The controls that Tab visits, in order, from `first` round to `first`.
QStringList tabChain(QWidget *first)
{
    QStringList names;
    QWidget *widget = first;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            names << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != first);
    return names;
}

// The controls whose caption needs more room than the control has.
QStringList cutOffCaptions(const QWidget *window)
{
    QStringList cut;
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (auto *label = qobject_cast<QLabel *>(child)) {
            const QRect needed = label->fontMetrics().boundingRect(
                QRect(0, 0, label->width(), 1000), Qt::TextWordWrap, label->text());
            if (needed.width() > label->width() || needed.height() > label->height())
                cut << label->objectName();
        } else if (auto *button = qobject_cast<QAbstractButton *>(child)) {
            if (button->sizeHint().width() > button->width())
                cut << button->objectName();
        }
    }
    return cut;
}

QColor textColor(const QWidget *widget)
{
    return widget->palette().color(QPalette::WindowText);
}

} // namespace

class TestSettingsDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup() { QVERIFY(noModalLeftOpen()); }

    void windowFrame_data();
    void windowFrame();
    void captions_data();
    void captions();
    void fonts_data();
    void fonts();
    void geometry_data();
    void geometry();
    void captionsFit_data();
    void captionsFit();
    void tabOrder_data();
    void tabOrder();
    void panelColor_data();
    void panelColor();

    void configLoads_data();
    void configLoads();
    void configCloses_data();
    void configCloses();
    void sendDetailCommitsBeforeConfigIsCancelled();

    void sendDetailSelectsSlot_data();
    void sendDetailSelectsSlot();
    void sendDetailCheckBoxes_data();
    void sendDetailCheckBoxes();
    void clickingAnotherSlotMovesTheMarking_data();
    void clickingAnotherSlotMovesTheMarking();
    void slotControlsLieAboveTheirShape_data();
    void slotControlsLieAboveTheirShape();
    void sendDetailCloses_data();
    void sendDetailCloses();

private:
    // Stands for the main window.
    QWidget owner;
};

void TestSettingsDialogs::initTestCase()
{
    registerJapaneseFontSubstitutes();
    // Off the middle of the screen, so that "centred on the owner" and
    // "centred on the screen" are told apart.
    owner.setGeometry(100, 100, 400, 300);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
}

void TestSettingsDialogs::windowFrame_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("clientSize");

    QTest::newRow("frmConfig") << "frmConfig" << "設定" << QSize(440, 360);
    QTest::newRow("frmSendDetail") << "frmSendDetail" << "送信　詳細設定" << QSize(474, 428);
}

void TestSettingsDialogs::windowFrame()
{
    QFETCH(QString, dialog);
    QFETCH(QString, title);
    QFETCH(QSize, clientSize);

    SharedState state;
    const auto window = makeDialog(dialog, state, &owner);

    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(window->windowFlags(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QCOMPARE(window->minimumSize(), clientSize);
    QCOMPARE(window->maximumSize(), clientSize);
    QVERIFY(!window->windowIcon().isNull());

    QPoint centre;
    whenModalOpens([&](QWidget *modal) {
        centre = modal->geometry().center();
        modal->close();
    });
    window->exec();
    const QPoint offCentre = centre - owner.screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2,
             qPrintable(QStringLiteral("off by %1,%2").arg(offCentre.x()).arg(offCentre.y())));
}

void TestSettingsDialogs::captions_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    const std::pair<const char *, const char *> config[] = {
        {"frmBtnDousa", "ボタンの動作"},
        {"CmdSendBtnConfig", "詳細設定..."},
        {"OptCopy", "「コピー」ボタンにする"},
        {"OptSned", "「送信」ボタンにする"},
        {"Label2", "クリップボードに文書をコピーします"},
        {"Label1", "メールソフトを起動し、文書をコピーします"},
        {"frmKakunin", "確認メッセージの表示"},
        {"chk200OverMsg", "２００文字以上入力すると注意メッセージを表示する"},
        {"chkCopyMsg", "「コピー」ボタンを押した時に確認メッセージを表示する"},
        {"chkClearMsg", "「クリア」ボタンを押した時に確認メッセージを表示する"},
        {"Label3", "ボタンの動作で「コピー」ボタンを選んでいる時のみ有効です"},
        {"cmdDefault", "初期設定に戻す"},
        {"cmdOK", "OK"},
        {"cmdCancel", "キャンセル"},
    };
    for (const auto &[name, caption] : config)
        QTest::addRow("frmConfig %s", name) << "frmConfig" << name << QString::fromUtf8(caption);

    const std::pair<const char *, const char *> detail[] = {
        {"chkAtesaki", "メールソフト起動時に宛先をセットする"},
        {"chkKenmei", "メールソフト起動時に件名をセットする"},
        {"OptSetting_0", "設定１"},
        {"OptSetting_1", "設定２"},
        {"OptSetting_2", "設定３"},
        {"lblAtesaki_0", "宛先（アドレス名）："},
        {"lblAtesaki_1", "宛先（アドレス名）："},
        {"lblAtesaki_2", "宛先（アドレス名）："},
        {"lblKenmei_0", "件名（タイトル）："},
        {"lblKenmei_1", "件名（タイトル）："},
        {"lblKenmei_2", "件名（タイトル）："},
        {"cmdOK", "OK"},
        {"cmdCancel", "キャンセル"},
    };
    for (const auto &[name, caption] : detail)
        QTest::addRow("frmSendDetail %s", name) << "frmSendDetail" << name << QString::fromUtf8(caption);
}

void TestSettingsDialogs::captions()
{
    QFETCH(QString, dialog);
    QFETCH(QString, name);
    QFETCH(QString, caption);

    SharedState state;
    const auto window = makeDialog(dialog, state, &owner);
    QWidget *widget = control(window.get(), name);
    if (auto *frame = qobject_cast<QGroupBox *>(widget))
        QCOMPARE(frame->title(), caption);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), caption);
    else
        QCOMPARE(control<QAbstractButton>(window.get(), name)->text(), caption);
}

void TestSettingsDialogs::fonts_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<bool>("bold");

    const QString gothic = QStringLiteral("ＭＳ ゴシック");
    const QString pGothic = QStringLiteral("ＭＳ Ｐゴシック");
    QTest::newRow("frame caption") << "frmConfig" << "frmBtnDousa" << gothic << 9.0 << true;
    QTest::newRow("details button") << "frmConfig" << "CmdSendBtnConfig" << pGothic << 9.0 << true;
    QTest::newRow("navy note") << "frmConfig" << "Label3" << pGothic << 8.25 << true;
    QTest::newRow("settings OK") << "frmConfig" << "cmdOK" << gothic << 11.25 << true;
    QTest::newRow("check box") << "frmSendDetail" << "chkKenmei" << gothic << 9.0 << true;
    QTest::newRow("slot option") << "frmSendDetail" << "OptSetting_2" << pGothic << 9.0 << true;
    QTest::newRow("destination box") << "frmSendDetail" << "txtAtena_1" << pGothic << 9.75 << false;
    QTest::newRow("subject box") << "frmSendDetail" << "txtKenmei_0" << pGothic << 9.75 << false;
    QTest::newRow("send-details Cancel") << "frmSendDetail" << "cmdCancel" << gothic << 11.25 << true;
}

void TestSettingsDialogs::fonts()
{
    QFETCH(QString, dialog);
    QFETCH(QString, name);
    QFETCH(QString, family);
    QFETCH(double, pointSize);
    QFETCH(bool, bold);

    SharedState state;
    const auto window = makeDialog(dialog, state, &owner);
    const QFont font = control(window.get(), name)->font();
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pointSizeF(), pointSize);
    QCOMPARE(font.bold(), bold);
}

void TestSettingsDialogs::geometry_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("rect");

    QTest::newRow("option in its frame") << "frmConfig" << "OptSned" << "frmBtnDousa" << QRect(20, 24, 169, 14);
    QTest::newRow("details button in its frame") << "frmConfig" << "CmdSendBtnConfig" << "frmBtnDousa" << QRect(302, 18, 83, 26);
    QTest::newRow("check box in its frame") << "frmConfig" << "chk200OverMsg" << "frmKakunin" << QRect(25, 92, 367, 22);
    QTest::newRow("restore defaults") << "frmConfig" << "cmdDefault" << "frmConfig" << QRect(311, 271, 105, 28);
    QTest::newRow("slot 0 option is wider and lower") << "frmSendDetail" << "OptSetting_0" << "frmSendDetail" << QRect(23, 118, 61, 26);
    QTest::newRow("slot 1 option") << "frmSendDetail" << "OptSetting_1" << "frmSendDetail" << QRect(23, 206, 57, 30);
    QTest::newRow("slot 2 option") << "frmSendDetail" << "OptSetting_2" << "frmSendDetail" << QRect(23, 291, 57, 30);
    QTest::newRow("slot 0 subject label") << "frmSendDetail" << "lblKenmei_0" << "frmSendDetail" << QRect(119, 142, 95, 18);
    QTest::newRow("slot 1 subject label one pixel left") << "frmSendDetail" << "lblKenmei_1" << "frmSendDetail" << QRect(118, 230, 95, 18);
    QTest::newRow("slot 2 subject label") << "frmSendDetail" << "lblKenmei_2" << "frmSendDetail" << QRect(119, 321, 95, 18);
    QTest::newRow("slot 0 box") << "frmSendDetail" << "Shape_0" << "frmSendDetail" << QRect(97, 90, 351, 78);
    QTest::newRow("slot 1 box 90 down") << "frmSendDetail" << "Shape_1" << "frmSendDetail" << QRect(97, 180, 351, 78);
    QTest::newRow("slot 2 box 89 down") << "frmSendDetail" << "Shape_2" << "frmSendDetail" << QRect(97, 269, 351, 78);
    QTest::newRow("send-details OK") << "frmSendDetail" << "cmdOK" << "frmSendDetail" << QRect(126, 379, 93, 30);
}

void TestSettingsDialogs::geometry()
{
    QFETCH(QString, dialog);
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, rect);

    SharedState state;
    const auto window = makeDialog(dialog, state, &owner);
    QWidget *widget = control(window.get(), name);
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(), rect);
}

void TestSettingsDialogs::captionsFit_data()
{
    QTest::addColumn<QString>("dialog");

    QTest::newRow("frmConfig") << "frmConfig";
    QTest::newRow("frmSendDetail") << "frmSendDetail";
}

void TestSettingsDialogs::captionsFit()
{
    QFETCH(QString, dialog);

    SharedState state;
    const auto window = makeDialog(dialog, state, &owner);
    QCOMPARE(cutOffCaptions(window.get()), QStringList());
}

void TestSettingsDialogs::tabOrder_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("frmConfig") << "frmConfig"
                               << QStringList{"cmdOK", "cmdCancel", "OptSned", "OptCopy",
                                              "CmdSendBtnConfig", "chkCopyMsg", "chkClearMsg",
                                              "chk200OverMsg", "cmdDefault"};
    QTest::newRow("frmSendDetail") << "frmSendDetail"
                                   << QStringList{"chkAtesaki", "chkKenmei", "OptSetting_0",
                                                  "txtAtena_0", "txtKenmei_0", "OptSetting_1",
                                                  "txtAtena_1", "txtKenmei_1", "OptSetting_2",
                                                  "txtAtena_2", "txtKenmei_2", "cmdOK", "cmdCancel"};
}

void TestSettingsDialogs::tabOrder()
{
    QFETCH(QString, dialog);
    QFETCH(QStringList, order);

    SharedState state;
    const auto window = makeDialog(dialog, state, &owner);
    QCOMPARE(tabChain(control(window.get(), order.first())), order);

    QString focused;
    whenModalOpens([&](QWidget *modal) {
        focused = modal->focusWidget()->objectName();
        modal->close();
    });
    window->exec();
    QCOMPARE(focused, order.first());
}

void TestSettingsDialogs::panelColor_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("painted");

    for (const char *name : {"", "frmBtnDousa", "OptSned", "OptCopy", "frmKakunin", "chkCopyMsg",
                             "chkClearMsg", "chk200OverMsg"})
        QTest::addRow("frmConfig %s", name) << "frmConfig" << name << true;
    QTest::newRow("frmConfig label stays transparent") << "frmConfig" << "Label1" << false;
    for (const char *name : {"", "chkAtesaki", "chkKenmei", "OptSetting_0", "OptSetting_1", "OptSetting_2"})
        QTest::addRow("frmSendDetail %s", name) << "frmSendDetail" << name << true;
    QTest::newRow("frmSendDetail label stays transparent") << "frmSendDetail" << "lblAtesaki_0" << false;
}

void TestSettingsDialogs::panelColor()
{
    QFETCH(QString, dialog);
    QFETCH(QString, name);
    QFETCH(bool, painted);

    SharedState state;
    const auto window = makeDialog(dialog, state, &owner);
    QWidget *widget = widgetOrWindow(window.get(), name);
    QCOMPARE(widget->autoFillBackground(), painted);
    // The role the widget is filled with: check boxes and option buttons
    // fill with Button, not Window.
    QCOMPARE(widget->palette().color(widget->backgroundRole()), WindowStyle::PanelColor);
}

void TestSettingsDialogs::configLoads_data()
{
    QTest::addColumn<SharedState>("state");

    QTest::newRow("all off, copy mode") << withOptions(false, false, false, false);
    QTest::newRow("all on, send mode") << withOptions(true, true, true, true);
    QTest::newRow("copy notice only, send mode") << withOptions(true, false, false, true);
    QTest::newRow("clear and over-200 only, copy mode") << withOptions(false, true, true, false);
}

void TestSettingsDialogs::configLoads()
{
    QFETCH(SharedState, state);

    frmConfig dialog(state, [](const QString &) {}, &owner);
    QCOMPARE(control<QCheckBox>(&dialog, "chkCopyMsg")->isChecked(), state.CopyMsgShow);
    QCOMPARE(control<QCheckBox>(&dialog, "chkClearMsg")->isChecked(), state.ClearMsgShow);
    QCOMPARE(control<QCheckBox>(&dialog, "chk200OverMsg")->isChecked(), state.OverMsgShow);
    QCOMPARE(control<QRadioButton>(&dialog, "OptSned")->isChecked(), state.SendMode);
    QCOMPARE(control<QRadioButton>(&dialog, "OptCopy")->isChecked(), !state.SendMode);
}

void TestSettingsDialogs::configCloses_data()
{
    QTest::addColumn<SharedState>("before");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<SharedState>("after");
    QTest::addColumn<QStringList>("pictures");
    QTest::addColumn<bool>("accepted");

    const SharedState allOff = withOptions(false, false, false, false);
    const SharedState allOn = withOptions(true, true, true, true);
    const QStringList none;
    const QStringList send{"SendBtn.gif"};
    const QStringList copy{"CopyBtn.gif"};

    QTest::newRow("Cancel after changes")
        << allOff << QStringList{"click:chkCopyMsg", "click:chkClearMsg", "click:OptSned", "click:cmdCancel"}
        << allOff << none << false;
    QTest::newRow("Cancel after 初期設定に戻す")
        << allOff << QStringList{"click:cmdDefault", "click:cmdCancel"} << allOff << none << false;
    QTest::newRow("close box after 初期設定に戻す")
        << allOff << QStringList{"click:cmdDefault", "close"} << allOff << none << false;
    QTest::newRow("Esc after 初期設定に戻す")
        << allOff << QStringList{"click:cmdDefault", "key:Esc"} << allOff << none << false;
    QTest::newRow("Enter on a focused Cancel")
        << allOff << QStringList{"click:cmdDefault", "focus:cmdCancel", "key:Enter"} << allOff << none << false;
    QTest::newRow("OK after 初期設定に戻す")
        << allOff << QStringList{"click:cmdDefault", "click:cmdOK"} << allOn << send << true;
    QTest::newRow("OptCopy and OK")
        << allOn << QStringList{"click:OptCopy", "click:cmdOK"}
        << withOptions(true, true, true, false) << copy << true;
    QTest::newRow("OK in send mode gives the send picture again")
        << allOn << QStringList{"click:cmdOK"} << allOn << send << true;
    QTest::newRow("OK in copy mode gives the copy picture again")
        << allOff << QStringList{"click:cmdOK"} << allOff << copy << true;
    QTest::newRow("each notice switched off")
        << allOn << QStringList{"click:chkCopyMsg", "click:chkClearMsg", "click:chk200OverMsg", "click:cmdOK"}
        << withOptions(false, false, false, true) << send << true;
    QTest::newRow("one notice switched on")
        << allOff << QStringList{"click:chkClearMsg", "click:cmdOK"}
        << withOptions(false, true, false, false) << copy << true;
    QTest::newRow("Enter right after opening presses OK")
        << allOn << QStringList{"key:Enter"} << allOn << send << true;
    QTest::newRow("Enter on the focused OK after a change")
        << allOn << QStringList{"click:chkCopyMsg", "focus:cmdOK", "key:Enter"}
        << withOptions(false, true, true, true) << send << true;
    QTest::newRow("Enter on a check box presses no button")
        << allOff << QStringList{"focus:cmdCancel", "focus:chkCopyMsg", "key:Enter", "click:cmdOK"}
        << allOff << copy << true;
}

void TestSettingsDialogs::configCloses()
{
    QFETCH(SharedState, before);
    QFETCH(QStringList, steps);
    QFETCH(SharedState, after);
    QFETCH(QStringList, pictures);
    QFETCH(bool, accepted);

    SharedState state = before;
    QStringList given;
    frmConfig dialog(state, [&](const QString &picture) { given << picture; }, &owner);
    const Outcome outcome = runWithSteps(dialog, steps);

    QVERIFY(!outcome.leftOpen);
    QCOMPARE(outcome.accepted, accepted ? 1 : 0);
    QCOMPARE(outcome.rejected, accepted ? 0 : 1);
    QCOMPARE(describe(state), describe(after));
    QCOMPARE(given, pictures);
}

void TestSettingsDialogs::sendDetailCommitsBeforeConfigIsCancelled()
{
    SharedState state = withOptions(false, true, false, false);
    const SharedState expected = changed(state, [](SharedState &s) {
        s.Atesaki[0] = QStringLiteral("new@example.jp");
        s.SettingNo = 2;
        s.UseKenmei = 1;
    });
    QStringList given;
    frmConfig dialog(state, [&](const QString &picture) { given << picture; }, &owner);

    QWidget *detailOwner = nullptr;
    bool detailLeftOpen = true;
    whenModalOpens([&](QWidget *config) {
        whenModalOpens([&](QWidget *detail) {
            detailOwner = detail->parentWidget();
            play(detail, {"type:txtAtena_0:new@example.jp", "click:OptSetting_2", "click:chkKenmei",
                          "click:cmdOK"});
            detailLeftOpen = detail->isVisible();
        });
        play(config, {"click:chkCopyMsg", "click:CmdSendBtnConfig", "click:cmdCancel"});
    });
    dialog.exec();

    QCOMPARE(detailOwner, &dialog);
    QVERIFY(!detailLeftOpen);
    QCOMPARE(describe(state), describe(expected));
    QVERIFY(given.isEmpty());
}

void TestSettingsDialogs::sendDetailSelectsSlot_data()
{
    QTest::addColumn<int>("settingNo");
    QTest::addColumn<int>("selected");

    QTest::newRow("slot 0") << 0 << 0;
    QTest::newRow("slot 1") << 1 << 1;
    QTest::newRow("slot 2") << 2 << 2;
    QTest::newRow("-1 falls back on slot 0") << -1 << 0;
    QTest::newRow("3 falls back on slot 0") << 3 << 0;
    QTest::newRow("300 falls back on slot 0") << 300 << 0;
}

void TestSettingsDialogs::sendDetailSelectsSlot()
{
    QFETCH(int, settingNo);
    QFETCH(int, selected);

    SharedState state = withSlots();
    state.SettingNo = qint16(settingNo);
    frmSendDetail dialog(state, &owner);

    for (int i = 0; i < SharedState::SlotCount; ++i) {
        const QString n = QString::number(i);
        const QColor expected = i == selected ? Red : Black;
        QCOMPARE(control<QRadioButton>(&dialog, "OptSetting_" + n)->isChecked(), i == selected);
        QCOMPARE(textColor(control(&dialog, "OptSetting_" + n)), expected);
        QCOMPARE(textColor(control(&dialog, "lblAtesaki_" + n)), expected);
        QCOMPARE(textColor(control(&dialog, "lblKenmei_" + n)), expected);
        QCOMPARE(control<QLineEdit>(&dialog, "txtAtena_" + n)->text(), state.Atesaki[i]);
        QCOMPARE(control<QLineEdit>(&dialog, "txtKenmei_" + n)->text(), state.Kenmei[i]);
    }
}

void TestSettingsDialogs::sendDetailCheckBoxes_data()
{
    QTest::addColumn<int>("useAtesaki");
    QTest::addColumn<int>("useKenmei");
    QTest::addColumn<bool>("atesakiTicked");
    QTest::addColumn<bool>("kenmeiTicked");

    QTest::newRow("both 0") << 0 << 0 << false << false;
    QTest::newRow("both 1") << 1 << 1 << true << true;
    QTest::newRow("1 and 0") << 1 << 0 << true << false;
    QTest::newRow("0 and 1") << 0 << 1 << false << true;
    QTest::newRow("2 and -1 show cleared") << 2 << -1 << false << false;
    QTest::newRow("-1 and 2 show cleared") << -1 << 2 << false << false;
}

void TestSettingsDialogs::sendDetailCheckBoxes()
{
    QFETCH(int, useAtesaki);
    QFETCH(int, useKenmei);
    QFETCH(bool, atesakiTicked);
    QFETCH(bool, kenmeiTicked);

    SharedState state;
    state.UseAtesaki = qint16(useAtesaki);
    state.UseKenmei = qint16(useKenmei);
    frmSendDetail dialog(state, &owner);
    QCOMPARE(control<QCheckBox>(&dialog, "chkAtesaki")->isChecked(), atesakiTicked);
    QCOMPARE(control<QCheckBox>(&dialog, "chkKenmei")->isChecked(), kenmeiTicked);
}

void TestSettingsDialogs::clickingAnotherSlotMovesTheMarking_data()
{
    QTest::addColumn<int>("settingNo");
    QTest::addColumn<int>("clicked");

    QTest::newRow("0 to 2") << 0 << 2;
    QTest::newRow("2 to 1") << 2 << 1;
    QTest::newRow("1 to 0") << 1 << 0;
}

void TestSettingsDialogs::clickingAnotherSlotMovesTheMarking()
{
    QFETCH(int, settingNo);
    QFETCH(int, clicked);

    SharedState state = withSlots();
    state.SettingNo = qint16(settingNo);
    frmSendDetail dialog(state, &owner);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    play(&dialog, {"type:txtAtena_0:edited0@example.jp", "type:txtKenmei_2:edited2"});
    play(&dialog, {"click:OptSetting_" + QString::number(clicked)});

    for (int i = 0; i < SharedState::SlotCount; ++i) {
        const QString n = QString::number(i);
        const QColor expected = i == clicked ? Red : Black;
        QCOMPARE(control<QRadioButton>(&dialog, "OptSetting_" + n)->isChecked(), i == clicked);
        QCOMPARE(textColor(control(&dialog, "OptSetting_" + n)), expected);
        QCOMPARE(textColor(control(&dialog, "lblAtesaki_" + n)), expected);
        QCOMPARE(textColor(control(&dialog, "lblKenmei_" + n)), expected);
    }
    QCOMPARE(control<QLineEdit>(&dialog, "txtAtena_0")->text(), "edited0@example.jp");
    QCOMPARE(control<QLineEdit>(&dialog, "txtAtena_1")->text(), state.Atesaki[1]);
    QCOMPARE(control<QLineEdit>(&dialog, "txtKenmei_2")->text(), "edited2");
    dialog.close();
}

void TestSettingsDialogs::slotControlsLieAboveTheirShape_data()
{
    QTest::addColumn<QString>("name");

    for (const char *name : {"txtAtena_0", "txtKenmei_0", "txtAtena_1", "txtKenmei_1", "txtAtena_2",
                             "txtKenmei_2", "lblAtesaki_0", "lblKenmei_2"})
        QTest::newRow(name) << name;
}

void TestSettingsDialogs::slotControlsLieAboveTheirShape()
{
    QFETCH(QString, name);

    SharedState state;
    frmSendDetail dialog(state, &owner);
    QWidget *widget = control(&dialog, name);
    QCOMPARE(dialog.childAt(widget->geometry().center()), widget);
}

void TestSettingsDialogs::sendDetailCloses_data()
{
    QTest::addColumn<SharedState>("before");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<SharedState>("after");
    QTest::addColumn<bool>("accepted");

    const SharedState start = withSlots(); // slot 1 in use, destination on, subject off
    const QStringList edits{"type:txtAtena_0:a0@example.jp", "type:txtKenmei_1:k1",
                            "click:OptSetting_2", "click:chkAtesaki"};

    QTest::newRow("OK commits every slot")
        << start
        << QStringList{"type:txtAtena_0:a0@example.jp", "type:txtKenmei_1:k1",
                       "type:txtAtena_2:a2@example.jp", "type:txtKenmei_0:", "click:cmdOK"}
        << changed(start, [](SharedState &s) {
               s.Atesaki[0] = QStringLiteral("a0@example.jp");
               s.Kenmei[1] = QStringLiteral("k1");
               s.Atesaki[2] = QStringLiteral("a2@example.jp");
               s.Kenmei[0] = QString();
           })
        << true;
    QTest::newRow("editing slot 0 while slot 2 is selected")
        << changed(start, [](SharedState &s) { s.SettingNo = 2; })
        << QStringList{"type:txtAtena_0:new@example.jp", "click:cmdOK"}
        << changed(start, [](SharedState &s) {
               s.SettingNo = 2;
               s.Atesaki[0] = QStringLiteral("new@example.jp");
           })
        << true;
    QTest::newRow("another slot chosen")
        << start << QStringList{"click:OptSetting_0", "click:cmdOK"}
        << changed(start, [](SharedState &s) { s.SettingNo = 0; }) << true;
    QTest::newRow("destination cleared, subject ticked")
        << start << QStringList{"click:chkAtesaki", "click:chkKenmei", "click:cmdOK"}
        << changed(start, [](SharedState &s) {
               s.UseAtesaki = 0;
               s.UseKenmei = 1;
           })
        << true;
    QTest::newRow("Space right after opening ticks the destination box off")
        << start << QStringList{"key:Space", "click:cmdOK"}
        << changed(start, [](SharedState &s) { s.UseAtesaki = 0; }) << true;
    QTest::newRow("out-of-range slot number becomes slot 0")
        << changed(start, [](SharedState &s) { s.SettingNo = 300; }) << QStringList{"click:cmdOK"}
        << changed(start, [](SharedState &s) { s.SettingNo = 0; }) << true;
    QTest::newRow("unknown use values become 0")
        << changed(start, [](SharedState &s) {
               s.UseAtesaki = 2;
               s.UseKenmei = -1;
           })
        << QStringList{"click:cmdOK"}
        << changed(start, [](SharedState &s) {
               s.UseAtesaki = 0;
               s.UseKenmei = 0;
           })
        << true;
    QTest::newRow("Enter in a text box presses no button")
        << start << QStringList{"focus:cmdCancel", "focus:txtAtena_1", "key:Enter", "click:cmdOK"}
        << start << true;
    QTest::newRow("Cancel after edits") << start << (edits + QStringList{"click:cmdCancel"}) << start << false;
    QTest::newRow("close box after edits") << start << (edits + QStringList{"close"}) << start << false;
    QTest::newRow("Esc after edits") << start << (edits + QStringList{"key:Esc"}) << start << false;
    QTest::newRow("Enter on a focused Cancel")
        << start << (edits + QStringList{"focus:cmdCancel", "key:Enter"}) << start << false;
}

void TestSettingsDialogs::sendDetailCloses()
{
    QFETCH(SharedState, before);
    QFETCH(QStringList, steps);
    QFETCH(SharedState, after);
    QFETCH(bool, accepted);

    SharedState state = before;
    frmSendDetail dialog(state, &owner);
    const Outcome outcome = runWithSteps(dialog, steps);

    QVERIFY(!outcome.leftOpen);
    QCOMPARE(outcome.accepted, accepted ? 1 : 0);
    QCOMPARE(outcome.rejected, accepted ? 0 : 1);
    QCOMPARE(describe(state), describe(after));
}

QTEST_MAIN(TestSettingsDialogs)
#include "tst_settings_dialogs.moc"
