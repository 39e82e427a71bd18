// Archiving a generated 50 MB project folder with the ZIP writer, side by side with `zip -r -6` on
// the same files in the same run: the time and size ratios are the counters.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "kit/zip_writer.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct FileSink : qv::ByteSink {
  explicit FileSink(const fs::path& path) : file(std::fopen(path.c_str(), "wb")) {}
  ~FileSink() override { std::fclose(file); }
  bool Write(std::string_view bytes) override { return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size(); }
  std::FILE* file;
};

// Modules of code-like text, with a fifth of the bytes in binary form resources that do not shrink.
fs::path MakeProject(std::size_t total) {
  const fs::path folder = fs::temp_directory_path() / ("qv_zip_bench_" + std::to_string(getpid()));
  fs::create_directories(folder / "project");
  std::mt19937 random(7);
  std::size_t written = 0;
  for (int i = 0; written < total; ++i) {
    std::string data;
    if (i % 5 == 4) {
      for (std::size_t k = 0; k < 200000; ++k) data.push_back(static_cast<char>(random()));
    } else {
      while (data.size() < 400000) {
        data += "    If Value" + std::to_string(random() % 1000) + " > " + std::to_string(random() % 100) +
                " Then Call Procedure" + std::to_string(random() % 300) + "(x, \"text " + std::to_string(random()) +
                "\")\r\n";
      }
    }
    std::ofstream(folder / "project" / ("Module" + std::to_string(i) + (i % 5 == 4 ? ".frx" : ".bas")),
                  std::ios::binary)
        << data;
    written += data.size();
  }
  return folder;
}

void ZipWriterArchive(const fs::path& source, const fs::path& archive) {
  FileSink sink(archive);
  qv::ZipWriter writer(sink);
  for (const auto& entry : fs::directory_iterator(source)) {
    std::string data(fs::file_size(entry.path()), '\0');
    std::ifstream(entry.path(), std::ios::binary).read(data.data(), static_cast<std::streamsize>(data.size()));
    if (!writer.Add(entry.path().filename().wstring(), data, {2024, 3, 5, 14, 7, 9})) std::abort();
  }
  if (!writer.Finish()) std::abort();
}

void BM_ArchiveProjectFolderAgainstZip(benchmark::State& state) {
  const fs::path folder = MakeProject(50u << 20);
  const fs::path ours = folder / "ours.zip", theirs = folder / "theirs.zip";
  const std::string command = "cd '" + (folder / "project").string() + "' && zip -r -6 -q '" + theirs.string() + "' .";
  double our_seconds = 0, zip_seconds = 0;
  for (auto _ : state) {
    fs::remove(theirs);
    const Clock::time_point start = Clock::now();
    ZipWriterArchive(folder / "project", ours);
    const Clock::time_point middle = Clock::now();
    if (std::system(command.c_str()) != 0) state.SkipWithError("zip failed");
    const Clock::time_point end = Clock::now();
    our_seconds += std::chrono::duration<double>(middle - start).count();
    zip_seconds += std::chrono::duration<double>(end - middle).count();
    state.SetIterationTime(std::chrono::duration<double>(middle - start).count());
  }
  state.counters["zip_ms"] = 1000 * zip_seconds / static_cast<double>(state.iterations());
  state.counters["time_ratio"] = our_seconds / zip_seconds;
  state.counters["size_ratio"] = static_cast<double>(fs::file_size(ours)) / static_cast<double>(fs::file_size(theirs));
  fs::remove_all(folder);
}
BENCHMARK(BM_ArchiveProjectFolderAgainstZip)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
