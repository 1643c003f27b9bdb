#include "actions/mail_url.h"
#include "actions/picture_button.h"
#include "fakes.h"
#include "main_window/frm_main.h"
#include "main_window/message_text.h"
#include "main_window/window_dialogs.h"
#include "modal_helpers.h"
#include "platform/data_files.h"
#include "platform/fonts.h"
#include "platform/ini_settings_store.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {

const QString Full100 = QString(100, QChar(u'あ'));

// One main window over fake desktop parts, started as the program starts it.
struct Harness {
    SharedState state;
    FakePlatform fakes;
    Platform platform;
    FakeDialogs dialogs;
    std::unique_ptr<FrmMain> window;

    // `store` replaces the fake settings store, for trips through a real file.
    explicit Harness(SettingsStore *store = nullptr)
        : platform{store ? *store : fakes.store, fakes.instance, fakes.launcher, fakes.messages,
                   fakes.beeper, fakes.clipboard, fakes.pictures},
          window(std::make_unique<FrmMain>(state, platform, dialogs))
    {
    }

    bool start()
    {
        if (!window->Form_Load())
            return false;
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return false;
        // Loading hides the box of the width that is not selected.
        return QTest::qWaitFor([this] {
            return window->txtEdit_8moji()->isHidden() != window->txtEdit_10moji()->isHidden();
        });
    }

    QPlainTextEdit *box() const { return window->currentBox(); }
    QString count() const { return window->lblMoji()->text(); }
    int notices() const { return int(dialogs.opened.count(QStringLiteral("FrmOver"))); }
};

int lineCount(QPlainTextEdit *box)
{
    int lines = 0;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
        lines += block.layout()->lineCount();
    return lines;
}

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void firstRunShowsDefaultsAndSavesThem();
    void secondInstanceIsRefusedUntouched();
    void storedTextLandsInStoredWidthFullySelected_data();
    void storedTextLandsInStoredWidthFullySelected();
    void loadedBeforeTheWindowTakesKeys();
    void overNoticeOncePerRise_data();
    void overNoticeOncePerRise();
    void changesDuringNoticeAreNotCounted();
    void storedLongTextRaisesNoNoticeAtStart();
    void widthSwitchCarriesTheText();
    void ctrlASelectsAll_data();
    void ctrlASelectsAll();
    void linesHoldExactlyTheCells_data();
    void linesHoldExactlyTheCells();
    void copyModeCopiesAfterTheNotice_data();
    void copyModeCopiesAfterTheNotice();
    void sendModeLaunchesTheMailUrl();
    void failedMailLaunchIsReported();
    void buttonPicturesFollowPressAndMode_data();
    void buttonPicturesFollowPressAndMode();
    void missingPictureKeepsTheCurrentOne();
    void clear_data();
    void clear();
    void helpWithoutPagesReportsBrowserFailure();
    void dialogChoicesReachTheFileOnlyAtClose();
};

void TestFrmMain::initTestCase()
{
    registerJapaneseFontSubstitutes();
}

void TestFrmMain::firstRunShowsDefaultsAndSavesThem()
{
    Harness h;
    QVERIFY(h.start());
    QVERIFY(h.window->Opt10Moji()->isChecked());
    QVERIFY(h.window->txtEdit_10moji()->isVisible());
    QVERIFY(h.window->txtEdit_8moji()->isHidden());
    QCOMPARE(h.box()->toPlainText(), QString());
    QCOMPARE(h.count(), QStringLiteral("0"));
    QCOMPARE(h.window->ImgCopy()->pictureFile(), QStringLiteral("sendBtn.gif"));
    QVERIFY(h.state.CopyMsgShow && h.state.ClearMsgShow && h.state.OverMsgShow && h.state.SendMode);
    QCOMPARE(h.window->palette().color(QPalette::Window), QColor(221, 243, 247));

    h.window->close();
    const QMap<QString, QString> expected{
        {"Edit", ""},     {"Config", "1111000"}, {"Atesaki0", ""}, {"Atesaki1", ""},   {"Atesaki2", ""},
        {"Kenmei0", ""},  {"Kenmei1", ""},       {"Kenmei2", ""},  {"SettingNo", " 0"}};
    QCOMPARE(h.fakes.store.values, expected);
    QCOMPARE(h.fakes.store.writtenKeys,
             QStringList({"Edit", "Config", "Atesaki0", "Atesaki1", "Atesaki2", "Kenmei0", "Kenmei1",
                          "Kenmei2", "SettingNo"}));
    QCOMPARE(h.fakes.store.flushes, 1);
}

