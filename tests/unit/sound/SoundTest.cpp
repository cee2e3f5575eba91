#include "sound/Sound.h"

#include "fakes/FakeServer.h"
#include "link/LinkWindow.h"
#include "sound/DirectSound.h"
#include "sound/Wave.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace tarvo::sound {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr platform::HResult kFail = static_cast<platform::HResult>(0x80004005);  // E_FAIL
constexpr MessageResult kDefaultRan = 0x7777;  // what the fake default procedure answers

void PutU32(Bytes& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

// A chunk as it sits in the file: tag, length, data, pad byte if odd.
Bytes Chunk(const char (&tag)[5], const Bytes& data) {
    Bytes out(tag, tag + 4);
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 != 0) out.push_back(0);
    return out;
}

// A RIFF image of the chunks, its length right.
Bytes Riff(std::initializer_list<Bytes> chunks, const char (&form)[5] = "WAVE") {
    Bytes body(form, form + 4);
    for (const Bytes& chunk : chunks) body.insert(body.end(), chunk.begin(), chunk.end());
    Bytes out{'R', 'I', 'F', 'F'};
    PutU32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes SetU32(Bytes image, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) image[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    return image;
}

const Bytes kFormat = {1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0};  // 16-bit mono PCM, 22050 Hz
const Bytes kPcm = {1, 2, 3, 4, 5, 6};

TEST(ParseWave, TakesTheFirstFormatAndDataChunksAndRefusesAnythingOutOfBounds) {
    const Bytes good = Riff({Chunk("fmt ", kFormat), Chunk("data", kPcm)});
    Bytes trailing = good;  // bytes after the RIFF length are not part of the image
    trailing.insert(trailing.end(), {'J', 'U', 'N', 'K', 0, 0, 0, 0});
    const Bytes cutByRiffLength = SetU32(trailing, 4, static_cast<std::uint32_t>(good.size() - 8 - 2));
    const Bytes hugeChunk = {'b', 'a', 'd', ' ', 0xFF, 0xFF, 0xFF, 0xFF};
    const Bytes odd = Riff({Chunk("LIST", {7, 7, 7}), Chunk("fmt ", kFormat), Chunk("data", {9})});
    // {name, image, format at/length, pcm at/length}; length 0 and at 0: refused
    struct Case {
        const char* name;
        Bytes image;
        std::size_t formatAt, formatLength, pcmAt, pcmLength;
    };
    // clang-format off
    const Case cases[] = {
        {"good", good, 20, 16, 44, 6},
        {"data first", Riff({Chunk("data", kPcm), Chunk("fmt ", kFormat)}), 34, 16, 20, 6},
        {"odd chunk padded", odd, 32, 16, 56, 1},
        {"fmt of 14", Riff({Chunk("fmt ", Bytes(14, 1)), Chunk("data", kPcm)}), 20, 14, 42, 6},
        {"later chunks unread", Riff({Chunk("fmt ", kFormat), Chunk("data", kPcm), hugeChunk}), 20, 16, 44, 6},
        {"trailing bytes", trailing, 20, 16, 44, 6},
        {"fmt of 12", Riff({Chunk("fmt ", Bytes(12, 1)), Chunk("data", kPcm)}), 0, 0, 0, 0},
        {"no data", Riff({Chunk("fmt ", kFormat), Chunk("LIST", kPcm)}), 0, 0, 0, 0},
        {"no fmt", Riff({Chunk("data", kPcm)}), 0, 0, 0, 0},
        {"not RIFF", SetU32(good, 0, 0x58464952 /* "RIFX" */), 0, 0, 0, 0},
        {"not WAVE", Riff({Chunk("fmt ", kFormat), Chunk("data", kPcm)}, "AVI "), 0, 0, 0, 0},
        {"empty", {}, 0, 0, 0, 0},
        {"header only", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V'}, 0, 0, 0, 0},
        {"data past the end", SetU32(good, 40, 7), 0, 0, 0, 0},
        {"data length wraps", SetU32(good, 40, 0xFFFFFFF8), 0, 0, 0, 0},
        {"fmt past the end", SetU32(good, 16, 0x1000), 0, 0, 0, 0},
        {"RIFF length past the image", SetU32(good, 4, static_cast<std::uint32_t>(good.size() - 8 + 1)), 0, 0, 0, 0},
        {"chunk past the RIFF length", cutByRiffLength, 0, 0, 0, 0},
        {"cut in a chunk header", SetU32(Bytes(good.begin(), good.begin() + 40), 4, 32), 0, 0, 0, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<Wave> wave = ParseWave(c.image);
        if (c.formatLength == 0) {
            EXPECT_FALSE(wave.has_value());
            continue;
        }
        ASSERT_TRUE(wave.has_value());
        EXPECT_EQ(wave->format.data() - c.image.data(), static_cast<std::ptrdiff_t>(c.formatAt));
        EXPECT_EQ(wave->format.size(), c.formatLength);
        EXPECT_EQ(wave->pcm.data() - c.image.data(), static_cast<std::ptrdiff_t>(c.pcmAt));
        EXPECT_EQ(wave->pcm.size(), c.pcmLength);
    }
}

// A server with two sound devices and the program's four sounds.
struct SoundRig {
    SoundRig() {
        fake.clock.SetAutoAdvance(true);
        fake.clock.OnSleep([this](std::uint32_t ms) { pauses.push_back(ms); });
        fake.desktop.defaultResult = kDefaultRan;
        fake.server.host.linkWindow = link;
        fake.sound.devices = {{false, {}, "Primary Sound Driver"}, {true, {1, 2, 3}, "Speakers"}};
        for (const std::uint32_t id : {250u, 255u, 256u, 257u}) {
            fake.sound.waves[id] = Riff({Chunk("fmt ", kFormat), Chunk("data", Bytes(id % 100 + 2, 0x11))});
        }
        EnumerateSoundDevices(fake.server);
    }

    MessageResult Send(std::uint32_t message, WParam wParam = 0, LParam lParam = 0) {
        return procedure.OnMessage(link, message, wParam, lParam, nullptr);
    }
    std::vector<std::string> SoundCalls(std::string_view prefix = "Sound.") const {
        return fake.journal.EntriesStartingWith(prefix);
    }

    fakes::FakeServer fake;
    std::vector<std::uint32_t> pauses;
    const WindowId link = 0x502;
    link::LinkWindowProcedure procedure{fake.server};
};

TEST(SoundSetUp, LoadsTheLoopingSoundOfTheClampedVariantAndTheOneShot) {
    SoundRig rig;
    // {variant, looping sound's resource}: 254 + the variant clamped to 1..3
    // clang-format off
    const std::pair<std::int32_t, std::uint32_t> cases[] = {{5, 257}, {0, 255}, {-3, 255}, {2, 256}, {1, 255},
                                                            {3, 257}};
    // clang-format on
    std::vector<std::string> loads;
    for (const auto& [variant, resource] : cases) {
        SCOPED_TRACE(variant);
        EXPECT_EQ(rig.Send(39379, 1, variant), kDefaultRan);
        EXPECT_EQ(rig.fake.server.sound.variant, variant);
        loads.push_back("Sound.WaveResource " + std::to_string(resource));
        loads.push_back("Sound.WaveResource 250");
    }
    EXPECT_EQ(rig.SoundCalls("Sound.WaveResource"), loads);
    EXPECT_EQ(rig.fake.server.sound.deviceIndex, 1u);
    // Opened once, for the link window; every set-up replaced the sounds before.
    EXPECT_EQ(rig.fake.journal.EntriesStartingWith("Sound.CreateDevice"),
              std::vector<std::string>{"Sound.CreateDevice Speakers"});
    EXPECT_EQ(rig.fake.journal.EntriesStartingWith("Sound.SetCooperativeLevel"),
              std::vector<std::string>{"Sound.SetCooperativeLevel 1024 1282 1"});  // device 0x400, window 0x502
    std::size_t live = 0;
    for (const auto& [id, buffer] : rig.fake.sound.buffers) live += buffer.released ? 0 : 1;
    EXPECT_EQ(live, 2u);

    // The last looping sound is resource 257: a static buffer that gets its format and PCM bytes.
    const fakes::FakeSound::Buffer& looping = std::prev(rig.fake.sound.buffers.end(), 2)->second;
    EXPECT_EQ(looping.flags, 0x8002u);
    EXPECT_EQ(looping.format, kFormat);
    EXPECT_EQ(looping.size, 59u);  // 257 % 100 + 2
    EXPECT_EQ(looping.contents, Bytes(59, 0x11));
}

TEST(SoundSetUp, OpenRetriesOnlyABusyOrMissingDriverFiveTimesAtMost) {
    // {results of the creates, creates made, set-up succeeds}
    struct Case {
        std::vector<platform::HResult> creates;
        std::size_t tries;
        bool opens;
    };
    // clang-format off
    const Case cases[] = {
        {{kDsErrAllocated, kDsErrAllocated, 0}, 3, true},
        {{kDsErrNoDriver, kDsErrAllocated, kDsErrNoDriver, kDsErrNoDriver, kDsErrNoDriver, 0}, 5, false},
        {{kDsErrNoDriver, kFail}, 2, false},
        {{kFail}, 1, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tries);
        SoundRig rig;
        rig.fake.sound.results["CreateDevice"] = c.creates;
        EXPECT_EQ(rig.Send(39379, 0, 1), c.opens ? kDefaultRan : 0);
        EXPECT_EQ(rig.SoundCalls("Sound.CreateDevice").size(), c.tries);
        EXPECT_EQ(rig.pauses, std::vector<std::uint32_t>(c.tries - 1, 200)) << "a pause before each retry";
        EXPECT_EQ(rig.SoundCalls("Sound.SetCooperativeLevel").size(), c.opens ? 1u : 0u);
        EXPECT_EQ(rig.fake.server.sound.loopingSound != nullptr, c.opens);
        EXPECT_EQ(rig.fake.server.sound.devices[0].opened, c.opens);
    }
}

TEST(SoundSetUp, RefusedSetUpKeepsThePreviousSounds) {
    // {device index, its open fails}: a device that will not open, and indexes past the list
    // clang-format off
    const std::pair<WParam, bool> cases[] = {{1, true}, {2, false}, {0xFFFFFFFF, false}, {(WParam{1} << 32) + 1, false}};
    // clang-format on
    for (const auto& [index, openFails] : cases) {
        SCOPED_TRACE(index);
        SoundRig rig;
        ASSERT_EQ(rig.Send(39379, 0, 2), kDefaultRan);
        const CDirectSound* looping = rig.fake.server.sound.loopingSound.get();
        const CDirectSound* oneShot = rig.fake.server.sound.oneShotSound.get();
        rig.fake.journal.Clear();
        if (openFails) rig.fake.sound.results["CreateDevice"] = {kFail};

        EXPECT_EQ(rig.Send(39379, index, 3), 0);
        EXPECT_EQ(rig.SoundCalls().size(), openFails ? 1u : 0u) << "only the failed create";
        EXPECT_EQ(rig.fake.server.sound.loopingSound.get(), looping);
        EXPECT_EQ(rig.fake.server.sound.oneShotSound.get(), oneShot);
        EXPECT_EQ(rig.fake.server.sound.variant, 2);
        rig.Send(39193);
        EXPECT_EQ(rig.SoundCalls("Sound.Play"), std::vector<std::string>{"Sound.Play 1280 1"}) << "still plays";
    }
}

TEST(SoundSetUp, ASoundThatCannotBeLoadedIsLeftOutAndItsBufferReleased) {
    // Buffers: 1280 (0x500) the looping sound's, 1281 the one-shot's.
    // {name, break it, looping sound loaded, one-shot loaded, calls of the set-up after the device opened}
    struct Case {
        const char* name;
        std::function<void(fakes::FakeSound&)> breakIt;
        bool looping, oneShot;
        std::vector<std::string> calls;
    };
    // clang-format off
    const Case cases[] = {
        {"no resource", [](fakes::FakeSound& s) { s.waves.erase(250); }, true, false,
         {"Sound.WaveResource 255", "Sound.CreateBuffer 1280", "Sound.Fill 1280", "Sound.WaveResource 250"}},
        {"malformed resource", [](fakes::FakeSound& s) { s.waves[255].resize(30); }, false, true,
         {"Sound.WaveResource 255", "Sound.WaveResource 250", "Sound.CreateBuffer 1280", "Sound.Fill 1280"}},
        {"no buffer", [](fakes::FakeSound& s) { s.results["CreateBuffer"] = {kFail}; }, false, true,
         {"Sound.WaveResource 255", "Sound.CreateBuffer failed", "Sound.WaveResource 250", "Sound.CreateBuffer 1280",
          "Sound.Fill 1280"}},
        {"fill fails", [](fakes::FakeSound& s) { s.results["Fill"] = {kFail}; }, false, true,
         {"Sound.WaveResource 255", "Sound.CreateBuffer 1280", "Sound.Fill 1280", "Sound.Release 1280",
          "Sound.WaveResource 250", "Sound.CreateBuffer 1281", "Sound.Fill 1281"}},
        {"lost buffer restored", [](fakes::FakeSound& s) { s.results["Fill"] = {kDsErrBufferLost}; }, true, true,
         {"Sound.WaveResource 255", "Sound.CreateBuffer 1280", "Sound.Fill 1280", "Sound.Restore 1280",
          "Sound.Fill 1280", "Sound.WaveResource 250", "Sound.CreateBuffer 1281", "Sound.Fill 1281"}},
        {"lost twice", [](fakes::FakeSound& s) { s.results["Fill"] = {kDsErrBufferLost, kDsErrBufferLost}; },
         false, true,
         {"Sound.WaveResource 255", "Sound.CreateBuffer 1280", "Sound.Fill 1280", "Sound.Restore 1280",
          "Sound.Fill 1280", "Sound.Release 1280", "Sound.WaveResource 250", "Sound.CreateBuffer 1281",
          "Sound.Fill 1281"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SoundRig rig;
        c.breakIt(rig.fake.sound);
        EXPECT_EQ(rig.Send(39379, 0, 1), kDefaultRan) << "the device opened";
        std::vector<std::string> calls = rig.SoundCalls();
        calls.erase(calls.begin(), calls.begin() + 3);  // enumerate, create, cooperative level
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(rig.fake.server.sound.loopingSound != nullptr, c.looping);
        EXPECT_EQ(rig.fake.server.sound.oneShotSound != nullptr, c.oneShot);
    }
}

TEST(SoundPlay, LoopingSoundNeedsAVariantAndALostBufferIsRefilledAndPlayedOnce) {
    // Buffers: 1280 (0x500) the looping sound's, 1281 the one-shot's.
    // {variant, message, queued play results, queued fill results, sound calls}
    struct Case {
        std::int32_t variant;
        std::uint32_t message;
        std::vector<platform::HResult> plays, fills;
        std::vector<std::string> calls;
    };
    // clang-format off
    const Case cases[] = {
        {1, 39193, {}, {}, {"Sound.SetPosition 1280 0", "Sound.Play 1280 1"}},
        {3, 39194, {}, {}, {"Sound.Stop 1280"}},
        {1, 39196, {}, {}, {"Sound.SetPosition 1281 0", "Sound.Play 1281 0"}},
        {0, 39193, {}, {}, {}},
        {-1, 39194, {}, {}, {}},
        {0, 39196, {}, {}, {"Sound.SetPosition 1281 0", "Sound.Play 1281 0"}},
        {1, 39193, {kDsErrBufferLost}, {},
         {"Sound.SetPosition 1280 0", "Sound.Play 1280 1", "Sound.Fill 1280", "Sound.Play 1280 1"}},
        {1, 39196, {kDsErrBufferLost, kDsErrBufferLost}, {kDsErrBufferLost},
         {"Sound.SetPosition 1281 0", "Sound.Play 1281 0", "Sound.Fill 1281", "Sound.Restore 1281", "Sound.Fill 1281",
          "Sound.Play 1281 0"}},
        {1, 39193, {kDsErrBufferLost}, {kFail}, {"Sound.SetPosition 1280 0", "Sound.Play 1280 1", "Sound.Fill 1280"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.variant << " " << c.message << " " << c.plays.size() << c.fills.size());
        SoundRig rig;
        ASSERT_EQ(rig.Send(39379, 0, c.variant), kDefaultRan);
        rig.fake.journal.Clear();
        rig.fake.sound.results["Play"] = c.plays;
        rig.fake.sound.results["Fill"] = c.fills;
        EXPECT_EQ(rig.Send(c.message), 1);
        EXPECT_EQ(rig.SoundCalls(), c.calls);
    }
}

TEST(SoundPlay, NothingPlaysBeforeTheSoundsAreSetUp) {
    SoundRig rig;
    rig.Send(39193);
    rig.Send(39194);
    rig.Send(39196);
    EXPECT_EQ(rig.SoundCalls(), std::vector<std::string>{"Sound.EnumerateDevices"});
}

}  // namespace
}  // namespace tarvo::sound
