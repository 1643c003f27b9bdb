// The handset window over fake desktop parts, driven as a user drives it.

#include "fakes.h"
#include "core/message_text.h"
#include "core/stored_draft.h"
#include "platform/fonts.h"
#include "ui/fixed_cell_editor.h"
#include "ui/main_window.h"
#include "ui/picture_button.h"

#include <QAccessible>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// One main window over fake desktop parts, started as the program starts it.
struct Harness {
    FakePlatform fakes;
    Platform platform;
    FakeDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    explicit Harness(const QMap<QString, QString> &stored = {}) : platform(fakes.platform())
    {
        fakes.store.values = stored;
        window = std::make_unique<MainWindow>(platform, dialogs);
        window->show();
    }
    template <typename T = QWidget>
    T *child(const char *name) const { return window->findChild<T *>(QString::fromLatin1(name)); }
    QPlainTextEdit *box() const
    {
        auto *eight = child<QPlainTextEdit>("txtEdit_8moji");
        return eight->isVisible() ? eight : child<QPlainTextEdit>("txtEdit_10moji");
    }
    QString count() const { return child<QLabel>("lblMoji")->text(); }
    void choose(const char *option) { child<QRadioButton>(option)->setChecked(true); }
};

// The marked characters of the first block, each with "~" for a wave, "." for dots.
QString marks(QPlainTextEdit *box)
{
    const QTextBlock block = box->document()->firstBlock();
    QString found;
    for (const QTextLayout::FormatRange &range : block.layout()->formats())
        found += block.text().mid(range.start, range.length)
                 + (range.format.underlineStyle() == QTextCharFormat::WaveUnderline ? u'~' : u'.');
    return found;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerJapaneseFontSubstitutes(); }
    void restoresAndSaves_data();
    void restoresAndSaves();
    void overLimitNotice();
    void hugeStoredDraftIsKeptAndOpensCut();
    void marksFollowEditsAndWidth();
    void editsAtTheLimitAndThroughInputMethods_data();
    void editsAtTheLimitAndThroughInputMethods();
    void screenReaderFindsEveryUnitAndCharacter();
    void screenReaderReadsUnitsAsShown_data();
    void screenReaderReadsUnitsAsShown();
    void pictureButtons_data();
    void pictureButtons();
    void tabGoesRoundTheWindow();
    void sendGoesWhereChosen_data();
    void sendGoesWhereChosen();
    void helpOpensWithoutBrowser();
};

void TestMainWindow::restoresAndSaves_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("savedConfig");
    QTest::addColumn<QString>("savedEdit");
    QTest::addColumn<QString>("typed"); // at the end, before closing
    QTest::newRow("first run, save fails") << QString() << QString() << "txtEdit_10moji" << "" << "0" << "1111000" << ""
                                           << "";
    QTest::newRow("8 wide, lone LF and CR, stored as read") << "0101111" << "a\nb\rc" << "txtEdit_8moji" << "a\nb\nc"
                                                            << "7" << "0101111" << "a\nb\rc" << "";
    QTest::newRow("a paragraph separator and more, stored as read")
        << "0101111" << "a\u00A0b\u2028c\u2029d😀か\u3099" << "txtEdit_8moji" << "a b\nc\nd😀か\u3099" << "13"
        << "0101111" << "a\u00A0b\u2028c\u2029d😀か\u3099" << "";
    QTest::newRow("every character kept through an edit, a lone LF made CR LF")
        << "0101111" << "a\u00A0b\u2028c😀か\u3099\nd" << "txtEdit_8moji" << "a b\nc😀か\u3099\nd" << "13" << "0101111"
        << "a\u00A0b\u2028c😀か\u3099\r\ndx" << "x";
}

