// Time per item of the pinyin conversion of a board list and of the response
// cache's key computation.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/ConversionData.h"
#include "net/Vorn5APIClient.h"

namespace {

std::vector<std::string> boardNames(std::size_t count) {
  const char* brands[] = {"奥迪", "宝马", "奔驰", "大众", "丰田", "本田", "长安", "吉利", "厦门", "比亚迪"};
  const char* kinds[] = {"A4L论坛", "3系车友会", "C级论坛", "迈腾用车养车", "凯美瑞自驾游", "雅阁摄影天地"};
  std::vector<std::string> names;
  for (std::size_t i = 0; i < count; ++i) names.push_back(std::string(brands[i % 10]) + kinds[i % 6]);
  return names;
}

void PinyinOfBoardList(benchmark::State& state) {
  const auto names = boardNames(1000);
  for (auto _ : state) {
    for (const std::string& name : names) {
      benchmark::DoNotOptimize(vorn::ConversionData::to_Shouzimu(name));
      benchmark::DoNotOptimize(vorn::ConversionData::pinyinFromChiniseString(name));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(names.size()));
}
BENCHMARK(PinyinOfBoardList)->Unit(benchmark::kMicrosecond);

void CacheKeyOfListRequest(benchmark::State& state) {
  platform::Value parameters = platform::dictionary();
  parameters["type"] = "1";
  parameters["limit"] = "20";
  parameters["offset"] = "40";
  parameters["ver"] = "5.1.0";
  parameters["cityId"] = "475";
  const std::string url = "http://127.0.0.1:8080/cms/interface/5.0/getNewsList.php";
  const bool typed = state.range(0) != 0;
  for (auto _ : state) benchmark::DoNotOptimize(vorn::Vorn5APIClient::cacheKey(url, parameters, typed));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CacheKeyOfListRequest)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
