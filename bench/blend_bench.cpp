// Blend throughput of the fade effects on 800 x 600 24-bit pictures, next to memcpy of the
// same bytes in the same run. Prints one line:
//   BENCH blend_throughput ours=<MB/s> peer=<MB/s> unit=MB/s ratio=<ours/peer>
#include "effects/Blend.h"
#include "effects/FastBitmap.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int Width = 800;
constexpr int Height = 600;
constexpr int PassesPerRun = 40;
constexpr int Runs = 9;

TFastBitmap randomPicture(std::mt19937& random)
{
    TFastBitmap picture(Width, Height);
    for (int y = 0; y < Height; ++y) {
        uchar* row = picture.row(y);
        for (qsizetype i = 0; i < picture.usedBytesPerRow(); ++i) {
            row[i] = uchar(random());
        }
    }
    return picture;
}

// Keeps the compiler from dropping work whose result is never read.
void touch(const void* data)
{
    asm volatile("" : : "r"(data) : "memory");
}

// Best throughput in MB/s of several runs, each of PassesPerRun passes over `bytes`.
template <typename Pass> double bestThroughput(double bytes, Pass pass)
{
    double best = 0;
    for (int run = 0; run < Runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < PassesPerRun; ++i) {
            pass(i);
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::max(best, bytes * PassesPerRun / took.count() / 1e6);
    }
    return best;
}

} // namespace

int main()
{
    std::mt19937 random(1234);
    const TFastBitmap from = randomPicture(random);
    const TFastBitmap to = randomPicture(random);
    TFastBitmap frame(Width, Height);
    const double bytes = double(Width) * 3 * Height;

    const double ours = bestThroughput(bytes, [&](int pass) {
        Blend(from, to, (pass * 7) % 256, frame);
        touch(frame.row(0));
    });

    std::vector<uchar> source(std::size_t(bytes), 1);
    std::vector<uchar> target(std::size_t(bytes), 0);
    const double peer = bestThroughput(bytes, [&](int pass) {
        source[std::size_t(pass)] = uchar(pass);
        std::memcpy(target.data(), source.data(), source.size());
        touch(target.data());
    });

    std::printf("BENCH blend_throughput ours=%.0f peer=%.0f unit=MB/s ratio=%.3f\n", ours, peer,
                ours / peer);
    return 0;
}
