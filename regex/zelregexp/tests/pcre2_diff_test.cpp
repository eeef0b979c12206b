// Differential test against PCRE2 (its 16-bit library works on UTF-16 directly): the first
// match and its groups of every pattern of a table over every subject of a generated set.
//
// Only the common syntax is compared. Left out on purpose, because the two engines differ by
// design there:
// - callouts (different interfaces) and backtracking verbs inside assertions;
// - a commit, which fails only its attempt here, and a named skip, which moves the restart
//   to its own position or to a later mark of its name (the matching tables cover both);
// - case-insensitive matching beyond ASCII (this engine uses full case folding: "ß" = "ss");
// - "\w", "\b", "\s", "\d" beyond ASCII (this engine is Unicode-aware without a flag);
// - repeated searches after an empty match (ExecNext moves one unit on, PCRE2 retries the same
//   position without an empty match), so only the first match is compared;
// - "{n,}" with n above 32767 and other bounds beyond the lexer's limit;
// - "#" comments under the extended option (only "(?#...)" comments exist here).
#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "regex/zelregexp/tests/describe.h"

namespace zel {
namespace {

std::string Peer(std::u16string_view pattern, std::u16string_view subject, std::uint32_t flags) {
    int error = 0;
    PCRE2_SIZE offset = 0;
    std::unique_ptr<pcre2_compile_context, decltype(&pcre2_compile_context_free)> context(
        pcre2_compile_context_create(nullptr), &pcre2_compile_context_free);
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANYCRLF);
    std::unique_ptr<pcre2_code, decltype(&pcre2_code_free)> code(
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), flags, &error,
                      &offset, context.get()),
        &pcre2_code_free);
    if (!code)
        return "compile error";
    std::unique_ptr<pcre2_match_data, decltype(&pcre2_match_data_free)> data(
        pcre2_match_data_create_from_pattern(code.get(), nullptr), &pcre2_match_data_free);
    const int rc = pcre2_match(code.get(), reinterpret_cast<PCRE2_SPTR>(subject.data()),
                               subject.size(), 0, 0, data.get(), nullptr);
    if (rc < 0)
        return rc == PCRE2_ERROR_NOMATCH ? "" : "match error";
    std::uint32_t groups = 0;
    pcre2_pattern_info(code.get(), PCRE2_INFO_CAPTURECOUNT, &groups);
    const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(data.get());
    std::string text = "[" + std::to_string(ov[0] + 1) + "," + std::to_string(ov[1] - ov[0]);
    for (std::uint32_t i = 1; i <= groups; ++i) {
        if (static_cast<int>(i) >= rc || ov[2 * i] == PCRE2_UNSET)
            text += " -";
        else
            text += " " + std::to_string(ov[2 * i] + 1) + ":" +
                    std::to_string(ov[2 * i + 1] - ov[2 * i]);
    }
    return text + "]";
}

// The first match with the search acceleration on, or both answers when turning it off
// changes the result.
std::string Ours(std::u16string_view pattern, std::u16string_view subject, TREOptions options) {
    try {
        std::string found[2];
        for (const bool acceleration : {false, true}) {
            TZelRegExp re(pattern, options);
            re.SetAcceleration(acceleration);
            found[acceleration] = re.Exec(subject) ? testing::DescribeGroups(re) : "";
        }
        return found[0] == found[1] ? found[1]
                                    : found[1] + " accelerated, " + found[0] + " without";
    } catch (const EZelRegExpCompile&) {
        return "compile error";
    }
}

// Every string over the alphabet up to the length.
std::vector<std::u16string> Subjects(std::u16string_view alphabet, std::size_t maxLength) {
    std::vector<std::u16string> all{u""};
    for (std::size_t begin = 0, n = 0; n < maxLength; ++n) {
        const std::size_t end = all.size();
        for (std::size_t i = begin; i < end; ++i)
            for (char16_t c : alphabet)
                all.push_back(all[i] + c);
        begin = end;
    }
    return all;
}

struct TPeerCase {
    std::u16string_view Pattern;
    TREOptions Options;
};

std::uint32_t PeerFlags(TREOptions options) {
    std::uint32_t flags = 0;
    if (options.Contains(roIgnoreCase))
        flags |= PCRE2_CASELESS;
    if (options.Contains(roMultiLine))
        flags |= PCRE2_MULTILINE;
    if (options.Contains(roSingleLine))
        flags |= PCRE2_DOTALL;
    if (options.Contains(roExtended))
        flags |= PCRE2_EXTENDED;
    return flags;
}

// Compares every case over every subject and reports the first difference of each case;
// answers how many pairs were compared.
int CompareWithPeer(std::span<const TPeerCase> cases, const std::vector<std::u16string>& subjects) {
    int compared = 0;
    for (const auto& c : cases) {
        for (const auto& subject : subjects) {
            const std::string expected = Peer(c.Pattern, subject, PeerFlags(c.Options));
            if (expected == "match error")
                continue; // the peer gave up at its own match limit
            const std::string actual = Ours(c.Pattern, subject, c.Options);
            ++compared;
            if (expected != actual) {
                std::string shown;
                for (char16_t ch : subject)
                    shown +=
                        ch == u'\n' ? std::string("\\n") : std::string(1, static_cast<char>(ch));
                ADD_FAILURE() << "pattern " << std::string(c.Pattern.begin(), c.Pattern.end())
                              << " subject \"" << shown << "\": PCRE2 " << expected << ", ours "
                              << actual;
                break;
            }
        }
    }
    return compared;
}

