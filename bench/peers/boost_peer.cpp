// Boost.Regex (Perl syntax) on the wide text: UTF-32 on Linux, where wchar_t has 32 bits.
#include <boost/regex.hpp>

#include "peer_engine.h"
#include "wide_count.h"
#include "wide_text.h"

namespace zel::bench {
namespace {

class TBoostPeer : public TPeerEngine {
public:
    explicit TBoostPeer(const TCorpus& corpus) : FCorpus(corpus) {}

    bool Compile(std::u16string_view pattern) override {
        try {
            FRegex.assign(WideText(pattern), boost::regex_constants::perl);
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }

    std::int64_t CountAll() override {
        try {
            return CountIteratorMatches<boost::wsmatch>(
                FCorpus.Wide, [this](auto from, bool prevAvail, boost::wsmatch& match) {
                    auto flags = boost::match_not_dot_newline;
                    if (prevAvail)
                        flags |= boost::match_prev_avail;
                    return boost::regex_search(from, FCorpus.Wide.cend(), match, FRegex, flags);
                });
        } catch (const std::exception&) {
            return -1; // its complexity limit
        }
    }

private:
    const TCorpus& FCorpus;
    boost::wregex FRegex;
};

const TPeerRegistration kRegistration(5, "boost", [](const TCorpus& corpus) {
    return std::make_unique<TBoostPeer>(corpus);
});

} // namespace
} // namespace zel::bench