void TestMainWindow::restoresAndSaves()
{
    QFETCH(QString, config);
    QFETCH(QString, edit);
    Harness h(config.isEmpty() ? QMap<QString, QString>() : QMap<QString, QString>{{"Config", config}, {"Edit", edit}});
    QTEST(h.box()->objectName(), "box");
    QTEST(h.box()->toPlainText(), "boxText");
    QTEST(h.count(), "count");
    QTRY_VERIFY(h.box()->hasFocus());
    QCOMPARE(h.box()->textCursor().selectedText().size(), h.box()->toPlainText().size());
    h.fakes.store.flushSucceeds = !config.isEmpty();
    h.box()->moveCursor(QTextCursor::End);
    QFETCH(QString, typed);
    QTest::keyClicks(h.box(), typed);
    h.window->close();
    QTEST(h.fakes.store.values.value("Config"), "savedConfig");
    QTEST(h.fakes.store.values.value("Edit"), "savedEdit");
    // A failed save names the file; the store has kept what it held before.
    QCOMPARE(h.fakes.messages.shown.size(), config.isEmpty() ? 1 : 0);
    if (config.isEmpty())
        QVERIFY(h.fakes.messages.shown.front().contains(h.fakes.store.location()));
}

// Once per rise past 200, once no word is being composed, not for a stored
// long text, not for changes while it is open, and not when switched off.
void TestMainWindow::overLimitNotice()
{
    Harness h({{"Edit", QString(199, u'a')}});
    h.box()->moveCursor(QTextCursor::End);
    QInputMethodEvent nextWordStarted(QStringLiteral("ｄ"), {});
    nextWordStarted.setCommitString(QStringLiteral("日本語"));
    QApplication::sendEvent(h.box(), &nextWordStarted);
    QCOMPARE(h.count(), QStringLiteral("205"));
    QTest::qWait(400);
    QVERIFY(h.dialogs.opened.isEmpty());
    h.dialogs.during = [&] {
        h.box()->setPlainText(QStringLiteral("ab"));
        h.box()->setPlainText(QString(201, u'a'));
    };
    QInputMethodEvent wordDone;
    wordDone.setCommitString(QStringLiteral("です"));
    QApplication::sendEvent(h.box(), &wordDone);
    QTRY_COMPARE(h.dialogs.opened, QStringList{"over"});
    QTest::qWait(400);
    QCOMPARE(h.dialogs.opened.size(), 1);
    QCOMPARE(h.count(), QStringLiteral("201")); // as the text is once the notice has closed
    for (const auto &stored : {QMap<QString, QString>{{"Edit", QString(201, u'a')}}, {{"Config", "1110000"}}}) {
        Harness quiet(stored);
        quiet.box()->setPlainText(QString(202, u'a'));
        QTest::qWait(400);
        QVERIFY(quiet.dialogs.opened.isEmpty());
    }
}

// A draft too long to edit swiftly is kept whole beside the settings and
// opens with the characters that fit (a surrogate pair at the cut kept
// whole); the user is told where the whole is. Up to the bound it opens whole.
void TestMainWindow::hugeStoredDraftIsKeptAndOpensCut()
{
    const qsizetype limit = MessageText::MaximumCharacters;
    const QString stored =
        QString(limit - 1, u'x') + QStringLiteral("😀") + QString(StoredDraft::MaximumOpenedWhole - limit + 1, u'y');
    Harness h({{"Config", "1111000"}, {"Edit", stored}});
    QCOMPARE(h.fakes.store.keptAside, QStringList{stored});
    QCOMPARE(h.box()->toPlainText(), stored.left(limit + 1));
    QApplication::processEvents();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QVERIFY(h.fakes.messages.shown.front().contains(QStringLiteral("/fake/draft.txt")));
    h.window->close();
    QCOMPARE(h.fakes.store.values.value("Edit"), stored.left(limit + 1));
    Harness whole({{"Edit", stored.chopped(1)}});
    QCOMPARE(whole.box()->toPlainText(), stored.chopped(1));
    QVERIFY(whole.fakes.store.keptAside.isEmpty());
}

