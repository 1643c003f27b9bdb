// The handset window over fake desktop parts, driven as a user drives it.

#include "core/phone_characters.h"
#include "fakes.h"
#include "platform/fonts.h"
#include "ui/fixed_cell_editor.h"
#include "ui/main_window.h"
#include "ui/picture_button.h"

#include <QAccessible>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>
#include <QTextLayout>
#include <QToolTip>

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
    FixedCellEditor *box() const
    {
        auto *eight = child<FixedCellEditor>("txtEdit_8moji");
        return eight->isVisible() ? eight : child<FixedCellEditor>("txtEdit_10moji");
    }
    QString count() const { return child<QLabel>("lblMoji")->text(); }
    void choose(const char *option) { child<QRadioButton>(option)->setChecked(true); }
};

// The marked characters, each with "~" for one sent as "?", "." for a
// 機種依存文字, as hovering over them tells.
QString marks(FixedCellEditor *box)
{
    const QString text = box->toPlainText();
    QString found;
    for (qsizetype i = 0; i < text.size(); i += PhoneCharacters::characterAt(text, i).size()) {
        const QString character = PhoneCharacters::characterAt(text, i).toString();
        const QPoint point = box->characterRect(int(i)).center();
        QHelpEvent hover(QEvent::ToolTip, point, box->viewport()->mapToGlobal(point));
        QApplication::sendEvent(box->viewport(), &hover);
        if (QToolTip::isVisible() && QToolTip::text().startsWith(u'「' + character + u'」'))
            found += character + (QToolTip::text().contains(u'?') ? u'~' : u'.');
    }
    return found;
}

// The lines Qt's own layout makes of a document's raw text in the box's width
// and font, each paragraph on its own, as QPlainTextEdit lays them out.
QStringList qtLines(FixedCellEditor *box, const QString &text)
{
    QStringList lines;
    for (const QString &paragraph : text.split(QChar::ParagraphSeparator)) {
        QTextLayout layout(paragraph, box->font());
        layout.setTextOption(box->document()->defaultTextOption());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(box->viewport()->width() - 2 * box->document()->documentMargin());
            lines << paragraph.mid(line.textStart(), line.textLength()).remove(QChar::LineSeparator);
        }
        layout.endLayout();
    }
    return lines;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerJapaneseFontSubstitutes(); }
    void restoresAndSaves_data();
    void restoresAndSaves();
    void overLimitNotice();
    void marksFollowEditsAndWidth();
    void linesHoldExactlyTheCells_data();
    void linesHoldExactlyTheCells();
    void keysMoveAndEdit_data();
    void keysMoveAndEdit();
    void mouseSelects();
    void inputMethodComposes();
    void screenReaderFindsTheCharacters();
    void pictureButtons_data();
    void pictureButtons();
    void sendGoesWhereChosen_data();
    void sendGoesWhereChosen();
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
    QTest::newRow("first run, save fails") << QString() << QString() << "txtEdit_10moji" << "" << "0" << "1111000" << "";
    QTest::newRow("8 wide, lone LF and CR")
        << "0101111" << "a\nb\rc" << "txtEdit_8moji" << "a\nb\nc" << "7" << "0101111" << "a\r\nb\r\nc";
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
    h.window->close();
    QTEST(h.fakes.store.values.value("Config"), "savedConfig");
    QTEST(h.fakes.store.values.value("Edit"), "savedEdit");
    // A failed save names the file; the store has kept what it held before.
    QCOMPARE(h.fakes.messages.shown.size(), config.isEmpty() ? 1 : 0);
    if (config.isEmpty())
        QVERIFY(h.fakes.messages.shown.front().contains(h.fakes.store.location()));
}

// Once per rise past 200, after an input method's commit has been handled
// (moving the focus inside it makes some input methods commit again), not
// for a stored long text, not while open, and not when switched off.
void TestMainWindow::overLimitNotice()
{
    Harness h({{"Edit", QString(199, u'a')}});
    h.box()->moveCursor(QTextCursor::End);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本語"));
    h.dialogs.during = [&] { h.box()->setPlainText(QStringLiteral("ab")); };
    QApplication::sendEvent(h.box(), &commit);
    QVERIFY(h.dialogs.opened.isEmpty());
    QCOMPARE(h.count(), QStringLiteral("205"));
    QApplication::processEvents();
    QCOMPARE(h.dialogs.opened, QStringList{"over"});
    QCOMPARE(h.count(), QStringLiteral("2")); // as the text is once the notice has closed
    for (const auto &stored : {QMap<QString, QString>{{"Edit", QString(201, u'a')}}, {{"Config", "1110000"}}}) {
        Harness quiet(stored);
        quiet.box()->setPlainText(QString(202, u'a'));
        QApplication::processEvents();
        QVERIFY(quiet.dialogs.opened.isEmpty());
    }
}

