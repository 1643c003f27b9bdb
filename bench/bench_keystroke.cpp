#include "fakes.h"
#include "ui/main_window.h"
#include "platform/fonts.h"
#include "sample_text.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

namespace {

constexpr qsizetype TextLength = 100'000;

enum Caret { AtEnd = 0, InTheMiddle = 1 };

// A main window over the fakes, started as the program starts it, whose box
// holds a long text with the caret where the user types.
struct StartedWindow {
    FakePlatform fakes;
    Platform platform = fakes.platform();
    FakeDialogs dialogs;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(platform, dialogs);

    bool start(Caret caret)
    {
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return false;
        auto *box = window->findChild<QPlainTextEdit *>(QStringLiteral("txtEdit_10moji"));
        box->setPlainText(sampleText(TextLength));
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(caret == AtEnd ? TextLength : TextLength / 2);
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

void keystrokes(benchmark::State &state, bool repaint)
{
    StartedWindow started;
    if (!started.start(static_cast<Caret>(state.range(0)))) {
        state.SkipWithError("the window did not start");
        return;
    }
    auto *box = started.window->findChild<QPlainTextEdit *>(QStringLiteral("txtEdit_10moji"));
    auto *label = started.window->findChild<QLabel *>(QStringLiteral("lblMoji"));
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
void BM_KeystrokeToCount(benchmark::State &state) { keystrokes(state, false); }
// The same, then every pending event, the repaint among them, processed.
void BM_KeystrokeToCountAndRepaint(benchmark::State &state) { keystrokes(state, true); }

BENCHMARK(BM_KeystrokeToCount)
    ->ArgName("caret_mid")->Arg(AtEnd)->Arg(InTheMiddle)
    ->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeToCountAndRepaint)
    ->ArgName("caret_mid")->Arg(AtEnd)->Arg(InTheMiddle)
    ->UseRealTime()->Unit(benchmark::kMicrosecond);

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
