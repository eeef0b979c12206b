#pragma once
// Output for a console that takes UTF-16 (the Windows console through WriteConsoleW, which
// shows every character whatever the console's code page): a stream buffer that gathers the
// UTF-8 zelgrep writes and hands it on as UTF-16, never cutting a character in two.
#include <array>
#include <functional>
#include <streambuf>
#include <string_view>

#include "core/utf8.h"

namespace zel {

class TUtf16StreamBuf : public std::streambuf {
public:
    // write answers whether the text was taken.
    using TWrite = std::function<bool(std::u16string_view)>;

    explicit TUtf16StreamBuf(TWrite write);
    TUtf16StreamBuf(const TUtf16StreamBuf&) = delete;
    TUtf16StreamBuf& operator=(const TUtf16StreamBuf&) = delete;
    ~TUtf16StreamBuf() override;

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool Flush();

    TWrite FWrite;
    std::array<char, 4096> FBuffer{};
    // A sequence cut by the end of the buffer waits here for its last bytes.
    Utf8StreamDecoder FDecoder{false};
};

} // namespace zel