// Marks follow an edit and the width switch, which keeps the selection and
// the undo steps too;
// a letter and its combining mark are marked, drawn and replaced as one.
// Replacing them all at once is one undo step.
void TestMainWindow::marksFollowEditsAndWidth()
{
    Harness h;
    QApplication::processEvents(); // the marks start with the event loop
    h.box()->insertPlainText(QStringLiteral("a①b😀㈱か\u3099"));
    QCOMPARE(marks(h.box()), QStringLiteral("①.😀~㈱.か\u3099~"));
    QTextCursor cursor = h.box()->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    h.box()->setTextCursor(cursor);
    h.choose("Opt8Moji");
    QCOMPARE(h.box()->objectName(), QStringLiteral("txtEdit_8moji"));
    QCOMPARE(h.box()->textCursor().selectedText(), QStringLiteral("①b"));
    QCOMPARE(marks(h.box()), QStringLiteral("①.😀~㈱.か\u3099~"));
    const QPoint onCircledOne = h.box()->cursorRect(h.box()->document()->find("①")).center() - QPoint(2, 0);
    QContextMenuEvent click(QContextMenuEvent::Mouse, onCircledOne, {});
    QApplication::sendEvent(h.box()->viewport(), &click);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    const QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.at(actions.size() - 2)->text(), QStringLiteral("「①」を「1」に置き換える"));
    actions.last()->trigger();
    menu->close();
    QCOMPARE(h.box()->toPlainText(), QStringLiteral("a1b😀(株)が"));
    QCOMPARE(marks(h.box()), QStringLiteral("😀~"));
    h.box()->undo();
    QCOMPARE(h.box()->toPlainText(), QStringLiteral("a①b😀㈱か\u3099"));
    h.box()->undo(); // typed before the switch
    QCOMPARE(h.box()->toPlainText(), QString());
}

void TestMainWindow::editsAtTheLimitAndThroughInputMethods_data()
{
    QTest::addColumn<int>("filler"); // so many "a" before the draft
    QTest::addColumn<QString>("draft"); // the caret at its end
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("text"); // after the filler
    QTest::addColumn<QString>("refusals");
    const int limit = MessageText::MaximumCharacters;
    QTest::newRow("one undo step a conversion")
        << 0 << "" << QStringList{"p:にほんご", "c:日本語", "p:です", "c:です", "p:ね", "c:ね", "undo"} << "日本語です" << "";
    QTest::newRow("reconverting a selection replaces just the selection")
        << 0 << "日本語を勉強" << QStringList{"s:0:3", "r:-3:3", "p:にほんご", "c:日本語"} << "日本語を勉強" << "";
    QTest::newRow("a click while composing keeps the word once, though the input method commits it again")
        << 0 << "" << QStringList{"p:にほんご", "m:", "c:にほんご", "p:です", "m:"} << "にほんごです" << "";
    QTest::newRow("a long composition stays in sight") << 300 << "" << QStringList{"p:" + QString(40, u'あ')} << "" << "";
    QTest::newRow("a commit past the limit") << limit - 2 << "" << QStringList{"p:にほんご", "c:日本語"} << ""
                                             << "refused input, 2 fit";
    QTest::newRow("typing at the limit") << limit << "" << QStringList{"k:x", "k:\r"} << "" << "beep beep";
    QTest::newRow("a stored draft over the limit loads whole; edits that do not lengthen it work")
        << limit + 1 << "yz" << QStringList{"s:2:1", "k:x", "k:\b", "k:w"} << "y" << "beep";
    QTest::newRow("a paste past the limit") << limit - 10 << "" << QStringList{"v:0123456789😀"} << ""
                                            << "refused paste, 10 fit";
    QTest::newRow("a paste from an empty clipboard") << 0 << "" << QStringList{"v:"} << "" << "";
    QTest::newRow("a paste up to the limit") << limit - 10 << "" << QStringList{"v:012345678😀"} << "012345678😀" << "";
    QTest::newRow("a refused commit is told once the word being composed is done")
        << limit - 2 << "" << QStringList{"p:にほんご", "c:日本語", "p:ｄ", "w", "p:で", "w", "c:で"} << "で" << "refused input, 1 fit";
    QTest::newRow("a screen reader's insertion past the limit") << limit - 2 << "" << QStringList{"t:0:0:abcde"} << ""
                                                                << "refused input, 2 fit";
    QTest::newRow("a screen reader's whole new text past the limit")
        << 0 << "abc" << QStringList{"t:0:3:" + QString(3 * limit, u'x')} << "abc" << "refused input, 10000 fit";
    QTest::newRow("replacing every mark past the limit") << limit - 5 << "㌖" << QStringList{"marks"} << "㌖"
                                                         << "refused replacement, 4 fit";
}

