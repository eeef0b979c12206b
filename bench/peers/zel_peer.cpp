// Our engine: the subject is set once per pattern, the count restarts at its first unit each
// time. A fresh object per pattern, as inline options at the pattern's top level stay in the
// object's options.
#include "peer_engine.h"
#include "regex/zelregexp/zel_regexp.h"

namespace zel::bench {
namespace {

class TZelPeer : public TPeerEngine {
public:
    explicit TZelPeer(const TCorpus& corpus) : FCorpus(corpus) {}

    bool Compile(std::u16string_view pattern) override {
        FRegExp = std::make_unique<TZelRegExp>(pattern);
        FRegExp->Compile();
        FRegExp->SetInputString(FCorpus.Utf16);
        return true;
    }

    std::int64_t CountAll() override {
        std::int64_t count = 0;
        for (bool found = FRegExp->ExecPos(1); found; found = FRegExp->ExecNext())
            ++count;
        return count;
    }

private:
    const TCorpus& FCorpus;
    std::unique_ptr<TZelRegExp> FRegExp;
};

const TPeerRegistration kRegistration(0, "zel", [](const TCorpus& corpus) {
    return std::make_unique<TZelPeer>(corpus);
});

} // namespace
} // namespace zel::bench