void TestFrmMain::secondInstanceIsRefusedUntouched()
{
    Harness h;
    h.fakes.instance.running = true;
    h.fakes.store.values.insert(QStringLiteral("Edit"), QStringLiteral("kept"));
    QVERIFY(!h.start());
    QCOMPARE(h.fakes.beeper.beeps, 1);
    QCOMPARE(h.fakes.messages.shown.size(), size_t(1));
    const ShownMessage &message = h.fakes.messages.shown.front();
    QCOMPARE(message.text, QStringLiteral("「ラークパッド」はすでに起動しています。\r\n"
                                          "「ラークパッド」を複数起動することはできません。"));
    QCOMPARE(message.title, QStringLiteral("ラークパッド"));
    QCOMPARE(message.style, MessageStyle::Exclamation);
    QVERIFY(!h.window->isVisible());
    QVERIFY(h.fakes.store.writtenKeys.isEmpty());
    QCOMPARE(h.fakes.store.flushes, 0);
}

void TestFrmMain::storedTextLandsInStoredWidthFullySelected_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("eight");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QString>("count");
    QTest::newRow("10 wide with CR LF") << "1111000" << "一行目\r\nabc" << false << "一行目\nabc" << "11";
    QTest::newRow("8 wide, lone LF and CR") << "0101111" << "a\nb\rc" << true << "a\nb\nc" << "7";
    QTest::newRow("width unreadable stays 8") << "x2x9000" << "テスト" << true << "テスト" << "6";
}

void TestFrmMain::storedTextLandsInStoredWidthFullySelected()
{
    QFETCH(QString, config);
    QFETCH(QString, edit);
    QFETCH(bool, eight);
    Harness h;
    h.fakes.store.values.insert(QStringLiteral("Config"), config);
    h.fakes.store.values.insert(QStringLiteral("Edit"), edit);
    QVERIFY(h.start());
    QCOMPARE(h.window->Opt8Moji()->isChecked(), eight);
    QCOMPARE(h.box() == h.window->txtEdit_8moji(), eight);
    QVERIFY(h.box()->isVisible());
    QTEST(h.box()->toPlainText(), "boxText");
    QTEST(h.count(), "count");
    QTRY_VERIFY(h.box()->hasFocus());
    QCOMPARE(h.box()->textCursor().selectionStart(), 0);
    QCOMPARE(h.box()->textCursor().selectionEnd(), h.box()->toPlainText().size());

    // Reactivation after a dialog neither reloads nor moves the selection.
    h.fakes.store.values.insert(QStringLiteral("Edit"), QStringLiteral("changed"));
    h.window->activateWindow();
    QApplication::processEvents();
    QTEST(h.box()->toPlainText(), "boxText");
}

// Keys typed the moment the window appears must not be overwritten by a load
// that comes after them.
void TestFrmMain::loadedBeforeTheWindowTakesKeys()
{
    Harness h;
    h.fakes.store.values.insert(QStringLiteral("Edit"), QStringLiteral("stored"));
    QVERIFY(h.window->Form_Load());
    h.window->show();
    QCOMPARE(h.box()->toPlainText(), QStringLiteral("stored"));
    QTest::keyClicks(h.box(), QStringLiteral("new"));
    QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
    QCOMPARE(h.box()->toPlainText(), QStringLiteral("new"));
}