// A selection (s:anchor:caret, after the filler), keys (k:), input-method
// preedits (p:), commits (c:) and deletions of surrounding text
// (r:start:length), clicks after the text (m:), pastes (v:, nothing offered
// when empty; the clipboard left as it was), undo, a screen reader's
// replacement (t:start:end:text), replacing every mark (marks) and a pause
// (w); the caret, or the composition's caret, is in sight after each, and no
// notice opens while a word is being composed.
void TestMainWindow::editsAtTheLimitAndThroughInputMethods()
{
    QFETCH(int, filler);
    QFETCH(QString, draft);
    Harness h({{"Edit", QString(filler, u'a') + draft}});
    h.box()->moveCursor(QTextCursor::End);
    h.dialogs.during = [&] { QVERIFY(h.box()->textCursor().block().layout()->preeditAreaText().isEmpty()); };
    QSignalSpy refused(static_cast<FixedCellEditor *>(h.box()), &FixedCellEditor::typingRefused);
    QFETCH(QStringList, actions);
    for (const QString &action : actions) {
        const QString value = action.mid(2);
        if (action.startsWith(u"s:")) {
            QTextCursor cursor = h.box()->textCursor();
            cursor.setPosition(filler + value.section(u':', 0, 0).toInt());
            cursor.setPosition(filler + value.section(u':', 1, 1).toInt(), QTextCursor::KeepAnchor);
            h.box()->setTextCursor(cursor);
        } else if (action.startsWith(u"k:")) {
            QTest::keyClick(h.box(), value.front().toLatin1());
        } else if (action.startsWith(u"v:")) {
            value.isEmpty() ? QGuiApplication::clipboard()->setMimeData(new QMimeData) : QGuiApplication::clipboard()->setText(value);
            h.box()->paste();
            QCOMPARE(QGuiApplication::clipboard()->text(), value);
        } else if (action == u"m:") {
            QTest::mouseClick(h.box()->viewport(), Qt::LeftButton, {}, h.box()->viewport()->rect().bottomRight());
        } else if (action == u"undo") {
            h.box()->undo();
        } else if (action.startsWith(u"t:")) {
            QAccessible::queryAccessibleInterface(h.box())->editableTextInterface()->replaceText(
                filler + value.section(u':', 0, 0).toInt(), filler + value.section(u':', 1, 1).toInt(), value.section(u':', 2));
        } else if (action == u"w") {
            QTest::qWait(300);
        } else if (action == u"marks") {
            const QPoint onMark = h.box()->cursorRect(h.box()->document()->find("㌖")).center() - QPoint(2, 0);
            QContextMenuEvent click(QContextMenuEvent::Mouse, onMark, {});
            QApplication::sendEvent(h.box()->viewport(), &click);
            QApplication::activePopupWidget()->actions().last()->trigger();
            QApplication::activePopupWidget()->close();
        } else {
            QInputMethodEvent event(action.startsWith(u"p:") ? value : QString(), {});
            event.setCommitString(action.startsWith(u"c:") ? value : QString(), value.section(u':', 0, 0).toInt(),
                                  action.startsWith(u"r:") ? value.section(u':', 1, 1).toInt() : 0);
            QApplication::sendEvent(h.box(), &event);
        }
        QVERIFY2(h.box()->viewport()->rect().contains(h.box()->cursorRect()), qPrintable(action));
        QApplication::processEvents();
    }
    QCOMPARE(h.box()->toPlainText().left(filler), QString(filler, u'a'));
    QTEST(h.box()->toPlainText().mid(filler), "text");
    QFETCH(QString, refusals);
    QTRY_COMPARE((QStringList(refused.size(), QStringLiteral("beep")) + h.dialogs.opened).join(u' '), refusals);
}

