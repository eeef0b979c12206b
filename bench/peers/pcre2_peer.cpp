// PCRE2's 16-bit library on the UTF-16 text, once interpreted and once JIT-compiled; compiled
// with UTF and UCP as users of Unicode text compile it (\w, \d, \s, \b and the POSIX classes
// then know Unicode, as ours do).
#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include "peer_engine.h"

namespace zel::bench {
namespace {

class TPcre2Peer : public TPeerEngine {
public:
    TPcre2Peer(const TCorpus& corpus, bool jit) : FCorpus(corpus), FJit(jit) {}
    ~TPcre2Peer() override { Release(); }
    TPcre2Peer(const TPcre2Peer&) = delete;
    TPcre2Peer& operator=(const TPcre2Peer&) = delete;

    bool Compile(std::u16string_view pattern) override {
        Release();
        int error = 0;
        PCRE2_SIZE offset = 0;
        FCode = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                              PCRE2_UTF | PCRE2_UCP, &error, &offset, nullptr);
        if (FCode == nullptr)
            return false;
        if (FJit && pcre2_jit_compile(FCode, PCRE2_JIT_COMPLETE) != 0)
            return false;
        FData = pcre2_match_data_create_from_pattern(FCode, nullptr);
        return true;
    }

    std::int64_t CountAll() override {
        const std::u16string_view text = FCorpus.Utf16;
        const auto subject = reinterpret_cast<PCRE2_SPTR>(text.data());
        const std::uint32_t options = PCRE2_NO_UTF_CHECK | (FJit ? 0 : PCRE2_NO_JIT);
        std::int64_t count = 0;
        std::size_t pos = 0;
        while (pos <= text.size()) {
            const int rc = pcre2_match(FCode, subject, text.size(), pos, options, FData, nullptr);
            if (rc == PCRE2_ERROR_NOMATCH)
                break;
            if (rc < 0)
                return -1;
            const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(FData);
            ++count;
            pos = ovector[1] > ovector[0] ? ovector[1] : NextCharIndex(text, ovector[0]);
        }
        return count;
    }

private:
    void Release() {
        pcre2_match_data_free(FData);
        pcre2_code_free(FCode);
        FData = nullptr;
        FCode = nullptr;
    }

    const TCorpus& FCorpus;
    const bool FJit;
    pcre2_code* FCode = nullptr;
    pcre2_match_data* FData = nullptr;
};

const TPeerRegistration kInterpreter(1, "pcre2", [](const TCorpus& corpus) {
    return std::make_unique<TPcre2Peer>(corpus, false);
});
const TPeerRegistration kJit(2, "pcre2-jit", [](const TCorpus& corpus) {
    return std::make_unique<TPcre2Peer>(corpus, true);
});

} // namespace
} // namespace zel::bench