TEST(Pcre2Differential, FirstMatchAndGroups) {
    const TPeerCase cases[] = {
        {u"a|ab", {}},
        {u"(a|ab)(c|bcd)?", {}},
        {u"a*", {}},
        {u"a*?b", {}},
        {u"a+?", {}},
        {u"(a+)+b", {}},
        {u"(a*)*b", {}},
        {u"(a|b)*?c", {}},
        {u"(a|aa)+$", {}},
        {u"(?:a|b){2}c", {}},
        {u"(?:a|ab){2,3}?c", {}},
        {u"((a)|b)+", {}},
        {u"(a?)+?b", {}},
        {u"^(?:a|())*b", {}},
        {u"(a)?(?(1)b|c)", {}},
        {u"(?(?=a)ab|c)", {}},
        {u"(?=(a+))a", {}},
        {u"(?!ab)a.", {}},
        {u"(?<=a)b", {}},
        {u"(?<!a|cb)b", {}},
        {u"(?>a+)b", {}},
        {u"(?:a|b)++c", {}},
        {u"a{2,3}", {}},
        {u"(ab){1,2}?b", {}},
        {u"a\\Kb", {}},
        {u"a*\\Kab", {}},
        {u"(a)\\1", {}},
        {u"(a|b)\\1+", {}},
        {u"(?<n>a|b)\\k<n>", {}},
        {u"(a)|\\1b", {}},
        {u"\\((?:[^()]|(?R))*\\)", {}},
        {u"^(a(?1)?b)$", {}},
        {u"(a|b(?1))c", {}},
        {u"(?|(a)|(b))\\1", {}},
        {u"^$", roMultiLine},
        {u"^a|b$", roMultiLine},
        {u"a$", {}},
        {u"\\Aa|b\\z|c\\Z", {}},
        {u".*c", {}},
        {u".*c", roSingleLine},
        {u".+?\\n", {}},
        {u"[^a\\n]+", {}},
        {u"[a-b]+c?", {}},
        {u"\\bab\\b|\\Bc", {}},
        {u"\\w+\\s?", {}},
        {u"A|B+", roIgnoreCase},
        {u"(?i)ab|(?-i)C", {}},
        {u"a b [c ]", roExtended},
        {u"(?:(?:a|b)c?)*?$", {}},
        {u"(a(*ACCEPT)b)c", {}},
        {u"(?>a(*ACCEPT))b", {}},
        {u"a+(*PRUNE)b|a", {}},
        {u"(?:a(*THEN)b|a)c", {}},
        {u"a+(*SKIP)b|a", {}},
        {u"(.*a){3}", {}},
        {u"(?:(a)|b)*?c", {}},
        {u"((?:a|b)*?)(c|$)", {}},
        {u"\\d(?:(?:\\dab){2})?\\d", {}},
        {u"(?(DEFINE)(?<x>a|b))(?&x)c", {}},
        // A loop gives back where what follows may start: past brackets, anchors, loops.
        {u"(a+)\\1", {}},
        {u"(a*)\\b(b+)c?", {}},
        {u"(\\w+)\\n+\\1", {}},
        {u"((b*))(?=c)\\w", {}},
        {u"(a+)$\\n?(c)", roMultiLine},
    };
    EXPECT_GT(CompareWithPeer(cases, Subjects(u"abc\n", 5)), 1000);
}

// Subjects long enough that stacked loops fail often and the failure record is switched on;
// the verbs sit where a recorded failure may or may not reach them.
TEST(Pcre2Differential, VerbsBesideExplosiveLoops) {
    const TPeerCase cases[] = {
        {u"(*MARK:m)(?:.*.*.*x1|b)", {}},  {u"a(*PRUNE)(?:.*.*.*x1|b)", {}},
        {u".*.*.*x1|(*PRUNE)c", {}},       {u"(?:.*.*.*x1|b(*THEN)c|b)", {}},
        {u"(?:a(*SKIP)b|.*.*.*x1)", {}},   {u"(a)(?:.*.*.*x1|b(*ACCEPT)c)", {}},
        {u"(?:.*.*.*x1|a(*ACCEPT))y", {}}, {u".*.*x(*PRUNE)1|b", {}},
        {u"(?:.*(*THEN).*.*x1|.*y)", {}},  {u"(?:(.)*(*SKIP)(.)*x1|c)", {}},
        {u".*.*.*(?:x(*ACCEPT)|y)1", {}},  {u"(.*.*.*(?=y(*ACCEPT)b)y)1", {}},
    };
    std::mt19937 random(20261210);
    std::uniform_int_distribution<std::size_t> length(20, 60);
    std::uniform_int_distribution<std::size_t> pick(0, 5);
    std::vector<std::u16string> subjects;
    for (int i = 0; i < 60; ++i) {
        std::u16string subject(length(random), u'a');
        for (char16_t& c : subject)
            c = u"abcxy1"[pick(random)];
        subjects.push_back(subject);
    }
    EXPECT_GT(CompareWithPeer(cases, subjects), 500);
}

} // namespace
} // namespace zel