// Every word, sentence, line and paragraph a screen reader asks for is
// answered, holds the offset and leads on to the next; every character is
// found where the box draws it, in every paragraph.
void TestMainWindow::screenReaderFindsEveryUnitAndCharacter()
{
    Harness h;
    h.box()->setPlainText(QStringLiteral("日本語の文章です。か\u3099😀👍🏽 a b.\n\n次の段落、長い文。"));
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(h.box())->textInterface();
    const int count = text->characterCount();
    for (const auto unit : {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
                            QAccessible::LineBoundary, QAccessible::ParagraphBoundary}) {
        for (int offset = 0; offset <= count; ++offset) {
            int at[2], before[2], after[2];
            text->textAtOffset(offset, unit, &at[0], &at[1]);
            text->textBeforeOffset(offset, unit, &before[0], &before[1]);
            text->textAfterOffset(offset, unit, &after[0], &after[1]);
            const bool leadsOn = at[0] <= offset && (offset < at[1] || offset == count)
                                 && (at[0] == 0 || (before[0] < at[0] && before[0] < before[1]))
                                 && (at[1] >= count || (after[1] > at[1] && after[0] < after[1]));
            QVERIFY2(leadsOn, qPrintable(QStringLiteral("unit %1 offset %2").arg(unit).arg(offset)));
        }
    }
    for (int start = 0, end = 0; start < count; start = end) {
        if (text->textAtOffset(start, QAccessible::CharBoundary, &start, &end) != u"\n")
            QCOMPARE(text->offsetAtPoint(text->characterRect(start).center()), start);
    }
}

void TestMainWindow::screenReaderReadsUnitsAsShown_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset"); // -1: the end of the text
    QTest::addColumn<int>("unit"); // -1: the run of one format
    QTest::addColumn<QString>("read");
    const auto full = [](int n) { return QString(n, QChar(u'あ')); };
    const int line = QAccessible::LineBoundary, word = QAccessible::WordBoundary;
    QTest::newRow("8: eight full-width") << "Opt8Moji" << full(8) + "1" << 0 << line << full(8);
    QTest::newRow("8: 7 full + 2 half") << "Opt8Moji" << full(7) + "111" << 0 << line << full(7) + "11";
    QTest::newRow("8: sixteen half-width, words do not break early") << "Opt8Moji" << "aaaa bbbb cccc dd" << 0 << line << "aaaa bbbb cccc d";
    QTest::newRow("10: a letter and its mark at the wrap") << "Opt10Moji" << full(9) + "か\u3099き" << 0 << line << full(9) + "か\u3099";
    QTest::newRow("10: 9 full + 2 half") << "Opt10Moji" << full(9) + "111" << 0 << line << full(9) + "11";
    QTest::newRow("8: a paragraph's end is on its last line") << "Opt8Moji" << full(9) + "\nい" << 9 << line << "あ\n";
    QTest::newRow("8: the end of the text is on the last line") << "Opt8Moji" << "ab\ncd" << -1 << line << "cd";
    QTest::newRow("8: a blank hanging at the wrap") << "Opt8Moji" << QString(16, u'a') + " b" << 16 << line << QString(16, u'a') + " ";
    QTest::newRow("8: a tab hanging at the wrap") << "Opt8Moji" << QString(16, u'a') + "\tb" << 16 << line << QString(16, u'a') + "\t";
    QTest::newRow("10: the last word at the end of the text") << "Opt10Moji" << "Hello world" << -1 << word << "world";
    QTest::newRow("10: a word at a paragraph's end") << "Opt10Moji" << "Hello world\nx" << 11 << word << "world\n";
    QTest::newRow("10: a sentence at a paragraph's end") << "Opt10Moji" << "文です。\n次" << 4 << int(QAccessible::SentenceBoundary) << "文です。\n";
    QTest::newRow("10: one format, the whole paragraph") << "Opt10Moji" << "Hello world\nx" << 10 << -1 << "Hello world\n";
}

// What a screen reader reads at an offset: the unit as the box shows it, whole.
void TestMainWindow::screenReaderReadsUnitsAsShown()
{
    QFETCH(QString, width);
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(int, unit);
    Harness h;
    h.choose(qPrintable(width));
    h.box()->setPlainText(text);
    QAccessibleTextInterface *reader = QAccessible::queryAccessibleInterface(h.box())->textInterface();
    offset = offset < 0 ? reader->characterCount() : offset;
    int start = 0, end = 0;
    if (unit < 0)
        QVERIFY(reader->attributes(offset, &start, &end).contains(h.box()->font().family()));
    QTEST(unit < 0 ? reader->text(start, end) : reader->textAtOffset(offset, QAccessible::TextBoundaryType(unit), &start, &end), "read");
}

