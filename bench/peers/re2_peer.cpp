// RE2 on the UTF-8 text (it reads no UTF-16).
#include <re2/re2.h>

#include "core/utf8.h"
#include "peer_engine.h"

namespace zel::bench {
namespace {

class TRe2Peer : public TPeerEngine {
public:
    explicit TRe2Peer(const TCorpus& corpus) : FCorpus(corpus) {}

    bool Compile(std::u16string_view pattern) override {
        FRegex = std::make_unique<RE2>(Utf16ToUtf8(pattern), RE2::Quiet);
        return FRegex->ok();
    }

    std::int64_t CountAll() override {
        const re2::StringPiece text(FCorpus.Utf8);
        std::int64_t count = 0;
        std::size_t pos = 0;
        re2::StringPiece match;
        while (pos <= text.size() &&
               FRegex->Match(text, pos, text.size(), RE2::UNANCHORED, &match, 1)) {
            ++count;
            const auto start = static_cast<std::size_t>(match.data() - text.data());
            pos = start + match.size();
            if (match.empty()) {
                ++pos;
                while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
                    ++pos;
            }
        }
        return count;
    }

private:
    const TCorpus& FCorpus;
    std::unique_ptr<RE2> FRegex;
};

const TPeerRegistration kRegistration(4, "re2", [](const TCorpus& corpus) {
    return std::make_unique<TRe2Peer>(corpus);
});

} // namespace
} // namespace zel::bench
