#include "atc/AtcMenu.h"

#include "atc/AtcScan.h"
#include "base/ScopeExit.h"
#include "base/Text.h"
#include "link/Messages.h"
#include "sim/ClientEvents.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <optional>
#include <string_view>

namespace tarvo::atc {
namespace {

constexpr std::int32_t kReaderAttemptBudget = 300;
constexpr std::uint32_t kReaderPauseMilliseconds = 2000;
constexpr std::uint32_t kFirstAtcMenuEvent = 302;  // ATC_MENU_1
// The menu's choices have the keys 1 to 9 and 0 (ATC_MENU_1 .. ATC_MENU_0);
// a later entry has no event to choose it.
constexpr std::uint32_t kMenuKeys = 10;
// The walk reads no more entries than this: the simulator shows ten choices,
// and memory that merely looks like a menu must not keep the walk (on the main
// thread, for 39191) going.
constexpr std::size_t kMaxEntries = 16;
constexpr std::size_t kMenuTextLimit = 539;        // a 540-byte buffer with its NUL
constexpr std::int32_t kRepeatNoticeReads = 20;
constexpr std::uint32_t kFirstPhrase = 64704;
constexpr std::uint32_t kLastPhrase = 64914;
constexpr std::size_t kPhraseChars = 63;
constexpr std::uint32_t kFirstAtcMenuCommand = 66172;
constexpr std::uint64_t kAtcTextKind = 612;
constexpr std::uint32_t kSendTimeoutMilliseconds = 4000;
constexpr std::int32_t kExternalLineMode = 2;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// An entry's text, or nullopt when it cannot be read whole.
std::optional<std::string> ReadEntry(Server& server, std::uint64_t address, std::size_t index) {
    std::array<char, kAtcEntrySize> entry{};
    const std::span<std::uint8_t> into(reinterpret_cast<std::uint8_t*>(entry.data()), entry.size());
    if (server.ports.memory.Read(server.host.simulatorProcess, AtcEntryAddress(address, index), into) != into.size()) {
        return std::nullopt;
    }
    return std::string(entry.data(), ::strnlen(entry.data(), entry.size()));
}

// The first character of an entry, or nullopt when it cannot be read.
std::optional<char> ReadFirstCharacter(Server& server, std::uint64_t address, std::size_t index) {
    std::uint8_t first = 0;
    if (server.ports.memory.Read(server.host.simulatorProcess, AtcEntryAddress(address, index),
                                 std::span<std::uint8_t>(&first, 1)) != 1) {
        return std::nullopt;
    }
    return static_cast<char>(first);
}

// Digit, blank, hyphen, blank, wording.
bool IsValidEntry(std::string_view entry) { return entry.size() >= 3 && IsDigit(entry[0]) && entry[2] == '-'; }

// The entries in menu order, up to the first that cannot be read whole or does
// not start with a digit, and never more than kMaxEntries.
std::vector<std::string> ReadEntries(Server& server, std::uint64_t address) {
    std::vector<std::string> entries;
    for (std::size_t index = 0; index < kMaxEntries; ++index) {
        auto entry = ReadEntry(server, address, index);
        if (!entry || entry->empty() || !IsDigit(entry->front())) break;
        entries.push_back(std::move(*entry));
    }
    return entries;
}

// Chooses the first entry offering ground services, as a pilot would on arrival
// at the gate.
void ChooseGroundServices(Server& server, std::uint64_t address) {
    std::uint32_t valid = 0;
    for (const std::string& entry : ReadEntries(server, address)) {
        if (!IsValidEntry(entry)) continue;
        if (valid >= kMenuKeys) return;
        if (ContainsIgnoreCase(entry, "Ground on")) {
            sim::TransmitEvent(server, kFirstAtcMenuEvent + valid, 1);
            StoppablePause(server, kReaderPauseMilliseconds);
            return;
        }
        ++valid;
    }
}

void RunReader(Server& server) {
    AtcState& atc = server.atc;
    // However the reader ends, a later start must be possible.
    const ScopeExit ended([&atc] { atc.readerStarted = false; });
    std::unique_lock<std::mutex> reader(server.host.locks.atcReader, std::try_to_lock);
    if (!reader.owns_lock()) return;
    ++atc.readerAttempts;
    const std::uint64_t found = FindAtcMenu(server.ports.memory, server.host.simulatorProcess,
                                            [&server] { return server.host.running.load(); });
    if (found != 0) {
        atc.address = found;
        ChooseGroundServices(server, found);
    }
    if (!StoppablePause(server, kReaderPauseMilliseconds)) return;
    ReadAtcMenu(server, true);
}

// Cut before the first placeholder, together with the blank in front of it.
std::string_view SearchText(std::string_view phrase) {
    const std::size_t placeholder = phrase.find('%');
    if (placeholder == std::string_view::npos) return phrase;
    return phrase.substr(0, placeholder == 0 ? 0 : placeholder - 1);
}

}  // namespace

bool StartAtcReader(Server& server) {
    AtcState& atc = server.atc;
    if (server.host.simulatorProcess == 0 || atc.address != 0 || atc.readerAttempts >= kReaderAttemptBudget) {
        return atc.readerStarted;
    }
    // Set before the thread exists, so its own clearing at the end cannot come first.
    bool idle = false;
    if (!atc.readerStarted.compare_exchange_strong(idle, true)) return true;
    if (!server.ports.threads.Start([&server] { RunReader(server); }, platform::ThreadPriority::Highest)) {
        atc.readerStarted = false;
    }
    return atc.readerStarted;
}

bool ReadAtcMenu(Server& server, bool refresh) {
    AtcState& atc = server.atc;
    const std::uint64_t address = atc.address;
    if (address == 0) return false;

    std::string text;
    const std::vector<std::string> entries = ReadEntries(server, address);
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const std::string& entry = entries[index];
        if (!IsValidEntry(entry)) continue;
        // An entry is current only when the next one continues the numbering
        // (or there is none); otherwise it is left over from an earlier menu.
        const auto next = ReadFirstCharacter(server, address, index + 1);
        if (!next || (IsDigit(*next) && *next != entry.front() + 1)) continue;
        // An entry that no longer fits is left out whole.
        if (text.size() + entry.size() + 1 > kMenuTextLimit) continue;
        text += entry;
        text += '\n';
    }