void TestMainWindow::pictureButtons_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key"); // its shortcut, pressed in the editor
    QTest::addColumn<bool>("keep"); // the answer to the clear confirmation
    QTest::addColumn<QString>("pictures"); // the files' stem: "…Down.gif" pressed, "….gif" released
    QTest::addColumn<QString>("name"); // read out
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("launched");
    QTest::addColumn<QString>("copied"); // null: the clipboard untouched
    QTest::addColumn<QString>("text"); // left in the box
    const int enter = (Qt::CTRL | Qt::Key_Return).toCombined();
    const int keypad = (Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Enter).toCombined();
    const int clear = (Qt::CTRL | Qt::SHIFT | Qt::Key_Backspace).toCombined();
    QTest::newRow("send") << "1111011" << "ImgCopy" << enter << false << "sendBtn" << "送信" << ""
                          << "mailto:to@example.jp?subject=件名&body=a%26b%0D%0Acです" << QString() << "a&b\ncです";
    QTest::newRow("copy with notice") << "1111100" << "ImgCopy" << keypad << false << "CopyBtn" << "コピー" << "copy"
                                      << "" << "a&b\ncです" << "a&b\ncです";
    QTest::newRow("clear, no confirmation") << "1101000" << "ImgClear" << clear << false << "ClearBtn" << "クリア" << ""
                                            << "" << QString() << "";
    QTest::newRow("clear, confirmed") << "1111000" << "ImgClear" << clear << false << "ClearBtn" << "クリア" << "clear"
                                      << "" << QString() << "";
    QTest::newRow("clear, kept") << "1111000" << "ImgClear" << clear << true << "ClearBtn" << "クリア" << "clear"
                                 << "" << QString() << "a&b\nc";
}

