// Writes the program's generated resources into a folder: the WAVE sounds
// (short sine tones, 16-bit mono PCM) and the link window's cursor. Built and
// run on the build machine, so nothing binary is kept in the source tree.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kSampleRate = 22050;

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    PutU16(out, static_cast<std::uint16_t>(v));
    PutU16(out, static_cast<std::uint16_t>(v >> 16));
}

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) { out.insert(out.end(), tag, tag + 4); }

// A tone that fades in and out over 5 ms, so it neither clicks alone nor when looped.
std::vector<std::uint8_t> Tone(double frequency, std::uint32_t milliseconds) {
    const std::uint32_t samples = kSampleRate * milliseconds / 1000;
    const std::uint32_t fade = kSampleRate * 5 / 1000;
    std::vector<std::uint8_t> pcm;
    for (std::uint32_t i = 0; i < samples; ++i) {
        double gain = 0.4;
        if (i < fade) gain *= static_cast<double>(i) / fade;
        if (samples - i < fade) gain *= static_cast<double>(samples - i) / fade;
        const double value = gain * std::sin(2.0 * std::numbers::pi * frequency * i / kSampleRate);
        PutU16(pcm, static_cast<std::uint16_t>(static_cast<std::int16_t>(value * 32767.0)));
    }

    std::vector<std::uint8_t> wav;
    PutTag(wav, "RIFF");
    PutU32(wav, static_cast<std::uint32_t>(4 + 8 + 16 + 8 + pcm.size()));
    PutTag(wav, "WAVE");
    PutTag(wav, "fmt ");
    PutU32(wav, 16);
    PutU16(wav, 1);  // PCM
    PutU16(wav, 1);  // mono
    PutU32(wav, kSampleRate);
    PutU32(wav, kSampleRate * 2);  // bytes per second
    PutU16(wav, 2);                // block align
    PutU16(wav, 16);               // bits per sample
    PutTag(wav, "data");
    PutU32(wav, static_cast<std::uint32_t>(pcm.size()));
    wav.insert(wav.end(), pcm.begin(), pcm.end());
    return wav;
}

// A 32x32 monochrome arrow cursor with its hot spot at the tip.
std::vector<std::uint8_t> ArrowCursor() {
    constexpr int kSize = 32;
    constexpr int kRowBytes = kSize / 8;
    std::vector<std::uint8_t> xorMask(kSize * kRowBytes, 0x00);
    std::vector<std::uint8_t> andMask(kSize * kRowBytes, 0xFF);  // transparent
    // Bitmap rows run bottom-up; y = 0 is the top of the arrow, a right
    // triangle outlined in black and filled in white.
    constexpr int kArrow = 16;
    for (int y = 0; y < kArrow; ++y) {
        for (int x = 0; x <= y; ++x) {
            const bool edge = x == 0 || x == y || y == kArrow - 1;
            const int row = kSize - 1 - y;
            const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            andMask[row * kRowBytes + x / 8] &= static_cast<std::uint8_t>(~bit);  // opaque
            if (!edge) xorMask[row * kRowBytes + x / 8] |= bit;                   // white
        }
    }

    std::vector<std::uint8_t> image;
    PutU32(image, 40);         // BITMAPINFOHEADER size
    PutU32(image, kSize);      // width
    PutU32(image, kSize * 2);  // height of the XOR and AND masks together
    PutU16(image, 1);          // planes
    PutU16(image, 1);          // bits per pixel
    PutU32(image, 0);          // BI_RGB
    PutU32(image, static_cast<std::uint32_t>(xorMask.size() + andMask.size()));
    PutU32(image, 0);
    PutU32(image, 0);
    PutU32(image, 2);  // colours used
    PutU32(image, 0);
    PutU32(image, 0x00000000);  // black
    PutU32(image, 0x00FFFFFF);  // white
    image.insert(image.end(), xorMask.begin(), xorMask.end());
    image.insert(image.end(), andMask.begin(), andMask.end());

    std::vector<std::uint8_t> cur;
    PutU16(cur, 0);  // reserved
    PutU16(cur, 2);  // cursor
    PutU16(cur, 1);  // one image
    cur.push_back(kSize);
    cur.push_back(kSize);
    cur.push_back(0);  // colour count
    cur.push_back(0);
    PutU16(cur, 0);  // hot spot x
    PutU16(cur, 0);  // hot spot y
    PutU32(cur, static_cast<std::uint32_t>(image.size()));
    PutU32(cur, 6 + 16);  // image offset
    cur.insert(cur.end(), image.begin(), image.end());
    return cur;
}

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ResourceGen <output folder>\n");
        return 2;
    }
    const std::string dir = argv[1];
    struct Output {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    const Output outputs[] = {
        {"tone250.wav", Tone(880.0, 150)},  // one-shot: short and high
        {"tone255.wav", Tone(440.0, 400)},  // looping, variant 1
        {"tone256.wav", Tone(523.25, 400)}, // variant 2
        {"tone257.wav", Tone(659.25, 400)}, // variant 3
        {"cursor104.cur", ArrowCursor()},
    };
    for (const Output& output : outputs) {
        if (!Write(dir + "/" + output.name, output.bytes)) {
            std::fprintf(stderr, "ResourceGen: cannot write %s/%s\n", dir.c_str(), output.name);
            return 1;
        }
    }
    return 0;
}