void TestFrmMain::overNoticeOncePerRise_data()
{
    QTest::addColumn<bool>("overMsgShow");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("noticesAfterEach");

    const QString over = Full100 + u'a';
    QTest::newRow("200 is not over, 201 is") << true << QStringList{Full100, over} << QList<int>{0, 1};
    QTest::newRow("a line break counts 2")
        << true << QStringList{QString(199, u'x'), QString(199, u'x') + u'\n'} << QList<int>{0, 1};
    QTest::newRow("growing further shows nothing more")
        << true << QStringList{over, over + u'b', over + QStringLiteral("bcd")} << QList<int>{1, 1, 1};
    QTest::newRow("back to 200 arms it again")
        << true << QStringList{over, Full100, over, Full100.left(50), over} << QList<int>{1, 1, 2, 2, 3};
    QTest::newRow("switched off: never") << false << QStringList{over, Full100, over} << QList<int>{0, 0, 0};
}

void TestFrmMain::overNoticeOncePerRise()
{
    QFETCH(bool, overMsgShow);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, noticesAfterEach);
    Harness h;
    QVERIFY(h.start());
    h.state.OverMsgShow = overMsgShow;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        h.box()->setPlainText(texts[i]);
        QCOMPARE(h.notices(), noticesAfterEach[i]);
        QCOMPARE(h.count(), QString::number(MessageText::count(texts[i])));
    }
    // Switching the width never raises it.
    const int before = h.notices();
    h.window->Opt8Moji()->setChecked(true);
    h.window->Opt10Moji()->setChecked(true);
    QCOMPARE(h.notices(), before);
}

void TestFrmMain::changesDuringNoticeAreNotCounted()
{
    Harness h;
    QVERIFY(h.start());
    h.state.OverMsgShow = true;
    QPlainTextEdit *box = h.box();
    h.dialogs.answer = [box](const QString &) { box->setPlainText(QStringLiteral("ab")); };
    box->setPlainText(Full100 + u'a');
    QCOMPARE(h.notices(), 1);
    // The label shows the text as it is once the notice has closed...
    QCOMPARE(h.count(), QStringLiteral("2"));
    // ...but the notice state still reflects the rise, until the next change.
    h.dialogs.answer = nullptr;
    box->setPlainText(Full100 + u'b');
    QCOMPARE(h.notices(), 1);
}

void TestFrmMain::storedLongTextRaisesNoNoticeAtStart()
{
    Harness h;
    h.fakes.store.values.insert(QStringLiteral("Edit"), Full100 + QStringLiteral("abc"));
    QVERIFY(h.start());
    QVERIFY(h.state.OverMsgShow);
    QCOMPARE(h.count(), QStringLiteral("203"));
    h.box()->setPlainText(Full100 + QStringLiteral("abcd"));
    QCOMPARE(h.notices(), 0);
    h.box()->setPlainText(Full100);
    h.box()->setPlainText(Full100 + u'x');
    QCOMPARE(h.notices(), 1);
}

void TestFrmMain::widthSwitchCarriesTheText()
{
    Harness h;
    QVERIFY(h.start());
    QTest::keyClicks(h.window->txtEdit_10moji(), QStringLiteral("hello"));
    h.window->Opt8Moji()->setChecked(true);
    QVERIFY(h.window->txtEdit_8moji()->isVisible());
    QVERIFY(h.window->txtEdit_10moji()->isHidden());
    QCOMPARE(h.window->txtEdit_8moji()->toPlainText(), QStringLiteral("hello"));
    QCOMPARE(h.count(), QStringLiteral("5"));
    QTest::keyClicks(h.window->txtEdit_8moji(), QStringLiteral("!!"));
    QCOMPARE(h.window->txtEdit_8moji()->toPlainText(), QStringLiteral("hello!!"));
    // The hidden box is not kept up to date while typing.
    QCOMPARE(h.window->txtEdit_10moji()->toPlainText(), QStringLiteral("hello"));
    h.window->Opt10Moji()->setChecked(true);
    QCOMPARE(h.window->txtEdit_10moji()->toPlainText(), QStringLiteral("hello!!"));
    // Selecting the selected width again changes nothing.
    h.window->txtEdit_8moji()->setPlainText(QStringLiteral("stale"));
    h.window->Opt10Moji()->setChecked(true);
    QCOMPARE(h.window->txtEdit_10moji()->toPlainText(), QStringLiteral("hello!!"));
}

