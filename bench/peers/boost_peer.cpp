// Boost.Regex (Perl syntax) on the wide text: UTF-32 on Linux, where wchar_t has 32 bits.
#include <boost/regex.hpp>

#include "peer_engine.h"
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
        const std::wstring& text = FCorpus.Wide;
        std::int64_t count = 0;
        auto pos = text.begin();
        boost::wsmatch match;
        try {
            while (pos <= text.end()) {
                auto flags = boost::match_not_dot_newline;
                if (pos != text.begin())
                    flags |= boost::match_prev_avail;
                if (!boost::regex_search(pos, text.end(), match, FRegex, flags))
                    break;
                ++count;
                pos = match[0].second;
                if (match[0].first == match[0].second) {
                    if (pos == text.end())
                        break;
                    ++pos;
                }
            }
        } catch (const std::exception&) {
            return -1;
        }
        return count;
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
