// Throughput of the query encoder beside libcurl's curl_easy_escape on the
// same bytes. Both allocate their output and free it, as a launch does.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <string>

#include "search/url_encoding.h"
#include "support/memory.h"

namespace {

enum Flavour { kAsciiWords, kMixed, kNonAscii };

std::string MakeQuery(Flavour flavour, std::size_t bytes) {
  // "\x9F" "e": the hex escape ends before the "e".
  static const char* const pieces[] = {"search ",
                                       ("Gr\xC3\xBC\xC3\x9F"
                                        "e C++ "),
                                       "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"};
  std::string query;
  while (query.size() < bytes) query += pieces[flavour];
  query.resize(bytes);
  return query;
}

void Corvane(benchmark::State& state) {
  std::string query =
      MakeQuery(static_cast<Flavour>(state.range(1)), static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    std::size_t units = corvane::EncodedQueryLength(query.c_str());
    auto* out = corvane::AllocArray<char16_t>(units + 1);
    corvane::WriteEncodedQuery(query.c_str(), out, out + units + 1);
    benchmark::DoNotOptimize(out);
    corvane::FreeMemory(out);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void Curl(benchmark::State& state) {
  std::string query =
      MakeQuery(static_cast<Flavour>(state.range(1)), static_cast<std::size_t>(state.range(0)));
  CURL* curl = curl_easy_init();
  for (auto _ : state) {
    char* out = curl_easy_escape(curl, query.data(), static_cast<int>(query.size()));
    benchmark::DoNotOptimize(out);
    curl_free(out);
  }
  curl_easy_cleanup(curl);
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int flavour : {kAsciiWords, kMixed, kNonAscii})
    for (int bytes : {16, 1024, 64 * 1024}) b->Args({bytes, flavour});
  b->ArgNames({"bytes", "flavour"});
}

BENCHMARK(Corvane)->Apply(Sizes);
BENCHMARK(Curl)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