void TestFrmMain::ctrlASelectsAll_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("selectsAll");
    QTest::newRow("Ctrl+A") << int(Qt::ControlModifier) << true;
    QTest::newRow("Ctrl+Shift+A") << int(Qt::ControlModifier | Qt::ShiftModifier) << true;
    QTest::newRow("A alone types") << int(Qt::NoModifier) << false;
}

void TestFrmMain::ctrlASelectsAll()
{
    QFETCH(int, modifiers);
    QFETCH(bool, selectsAll);
    Harness h;
    QVERIFY(h.start());
    for (QPlainTextEdit *box : {h.window->txtEdit_10moji(), h.window->txtEdit_8moji()}) {
        box->setPlainText(QStringLiteral("あいう\nえお"));
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(2);
        box->setTextCursor(cursor);
        QTest::keyClick(box, Qt::Key_A, Qt::KeyboardModifiers(modifiers));
        if (selectsAll) {
            QCOMPARE(box->textCursor().selectionStart(), 0);
            QCOMPARE(box->textCursor().selectionEnd(), 6);
            QCOMPARE(box->toPlainText(), QStringLiteral("あいう\nえお"));
        } else {
            QCOMPARE(box->toPlainText(), QStringLiteral("あいaう\nえお"));
        }
    }
}

void TestFrmMain::linesHoldExactlyTheCells_data()
{
    QTest::addColumn<bool>("eight");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    const auto full = [](int n) { return QString(n, QChar(u'あ')); };
    const auto half = [](int n) { return QString(n, QChar(u'1')); };
    QTest::newRow("8: eight full-width") << true << full(8) << 1;
    QTest::newRow("8: nine full-width") << true << full(9) << 2;
    QTest::newRow("8: sixteen half-width") << true << half(16) << 1;
    QTest::newRow("8: seventeen half-width") << true << half(17) << 2;
    QTest::newRow("8: 7 full + 2 half") << true << full(7) + half(2) << 1;
    QTest::newRow("8: 7 full + 3 half") << true << full(7) + half(3) << 2;
    QTest::newRow("8: 1 half + 8 full, last moves whole") << true << half(1) + full(8) << 2;
    QTest::newRow("8: words do not break early") << true << QStringLiteral("aaaa bbbb cccc dd") << 2;
    QTest::newRow("8: sixteen full-width") << true << full(16) << 2;
    QTest::newRow("10: ten full-width") << false << full(10) << 1;
    QTest::newRow("10: eleven full-width") << false << full(11) << 2;
    QTest::newRow("10: twenty half-width") << false << half(20) << 1;
    QTest::newRow("10: twenty-one half-width") << false << half(21) << 2;
    QTest::newRow("10: 9 full + 2 half") << false << full(9) + half(2) << 1;
    QTest::newRow("10: 9 full + 3 half") << false << full(9) + half(3) << 2;
    QTest::newRow("10: thirty full-width") << false << full(30) << 3;
}

void TestFrmMain::linesHoldExactlyTheCells()
{
    QFETCH(bool, eight);
    QFETCH(QString, text);
    Harness h;
    QVERIFY(h.start());
    h.window->Opt8Moji()->setChecked(eight);
    h.window->Opt10Moji()->setChecked(!eight);
    QPlainTextEdit *box = h.box();
    box->setPlainText(text);
    QApplication::processEvents();
    QTEST(lineCount(box), "lines");
    // Both boxes stand centred on one vertical line.
    const QRect r8 = h.window->txtEdit_8moji()->geometry();
    const QRect r10 = h.window->txtEdit_10moji()->geometry();
    QCOMPARE(r8.x() * 2 + r8.width(), r10.x() * 2 + r10.width());
}

void TestFrmMain::copyModeCopiesAfterTheNotice_data()
{
    QTest::addColumn<bool>("copyMsgShow");
    QTest::addColumn<bool>("eight");
    QTest::addColumn<QString>("text");
    QTest::newRow("notice, 10 wide, two lines") << true << false << "一行目\n二行目";
    QTest::newRow("no notice, 8 wide") << false << true << "abc";
    QTest::newRow("empty text still replaces the clipboard") << false << false << "";
}

