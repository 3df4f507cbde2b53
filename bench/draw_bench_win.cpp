// Windows build: one painting pass of a 20-run display list over another
// thread's window caption (direct drawing, plain and off screen), beside one
// plain title write of the same text. Run it under Wine:
//   tests/harness/wine-run build/win64/bin/tbq_draw_bench_win.exe
#include <windows.h>

#include "win_timing.h"

#include <cstdio>
#include <functional>
#include <thread>

#include "core/title_writer.h"
#include "draw/draw_bar.h"
#include "draw/draw_list.h"
#include "items/view_fixed.h"
#include "items/view_list.h"

namespace {

using namespace tbq;

double MicrosecondsPer(int rounds, const std::function<void()>& work) {
    return 1e6 * bench::Seconds([&] {
               for (int i = 0; i < rounds; ++i) work();
           }) / rounds;
}

// A captioned window on a thread of its own, as another program's would be.
HWND StartTarget(std::thread& thread, DWORD& threadId) {
    HWND made = nullptr;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread = std::thread([&] {
        made = CreateWindowExW(0, L"STATIC", L"bench target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 900,
                               200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        threadId = GetCurrentThreadId();
        SetEvent(ready);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
    return made;
}

}  // namespace

int wmain() {
    std::thread thread;
    DWORD threadId = 0;
    HWND target = StartTarget(thread, threadId);
    const auto id = static_cast<platform::WindowId>(reinterpret_cast<std::uintptr_t>(target));

    ViewList list;
    for (int i = 0; i < 20; ++i) {
        auto sub = std::make_shared<vbKerova_View_Fixed>();
        sub->SetText(i % 2 ? u"12:34 " : u"東京 ");
        auto item = std::make_shared<vbKerova_ViewData>();
        item->SetData(sub, 0x00102030u * static_cast<unsigned>(i + 1) & 0xFFFFFF, true);
        list.push_back(item);
    }
    const Text text = ComposeListText(list, false);

    constexpr int kRounds = 500;
    for (bool offscreen : {false, true}) {
        vbKerova_DrawBar profile;
        profile.DrawBarName = u"bench";
        profile.DrawType = vbKerova_DrawBar::kDirect | (offscreen ? vbKerova_DrawBar::kNoFlicker : 0);
        profile.ResetObject();
        const DrawContext context;
        int drawn = 0;
        const double us = MicrosecondsPer(kRounds, [&] {
            if (profile.DrawStart(id, context)) return;
            DrawListOnBar(profile, list, 0);
            profile.EndDraw();
            ++drawn;
        });
        std::printf("painting pass, 20 runs%s: %.1f us (%d of %d passes drawn)\n",
                    offscreen ? ", off screen" : "", us, drawn, kRounds);
    }
    vbKerova_TitleBar writer;
    writer.SetTitle(id);
    int flip = 0;
    const double us = MicrosecondsPer(kRounds, [&] {
        writer.ViewTitle(id, (flip++ % 2) ? text : text + u" ");
    });
    std::printf("plain title write of the same text: %.1f us\n", us);
    writer.ReturnTitle();
    PostMessageW(target, WM_CLOSE, 0, 0);
    PostThreadMessageW(threadId, WM_QUIT, 0, 0);
    thread.join();
    return 0;
}
