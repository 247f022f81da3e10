// Stream-builder framework: writing and reading a stream through three nested builders, parsing
// a long output-format query, and beside them the raw JSON library parsing and dumping the same
// text, as the floor that the builders' own work sits on. Reading the same stream indented (as a
// person or another writer may give it) takes the parser and the walk instead of the writer's
// own form.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "KroMmdODTQueryParser.h"
#include "KroMmdODTStreamBuilder.h"

namespace {

// One level of the nesting: six mandatory string inputs and an optional "inner" input that
// holds the stream of the next level (none at the bottom).
class BenchLevelBuilder : public KroMmdODTStreamBuilder {
 public:
  explicit BenchLevelBuilder(int levelsBelow) : _LevelsBelow(levelsBelow) {
    for (int i = 0; i < kInputs; ++i) {
      _Values[i] = "value " + std::to_string(i) + " of a nested builder, with \"quotes\" ä";
    }
  }
  BenchLevelBuilder(const BenchLevelBuilder&) = delete;
  BenchLevelBuilder& operator=(const BenchLevelBuilder&) = delete;
  ~BenchLevelBuilder() override { delete _Inner; }

 private:
  static constexpr int kInputs = 6;

  static KroUnicodeString Key(int i) { return KroUnicodeString("input") + std::to_string(i); }

  BenchLevelBuilder& Inner() {
    if (_Inner == nullptr) _Inner = new BenchLevelBuilder(_LevelsBelow - 1);
    return *_Inner;
  }

  KroResult DeclareInputs() override {
    for (int i = 0; i < kInputs; ++i) {
      if (DeclareInput("", Key(i), 1, 0) < 0) return KRO_E_FAIL;
    }
    if (_LevelsBelow > 0 && DeclareInput("", "inner", 1, 1) < 0) return KRO_E_FAIL;
    return KRO_S_OK;
  }

  KroResult SetValueStream(const KroUnicodeString& key, const KroUnicodeString& value) override {
    if (key == "inner" && _LevelsBelow > 0) return Inner().SetODTStream(value);
    for (int i = 0; i < kInputs; ++i) {
      if (key == Key(i)) {
        _Values[i] = value.ToStdString();
        return KRO_S_OK;
      }
    }
    return KRO_E_FAIL;
  }

  KroResult GetValueStream(const KroUnicodeString& key, const KroUnicodeString& format,
                           KroUnicodeString& out) override {
    if (key == "inner" && _LevelsBelow > 0) return Inner().GetODTStream(format, out);
    for (int i = 0; i < kInputs; ++i) {
      if (key == Key(i)) {
        out = _Values[i];
        return KRO_S_OK;
      }
    }
    return KRO_E_FAIL;
  }

  int _LevelsBelow;
  std::string _Values[kInputs];
  BenchLevelBuilder* _Inner = nullptr;
};

const KroUnicodeString kThreeLevelQuery("inner{inner input5} input3");

KroUnicodeString ThreeLevelStream() {
  BenchLevelBuilder builder(2);
  KroUnicodeString stream;
  if (builder.GetODTStream(kThreeLevelQuery, stream) != KRO_S_OK) std::abort();
  return stream;
}

void BM_GetODTStream(benchmark::State& state) {
  BenchLevelBuilder builder(2);
  int64_t bytes = 0;
  for (auto _ : state) {
    KroUnicodeString stream;
    if (builder.GetODTStream(kThreeLevelQuery, stream) != KRO_S_OK) {
      state.SkipWithError("GetODTStream failed");
      break;
    }
    bytes += stream.GetLengthInChar();
    benchmark::DoNotOptimize(stream);
  }
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_GetODTStream)->Name("BM_GetODTStream/ThreeLevels");

// Reads the stream again and again into a builder of three levels.
void RunSetODTStream(benchmark::State& state, const KroUnicodeString& stream) {
  BenchLevelBuilder builder(2);
  for (auto _ : state) {
    if (builder.SetODTStream(stream) != KRO_S_OK) {
      state.SkipWithError("SetODTStream failed");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * stream.GetLengthInChar());
}

void BM_SetODTStream(benchmark::State& state) { RunSetODTStream(state, ThreeLevelStream()); }
BENCHMARK(BM_SetODTStream)->Name("BM_SetODTStream/ThreeLevels");

void BM_SetODTStreamIndented(benchmark::State& state) {
  RunSetODTStream(
      state, KroUnicodeString(nlohmann::json::parse(ThreeLevelStream().ToStdString()).dump(2)));
}
BENCHMARK(BM_SetODTStreamIndented)->Name("BM_SetODTStream/ThreeLevelsIndented");

void BM_NlohmannParseDump(benchmark::State& state) {
  const std::string text = ThreeLevelStream().ToStdString();
  for (auto _ : state) {
    std::string dumped = nlohmann::json::parse(text).dump();
    benchmark::DoNotOptimize(dumped);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_NlohmannParseDump)->Name("BM_NlohmannParseDump/ThreeLevels");

// A query of many keys, every third one with a sub-query that holds nested braces.
KroUnicodeString LongQuery(int keys) {
  std::string query;
  for (int i = 0; i < keys; ++i) {
    query += "key" + std::to_string(i);
    if (i % 3 == 0) query += "{inner  name{deep{x y} z} other}";
    query += (i % 5 == 0) ? "   " : " ";
  }
  return KroUnicodeString(query);
}

void BM_QueryParse(benchmark::State& state) {
  const KroUnicodeString query = LongQuery(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    KroListValKroUnicodeString keys;
    KroListValKroUnicodeString subQueries;
    if (KroMmdODTQueryParser::Parse(query, keys, subQueries) != KRO_S_OK) {
      state.SkipWithError("Parse failed");
      break;
    }
    benchmark::DoNotOptimize(keys);
  }
  state.SetBytesProcessed(state.iterations() * query.GetLengthInChar());
}
BENCHMARK(BM_QueryParse)->Name("BM_QueryParse/LongQuery")->Arg(30)->Arg(300);

}  // namespace

BENCHMARK_MAIN();
