#include "win32/Win32Sound.h"

#include "win32/Win32.h"

#include <mmsystem.h>
#include <dsound.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

namespace tarvo::win32 {
namespace {

BOOL CALLBACK AddDevice(LPGUID guid, LPCSTR description, LPCSTR /*module*/, LPVOID devices) {
    platform::SoundDeviceInfo device;
    if (guid != nullptr) {
        device.hasGuid = true;
        std::memcpy(device.guid.data(), guid, device.guid.size());
    }
    device.description = std::string(description).substr(0, 63);
    static_cast<std::vector<platform::SoundDeviceInfo>*>(devices)->push_back(std::move(device));
    return TRUE;
}

IDirectSound* ToDevice(platform::SoundDeviceId device) { return reinterpret_cast<IDirectSound*>(device); }
IDirectSoundBuffer* ToBuffer(platform::SoundBufferId buffer) { return reinterpret_cast<IDirectSoundBuffer*>(buffer); }

}  // namespace

std::vector<platform::SoundDeviceInfo> Win32Sound::EnumerateDevices() {
    std::vector<platform::SoundDeviceInfo> devices;
    ::DirectSoundEnumerateA(AddDevice, &devices);
    return devices;
}

platform::HResult Win32Sound::CreateDevice(const platform::SoundDeviceInfo& device, platform::SoundDeviceId* created) {
    GUID guid;
    std::memcpy(&guid, device.guid.data(), sizeof(guid));
    IDirectSound* sound = nullptr;
    const HRESULT result = ::DirectSoundCreate(device.hasGuid ? &guid : nullptr, &sound, nullptr);
    *created = reinterpret_cast<platform::SoundDeviceId>(sound);
    return result;
}

platform::HResult Win32Sound::SetCooperativeLevel(platform::SoundDeviceId device, WindowId window,
                                                  std::uint32_t level) {
    return ToDevice(device)->SetCooperativeLevel(ToHwnd(window), level);
}

std::span<const std::uint8_t> Win32Sound::WaveResource(std::uint32_t id) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), "WAVE");
    if (found == nullptr) return {};
    HGLOBAL loaded = ::LoadResource(module, found);
    if (loaded == nullptr) return {};
    const void* bytes = ::LockResource(loaded);
    if (bytes == nullptr) return {};
    return {static_cast<const std::uint8_t*>(bytes), ::SizeofResource(module, found)};
}

platform::HResult Win32Sound::CreateBuffer(platform::SoundDeviceId device, std::span<const std::uint8_t> format,
                                           std::uint32_t size, std::uint32_t flags,
                                           platform::SoundBufferId* created) {
    // The "fmt " chunk may be shorter than WAVEFORMATEX (plain PCM has no cbSize)
    // or longer (extensible formats): copy it into a zeroed record at least as
    // large, and let cbSize claim no more extra bytes than the chunk has.
    std::vector<std::uint8_t> record(std::max(format.size(), sizeof(WAVEFORMATEX)), 0);
    std::copy(format.begin(), format.end(), record.begin());
    WORD extra = 0;
    std::memcpy(&extra, record.data() + offsetof(WAVEFORMATEX, cbSize), sizeof(extra));
    extra = static_cast<WORD>(std::min<std::size_t>(extra, record.size() - sizeof(WAVEFORMATEX)));
    std::memcpy(record.data() + offsetof(WAVEFORMATEX, cbSize), &extra, sizeof(extra));
    DSBUFFERDESC description = {};
    static_assert(sizeof(description) == 40, "the DirectSound 7 buffer description");
    description.dwSize = sizeof(description);
    description.dwFlags = flags;
    description.dwBufferBytes = size;
    description.lpwfxFormat = reinterpret_cast<WAVEFORMATEX*>(record.data());
    IDirectSoundBuffer* buffer = nullptr;
    const HRESULT result = ToDevice(device)->CreateSoundBuffer(&description, &buffer, nullptr);
    *created = reinterpret_cast<platform::SoundBufferId>(buffer);
    return result;
}

platform::HResult Win32Sound::Fill(platform::SoundBufferId buffer, std::span<const std::uint8_t> pcm) {
    void* first = nullptr;
    DWORD firstSize = 0;
    void* second = nullptr;
    DWORD secondSize = 0;
    const HRESULT locked = ToBuffer(buffer)->Lock(0, 0, &first, &firstSize, &second, &secondSize, DSBLOCK_ENTIREBUFFER);
    if (FAILED(locked)) return locked;
    if (!pcm.empty()) std::memcpy(first, pcm.data(), std::min<std::size_t>(firstSize, pcm.size()));
    ToBuffer(buffer)->Unlock(first, firstSize, second, secondSize);
    return locked;
}

platform::HResult Win32Sound::Restore(platform::SoundBufferId buffer) { return ToBuffer(buffer)->Restore(); }

platform::HResult Win32Sound::SetPosition(platform::SoundBufferId buffer, std::uint32_t position) {
    return ToBuffer(buffer)->SetCurrentPosition(position);
}

platform::HResult Win32Sound::Play(platform::SoundBufferId buffer, std::uint32_t flags) {
    return ToBuffer(buffer)->Play(0, 0, flags);
}

platform::HResult Win32Sound::Stop(platform::SoundBufferId buffer) { return ToBuffer(buffer)->Stop(); }

void Win32Sound::Release(platform::SoundBufferId buffer) {
    if (buffer != 0) ToBuffer(buffer)->Release();
}

}  // namespace tarvo::win32
