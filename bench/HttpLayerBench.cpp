// A loopback GET to the demo portal through the HTTP client layer, against the
// same GET made with a bare libcurl easy handle, in the same run. Prints how
// much the layer adds (the aim: under 20%).
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <cstdio>
#include <map>
#include <string>

#include "platform/foundation/RunLoop.h"
#include "platform/net/HttpClientLayer.h"
#include "portal/DemoPortal.h"

namespace {

constexpr char kBenchPath[] = "/interface/vorn/bench.php";

vorn::portal::DemoPortal* gPortal = nullptr;

std::string benchUrl() { return gPortal->baseUrl() + kBenchPath + "?id=1&type=2"; }

size_t discard(char*, size_t size, size_t count, void*) { return size * count; }

void BM_BareCurlGet(benchmark::State& state) {
  CURL* easy = curl_easy_init();
  std::string url = benchUrl();
  std::string body;
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_NOPROXY, "*");
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, +[](char* d, size_t s, size_t n, void* out) {
    static_cast<std::string*>(out)->append(d, s * n);
    return s * n;
  });
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &discard);
  for (auto _ : state) {
    body.clear();
    CURLcode code = curl_easy_perform(easy);
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    if (code != CURLE_OK || status != 200) {
      state.SkipWithError("bare GET failed");
      break;
    }
    benchmark::DoNotOptimize(body.data());
  }
  curl_easy_cleanup(easy);
}

void BM_LayerGet(benchmark::State& state) {
  platform::net::HttpClientLayer client(gPortal->baseUrl());
  std::string url = benchUrl();
  for (auto _ : state) {
    bool done = false;
    bool ok = false;
    client.get(
        url,
        [&](platform::net::HttpOperation&, const platform::Value& answer) {
          done = ok = true;
          benchmark::DoNotOptimize(&answer);
        },
        [&](platform::net::HttpOperation&, const platform::net::HttpError&) { done = true; });
    platform::RunLoop::main().runUntil([&] { return done; }, 10.0);
    if (!ok) {
      state.SkipWithError("layer GET failed");
      break;
    }
  }
}

BENCHMARK(BM_BareCurlGet)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_LayerGet)->UseRealTime()->MinTime(1.0);

// Keeps each benchmark's real time per iteration for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& run : runs) {
      if (run.iterations <= 0 || run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      std::string name = run.benchmark_name();
      perIteration[name.substr(0, name.find('/'))] = run.GetAdjustedRealTime();
    }
  }
  std::map<std::string, double> perIteration;
};

}  // namespace

int main(int argc, char** argv) {
  platform::RunLoop::main().adoptCurrentThread();
  platform::RunLoop::main().useSystemClock();
  curl_global_init(CURL_GLOBAL_DEFAULT);

  vorn::portal::DemoPortal portal;
  portal.addHandler(kBenchPath, [](const vorn::portal::ReceivedRequest&) {
    vorn::portal::PortalAnswer answer;
    answer.body = R"({"status":"1","list":[{"id":"1","title":"新车上市"},{"id":"2","title":"试驾"}]})";
    return answer;
  });
  if (!portal.start()) {
    std::fprintf(stderr, "the demo portal did not start\n");
    return 1;
  }
  gPortal = &portal;

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  auto bare = reporter.perIteration.find("BM_BareCurlGet");
  auto layer = reporter.perIteration.find("BM_LayerGet");
  if (bare != reporter.perIteration.end() && layer != reporter.perIteration.end() && bare->second > 0) {
    double ratio = layer->second / bare->second;
    std::printf("layer / bare libcurl GET: %.3f (the layer adds %.1f%%; aim: under 20%%)\n", ratio,
                (ratio - 1.0) * 100.0);
  }
  portal.stop();
  return 0;
}
