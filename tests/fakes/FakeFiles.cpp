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

std::optional<std::string> FakeFiles::LocalAppDataFolder() { return localAppDataFolder; }

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

bool FakeFiles::WriteProfileValue(std::string_view path, std::string_view section, std::string_view key,
                                  std::string_view value) {
    journal_.Add("Files.WriteProfileValue " + std::string(path) + " [" + std::string(section) + "] " +
                 std::string(key) + "=" + std::string(value));
    const std::lock_guard<std::mutex> lock(mutex_);
    const std::string file = Fold(path);
    if (!folders_.contains(Parent(file))) return false;
    std::string& contents = files_[file];
    const std::string line = std::string(key) + "=" + std::string(value) + "\r\n";
    // Walk the lines, remembering where the section ends and where the key is.
    std::size_t at = 0;
    bool inSection = false;
    std::optional<std::size_t> sectionEnd;
    while (at < contents.size()) {
        const std::size_t end = std::min(contents.find('\n', at), contents.size());
        const std::size_t next = end < contents.size() ? end + 1 : end;
        const std::string_view text = Trim(std::string_view(contents).substr(at, end - at));
        if (text.starts_with('[')) {
            if (inSection) break;
            const auto close = text.find(']');
            inSection = close != std::string_view::npos && Fold(Trim(text.substr(1, close - 1))) == Fold(section);
            if (inSection) sectionEnd = next;
        } else if (inSection) {
            const auto equals = text.find('=');
            if (equals != std::string_view::npos && Fold(Trim(text.substr(0, equals))) == Fold(key)) {
                contents.replace(at, next - at, line);
                return true;
            }
            if (!text.empty()) sectionEnd = next;
        }
        at = next;
    }
    if (sectionEnd) {
        const bool lineEnded = *sectionEnd == 0 || contents[*sectionEnd - 1] == '\n';
        contents.insert(*sectionEnd, lineEnded ? line : "\r\n" + line);
    } else {
        if (!contents.empty() && contents.back() != '\n') contents += "\r\n";
        contents += "[" + std::string(section) + "]\r\n" + line;
    }
    return true;
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
