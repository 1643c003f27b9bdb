#include "core/message_text.h"
#include "fakes.h"
#include "ui/main_window.h"
#include "ui/phone_character_highlighter.h"
#include "platform/fonts.h"
#include "sample_text.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <memory>

namespace {

constexpr qsizetype TextLength = 1'000;

enum Caret { AtEnd = 0, InTheMiddle = 1 };

// The sample text with every tenth character marked, by turns one a phone
// cannot show and a 機種依存文字.
QString markedText(qsizetype length)
{
    QString text = sampleText(length);
    for (qsizetype i = 9; i < text.size(); i += 10) {
        if (!text[i].isSurrogate() && text[i] != u'\n')
            text[i] = (i / 10) % 2 ? u'é' : u'①';
    }
    return text;
}

// A main window over the fakes, started as the program starts it, whose box
// holds a long text with the caret where the user types.
struct StartedWindow {
    FakePlatform fakes;
    Platform platform = fakes.platform();
    FakeDialogs dialogs;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(platform, dialogs);

    bool start(const QString &text, Caret caret)
    {
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return false;
        auto *box = window->findChild<QPlainTextEdit *>(QStringLiteral("txtEdit_10moji"));
        box->setPlainText(text);
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(caret == AtEnd ? text.size() : text.size() / 2);
        box->setTextCursor(cursor);
        box->setFocus();
        // Let the first layout and painting of the long text happen before
        // anything is timed.
        QApplication::processEvents();
        return true;
    }
};

// Counts the paint events a widget receives, to show that the repainting
// variant really draws.
class PaintCounter : public QObject {
public:
    using QObject::QObject;
    long paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// One typed full-width character: press and release, as a keyboard sends
// them, through the shortcut check as QTest does.
void typeCharacter(QPlainTextEdit *box)
{
    QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QStringLiteral("あ"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, QStringLiteral("あ"), Qt::NoModifier);
}

// The texts a paragraph at the limit is made of.
enum Kind { Plain = 0, Marked = 1, EmojiRich = 2 };

// One paragraph, as pasted from a page without line breaks, as long as the
// box lets it grow less `room`: the sample text, with every tenth character
// marked, or rich in emoji (whose pairs count one character each).
QString paragraphAtTheLimit(qsizetype room, Kind kind)
{
    const qsizetype characters = MessageText::MaximumCharacters - room;
    QString text = kind == Plain ? sampleText(characters) : kind == Marked ? markedText(characters)
                                                                             : emojiRichText(2 * characters);
    qsizetype units = 0;
    for (qsizetype n = 0; n < characters && units < text.size(); ++n)
        units += text[units].isHighSurrogate() ? 2 : 1;
    text.truncate(units);
    return text.replace(u'\n', u' ');
}

void keystrokes(benchmark::State &state, bool repaint, const QString &text, Caret caret, bool marked = false)
{
    StartedWindow started;
    if (!started.start(text, caret)) {
        state.SkipWithError("the window did not start");
        return;
    }
    auto *box = started.window->findChild<QPlainTextEdit *>(QStringLiteral("txtEdit_10moji"));
    auto *label = started.window->findChild<QLabel *>(QStringLiteral("lblMoji"));
    if (marked && box->document()->lastBlock().layout()->formats().isEmpty()) {
        state.SkipWithError("the text is not marked");
        return;
    }
    QString shown = label->text();
    PaintCounter counter;
    box->viewport()->installEventFilter(&counter);
    for (auto _ : state) {
        typeCharacter(box);
        // Drawing the changed box and count is what the user waits for.
        if (repaint)
            QApplication::processEvents();
        const QString now = label->text();
        if (now == shown) {
            state.SkipWithError("the count did not change");
            return;
        }
        shown = now;
    }
    state.counters["final_count"] = shown.toDouble();
    state.counters["box_paints"] = benchmark::Counter(static_cast<double>(counter.paints),
                                                      benchmark::Counter::kAvgIterations);
}

// Key event to the updated number in the count label.
void BM_KeystrokeToCount(benchmark::State &state)
{
    keystrokes(state, false, sampleText(TextLength), static_cast<Caret>(state.range(0)));
}
// The same, then every pending event, the repaint among them, processed.
void BM_KeystrokeToCountAndRepaint(benchmark::State &state)
{
    keystrokes(state, true, sampleText(TextLength), static_cast<Caret>(state.range(0)));
}
// Typed into one paragraph until it holds as many characters as the box
// takes, repaint and marks included: the slowest keystroke the box allows.
constexpr int StrokesToTheLimit = 200;
void BM_KeystrokeAtTheLimit(benchmark::State &state)
{
    const auto kind = static_cast<Kind>(state.range(1));
    keystrokes(state, true, paragraphAtTheLimit(StrokesToTheLimit, kind), static_cast<Caret>(state.range(0)),
               kind != Plain);
}

// What the limit is chosen from: Qt's own box with the marks, as the window
// has it but without the limit, typed into at the end of one paragraph of
// `characters` (every tenth marked), repaint included. It lays the whole
// paragraph out again at each keystroke, so the cost grows with its length.
void BM_ParagraphKeystrokeWithoutLimit(benchmark::State &state)
{
    QPlainTextEdit box;
    box.setWordWrapMode(QTextOption::WrapAnywhere);
    box.setFont(QFont(QStringLiteral("IPAGothic"), 12));
    box.resize(170, 192);
    new PhoneCharacterHighlighter(box.document());
    box.setPlainText(markedText(state.range(0)).replace(u'\n', u' '));
    box.moveCursor(QTextCursor::End);
    box.show();
    if (!QTest::qWaitForWindowExposed(&box)) {
        state.SkipWithError("the box did not show");
        return;
    }
    QApplication::processEvents();
    for (auto _ : state) {
        typeCharacter(&box);
        QApplication::processEvents();
    }
}

// What an emoji costs a keystroke: the window's box typed into at the end of
// one paragraph at the limit (every tenth character marked) in which
// `emoji` characters, spread evenly, are replaced by "🎉", repaint included.
// With Noto Color Emoji installed it is drawn from that font, whose bitmap
// glyphs Qt does not cache: each one's PNG is decoded again for its width at
// every layout of the paragraph. ("😀" would come from DejaVu Sans, in black.)
void BM_EmojiInAParagraphAtTheLimit(benchmark::State &state)
{
    QString text = paragraphAtTheLimit(StrokesToTheLimit, Marked);
    const qsizetype emoji = state.range(0);
    // Back to front, so that a pair put in does not move the places still to come.
    for (qsizetype n = emoji; n > 0; --n) {
        const qsizetype at = n * (text.size() / (emoji + 1));
        if (!text[at].isSurrogate() && !text[at + 1].isSurrogate())
            text.replace(at, 1, QStringLiteral("🎉"));
    }
    keystrokes(state, true, text, AtEnd, true);
}

// The width switch with a paragraph at the limit: the other box lays the
// shared text out at its width and in its font, takes the caret, and is drawn.
void BM_WidthSwitchAtTheLimit(benchmark::State &state)
{
    StartedWindow started;
    if (!started.start(paragraphAtTheLimit(0, Marked), InTheMiddle)) {
        state.SkipWithError("the window did not start");
        return;
    }
    auto *eight = started.window->findChild<QRadioButton *>(QStringLiteral("Opt8Moji"));
    auto *ten = started.window->findChild<QRadioButton *>(QStringLiteral("Opt10Moji"));
    bool toEight = true;
    for (auto _ : state) {
        (toEight ? eight : ten)->setChecked(true);
        QApplication::processEvents();
        toEight = !toEight;
    }
}

// Both, in a text where every tenth character is marked.
void BM_KeystrokeToCountMarked(benchmark::State &state)
{
    keystrokes(state, false, markedText(TextLength), static_cast<Caret>(state.range(0)), true);
}
void BM_KeystrokeToCountAndRepaintMarked(benchmark::State &state)
{
    keystrokes(state, true, markedText(TextLength), static_cast<Caret>(state.range(0)), true);
}
// And in one rich in emoji.
void BM_KeystrokeToCountAndRepaintEmojiRich(benchmark::State &state)
{
    keystrokes(state, true, emojiRichText(TextLength), static_cast<Caret>(state.range(0)), true);
}

// Marking a paragraph at the limit again, as a keystroke in it does: a
// document alone, so no window lays it out. The sample text, or the one with
// every tenth character marked.
void BM_MarkParagraphAtTheLimit(benchmark::State &state)
{
    QTextDocument document;
    document.setPlainText(paragraphAtTheLimit(0, static_cast<Kind>(state.range(0))));
    PhoneCharacterHighlighter highlighter(&document);
    highlighter.rehighlight();
    state.counters["runs"] = static_cast<double>(document.firstBlock().layout()->formats().size());
    for (auto _ : state)
        highlighter.rehighlightBlock(document.firstBlock());
}

BENCHMARK(BM_KeystrokeToCount)
    ->ArgName("caret_mid")->Arg(AtEnd)->Arg(InTheMiddle)
    ->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeToCountAndRepaint)
    ->ArgName("caret_mid")->Arg(AtEnd)->Arg(InTheMiddle)
    ->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeToCountMarked)
    ->ArgName("caret_mid")->Arg(AtEnd)->Arg(InTheMiddle)
    ->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeToCountAndRepaintMarked)
    ->ArgName("caret_mid")->Arg(AtEnd)->Arg(InTheMiddle)
    ->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeToCountAndRepaintEmojiRich)
    ->ArgName("caret_mid")->Arg(AtEnd)->Arg(InTheMiddle)
    ->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MarkParagraphAtTheLimit)->ArgName("text")->Arg(Plain)->Arg(Marked)->Arg(EmojiRich)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeAtTheLimit)
    ->ArgNames({"caret_mid", "text"})->ArgsProduct({{AtEnd, InTheMiddle}, {Plain, Marked, EmojiRich}})
    ->Iterations(StrokesToTheLimit)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParagraphKeystrokeWithoutLimit)
    ->ArgName("characters")->Arg(5'000)->Arg(10'000)->Arg(20'000)->Arg(40'000)
    ->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmojiInAParagraphAtTheLimit)
    ->ArgName("emoji")->Arg(0)->Arg(25)->Arg(50)->Arg(100)->Arg(200)->Arg(500)
    ->Iterations(StrokesToTheLimit)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WidthSwitchAtTheLimit)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // No display is needed: the window is drawn into memory.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QApplication app(argc, argv);
    registerJapaneseFontSubstitutes();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
