// Throughput of the text functions every printed line goes through, on a
// typical 120-byte chat line with colour, bold and underline codes.
#include "text/IrcCodes.h"
#include "text/Words.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string TypicalLine()
{
    std::string line = ":nick!user@host.example.org PRIVMSG #brimo :\x03"
                       "4,1hello\x0F all, \x02this\x02 is a "
                       "\x03"
                       "12typical\x03 line with \x1F"
                       "codes\x1F <3 & more";
    line.resize(120, '.');
    return line;
}

void BM_ConvertToHtml(benchmark::State &state)
{
    const std::string line = TypicalLine();
    for (auto _ : state) {
        std::string html = ConvertToHtml(line);
        benchmark::DoNotOptimize(html.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * int64_t(line.size()));
}
BENCHMARK(BM_ConvertToHtml);

// The view builds whole lines into one buffer it keeps; this is the cost
// without an allocation per line.
void BM_AppendHtmlReusedBuffer(benchmark::State &state)
{
    const std::string line = TypicalLine();
    std::string html;
    for (auto _ : state) {
        html.clear();
        AppendHtml(html, line);
        benchmark::DoNotOptimize(html.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * int64_t(line.size()));
}
BENCHMARK(BM_AppendHtmlReusedBuffer);

void BM_StripCodes(benchmark::State &state)
{
    const std::string line = TypicalLine();
    for (auto _ : state) {
        std::string plain = StripCodes(line);
        benchmark::DoNotOptimize(plain.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * int64_t(line.size()));
}
BENCHMARK(BM_StripCodes);

void BM_GetWord(benchmark::State &state)
{
    const std::string line = TypicalLine();
    const int n = int(state.range(0));
    for (auto _ : state) {
        std::string word = GetWord(line, n);
        benchmark::DoNotOptimize(word.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetWord)->Arg(1)->Arg(3)->Arg(8);

} // namespace

BENCHMARK_MAIN();
