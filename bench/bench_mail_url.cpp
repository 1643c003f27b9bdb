#include "actions/mail_url.h"
#include "main_window/message_text.h"
#include "sample_text.h"

#include <benchmark/benchmark.h>

namespace {

// The message as it is sent: box text with CR LF breaks, to a destination and
// subject from the first send slot.
void BM_BuildMailUrl(benchmark::State &state)
{
    const QString message = MessageText::fromBox(sampleText(state.range(0)));
    SharedState shared;
    shared.UseAtesaki = 1;
    shared.UseKenmei = 1;
    shared.Atesaki[0] = QStringLiteral("someone@example.jp");
    shared.Kenmei[0] = QStringLiteral("明日の件 & 資料");
    qsizetype length = 0;
    for (auto _ : state) {
        const QString url = MailUrl::BuildMailUrl(message, shared);
        length = url.size();
        benchmark::DoNotOptimize(url.constData());
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * message.size());
    state.counters["url_chars"] = static_cast<double>(length);
}

BENCHMARK(BM_BuildMailUrl)->RangeMultiplier(10)->Range(1'000, 1'000'000)->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