// Marks follow an edit and the width switch, which keeps the selection too;
// their replacement, all at once, is one undo step.
void TestMainWindow::marksFollowEditsAndWidth()
{
    Harness h;
    QApplication::processEvents(); // the marks start with the event loop
    h.box()->insertPlainText(QStringLiteral("a①b😀㈱"));
    QCOMPARE(marks(h.box()), QStringLiteral("①.😀~㈱."));
    QTextCursor cursor = h.box()->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    h.box()->setTextCursor(cursor);
    h.choose("Opt8Moji");
    QCOMPARE(h.box()->objectName(), QStringLiteral("txtEdit_8moji"));
    QCOMPARE(h.box()->textCursor().selectedText(), QStringLiteral("①b"));
    QCOMPARE(marks(h.box()), QStringLiteral("①.😀~㈱."));
    const QPoint onCircledOne = h.box()->characterRect(1).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, onCircledOne, {});
    QApplication::sendEvent(h.box()->viewport(), &click);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    const QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.at(actions.size() - 2)->text(), QStringLiteral("「①」を「1」に置き換える"));
    actions.last()->trigger();
    menu->close();
    QCOMPARE(h.box()->toPlainText(), QStringLiteral("a1b😀(株)"));
    QCOMPARE(marks(h.box()), QStringLiteral("😀~"));
    h.box()->undo();
    QCOMPARE(h.box()->toPlainText(), QStringLiteral("a①b😀㈱"));
}

void TestMainWindow::linesHoldExactlyTheCells_data()
{
    QTest::addColumn<bool>("eight");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    const auto full = [](int n) { return QString(n, QChar(u'あ')); };
    const auto half = [](int n) { return QString(n, QChar(u'1')); };
    QTest::newRow("8: eight full-width") << true << full(8) << 1;
    QTest::newRow("8: sixteen half-width") << true << half(16) << 1;
    QTest::newRow("8: 7 full + 3 half") << true << full(7) + half(3) << 2;
    QTest::newRow("8: words do not break early") << true << QStringLiteral("aaaa bbbb cccc dd") << 2;
    QTest::newRow("8: blanks hang at the end") << true << full(8) + QStringLiteral("　 　b") << 2;
    QTest::newRow("10: ten full-width") << false << full(10) << 1;
    QTest::newRow("10: 9 full + 3 half") << false << full(9) + half(3) << 2;
    QTest::newRow("10: voiced half-width kana stay whole") << false << half(19) + QStringLiteral("ｶﾞ") << 2;
}

// The box breaks its lines where Qt's own layout breaks a paragraph, for
// those texts and for random ones, also after edits anywhere in them.
void TestMainWindow::linesHoldExactlyTheCells()
{
    QFETCH(bool, eight);
    QFETCH(QString, text);
    Harness h;
    h.choose(eight ? "Opt8Moji" : "Opt10Moji");
    h.box()->setPlainText(text);
    QApplication::processEvents();
    QTEST(int(h.box()->shownLines().size()), "lines");
    QCOMPARE(h.box()->shownLines(), qtLines(h.box(), text));

    const QStringList pieces{"あ", "漢字", "カナ", "a", "Wy", "1", " ", "　", "ｶﾞ", "\t", "\u00a0", "①",
                             "😀", "👍🏽", "e\u0301", "\n", "\u2028", "\u200b", "。"};
    QRandomGenerator random(eight ? 8 : 10);
    const auto randomText = [&](int pieceCount) {
        QString made;
        for (int i = 0; i < pieceCount; ++i)
            made += pieces.at(random.bounded(int(pieces.size())));
        return made;
    };
    for (int round = 0; round < 60; ++round) {
        h.box()->setPlainText(randomText(random.bounded(80)));
        h.box()->shownLines();
        QTextCursor edit(h.box()->document());
        const QString before = h.box()->toPlainText();
        // Edits start and end between characters, as the caret stands.
        const auto between = [&](int position) {
            return int(PhoneCharacters::characterAt(before, position).data() - before.data());
        };
        const int start = random.bounded(int(before.size()) + 1);
        edit.setPosition(start < before.size() ? between(start) : start);
        const int end = std::min(int(before.size()), edit.position() + random.bounded(4));
        edit.setPosition(end < before.size() ? between(end) : end, QTextCursor::KeepAnchor);
        edit.insertText(randomText(random.bounded(4)));
        QCOMPARE(h.box()->shownLines(), qtLines(h.box(), h.box()->document()->toRawText()));
    }
}