    bool notify = false;
    LParam notice = 0;
    {
        const std::lock_guard<std::mutex> lock(atc.textMutex);
        ++atc.reads;
        atc.text = text;
        if (!EqualsIgnoreCase(text, atc.previousText)) {
            atc.previousText = text;
            notify = true;
            notice = refresh ? 1 : 0;
        } else if (atc.reads >= kRepeatNoticeReads) {
            atc.reads = 0;
            notify = true;
        }
    }
    if (notify) server.ports.desktop.Post(server.host.crewWindow, link::kMsgAtcMenuChanged, 0, notice);
    return true;
}

bool ChooseAtcEntry(Server& server, std::uint32_t phraseId) {
    if (phraseId < kFirstPhrase || phraseId > kLastPhrase) return false;
    const std::string phrase = server.ports.desktop.ProgramString(phraseId, kPhraseChars);
    // A phrase that starts with a placeholder leaves nothing to look for.
    const std::string_view wanted = SearchText(phrase);
    if (wanted.empty()) return false;

    std::string text;
    {
        const std::lock_guard<std::mutex> lock(server.atc.textMutex);
        text = server.atc.text;
    }
    std::uint32_t line = 0;
    for (std::size_t start = 0; start < text.size(); ++line) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (ContainsIgnoreCase(std::string_view(text).substr(start, end - start), wanted)) {
            server.adapters.table.RunCommand(server, kFirstAtcMenuCommand + line, 1);
            return true;
        }
        start = end + 1;
    }
    return false;
}

MessageResult SendAtcText(Server& server, bool refresh) {
    AtcState& atc = server.atc;
    std::string text;
    if (server.atc.sourceMode == 0) {
        const std::lock_guard<std::mutex> lock(atc.textMutex);
        text = atc.text;
    } else {
        if (refresh) {
            std::span<std::uint8_t> into(reinterpret_cast<std::uint8_t*>(atc.externalText.data()),
                                         atc.externalText.size());
            if (atc.externalProcess == 0 ||
                server.ports.memory.Read(atc.externalProcess, atc.externalAddress, into) != into.size()) {
                return 0;
            }
        }
        text.assign(atc.externalText.data(), ::strnlen(atc.externalText.data(), atc.externalText.size()));
        if (server.atc.sourceMode == kExternalLineMode) text = text.substr(0, text.find("\r\n"));
    }
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    // Delivered or not; the crew app's own answer is not passed on, as for the snapshot.
    return server.ports.desktop.SendCopyDataTimeout(server.host.crewWindow, server.host.linkWindow, kAtcTextKind, bytes,
                                                    kSendTimeoutMilliseconds)
               ? 1
               : 0;
}

}  // namespace tarvo::atc