// Each picture reacts alike to a left click, to its shortcut in the editor,
// to Space or Enter once it has the focus and to a screen reader's press:
// pressed picture first, then its action on the text as shown, a word being
// composed included; no key reaches the text.
// As on any desktop button, the right button and a left one released off the
// picture do nothing, and the picture shows pressed only while held over it.
void TestMainWindow::pictureButtons()
{
    QFETCH(QString, config);
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(bool, keep);
    QFETCH(QString, pictures);
    for (const QString by : {"mouse", "key", "Space", "Enter", "screen reader", "right button", "released off"}) {
        const auto tell = qScopeGuard([&] { if (QTest::currentTestFailed()) qWarning() << "pressed by" << by; });
        Harness h({{"Config", config}, {"SettingNo", " 1"}, {"Atesaki1", "to@example.jp"}, {"Kenmei1", "件名"}});
        h.dialogs.clearAnswer = {!keep, true};
        h.box()->setPlainText(QStringLiteral("a&b\nc"));
        h.box()->moveCursor(QTextCursor::End);
        QInputMethodEvent composing(QStringLiteral("です"), {});
        QApplication::sendEvent(h.box(), &composing);
        auto *picture = h.child<PictureButton>(qPrintable(button));
        const auto shows = [picture](const QString &file) {
            return picture->grab().toImage().pixelColor(picture->rect().center()) == FakePictureLoader::colourOf(file);
        };
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(picture);
        QCOMPARE(accessible->role(), QAccessible::Button);
        QCOMPARE(accessible->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        QTEST(accessible->text(QAccessible::Name), "name");
        std::optional<QString> clipboardDuringNotice;
        h.dialogs.during = [&] { clipboardDuringNotice = h.fakes.clipboard.text; };
        const bool ignored = by == u"right button" || by == u"released off";
        if (ignored) {
            const Qt::MouseButton mouse = by == u"right button" ? Qt::RightButton : Qt::LeftButton;
            const QPoint off = picture->rect().center() + QPoint(0, by == u"released off" ? 40 : 0);
            QTest::mousePress(picture, mouse, {}, picture->rect().center());
            QTest::mouseMove(picture, off);
            QTest::mouseRelease(picture, mouse, {}, off);
        } else if (by == u"mouse") {
            QTest::mousePress(picture, Qt::LeftButton);
        } else if (by == u"key") {
            QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
            QTRY_VERIFY(h.box()->hasFocus());
            const QKeyCombination keys = QKeyCombination::fromCombined(key);
            QTest::keyClick(h.box(), keys.key(), keys.keyboardModifiers());
        } else if (by == u"Space" || by == u"Enter") {
            QTest::keyPress(picture, by == u"Space" ? Qt::Key_Space : Qt::Key_Return);
        } else {
            accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        QCOMPARE(shows(pictures + QStringLiteral("Down.gif")), !ignored);
        if (by == u"mouse")
            QTest::mouseRelease(picture, Qt::LeftButton);
        if (by == u"Space")
            QTest::keyRelease(picture, Qt::Key_Space);
        QTRY_VERIFY(shows(pictures + QStringLiteral(".gif")));

        if (ignored) {
            QVERIFY(h.dialogs.opened.isEmpty() && h.fakes.launcher.targets.isEmpty());
            QCOMPARE(h.box()->toPlainText(), QStringLiteral("a&b\nc"));
            continue;
        }
        QTEST(h.dialogs.opened.join(u' '), "opened");
        QTEST(h.fakes.launcher.targets.join(u' '), "launched");
        const bool copied = h.fakes.clipboard.text != QStringLiteral("old clipboard content");
        QTEST(copied ? h.fakes.clipboard.text.value_or("<cleared>") : QString(), "copied");
        QTEST(h.box()->toPlainText(), "text");
        if (clipboardDuringNotice) // the copy notice comes before the copy
            QCOMPARE(*clipboardDuringNotice, QStringLiteral("old clipboard content"));
    }
}

// Tab goes round every control, each named as a screen reader names it; a
// click on a picture leaves the focus in the box.
void TestMainWindow::tabGoesRoundTheWindow()
{
    Harness h({{"Config", "0111000"}});
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    QTest::mouseClick(h.child<PictureButton>("ImgClear"), Qt::LeftButton);
    QStringList names;
    for (int tabs = 0; tabs < 5; ++tabs, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
        names += QAccessible::queryAccessibleInterface(QApplication::focusWidget())->text(QAccessible::Name);
    QCOMPARE(names.join(u' '), QStringLiteral("本文 送信 クリア 8文字 本文"));
}

void TestMainWindow::sendGoesWhereChosen_data()
{
    QTest::addColumn<QString>("sendTo"); // as stored; null: no such key
    QTest::addColumn<QString>("mailProgram"); // what the desktop answers by the time the tip shows; "": none set
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("opens"); // the handler starts
    QTest::addColumn<QString>("effect"); // the tip first
    const QString outlook = QStringLiteral("https://outlook.live.com/mail/0/deeplink/compose?to=to%40example.jp&subject=");
    QTest::newRow("no key: the mail program, named") << QString() << "Thunderbird メール" << "a+b\nc" << false
        << "「Thunderbird メール」で新しいメールを作成します。 (Ctrl+Enter): asked 1, launched mailto:to@example.jp?subject= &body=a+b%0D%0Ac, told メールソフトが正常に動作するか確認してください, saved <none>";
    QTest::newRow("a name that looks like markup is shown as written") << "mailto" << "Mail <b>B</b><img src=\"nowhere\">" << "a" << false
        << "「Mail <b>B</b><img src=\"nowhere\">」で新しいメールを作成します。 (Ctrl+Enter): asked 1, launched mailto:to@example.jp?subject= &body=a, told メールソフトが正常に動作するか確認してください, saved mailto";
    QTest::newRow("unknown value: the mail program, none set") << "Gmail" << "" << "a" << false
        << "メールソフトが設定されていません。 (Ctrl+Enter)\nメニューの「設定」の「送信方法」で Gmail か Outlook.com を選べます。: "
           "asked 1, launched mailto:to@example.jp?subject= &body=a, told メールソフトが設定されていません, saved mailto";
    QTest::newRow("Outlook.com, too long, no browser: copied, nothing said of pasting") << "outlook" << "" << QString(1000, u'あ') << false
        << "ブラウザの Outlook.com で新しいメールを作成します。 (Ctrl+Enter): asked 0, clipboard has the text, launched " + outlook + ", told メールの作成画面を開けませんでした, saved outlook";
    QTest::newRow("Gmail, too long: pasted once the page opens") << "gmail" << "" << QString(1000, u'あ') << true
        << "ブラウザの Gmail で新しいメールを作成します。 (Ctrl+Enter): asked 0, clipboard has the text, [paste] with it, launched https://mail.google.com/mail/?view=cm&fs=1&to=to%40example.jp&su=, saved gmail";
}

// The tip names what will open, asking the desktop again as it is about to
// show; the press opens it, a failure told in its words; a text too long for
// the page is on the clipboard before the notice says so. The choice is
// saved, and a file that never made one stays without it.
void TestMainWindow::sendGoesWhereChosen()
{
    QFETCH(QString, sendTo);
    QMap<QString, QString> stored{{"Config", "1111010"}, {"Atesaki0", "to@example.jp"}};
    if (!sendTo.isNull())
        stored.insert("SendTo", sendTo);
    Harness h(stored);
    QFETCH(QString, text);
    h.box()->setPlainText(text);
    QFETCH(QString, mailProgram);
    h.fakes.mailProgram.program = {mailProgram.isEmpty() ? DesktopMailProgram::State::NoneSet
                                                         : DesktopMailProgram::State::Named, mailProgram};
    auto *picture = h.child<PictureButton>("ImgCopy");
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), picture->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(picture, &hover);
    // The tip as drawn: rich text as a QLabel renders it.
    QString drawn;
    for (QWidget *tip : QApplication::topLevelWidgets())
        drawn = tip->objectName() == u"qtooltip_label" ? static_cast<QLabel *>(tip)->text() : drawn;
    if (Qt::mightBeRichText(drawn)) {
        QTextDocument document;
        document.setHtml(drawn);
        drawn = document.toPlainText();
    }
    QCOMPARE(drawn, picture->toolTip());

    bool copiedBeforeNotice = false;
    h.dialogs.during = [&] { copiedBeforeNotice = h.fakes.clipboard.text == text; };
    QFETCH(bool, opens);
    h.fakes.launcher.result = opens ? LaunchResult::Started : LaunchResult::Failed;
    QTest::mouseClick(picture, Qt::LeftButton);
    h.window->close();
    QString effect = picture->toolTip() + QStringLiteral(": asked %1").arg(h.fakes.mailProgram.lookUps);
    if (h.fakes.clipboard.text == text)
        effect += QStringLiteral(", clipboard has the text");
    for (const QString &opened : h.dialogs.opened)
        effect += QStringLiteral(", [%1] %2").arg(opened, copiedBeforeNotice ? "with it" : "without it");
    for (const QString &target : h.fakes.launcher.targets)
        effect += QStringLiteral(", launched ") + target;
    for (const QString &message : h.fakes.messages.shown)
        effect += QStringLiteral(", told ") + message.section(u'。', 1, 1).trimmed();
    effect += QStringLiteral(", saved ") + h.fakes.store.values.value("SendTo", "<none>");
    QTEST(effect, "effect");
}

// Without a browser that starts, ヘルプ shows the same page in the program's
// own window, and no error.
void TestMainWindow::helpOpensWithoutBrowser()
{
    for (const LaunchResult result : {LaunchResult::Started, LaunchResult::Failed}) {
        Harness h;
        h.fakes.launcher.result = result;
        h.window->findChild<QAction *>(QStringLiteral("mnuHelpMe"))->trigger();
        QVERIFY(h.fakes.launcher.targets.value(0).endsWith(QStringLiteral("/help/index.html")));
        QCOMPARE(h.dialogs.opened, result == LaunchResult::Started ? QStringList() : QStringList{"help"});
        QCOMPARE(h.fakes.messages.shown, QStringList());
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
