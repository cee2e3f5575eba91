#include "fakes/FakeSound.h"

namespace tarvo::fakes {
namespace {

std::string Id(std::uintptr_t id) {
    return std::to_string(id);
}

}  // namespace

platform::HResult FakeSound::NextResult(const std::string& call) {
    std::vector<platform::HResult>& queued = results[call];
    if (queued.empty()) return 0;
    const platform::HResult result = queued.front();
    queued.erase(queued.begin());
    return result;
}

std::vector<platform::SoundDeviceInfo> FakeSound::EnumerateDevices() {
    journal_.Add("Sound.EnumerateDevices");
    return devices;
}

platform::HResult FakeSound::CreateDevice(const platform::SoundDeviceInfo& device, platform::SoundDeviceId* created) {
    journal_.Add("Sound.CreateDevice " + device.description);
    const platform::HResult result = NextResult("CreateDevice");
    *created = result >= 0 ? nextDevice_++ : 0;
    return result;
}

platform::HResult FakeSound::SetCooperativeLevel(platform::SoundDeviceId device, WindowId window, std::uint32_t level) {
    journal_.Add("Sound.SetCooperativeLevel " + Id(device) + " " + Id(window) + " " + std::to_string(level));
    return NextResult("SetCooperativeLevel");
}

std::span<const std::uint8_t> FakeSound::WaveResource(std::uint32_t id) {
    journal_.Add("Sound.WaveResource " + std::to_string(id));
    auto found = waves.find(id);
    if (found == waves.end()) return {};
    return found->second;
}

platform::HResult FakeSound::CreateBuffer(platform::SoundDeviceId device, std::span<const std::uint8_t> format,
                                          std::uint32_t size, std::uint32_t flags, platform::SoundBufferId* created) {
    const platform::HResult result = NextResult("CreateBuffer");
    *created = 0;
    if (result < 0) {
        journal_.Add("Sound.CreateBuffer failed");
        return result;
    }
    *created = nextBuffer_++;
    buffers[*created] = Buffer{device, {format.begin(), format.end()}, size, flags, {}, false};
    journal_.Add("Sound.CreateBuffer " + Id(*created));
    return result;
}

platform::HResult FakeSound::Fill(platform::SoundBufferId buffer, std::span<const std::uint8_t> pcm) {
    journal_.Add("Sound.Fill " + Id(buffer));
    const platform::HResult result = NextResult("Fill");
    if (result >= 0) buffers.at(buffer).contents.assign(pcm.begin(), pcm.end());
    return result;
}

platform::HResult FakeSound::Restore(platform::SoundBufferId buffer) {
    journal_.Add("Sound.Restore " + Id(buffer));
    return NextResult("Restore");
}

platform::HResult FakeSound::SetPosition(platform::SoundBufferId buffer, std::uint32_t position) {
    journal_.Add("Sound.SetPosition " + Id(buffer) + " " + std::to_string(position));
    return NextResult("SetPosition");
}

platform::HResult FakeSound::Play(platform::SoundBufferId buffer, std::uint32_t flags) {
    journal_.Add("Sound.Play " + Id(buffer) + " " + std::to_string(flags));
    return NextResult("Play");
}

platform::HResult FakeSound::Stop(platform::SoundBufferId buffer) {
    journal_.Add("Sound.Stop " + Id(buffer));
    return NextResult("Stop");
}

void FakeSound::Release(platform::SoundBufferId buffer) {
    journal_.Add("Sound.Release " + Id(buffer));
    buffers.at(buffer).released = true;
}

}  // namespace tarvo::fakes
