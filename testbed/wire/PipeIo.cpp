#include "wire/PipeIo.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace tarvo::wire {
namespace {

// Waits for one overlapped transfer; false when the pipe failed or closed.
bool Transfer(HANDLE pipe, void* buffer, DWORD size, bool write, DWORD& done) {
    OVERLAPPED overlapped = {};
    overlapped.hEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (overlapped.hEvent == nullptr) return false;
    BOOL ok = write ? ::WriteFile(pipe, buffer, size, nullptr, &overlapped)
                    : ::ReadFile(pipe, buffer, size, nullptr, &overlapped);
    if (!ok && ::GetLastError() != ERROR_IO_PENDING) {
        ::CloseHandle(overlapped.hEvent);
        return false;
    }
    ok = ::GetOverlappedResult(pipe, &overlapped, &done, TRUE);
    ::CloseHandle(overlapped.hEvent);
    return ok && done > 0;
}

std::string FromEnvironment(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0' ? value : fallback;
}

}  // namespace

std::string SimConnectPipeName() { return FromEnvironment("TARVO_SIMCONNECT_PIPE", "\\\\.\\pipe\\Tarvo81_SimConnect"); }

std::string SimControlPipeName() { return FromEnvironment("TARVO_SIMCONTROL_PIPE", "\\\\.\\pipe\\Tarvo81_SimControl"); }

std::string CrewControlPipeName() { return FromEnvironment("TARVO_CREWCONTROL_PIPE", "\\\\.\\pipe\\Tarvo81_CrewControl"); }

bool ReadExact(HANDLE pipe, void* into, DWORD size) {
    auto* bytes = static_cast<std::uint8_t*>(into);
    while (size > 0) {
        DWORD done = 0;
        if (!Transfer(pipe, bytes, size, false, done)) return false;
        bytes += done;
        size -= done;
    }
    return true;
}

bool WriteAll(HANDLE pipe, const void* data, DWORD size) {
    auto* bytes = static_cast<std::uint8_t*>(const_cast<void*>(data));
    while (size > 0) {
        DWORD done = 0;
        if (!Transfer(pipe, bytes, size, true, done)) return false;
        bytes += done;
        size -= done;
    }
    return true;
}

std::optional<Frame> ReadFrame(HANDLE pipe, std::string& error) {
    std::array<std::uint8_t, 4> prefix;
    if (!ReadExact(pipe, prefix.data(), 4)) {
        error = "pipe closed";
        return std::nullopt;
    }
    const auto length = DecodeLength(prefix);
    if (const auto* bad = std::get_if<DecodeError>(&length)) {
        error = bad->reason;
        return std::nullopt;
    }
    std::vector<std::uint8_t> body(std::get<std::uint32_t>(length));
    if (!ReadExact(pipe, body.data(), static_cast<DWORD>(body.size()))) {
        error = "pipe closed inside a frame";
        return std::nullopt;
    }
    auto decoded = DecodeBody(body);
    if (const auto* bad = std::get_if<DecodeError>(&decoded)) {
        error = bad->reason;
        return std::nullopt;
    }
    return std::get<Frame>(std::move(decoded));
}

bool FrameWriter::Write(const Frame& frame) {
    const std::vector<std::uint8_t> bytes = Encode(frame);
    const std::lock_guard<std::mutex> lock(mutex_);
    return WriteAll(pipe_, bytes.data(), static_cast<DWORD>(bytes.size()));
}

HANDLE ConnectToPipe(const std::string& name, DWORD timeoutMilliseconds) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        HANDLE pipe = ::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OVERLAPPED, nullptr);
        if (pipe != INVALID_HANDLE_VALUE) return pipe;
        const DWORD error = ::GetLastError();
        const DWORD waited = ::GetTickCount() - start;
        if (waited >= timeoutMilliseconds) return INVALID_HANDLE_VALUE;
        if (error == ERROR_PIPE_BUSY) {
            ::WaitNamedPipeA(name.c_str(), timeoutMilliseconds - waited);
        } else if (error == ERROR_FILE_NOT_FOUND) {
            return INVALID_HANDLE_VALUE;  // nobody serves this pipe
        } else {
            ::Sleep(10);
        }
    }
}

PipeListener::PipeListener(std::string name, DWORD bufferSize)
    : name_(std::move(name)), bufferSize_(bufferSize), pending_(CreateInstance()) {}

PipeListener::~PipeListener() {
    if (pending_ != INVALID_HANDLE_VALUE) ::CloseHandle(pending_);
}

HANDLE PipeListener::CreateInstance() {
    return ::CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                              PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES, bufferSize_,
                              bufferSize_, 0, nullptr);
}

HANDLE PipeListener::Accept() {
    for (;;) {
        if (pending_ == INVALID_HANDLE_VALUE) pending_ = CreateInstance();
        if (pending_ == INVALID_HANDLE_VALUE) return INVALID_HANDLE_VALUE;
        OVERLAPPED overlapped = {};
        overlapped.hEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        BOOL connected = ::ConnectNamedPipe(pending_, &overlapped);
        if (!connected) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_IO_PENDING) {
                DWORD ignored = 0;
                connected = ::GetOverlappedResult(pending_, &overlapped, &ignored, TRUE);
            } else {
                connected = error == ERROR_PIPE_CONNECTED;  // the client came first
            }
        }
        ::CloseHandle(overlapped.hEvent);
        HANDLE client = pending_;
        pending_ = CreateInstance();
        if (connected) return client;
        ::CloseHandle(client);
    }
}

void ServeLines(const std::string& name, const std::function<std::string(const std::string&)>& handle) {
    // Commands are short; a longer line is refused rather than stored.
    constexpr std::size_t kLongestLine = 65536;
    PipeListener listener(name, 4096);
    for (;;) {
        HANDLE pipe = listener.Accept();
        if (pipe == INVALID_HANDLE_VALUE) return;
        std::string line;
        char c = 0;
        while (line.size() < kLongestLine && ReadExact(pipe, &c, 1) && c != '\n') line.push_back(c);
        const std::string reply = (c == '\n' ? handle(line) : std::string("error no command")) + "\n";
        WriteAll(pipe, reply.data(), static_cast<DWORD>(reply.size()));
        ::FlushFileBuffers(pipe);
        ::DisconnectNamedPipe(pipe);
        ::CloseHandle(pipe);
    }
}

std::optional<std::string> SendLine(const std::string& pipeName, const std::string& line) {
    HANDLE pipe = ConnectToPipe(pipeName, 5000);
    if (pipe == INVALID_HANDLE_VALUE) return std::nullopt;
    const std::string request = line + "\n";
    std::string reply;
    if (WriteAll(pipe, request.data(), static_cast<DWORD>(request.size()))) {
        char c = 0;
        while (ReadExact(pipe, &c, 1) && c != '\n') reply.push_back(c);
    }
    ::CloseHandle(pipe);
    return reply;
}

}  // namespace tarvo::wire
