// Writes a candump trace of a bus at its maximum for the replay's benchmarks, fast enough that
// an hour of it (27 M frames, about 1.4 GB) takes seconds: unit 1 at 100 samples/s, the
// chassis at 10/s, and other identifiers filling the bus to 7500 frames/s.
//   bench_make_trace FILE [FRAMES]    27000000 frames by default

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr long long T0 = 1733660000'000000;
constexpr int FramesPerSecond = 7500;
constexpr char Hex[] = "0123456789ABCDEF";

char *Put(char *to, const char *text)
{
    const size_t length = std::strlen(text);
    std::memcpy(to, text, length);
    return to + length;
}

// Digits of value, width of them, zeros in front.
char *PutNumber(char *to, unsigned long long value, int width)
{
    for (int i = width - 1; i >= 0; --i, value /= 10)
        to[i] = char('0' + value % 10);
    return to + width;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_make_trace FILE [FRAMES]\n");
        return 2;
    }
    const long long frames = argc > 2 ? std::atoll(argv[2]) : 27'000'000LL;
    FILE *file = std::fopen(argv[1], "wb");
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    std::vector<char> buffer(1 << 20);
    char *at = buffer.data();
    for (long long i = 0; i < frames; ++i) {
        const long long us = T0 + i * 1'000'000 / FramesPerSecond;
        const int slot = int(i % (FramesPerSecond / 100));  // 75 frames in each 10 ms
        at = Put(at, "(");
        at = PutNumber(at, static_cast<unsigned long long>(us / 1'000'000), 10);
        at = Put(at, ".");
        at = PutNumber(at, static_cast<unsigned long long>(us % 1'000'000), 6);
        at = Put(at, ") can0 ");
        if (slot == 0) {
            // A production sample: angles, accelerations, a counter in the first byte.
            at = Put(at, "18FECE47#");
            *at++ = Hex[(i / 75 >> 4) & 15];
            *at++ = Hex[(i / 75) & 15];
            at = Put(at, "23282328C8643C");
        } else if (slot == 1 && i / 75 % 10 == 0) {
            at = Put(at, "18FECF10#0032010000000000");
        } else {
            at = Put(at, "0CF00400#");
            for (int b = 0; b < 8; ++b) {
                *at++ = Hex[(i >> (b * 4 + 4)) & 15];
                *at++ = Hex[(i >> (b * 4)) & 15];
            }
        }
        at = Put(at, " R\n");
        if (buffer.data() + buffer.size() - at < 128 || i + 1 == frames) {
            const size_t length = size_t(at - buffer.data());
            if (std::fwrite(buffer.data(), 1, length, file) != length) {
                std::perror(argv[1]);
                return 1;
            }
            at = buffer.data();
        }
    }
    return std::fclose(file) == 0 ? 0 : 1;
}
