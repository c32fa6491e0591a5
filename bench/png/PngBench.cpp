// The PNG codec against PIL (the system's python3-pil) on the same 2048 x 2048 RGBA file, in the
// same run: decoding that file, and encoding the image at the same compression level. PIL's times
// come from its own timing loop in one Python process (started once); each of our benchmarks
// reports them as counters, with the ratio ours / PIL's. Both sides count the best processor time
// of a run (single-threaded), so that a busy machine slows both alike.

#include "spreadsheet/png/PngPicture.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

constexpr int kSize = 2048;
constexpr int kLevel = 6; // PIL's default compression level

std::string BigEndian32(std::uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}

std::string Chunk(const std::string& type, const std::string& data) {
    std::string td = type + data;
    auto crc = static_cast<std::uint32_t>(
        crc32(0L, reinterpret_cast<const Bytef*>(td.data()), static_cast<uInt>(td.size())));
    return BigEndian32(static_cast<std::uint32_t>(data.size())) + td + BigEndian32(crc);
}

// A photo-like picture: smooth gradients with circles, light noise and a partly transparent area.
std::string RawImage() {
    std::string raw;
    raw.reserve(static_cast<std::size_t>(kSize) * (kSize * 4 + 1));
    std::uint32_t seed = 46;
    for (int y = 0; y < kSize; ++y) {
        raw += '\0';
        for (int x = 0; x < kSize; ++x) {
            seed = seed * 1103515245u + 12345u;
            int noise = static_cast<int>(seed >> 28) - 8;
            int dx = x % 512 - 256, dy = y % 512 - 256;
            bool ring = (dx * dx + dy * dy) / 4096 % 3 == 0;
            auto clamp = [](int v) { return static_cast<char>(v < 0 ? 0 : v > 255 ? 255 : v); };
            raw += clamp(x / 8 + noise);
            raw += clamp(y / 8 + (ring ? 60 : 0) + noise);
            raw += clamp((x + y) / 16 + noise);
            raw += static_cast<char>(x < kSize / 2 ? 255 : 255 - (x - kSize / 2) / 8);
        }
    }
    return raw;
}

struct TFixture {
    std::vector<std::uint8_t> file; // written by the codec at kLevel
    std::string path;
    double pilDecodeMs = 0;
    double pilEncodeMs = 0;
    double pilFileBytes = 0; // PIL's file of the same image at the same level
};

void MeasurePil(TFixture& f) {
    const std::string script = "import io,sys,time\n"
                               "from PIL import Image\n"
                               "data=open(sys.argv[1],'rb').read()\n"
                               "def best(f,n=5):\n"
                               "    t=[]\n"
                               "    for _ in range(n):\n"
                               "        s=time.process_time();f();t.append(time.process_time()-s)\n"
                               "    return min(t)*1000\n"
                               "im=Image.open(io.BytesIO(data));im.load()\n"
                               "d=best(lambda:Image.open(io.BytesIO(data)).load())\n"
                               "e=best(lambda:im.save(io.BytesIO(),'PNG',compress_level=" +
                               std::to_string(kLevel) +
                               "))\n"
                               "o=io.BytesIO();im.save(o,'PNG',compress_level=" +
                               std::to_string(kLevel) +
                               ")\n"
                               "print(d,e,len(o.getvalue()))\n";
    std::string scriptPath = f.path + ".py";
    std::ofstream(scriptPath) << script;
    std::string command = "/usr/bin/python3 " + scriptPath + " " + f.path;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return;
    if (std::fscanf(pipe, "%lf %lf %lf", &f.pilDecodeMs, &f.pilEncodeMs, &f.pilFileBytes) != 3)
        f.pilDecodeMs = f.pilEncodeMs = f.pilFileBytes = 0;
    pclose(pipe);
}

TFixture& Fixture() {
    static TFixture fixture = [] {
        InitializePngUnit();
        TFixture f;
        std::string ihdr =
            BigEndian32(kSize) + BigEndian32(kSize) + std::string("\x08\x06\0\0\0", 5);
        std::string raw = RawImage();
        uLongf size = compressBound(static_cast<uLong>(raw.size()));
        std::string packed(size, '\0');
        compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), 1);
        packed.resize(size);
        std::string source =
            "\x89PNG\r\n\x1a\n" + Chunk("IHDR", ihdr) + Chunk("IDAT", packed) + Chunk("IEND", "");
        TPngPicture png;
        png.LoadFromBytes({source.begin(), source.end()});
        png.SetDeflateLevel(kLevel);
        f.file = png.SaveToBytes();
        f.path = "/tmp/bench_png_" + std::to_string(kSize) + ".png";
        std::ofstream(f.path, std::ios::binary)
            .write(reinterpret_cast<const char*>(f.file.data()),
                   static_cast<std::streamsize>(f.file.size()));
        MeasurePil(f);
        return f;
    }();
    return fixture;
}

double CpuMs(std::clock_t start) {
    return static_cast<double>(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
}

void Report(benchmark::State& state, double ourMs, double pilMs) {
    state.counters["ours_ms"] = ourMs;
    state.counters["pil_ms"] = pilMs;
    state.counters["ours_per_pil"] = pilMs > 0 ? ourMs / pilMs : 0;
}

void BM_DecodeRgba2048(benchmark::State& state) {
    TFixture& f = Fixture();
    double best = 1e30;
    for (auto _ : state) {
        std::clock_t start = std::clock();
        TPngPicture png;
        png.LoadFromBytes(f.file);
        benchmark::DoNotOptimize(png.RowPointer(0));
        best = std::min(best, CpuMs(start));
    }
    state.counters["file_bytes"] = static_cast<double>(f.file.size());
    Report(state, best, f.pilDecodeMs);
}
BENCHMARK(BM_DecodeRgba2048)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_EncodeRgba2048(benchmark::State& state) {
    TFixture& f = Fixture();
    TPngPicture png;
    png.LoadFromBytes(f.file);
    png.SetDeflateLevel(kLevel);
    double best = 1e30;
    for (auto _ : state) {
        std::clock_t start = std::clock();
        std::vector<std::uint8_t> bytes = png.SaveToBytes();
        benchmark::DoNotOptimize(bytes.data());
        best = std::min(best, CpuMs(start));
        state.counters["file_bytes"] = static_cast<double>(bytes.size());
    }
    state.counters["pil_file_bytes"] = f.pilFileBytes;
    Report(state, best, f.pilEncodeMs);
}
BENCHMARK(BM_EncodeRgba2048)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
