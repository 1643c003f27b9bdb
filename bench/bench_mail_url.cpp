#include "core/mail_url.h"
#include "core/message_text.h"
#include "core/settings.h"
#include "sample_text.h"

#include <benchmark/benchmark.h>

namespace {

// The message as it is sent: box text with CR LF breaks, to a destination and
// subject from the first send slot.
void BM_BuildMailUrl(benchmark::State &state)
{
    const QString message = MessageText::fromBox(sampleText(state.range(0)));
    Settings settings;
    settings.sendDetails.useDestination = settings.sendDetails.useSubject = 1;
    settings.sendDetails.destinations[0] = QStringLiteral("someone@example.jp");
    settings.sendDetails.subjects[0] = QStringLiteral("明日の件 & 資料");
    qsizetype length = 0;
    for (auto _ : state) {
        const QString url = MailUrl::build(message, settings);
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
