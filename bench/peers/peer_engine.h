#pragma once
// One regex engine of the peer benchmark: it compiles a pattern and counts every match of it
// in the whole corpus. Each engine registers itself from its own source file, so a peer whose
// library is missing is simply left out of the build.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zel::bench {

// The corpus in each encoding the engines read.
struct TCorpus {
    std::u16string Utf16;
    std::string Utf8;
    std::wstring Wide; // UTF-32 where wchar_t has 32 bits, UTF-16 where it has 16
};

struct TBenchPattern {
    std::u16string Text;
    bool OursOnly = false; // options no peer offers (width- and kana-insensitive)
};

class TPeerEngine {
public:
    virtual ~TPeerEngine() = default;
    // False when the pattern is not in this engine's syntax: it then sits the pattern out.
    virtual bool Compile(std::u16string_view pattern) = 0;
    // Every match over the whole corpus; after an empty match the next search starts one
    // character later. -1 when the engine gave up (a match or stack limit).
    virtual std::int64_t CountAll() = 0;
};

using TPeerFactory = std::function<std::unique_ptr<TPeerEngine>(const TCorpus&)>;

struct TPeerEntry {
    int Rank; // column order in the table
    std::string Name;
    TPeerFactory Make;
};

std::vector<TPeerEntry>& PeerRegistry();

struct TPeerRegistration {
    TPeerRegistration(int rank, std::string name, TPeerFactory make);
};

// Index just after the character that starts at i (a surrogate pair counts as one).
inline std::size_t NextCharIndex(std::u16string_view text, std::size_t i) {
    const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF &&
                      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    return i + (pair ? 2 : 1);
}

} // namespace zel::bench
