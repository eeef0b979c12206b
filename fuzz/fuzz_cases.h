#pragma once
// The fuzz cases of the readers of outside input beside the regex engine. Each takes one input
// of bytes; crashes, sanitizer reports, failed checks (abort) and hangs are the findings. Each
// is shared by its libFuzzer target and by the test that replays the committed findings.
#include <cstddef>
#include <cstdint>

namespace zel {

// The markup engine: option bits, rectangle, mouse, links and a text from the input; the text
// is drawn, measured and hit-tested on the test canvas.
void RunMarkupFuzzCase(const std::uint8_t* data, std::size_t size);

// The settings file: the input is the file; it is parsed, read, written back and read again.
void RunSettingsFuzzCase(const std::uint8_t* data, std::size_t size);

// The phrase list: the input is the file; it is decoded, split into lines and given icons.
void RunPhraseListFuzzCase(const std::uint8_t* data, std::size_t size);

// The PNG reader: the input is the file; it reads or fails with the reader's error.
void RunPngFuzzCase(const std::uint8_t* data, std::size_t size);

// The search pattern: options, the typed text and item texts; every text gives a result and
// the bounded matches agree with the plain rules.
void RunFilterFuzzCase(const std::uint8_t* data, std::size_t size);

} // namespace zel
