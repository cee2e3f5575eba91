// Frames over a Windows named pipe. Handles are opened for overlapped I/O, so
// one thread can wait in a read while another writes on the same pipe.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "wire/Wire.h"

#include <functional>
#include <mutex>
#include <string>

namespace tarvo::wire {

// The pipe the SimConnect sessions use, unless TARVO_SIMCONNECT_PIPE names another.
std::string SimConnectPipeName();
// The simulator stand-in's control pipe, unless TARVO_SIMCONTROL_PIPE names another.
std::string SimControlPipeName();
// The crew stand-in's driver pipe, unless TARVO_CREWCONTROL_PIPE names another.
std::string CrewControlPipeName();

bool ReadExact(HANDLE pipe, void* into, DWORD size);
bool WriteAll(HANDLE pipe, const void* data, DWORD size);

// Reads one frame; on failure error says why ("pipe closed" when the other side went).
std::optional<Frame> ReadFrame(HANDLE pipe, std::string& error);

// Writes whole frames from any thread.
class FrameWriter {
public:
    explicit FrameWriter(HANDLE pipe) : pipe_(pipe) {}
    bool Write(const Frame& frame);

private:
    HANDLE pipe_;
    std::mutex mutex_;
};

// Connects to a named pipe for overlapped I/O, waiting up to timeoutMilliseconds
// for a free instance; INVALID_HANDLE_VALUE when there is none.
HANDLE ConnectToPipe(const std::string& name, DWORD timeoutMilliseconds);

// The server side of a named pipe. One instance always waits for the next
// client, also while an earlier one is being served, so a client never finds
// the pipe missing between two connections.
class PipeListener {
public:
    PipeListener(std::string name, DWORD bufferSize);
    ~PipeListener();
    PipeListener(const PipeListener&) = delete;
    PipeListener& operator=(const PipeListener&) = delete;

    // Waits for a client and hands over its connected pipe; INVALID_HANDLE_VALUE
    // when the pipe cannot be served.
    HANDLE Accept();

private:
    HANDLE CreateInstance();

    std::string name_;
    DWORD bufferSize_;
    HANDLE pending_;
};

// Serves a control channel forever on the calling thread: each connection
// carries one request line and gets handle(line) back as one reply line.
void ServeLines(const std::string& name, const std::function<std::string(const std::string&)>& handle);

// One request line and one reply line over a short-lived connection; nullopt
// when the pipe cannot be reached.
std::optional<std::string> SendLine(const std::string& pipeName, const std::string& line);

}  // namespace tarvo::wire
