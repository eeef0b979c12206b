// The search field under the platform, timed by hand (never by a test): a list of phrases is
// written as a UTF-8 file, read as the programs read their list into a shown list box set up as
// theirs, then searched as the user types: narrowing to one row, and clearing back to all.
// Prints the times and the process's memory beside the file's size.
//
//   listbox_bench.exe [phrases]      (default 100000; run under Wine from build/win64/bench)
#include "app/phrase_list.h"
#include "bench/phrases.h"
#include "core/utf8.h"
#include "listbox/filter_list_box.h"
#include "ui/application.h"
#include "ui/files.h"

#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

using namespace zel;
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// Handles what is queued, then paints what is invalid: what the user waits for.
void Settle(HWND window) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

std::string ListFile(int count, const std::u16string& last) {
    std::mt19937 random(42);
    std::u16string text;
    for (int i = 0; i < count; ++i)
        text += bench::Phrase(random) + u"\r\n";
    return Utf16ToUtf8(text + last);
}

double MegaBytes(size_t bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int count = argc > 1 ? static_cast<int>(std::wcstol(argv[1], nullptr, 10)) : 100000;
    Application::Instance().Initialize();
    Form form(nullptr, u"ZelListBoxBench", 360, 400, false);
    TFilterListBox* list = form.Make<TFilterListBox>();
    list->SearchOptions().SetFilterMethod(TFilterMethod::fmContains);
    list->SearchOptions().SetAutoFind(true);
    list->InsertOptions().SetVisible(false);
    list->SetParent(&form);
    list->SetBounds(0, 0, 360, 400);
    list->Loaded();
    form.Show();
    Settle(form.Handle());

    const std::u16string marker = u"ただ一つの行 unique";
    const std::u16string path = u"listbox_bench_list.txt";
    std::string bytes = ListFile(count, marker);
    WriteWholeFile(path, bytes);
    const size_t fileSize = bytes.size();
    std::string().swap(bytes); // the file's bytes are no part of what the list box holds

    auto start = Clock::now();
    AddPhraseLines(list->Items(), Utf8FileTextToUtf16(ReadWholeFile(path)));
    Settle(form.Handle());
    const double load = Milliseconds(start);
    ::DeleteFileW(L"listbox_bench_list.txt");

    PROCESS_MEMORY_COUNTERS_EX memory{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(),
                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);

    TMultiButtonEdit& field = list->SearchEdit();
    auto keystroke = [&](const std::u16string& text) {
        const auto at = Clock::now();
        field.SetText(text);
        Settle(form.Handle());
        return Milliseconds(at);
    };
    const double narrow = keystroke(marker);
    const int narrowRows = list->ItemCount();
    const double clear = keystroke(u"");
    const int allRows = list->ItemCount();
    const double common = keystroke(u"a");
    const int commonRows = list->ItemCount();

    std::printf("phrases %d, file %.1f MB\n", count + 1, MegaBytes(fileSize));
    std::printf("load and show           %8.1f ms\n", load);
    // Wine reports no private usage; the working set is what the process holds in memory.
    std::printf("memory: working set %.1f MB (peak %.1f MB), committed %.1f MB; %.2f x the file\n",
                MegaBytes(memory.WorkingSetSize), MegaBytes(memory.PeakWorkingSetSize),
                MegaBytes(memory.PagefileUsage),
                static_cast<double>(memory.WorkingSetSize) / static_cast<double>(fileSize));
    std::printf("keystroke to one row    %8.1f ms (%d rows)\n", narrow, narrowRows);
    std::printf("clear back to all       %8.1f ms (%d rows)\n", clear, allRows);
    std::printf("keystroke 'a'           %8.1f ms (%d rows)\n", common, commonRows);
    return 0;
}