// The text with "|" at the caret and "^" at the other end of the selection.
QString withCaret(FixedCellEditor *box)
{
    const QTextCursor cursor = box->textCursor();
    QString text = box->toPlainText();
    text.insert(cursor.position(), u'|');
    if (cursor.hasSelection())
        text.insert(cursor.anchor() + (cursor.anchor() > cursor.position() ? 1 : 0), u'^');
    return text;
}

void TestMainWindow::keysMoveAndEdit_data()
{
    QTest::addColumn<QString>("text"); // as withCaret() writes it
    QTest::addColumn<QString>("keys"); // key names; 'quoted' text is typed
    QTest::addColumn<QString>("after");
    const QString a10(10, u'あ');
    QTest::newRow("down and up keep the column") << "あああ|" + a10.repeated(2) << "Down Down Up"
                                                 << a10 + "あああ|" + a10;
    QTest::newRow("shift+down selects a line") << "あ|" + a10 << "Shift+Down" << "あ^" + a10 + "|";
    QTest::newRow("home and end of a wrapped line") << a10 + "ああ|ああ" << "Home Shift+End"
                                                    << a10 + "^ああああ|";
    QTest::newRow("end before a blank the line wraps at") << QString(19, u'a') + "| bb" << "Home End"
                                                         << QString(19, u'a') + "| bb";
    QTest::newRow("right and left step over whole characters") << "|a😀ｶﾞe\u0301" << "Right Right Right Left"
                                                               << "a😀|ｶﾞe\u0301";
    QTest::newRow("delete takes a character, backspace a unit") << "ｶﾞ|😀x" << "Delete Backspace" << "ｶ|x";
    QTest::newRow("words") << "|abc def、日本語" << "Ctrl+Right Ctrl+Right Ctrl+Shift+Left"
                           << "abc |def、日本語^";
    QTest::newRow("typing replaces the selection, one undo step")
        << "^abc|" << "'xyz' Ctrl+Z" << "abc|";
    QTest::newRow("backspaces are one undo step") << "abc|" << "Backspace Backspace Ctrl+Z" << "abc|";
    QTest::newRow("words deleted") << "abc def| ghi" << "Ctrl+Backspace Ctrl+Delete" << "abc |ghi";
    QTest::newRow("ends of the text") << "ab|c\nd" << "Ctrl+End Ctrl+Shift+Home" << "|abc\nd^";
}

// The keys that move by shown lines, characters and words, and the typing
// the box does itself, as QPlainTextEdit does them.
void TestMainWindow::keysMoveAndEdit()
{
    QFETCH(QString, text);
    QFETCH(QString, keys);
    Harness h;
    const int caret = int(text.indexOf(u'|'));
    const int anchor = int(text.indexOf(u'^'));
    h.box()->setPlainText(QString(text).remove(u'|').remove(u'^'));
    QTextCursor cursor = h.box()->textCursor();
    cursor.setPosition(anchor < 0 ? caret : anchor - (caret < anchor ? 1 : 0));
    cursor.setPosition(caret - (anchor >= 0 && anchor < caret ? 1 : 0), QTextCursor::KeepAnchor);
    h.box()->setTextCursor(cursor);
    for (const QString &key : keys.split(u' ')) {
        if (key.startsWith(u'\''))
            QTest::keyClicks(h.box(), key.mid(1, key.size() - 2));
        else
            QTest::keySequence(h.box(), QKeySequence(key));
    }
    QTEST(withCaret(h.box()), "after");
}

