// std::regex (ECMAScript) on the wide text, for the patterns in its syntax.
#include <regex>

#include "peer_engine.h"
#include "wide_count.h"
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
        try {
            return CountIteratorMatches<std::wsmatch>(
                FCorpus.Wide, [this](auto from, bool prevAvail, std::wsmatch& match) {
                    auto flags = std::regex_constants::match_default;
                    if (prevAvail)
                        flags |= std::regex_constants::match_prev_avail;
                    return std::regex_search(from, FCorpus.Wide.cend(), match, FRegex, flags);
                });
        } catch (const std::regex_error&) {
            return -1; // its complexity or stack limit
        }
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