void TestFrmMain::copyModeCopiesAfterTheNotice()
{
    QFETCH(bool, copyMsgShow);
    QFETCH(bool, eight);
    QFETCH(QString, text);
    Harness h;
    h.fakes.store.values.insert(QStringLiteral("Config"), copyMsgShow ? "1111100" : "1011100");
    QVERIFY(h.start());
    QVERIFY(!h.state.SendMode);
    (eight ? h.window->Opt8Moji() : h.window->Opt10Moji())->setChecked(true);
    h.box()->setPlainText(text);
    // The other box holds something else, which must not be what is copied.
    (eight ? h.window->txtEdit_10moji() : h.window->txtEdit_8moji())->setPlainText(QStringLiteral("other"));
    std::optional<QString> clipboardDuringNotice;
    h.dialogs.answer = [&](const QString &) { clipboardDuringNotice = h.fakes.clipboard.text; };

    QTest::mouseClick(h.window->ImgCopy(), Qt::LeftButton);

    QCOMPARE(h.dialogs.opened.count(QStringLiteral("frmCopy")), copyMsgShow ? 1 : 0);
    if (copyMsgShow)
        QCOMPARE(clipboardDuringNotice, std::optional<QString>(QStringLiteral("old clipboard content")));
    QCOMPARE(h.fakes.clipboard.text, std::optional<QString>(text));
    QCOMPARE(h.fakes.clipboard.clears, 1);
    QVERIFY(h.fakes.launcher.targets.isEmpty());
}

void TestFrmMain::sendModeLaunchesTheMailUrl()
{
    Harness h;
    h.fakes.store.values.insert(QStringLiteral("Config"), QStringLiteral("0111011"));
    h.fakes.store.values.insert(QStringLiteral("Atesaki1"), QStringLiteral("to@example.jp"));
    h.fakes.store.values.insert(QStringLiteral("Kenmei1"), QStringLiteral("件名"));
    h.fakes.store.values.insert(QStringLiteral("SettingNo"), QStringLiteral(" 1"));
    QVERIFY(h.start());
    h.box()->setPlainText(QStringLiteral("a&b\nc"));
    h.window->txtEdit_10moji()->setPlainText(QStringLiteral("not this"));
    QTest::mouseClick(h.window->ImgCopy(), Qt::RightButton);
    QCOMPARE(h.fakes.launcher.targets,
             QStringList{QStringLiteral("mailto:to@example.jp?subject=件名&body=a%26b%0D%0Ac")});
    QVERIFY(h.fakes.messages.shown.empty());
    QCOMPARE(h.fakes.clipboard.clears, 0);
    QCOMPARE(h.box()->toPlainText(), QStringLiteral("a&b\nc"));
}

void TestFrmMain::failedMailLaunchIsReported()
{
    Harness h;
    QVERIFY(h.start());
    h.fakes.launcher.result = 0;
    h.fakes.launcher.deferred = true;
    QTest::mouseClick(h.window->ImgCopy(), Qt::LeftButton);
    QVERIFY(h.fakes.messages.shown.empty());
    h.fakes.launcher.finish();
    QCOMPARE(h.fakes.messages.shown.size(), size_t(1));
    QCOMPARE(h.fakes.messages.shown.front().text, QStringLiteral("メモリまたはリソースが不足しています。"));
    QCOMPARE(h.fakes.messages.shown.front().title, QStringLiteral("メールソフト起動エラー"));
    QCOMPARE(h.fakes.messages.shown.front().style, MessageStyle::Stop);
}

void TestFrmMain::buttonPicturesFollowPressAndMode_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("copyDown");
    QTest::addColumn<QString>("copyUp");
    QTest::addColumn<QString>("accessibleName");
    QTest::newRow("send, left") << "1110000" << int(Qt::LeftButton) << "sendBtnDown.gif" << "sendBtn.gif" << "送信";
    QTest::newRow("send, right") << "1110000" << int(Qt::RightButton) << "sendBtnDown.gif" << "sendBtn.gif" << "送信";
    QTest::newRow("copy, middle") << "1000100" << int(Qt::MiddleButton) << "CopyBtnDown.gif" << "CopyBtn.gif" << "コピー";
}

