#pragma once
// Zero-width codes: word boundaries "\b" "\B", line anchors "^" "$", text anchors "\A" "\Z"
// "\z" and the end of the previous match "\G".
#include "regex/compile/code.h"

namespace zel {

class TREAnchorCode : public TRECode {
public:
    using TRECode::TRECode;
    TRETextPosRec CharLength() const override { return {0, 0}; }
    bool IsEqual(const char16_t* AStr, int& Len) override;

protected:
    virtual bool IsAt(const char16_t* AStr) const = 0;
};

class TREBoundaryCode : public TREAnchorCode {
public:
    TREBoundaryCode(TREOwner* ARegExp, TREOptions AOptions, bool ANegative);
    bool FIsASCII; // only ASCII word characters count

protected:
    bool IsAt(const char16_t* AStr) const override;

private:
    bool IsWord(char32_t cp) const;
};

class TRELineHeadCode : public TREAnchorCode {
public:
    using TREAnchorCode::TREAnchorCode;

protected:
    bool IsAt(const char16_t* AStr) const override;
};

class TRELineTailCode : public TREAnchorCode {
public:
    using TREAnchorCode::TREAnchorCode;

protected:
    bool IsAt(const char16_t* AStr) const override;
};

class TRETextHeadCode : public TREAnchorCode {
public:
    using TREAnchorCode::TREAnchorCode;

protected:
    bool IsAt(const char16_t* AStr) const override { return AStr == MatchTop(); }
};

// "\Z": the end, or before a final line break.
class TRETextTailCode : public TREAnchorCode {
public:
    using TREAnchorCode::TREAnchorCode;

protected:
    bool IsAt(const char16_t* AStr) const override;
};

class TRETextEndCode : public TREAnchorCode {
public:
    using TREAnchorCode::TREAnchorCode;

protected:
    bool IsAt(const char16_t* AStr) const override { return AStr == MatchEnd(); }
};

class TREGlobalPosCode : public TREAnchorCode {
public:
    using TREAnchorCode::TREAnchorCode;

protected:
    bool IsAt(const char16_t* AStr) const override;
};

} // namespace zel
