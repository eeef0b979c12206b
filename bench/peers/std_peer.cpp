// std::regex (ECMAScript) on the wide text, for the patterns in its syntax.
#include <regex>

#include "peer_engine.h"
#include "wide_text.h"

namespace zel::bench {
namespace {

class TStdPeer : public TPeerEngine {
public:
    explicit TStdPeer(const TCorpus& corpus) : FCorpus(corpus) {}

    bool Compile(std::u16string_view pattern) override {
        try {
            FRegex.assign(WideText(pattern), std::regex_constants::ECMAScript);
            return true;
        } catch (const std::regex_error&) {
            return false;
        }
    }

    std::int64_t CountAll() override {
        const std::wstring& text = FCorpus.Wide;
        std::int64_t count = 0;
        auto pos = text.cbegin();
        std::wsmatch match;
        try {
            while (pos <= text.cend()) {
                auto flags = std::regex_constants::match_default;
                if (pos != text.cbegin())
                    flags |= std::regex_constants::match_prev_avail;
                if (!std::regex_search(pos, text.cend(), match, FRegex, flags))
                    break;
                ++count;
                pos = match[0].second;
                if (match[0].first == match[0].second) {
                    if (pos == text.cend())
                        break;
                    ++pos;
                }
            }
        } catch (const std::regex_error&) {
            return -1;
        }
        return count;
    }

private:
    const TCorpus& FCorpus;
    std::wregex FRegex;
};

const TPeerRegistration kRegistration(6, "std", [](const TCorpus& corpus) {
    return std::make_unique<TStdPeer>(corpus);
});

} // namespace
} // namespace zel::bench