void TestFrmMain::buttonPicturesFollowPressAndMode()
{
    QFETCH(QString, config);
    QFETCH(int, button);
    Harness h;
    h.fakes.store.values.insert(QStringLiteral("Config"), config);
    QVERIFY(h.start());
    const auto mouse = Qt::MouseButton(button);
    QTest::mousePress(h.window->ImgCopy(), mouse);
    QTEST(h.window->ImgCopy()->pictureFile(), "copyDown");
    QTest::mouseRelease(h.window->ImgCopy(), mouse);
    QTEST(h.window->ImgCopy()->pictureFile(), "copyUp");
    QTEST(h.window->ImgCopy()->accessibleName(), "accessibleName");
    QTest::mousePress(h.window->ImgClear(), mouse);
    QCOMPARE(h.window->ImgClear()->pictureFile(), QStringLiteral("ClearBtnDown.gif"));
    QTest::mouseRelease(h.window->ImgClear(), mouse);
    QCOMPARE(h.window->ImgClear()->pictureFile(), QStringLiteral("ClearBtn.gif"));
    QCOMPARE(h.window->ImgCopy()->size(), QSize(62, 38));
}

void TestFrmMain::missingPictureKeepsTheCurrentOne()
{
    Harness h;
    h.fakes.pictures.missing << QStringLiteral("sendBtnDown.gif");
    QVERIFY(h.start());
    QTest::mousePress(h.window->ImgCopy(), Qt::LeftButton);
    QCOMPARE(h.window->ImgCopy()->pictureFile(), QStringLiteral("sendBtn.gif"));
    QTest::mouseRelease(h.window->ImgCopy(), Qt::LeftButton);
    QCOMPARE(h.fakes.launcher.targets.size(), 1);
}

void TestFrmMain::clear_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("answerKeep");
    QTest::addColumn<bool>("emptied");
    QTest::newRow("no confirmation") << false << false << true;
    QTest::newRow("confirmed: delete") << true << false << true;
    QTest::newRow("confirmed: keep") << true << true << false;
}

void TestFrmMain::clear()
{
    QFETCH(bool, confirm);
    QFETCH(bool, answerKeep);
    QFETCH(bool, emptied);
    Harness h;
    QVERIFY(h.start());
    h.state.ClearMsgShow = confirm;
    h.state.OverMsgShow = true;
    h.window->Opt8Moji()->setChecked(true);
    h.window->txtEdit_10moji()->setPlainText(QStringLiteral("hidden"));
    h.box()->setPlainText(Full100 + u'x');
    QCOMPARE(h.notices(), 1);
    h.dialogs.answer = [&](const QString &window) {
        if (window == QStringLiteral("frmClear") && answerKeep)
            h.state.ClearAnswer = false;
    };
    QTest::mouseClick(h.window->ImgClear(), Qt::LeftButton);
    QCOMPARE(h.dialogs.opened.count(QStringLiteral("frmClear")), confirm ? 1 : 0);
    QCOMPARE(h.window->txtEdit_8moji()->toPlainText().isEmpty(), emptied);
    QCOMPARE(h.window->txtEdit_10moji()->toPlainText().isEmpty(), emptied);
    QCOMPARE(h.count(), emptied ? QStringLiteral("0") : QStringLiteral("201"));
    QVERIFY(h.window->Opt8Moji()->isChecked());
    // Emptied text arms the notice again.
    h.box()->setPlainText(Full100 + u'y');
    QCOMPARE(h.notices(), emptied ? 2 : 1);
}

