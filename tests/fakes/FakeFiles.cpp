#include "fakes/FakeFiles.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <thread>

namespace tarvo::fakes {
namespace {

std::string Fold(std::string_view text) {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folded;
}

std::string Parent(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// How much of a line one write carries.
constexpr std::size_t kPieceChars = 4;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<std::string> FakeFiles::RoamingAppDataFolder() { return appDataFolder; }

std::optional<std::string> FakeFiles::ExecutablePath() { return executablePath; }

bool FakeFiles::FileExists(std::string_view path) {
    const std::lock_guard<std::mutex> lock(mutex_);
    return files_.contains(Fold(path)) || folders_.contains(Fold(path));
}

bool FakeFiles::RemoveFile(std::string_view path) {
    journal_.Add("Files.RemoveFile " + std::string(path));
    const std::lock_guard<std::mutex> lock(mutex_);
    return files_.erase(Fold(path)) == 1;
}

bool FakeFiles::AppendLine(std::string_view path, std::string_view text) {
    journal_.Add("Files.AppendLine " + std::string(text));
    const std::string key = Fold(path);
    // Like the real port, a line is several writes with nothing holding other
    // writers off between them: callers that overlap interleave their pieces.
    const auto write = [&](std::string_view piece) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (!folders_.contains(Parent(key))) return false;
        files_[key] += piece;
        return true;
    };
    for (std::size_t at = 0; at < text.size(); at += kPieceChars) {
        if (!write(text.substr(at, kPieceChars))) return false;
        std::this_thread::yield();
    }
    return write("\r\n");
}

std::int32_t FakeFiles::ReadProfileInt(std::string_view path, std::string_view section, std::string_view key,
                                       std::int32_t fallback) {
    const auto contents = ReadFile(path);
    if (!contents) return fallback;
    std::string_view rest = *contents;
    bool inSection = false;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const std::string_view line = Trim(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.starts_with('[')) {
            const auto close = line.find(']');
            inSection = close != std::string_view::npos && Fold(Trim(line.substr(1, close - 1))) == Fold(section);
            continue;
        }
        const auto equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        if (Fold(Trim(line.substr(0, equals))) != Fold(key)) continue;
        // Leading digits only, as the Windows function reads them; no digits gives 0.
        const std::string value(Trim(line.substr(equals + 1)));
        return static_cast<std::int32_t>(std::strtol(value.c_str(), nullptr, 10));
    }
    return fallback;
}

void FakeFiles::MakeFolder(std::string path) {
    const std::lock_guard<std::mutex> lock(mutex_);
    folders_.insert(Fold(path));
}

void FakeFiles::WriteFile(std::string path, std::string contents) {
    const std::lock_guard<std::mutex> lock(mutex_);
    folders_.insert(Parent(Fold(path)));
    files_[Fold(path)] = std::move(contents);
}

std::optional<std::string> FakeFiles::ReadFile(std::string_view path) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    auto found = files_.find(Fold(path));
    if (found == files_.end()) return std::nullopt;
    return found->second;
}

}  // namespace tarvo::fakes
