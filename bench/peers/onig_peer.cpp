// Oniguruma on the UTF-16LE text, Perl syntax with named groups.
#include <oniguruma.h>

#include "peer_engine.h"

namespace zel::bench {
namespace {

class TOnigPeer : public TPeerEngine {
public:
    explicit TOnigPeer(const TCorpus& corpus) : FCorpus(corpus) {
        static const bool initialized = [] {
            OnigEncoding encodings[] = {ONIG_ENCODING_UTF16_LE};
            return onig_initialize(encodings, 1) == ONIG_NORMAL;
        }();
        static_cast<void>(initialized);
        FRegion = onig_region_new();
    }
    ~TOnigPeer() override {
        onig_region_free(FRegion, 1);
        Release();
    }
    TOnigPeer(const TOnigPeer&) = delete;
    TOnigPeer& operator=(const TOnigPeer&) = delete;

    bool Compile(std::u16string_view pattern) override {
        Release();
        const auto begin = reinterpret_cast<const OnigUChar*>(pattern.data());
        OnigErrorInfo info;
        return onig_new(&FRegex, begin, begin + pattern.size() * 2, ONIG_OPTION_NONE,
                        ONIG_ENCODING_UTF16_LE, ONIG_SYNTAX_PERL_NG, &info) == ONIG_NORMAL;
    }

    std::int64_t CountAll() override {
        const std::u16string_view text = FCorpus.Utf16;
        const auto begin = reinterpret_cast<const OnigUChar*>(text.data());
        const auto end = begin + text.size() * 2;
        std::int64_t count = 0;
        std::size_t pos = 0; // in units
        while (pos <= text.size()) {
            const int rc =
                onig_search(FRegex, begin, end, begin + pos * 2, end, FRegion, ONIG_OPTION_NONE);
            if (rc == ONIG_MISMATCH)
                break;
            if (rc < 0)
                return -1;
            ++count;
            const auto start = static_cast<std::size_t>(FRegion->beg[0]) / 2;
            const auto stop = static_cast<std::size_t>(FRegion->end[0]) / 2;
            pos = stop > start ? stop : NextCharIndex(text, start);
        }
        return count;
    }

private:
    void Release() {
        if (FRegex != nullptr)
            onig_free(FRegex);
        FRegex = nullptr;
    }

    const TCorpus& FCorpus;
    OnigRegex FRegex = nullptr;
    OnigRegion* FRegion = nullptr;
};

const TPeerRegistration kRegistration(3, "onig", [](const TCorpus& corpus) {
    return std::make_unique<TOnigPeer>(corpus);
});

} // namespace
} // namespace zel::bench