// A click places the caret, a drag and Shift+click select, a double click
// selects a word and a third click the shown line; the wheel and Page Down
// scroll.
void TestMainWindow::mouseSelects()
{
    Harness h;
    h.box()->setPlainText(QString(10, u'あ') + QStringLiteral("abc def"));
    QWidget *area = h.box()->viewport();
    const auto at = [&](int position) { return h.box()->characterRect(position).center() - QPoint(2, 0); };
    QTest::mouseClick(area, Qt::LeftButton, {}, at(3));
    QCOMPARE(withCaret(h.box()), QString(3, u'あ') + u'|' + QString(7, u'あ') + QStringLiteral("abc def"));
    QTest::mouseClick(area, Qt::LeftButton, Qt::ShiftModifier, at(12));
    QCOMPARE(h.box()->textCursor().selectedText(), QString(7, u'あ') + QStringLiteral("ab"));
    QTest::mousePress(area, Qt::LeftButton, {}, at(1));
    QTest::mouseMove(area, at(2));
    QTest::mouseRelease(area, Qt::LeftButton, {}, at(2));
    QCOMPARE(h.box()->textCursor().selectedText(), QStringLiteral("あ"));
    QTest::mouseDClick(area, Qt::LeftButton, {}, at(15));
    QCOMPARE(h.box()->textCursor().selectedText(), QStringLiteral("def"));
    QTest::mouseClick(area, Qt::LeftButton, {}, at(15));
    QCOMPARE(h.box()->textCursor().selectedText(), QStringLiteral("abc def"));

    // The wheel scrolls by lines and leaves the caret where it is, but not
    // past the last line.
    h.box()->setPlainText(QString(300, u'あ'));
    const int firstTop = h.box()->caretRect(0).top();
    const auto wheel = [&](int steps) {
        QWheelEvent event(at(0), area->mapToGlobal(at(0)), {}, {0, 120 * steps}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(area, &event);
    };
    wheel(-1);
    QVERIFY(h.box()->caretRect(0).top() < firstTop);
    QCOMPARE(h.box()->textCursor().position(), 0);
    wheel(-100);
    QVERIFY(area->rect().contains(h.box()->caretRect(300)));
    // Page Down turns a page: the caret keeps its place on the screen.
    QTest::keyClick(h.box(), Qt::Key_Home, Qt::ControlModifier);
    const QRect before = h.box()->caretRect(0);
    QVERIFY(area->rect().contains(before));
    QTest::keyClick(h.box(), Qt::Key_PageDown);
    QVERIFY(h.box()->textCursor().position() > 0);
    // (less the document margin, which only the first line has above it)
    QCOMPARE(h.box()->caretRect(h.box()->textCursor().position()).top(),
             before.top() - int(h.box()->document()->documentMargin()));
}

// The input method's unfinished text is shown at the caret, wrapped with the
// rest, without being counted; its commit takes its place. The input method
// is told the text around the caret.
void TestMainWindow::inputMethodComposes()
{
    Harness h;
    const QString nine(9, u'あ');
    h.box()->setPlainText(nine + QStringLiteral("x"));
    QTextCursor cursor = h.box()->textCursor();
    cursor.setPosition(9);
    h.box()->setTextCursor(cursor);
    QInputMethodEvent composing(QStringLiteral("にほん"), {{QInputMethodEvent::Cursor, 3, 1, {}}});
    QApplication::sendEvent(h.box(), &composing);
    QCOMPARE(h.box()->shownLines(), (QStringList{nine + QStringLiteral("に"), QStringLiteral("ほんx")}));
    QCOMPARE(h.count(), QStringLiteral("19"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本"));
    QApplication::sendEvent(h.box(), &commit);
    QCOMPARE(h.box()->shownLines(), (QStringList{nine + QStringLiteral("日"), QStringLiteral("本x")}));
    QCOMPARE(h.count(), QStringLiteral("23"));
    QCOMPARE(h.box()->inputMethodQuery(Qt::ImSurroundingText).toString(), nine + QStringLiteral("日本x"));
    QCOMPARE(h.box()->inputMethodQuery(Qt::ImCursorPosition).toInt(), 11);
}

// A screen reader or magnifier finds each character where it is drawn, the
// second line below the first, and can edit the text.
void TestMainWindow::screenReaderFindsTheCharacters()
{
    Harness h;
    h.box()->setPlainText(QString(10, u'あ') + QStringLiteral("abc"));
    QAccessibleInterface *box = QAccessible::queryAccessibleInterface(h.box());
    QCOMPARE(box->role(), QAccessible::EditableText);
    QAccessibleTextInterface *text = box->textInterface();
    QCOMPARE(text->characterCount(), 13);
    const QRect first = text->characterRect(0);
    const QRect b = text->characterRect(11);
    QVERIFY2(b.top() >= first.bottom() && b.left() > text->characterRect(10).left(), "b is drawn on the second line");
    QCOMPARE(text->offsetAtPoint(b.topLeft() + QPoint(1, 1)), 11);
    box->editableTextInterface()->replaceText(10, 13, QStringLiteral("xyz"));
    QCOMPARE(h.box()->toPlainText(), QString(10, u'あ') + QStringLiteral("xyz"));
}

void TestMainWindow::pictureButtons_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("mouse");
    QTest::addColumn<int>("key"); // its shortcut, pressed in the editor
    QTest::addColumn<bool>("keep"); // the answer to the clear confirmation
    QTest::addColumn<QString>("pictures"); // pressed, released
    QTest::addColumn<QString>("effect");
    const int left = Qt::LeftButton, right = Qt::RightButton, middle = Qt::MiddleButton;
    const int enter = (Qt::CTRL | Qt::Key_Return).toCombined();
    const int keypad = (Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Enter).toCombined();
    const int clear = (Qt::CTRL | Qt::SHIFT | Qt::Key_Backspace).toCombined();
    QTest::newRow("send, right button") << "1111011" << "ImgCopy" << right << enter << false << "sendBtnDown.gif sendBtn.gif"
                                        << "送信|メールソフトで新しいメールを作成 (Ctrl+Enter) launched mailto:to@example.jp?subject=件名&body=a%26b%0D%0Ac text a&b\nc";
    QTest::newRow("copy with notice") << "1111100" << "ImgCopy" << middle << keypad << false << "CopyBtnDown.gif CopyBtn.gif"
                                      << "コピー|コピー (Ctrl+Enter) [copy] clipboard a&b\nc text a&b\nc";
    QTest::newRow("clear, no confirmation") << "1101000" << "ImgClear" << left << clear << false
                                            << "ClearBtnDown.gif ClearBtn.gif" << "クリア|クリア (Ctrl+Shift+Backspace) text";
    QTest::newRow("clear, confirmed") << "1111000" << "ImgClear" << right << clear << false
                                      << "ClearBtnDown.gif ClearBtn.gif" << "クリア|クリア (Ctrl+Shift+Backspace) [clear] text";
    QTest::newRow("clear, kept") << "1111000" << "ImgClear" << left << clear << true << "ClearBtnDown.gif ClearBtn.gif"
                                 << "クリア|クリア (Ctrl+Shift+Backspace) [clear] text a&b\nc";
}

// Each picture reacts alike to any mouse button, to its shortcut in the
// editor and to a screen reader's press: pressed picture first, then its
// action on the box of the selected width; no key reaches the text.
void TestMainWindow::pictureButtons()
{
    QFETCH(QString, config);
    QFETCH(QString, button);
    QFETCH(int, mouse);
    QFETCH(int, key);
    QFETCH(bool, keep);
    QFETCH(QString, pictures);
    for (const QString by : {"mouse", "key", "screen reader"}) {
        const auto tell = qScopeGuard([&] { if (QTest::currentTestFailed()) qWarning() << "pressed by" << by; });
        Harness h({{"Config", config}, {"SettingNo", " 1"}, {"Atesaki1", "to@example.jp"}, {"Kenmei1", "件名"}});
        h.dialogs.clearAnswer = {!keep, true};
        h.box()->setPlainText(QStringLiteral("a&b\nc"));
        auto *picture = h.child<PictureButton>(qPrintable(button));
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(picture);
        QCOMPARE(accessible->role(), QAccessible::Button);
        QCOMPARE(accessible->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        std::optional<QString> clipboardDuringNotice;
        h.dialogs.during = [&] { clipboardDuringNotice = h.fakes.clipboard.text; };
        if (by == u"mouse") {
            QTest::mousePress(picture, Qt::MouseButton(mouse));
        } else if (by == u"key") {
            QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
            QTRY_VERIFY(h.box()->hasFocus());
            const QKeyCombination keys = QKeyCombination::fromCombined(key);
            QTest::keyClick(h.box(), keys.key(), keys.keyboardModifiers());
        } else {
            accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        QCOMPARE(picture->pictureFile(), pictures.section(u' ', 0, 0));
        if (by == u"mouse")
            QTest::mouseRelease(picture, Qt::MouseButton(mouse));
        QTRY_COMPARE(picture->pictureFile(), pictures.section(u' ', 1, 1));

        QString effect = accessible->text(QAccessible::Name) + u'|' + picture->toolTip();
        for (const QString &opened : h.dialogs.opened)
            effect += QStringLiteral(" [%1]").arg(opened);
        for (const QString &target : h.fakes.launcher.targets)
            effect += QStringLiteral(" launched ") + target;
        if (h.fakes.clipboard.text != QStringLiteral("old clipboard content"))
            effect += QStringLiteral(" clipboard ") + h.fakes.clipboard.text.value_or("<cleared>");
        effect += QStringLiteral(" text") + (h.box()->toPlainText().isEmpty() ? QString() : u' ' + h.box()->toPlainText());
        QTEST(effect, "effect");
        if (clipboardDuringNotice) // the copy notice comes before the copy
            QCOMPARE(*clipboardDuringNotice, QStringLiteral("old clipboard content"));
    }
}

void TestMainWindow::sendGoesWhereChosen_data()
{
    QTest::addColumn<QString>("sendTo"); // as stored; null: no such key
    QTest::addColumn<QString>("mailProgram"); // what the desktop answers by the time the tip shows; "": none set
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("effect");
    const QString outlook = QStringLiteral("https://outlook.live.com/mail/0/deeplink/compose?to=to%40example.jp&subject=");
    QTest::newRow("no key: the mail program, named") << QString() << "Thunderbird メール" << "a+b\nc"
        << "Thunderbird メール で新しいメールを作成 (Ctrl+Enter)"
        << "asked 2, launched mailto:to@example.jp?subject= &body=a+b%0D%0Ac, told メールソフト, saved <none>";
    QTest::newRow("unknown value: the mail program, none set") << "Gmail" << "" << "a"
        << "メールソフトが設定されていません。\nメニューの「設定」の「送信先」で Gmail か Outlook.com を選べます (Ctrl+Enter)"
        << "asked 2, launched mailto:to@example.jp?subject= &body=a, told メールソフト, saved mailto";
    QTest::newRow("Gmail") << "gmail" << "" << "a+b\nc" << "ブラウザの Gmail で新しいメールを作成 (Ctrl+Enter)"
        << "asked 0, launched https://mail.google.com/mail/?view=cm&fs=1&to=to%40example.jp&su=&body=a%2Bb%0Ac, "
           "told ブラウザ, saved gmail";
    QTest::newRow("Outlook.com, too long: pasted") << "outlook" << "" << QString(1000, u'あ')
        << "ブラウザの Outlook.com で新しいメールを作成 (Ctrl+Enter)"
        << "asked 0, clipboard has the text, [paste] with it, launched " + outlook + ", told ブラウザ, saved outlook";
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
    QTEST(picture->toolTip(), "tip");
    QCOMPARE(picture->accessibleDescription() + QStringLiteral(" (Ctrl+Enter)"), picture->toolTip());

    bool copiedBeforeNotice = false;
    h.dialogs.during = [&] { copiedBeforeNotice = h.fakes.clipboard.text == text; };
    h.fakes.launcher.result = LaunchResult::Failed;
    QTest::mouseClick(picture, Qt::LeftButton);
    h.window->close();
    QString effect = QStringLiteral("asked %1").arg(h.fakes.mailProgram.lookUps);
    if (h.fakes.clipboard.text == text)
        effect += QStringLiteral(", clipboard has the text");
    for (const QString &opened : h.dialogs.opened)
        effect += QStringLiteral(", [%1] %2").arg(opened, copiedBeforeNotice ? "with it" : "without it");
    for (const QString &target : h.fakes.launcher.targets)
        effect += QStringLiteral(", launched ") + target;
    for (const QString &message : h.fakes.messages.shown)
        effect += QStringLiteral(", told ") + message.section(u'の', 0, 0);
    effect += QStringLiteral(", saved ") + h.fakes.store.values.value("SendTo", "<none>");
    QTEST(effect, "effect");
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