void TestFrmMain::helpWithoutPagesReportsBrowserFailure()
{
    QTemporaryDir empty;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(empty.path()));
    if (!DataFiles::find(QStringLiteral("help"), QStringLiteral("index.html")).isEmpty()) {
        QDir::setCurrent(previous);
        QSKIP("an installed copy of the help pages is found beside or outside the test");
    }
    Harness h;
    QVERIFY(h.start());
    h.window->findChild<QAction *>(QStringLiteral("mnuHelpMe"))->trigger();
    QVERIFY(QDir(empty.path()).mkpath(QStringLiteral("Help")));
    QFile page(empty.filePath(QStringLiteral("Help/Index.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    h.window->findChild<QAction *>(QStringLiteral("mnuHelpMe"))->trigger();
    QDir::setCurrent(previous);

    QCOMPARE(h.fakes.messages.shown.size(), size_t(1));
    QCOMPARE(h.fakes.messages.shown.front().text,
             QStringLiteral("ブラウザの起動に失敗しました。ヘルプファイルが見つからないか、"
                            "又はブラウザが破損している可能性があります。"));
    QCOMPARE(h.fakes.messages.shown.front().title, QStringLiteral("ブラウザ起動エラー"));
    QCOMPARE(h.fakes.launcher.targets.size(), 1);
    QCOMPARE(QFileInfo(h.fakes.launcher.targets.front()).canonicalFilePath(),
             QFileInfo(page.fileName()).canonicalFilePath());
}

// The settings dialog and the send-details dialog, as a user works them, with
// the real settings file behind: nothing is written until the window closes,
// then everything, and the next start finds it.
void TestFrmMain::dialogChoicesReachTheFileOnlyAtClose()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Larkpad.ini"));
    const auto click = [](QWidget *dialog, const char *name) {
        dialog->findChild<QAbstractButton *>(QString::fromLatin1(name))->click();
    };
    {
        IniSettingsStore store(path);
        Harness h(&store);
        WindowDialogs dialogs(h.state, h.platform);
        FrmMain window(h.state, h.platform, dialogs);
        QVERIFY(window.Form_Load());
        window.show();
        QVERIFY(QTest::qWaitFor([&] { return window.txtEdit_8moji()->isHidden(); }));

        whenModalOpens([&](QWidget *config) {
            click(config, "OptCopy");
            whenModalOpens(
                [&](QWidget *detail) {
                    click(detail, "OptSetting_2");
                    detail->findChild<QLineEdit *>(QStringLiteral("txtAtena_2"))->setText(QStringLiteral("to@example.jp"));
                    click(detail, "chkAtesaki");
                    click(detail, "cmdOK");
                },
                5000, "frmSendDetail");
            click(config, "CmdSendBtnConfig");
            click(config, "cmdOK");
        });
        window.findChild<QAction *>(QStringLiteral("mnuConfig"))->trigger();
        QVERIFY(noModalLeftOpen());
        window.currentBox()->setPlainText(QStringLiteral("  先頭に空白\ntwo"));
        QCOMPARE(window.ImgCopy()->pictureFile(), QStringLiteral("CopyBtn.gif"));
        QVERIFY(!QSettings(path, QSettings::IniFormat).contains(QStringLiteral("Ver.1.0/Config")));
        window.close();
    }
    QSettings raw(path, QSettings::IniFormat);
    raw.beginGroup(QStringLiteral("Ver.1.0"));
    QCOMPARE(raw.value(QStringLiteral("SettingNo")).toString(), QStringLiteral(" 2"));
    QCOMPARE(raw.value(QStringLiteral("Config")).toString(), QStringLiteral("1111110"));
    QCOMPARE(raw.value(QStringLiteral("Atesaki2")).toString(), QStringLiteral("to@example.jp"));
    QCOMPARE(raw.value(QStringLiteral("Edit")).toString(), QStringLiteral("  先頭に空白\r\ntwo"));

    IniSettingsStore store(path);
    Harness h(&store);
    QVERIFY(h.start());
    QCOMPARE(h.state.SettingNo, qint16(2));
    QCOMPARE(h.state.Atesaki[2], QStringLiteral("to@example.jp"));
    QCOMPARE(h.state.UseAtesaki, qint16(1));
    QVERIFY(!h.state.SendMode);
    QCOMPARE(h.window->ImgCopy()->pictureFile(), QStringLiteral("copyBtn.gif"));
    QCOMPARE(h.box()->toPlainText(), QStringLiteral("  先頭に空白\ntwo"));
    QCOMPARE(h.count(), QStringLiteral("17"));
}

QTEST_MAIN(TestFrmMain)
#include "tst_frm_main.moc"
