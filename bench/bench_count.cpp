#include "core/message_text.h"
#include "core/phone_characters.h"
#include "core/shift_jis.h"
#include "sample_text.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iconv.h>
#include <vector>

namespace {

// Whole-text conversion through glibc, the way a program without its own
// table would count: one iconv() call over the text, writing '?' for a
// character code page 932 lacks and going on after it.
class WholeTextIconv {
public:
    WholeTextIconv() : cd_(iconv_open("CP932", "UTF-16LE"))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            std::perror("iconv_open CP932");
            std::abort();
        }
    }
    ~WholeTextIconv() { iconv_close(cd_); }
    WholeTextIconv(const WholeTextIconv &) = delete;
    WholeTextIconv &operator=(const WholeTextIconv &) = delete;

    // Returns the number of bytes written. The text is UTF-16 in host order,
    // which on this machine is little-endian.
    size_t convert(const QString &text, std::vector<char> &out)
    {
        out.resize(static_cast<size_t>(text.size()) * 2 + 16);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char *in = const_cast<char *>(reinterpret_cast<const char *>(text.utf16()));
        size_t inLeft = static_cast<size_t>(text.size()) * 2;
        char *outPtr = out.data();
        size_t outLeft = out.size();
        while (inLeft > 0) {
            if (iconv(cd_, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
                break;
            if (errno != EILSEQ && errno != EINVAL)
                std::abort();
            // Skip the unmappable character: a surrogate pair is one.
            const auto unit = static_cast<char16_t>(static_cast<unsigned char>(in[0])
                                                    | static_cast<unsigned char>(in[1]) << 8);
            const size_t skip = (unit >= 0xD800 && unit <= 0xDBFF && inLeft >= 4) ? 4 : 2;
            in += skip;
            inLeft -= skip;
            *outPtr++ = '?';
            --outLeft;
        }
        return out.size() - outLeft;
    }

private:
    iconv_t cd_;
};

void setCounters(benchmark::State &state, const QString &text)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size() * 2);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}

// The least any count must do: touch every UTF-16 unit once.
void BM_Floor(benchmark::State &state)
{
    const QString text = sampleText(state.range(0));
    for (auto _ : state) {
        const auto *units = reinterpret_cast<const char16_t *>(text.utf16());
        const qsizetype size = text.size();
        qsizetype total = 0;
        for (qsizetype i = 0; i < size; ++i)
            total += units[i] > 0x7F ? 2 : 1;
        benchmark::DoNotOptimize(total);
    }
    setCounters(state, text);
}

void BM_ByteCount(benchmark::State &state)
{
    const QString text = sampleText(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ShiftJis::byteCount(text));
    setCounters(state, text);
}

void BM_MessageCount(benchmark::State &state)
{
    const QString text = sampleText(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(MessageText::count(text));
    setCounters(state, text);
}

// The marks' share of a keystroke in a block of this length.
void BM_MarkRuns(benchmark::State &state)
{
    const QString text = sampleText(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(PhoneCharacters::runs(text));
    setCounters(state, text);
}

void iconvWholeText(benchmark::State &state, const QString &text)
{
    WholeTextIconv converter;
    std::vector<char> out;
    // The table-driven count must agree with the converter on this very text.
    if (static_cast<qsizetype>(converter.convert(text, out)) != ShiftJis::byteCount(text)) {
        state.SkipWithError("byteCount differs from iconv's length");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(converter.convert(text, out));
    setCounters(state, text);
}

void BM_IconvWholeText(benchmark::State &state) { iconvWholeText(state, sampleText(state.range(0))); }

// The same text with its emoji swapped for a star, for the converter's speed
// when it never meets a character it cannot map: glibc gets much slower at
// each one, as it converts the chunk again to find where it stopped.
void BM_IconvWholeTextAllMappable(benchmark::State &state)
{
    iconvWholeText(state, sampleText(state.range(0)).replace(QStringLiteral("😀"), QStringLiteral("☆")));
}

#define LARKPAD_COUNT_SIZES Arg(200)->Arg(10'000)->Arg(1'000'000)
BENCHMARK(BM_Floor)->LARKPAD_COUNT_SIZES;
BENCHMARK(BM_ByteCount)->LARKPAD_COUNT_SIZES;
BENCHMARK(BM_MessageCount)->LARKPAD_COUNT_SIZES;
BENCHMARK(BM_MarkRuns)->LARKPAD_COUNT_SIZES;
BENCHMARK(BM_IconvWholeText)->LARKPAD_COUNT_SIZES;
BENCHMARK(BM_IconvWholeTextAllMappable)->LARKPAD_COUNT_SIZES;

} // namespace

BENCHMARK_MAIN();
