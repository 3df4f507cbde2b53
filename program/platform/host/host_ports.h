// Host (Linux) adapters of the ports, for the host build's tests and benchmarks.
#pragma once

#include <iconv.h>

#include <array>
#include <string>

#include "platform/ports.h"

namespace tbq::platform {

class HostFiles final : public Files {
public:
    ReadResult ReadAll(const Text& path, std::size_t limit) override;
    std::optional<FileStamp> Stamp(const Text& path) override;
    bool ReplaceAtomically(const Text& path, std::string_view bytes) override;
    std::optional<std::vector<Text>> ListFolder(const Text& folder) override;
    std::optional<bool> IsReadOnly(const Text& path) override;
    bool SetReadOnly(const Text& path, bool readOnly) override;
    bool Copy(const Text& from, const Text& to, bool overwrite) override;
    bool Delete(const Text& path) override;
    Text CurrentDirectory() override;
    bool CreateFolder(const Text& path) override;
    VersionValue ReadVersionString(const Text& path, const Text& key) override;
};

// Converts with iconv. `id` is the Windows code page number (932, 1252, ...).
class IconvCodePage final : public CodePage {
public:
    explicit IconvCodePage(unsigned id = 932);
    ~IconvCodePage() override;
    IconvCodePage(const IconvCodePage&) = delete;
    IconvCodePage& operator=(const IconvCodePage&) = delete;

    unsigned Id() const override { return id_; }
    std::string ToAnsi(TextView text) const override;
    Text FromAnsi(std::string_view bytes) const override;
    bool IsLeadByte(unsigned char byte) const override { return lead_[byte]; }

private:
    unsigned id_;
    iconv_t toAnsi_;
    iconv_t fromAnsi_;
    std::array<bool, 256> lead_{};
};

class HostClock final : public Clock {
public:
    ClockTime UtcNow() override;
    ClockTime LocalNow() override;
    std::uint32_t TickCount() override;
};

// The host has no windows: every handle is gone.
class HostWindows final : public Windows {
public:
    bool IsWindow(WindowId) override { return false; }
    std::optional<Text> GetTitle(WindowId, bool) override { return std::nullopt; }
    WriteResult SetTitle(WindowId, TextView, bool) override { return WriteResult::Gone; }
    WindowId Foreground() override { return 0; }
    WindowId Parent(WindowId) override { return 0; }
    Text ClassName(WindowId) override { return {}; }
    std::uint32_t Style(WindowId) override { return 0; }
    std::uint32_t ExStyle(WindowId) override { return 0; }
    std::int32_t Width(WindowId) override { return 0; }
    WindowId ActiveMdiChild(WindowId) override { return 0; }
    void Flash(WindowId, bool) override {}
    void SetMark(WindowId, std::uint32_t) override {}
    std::uint32_t GetMark(WindowId) override { return 0; }
    void EnumerateTopLevel(const std::function<bool(WindowId)>&) override {}
};

// No one to ask on the host: every box answers as if cancelled (tests use fakes).
class HostDialogs final : public Dialogs {
public:
    BoxAnswer Show(WindowId, const Text&, const Text&, BoxStyle style) override {
        return style == BoxStyle::ErrorRetryCancel ? BoxAnswer::Cancel
               : style == BoxStyle::Question       ? BoxAnswer::No
                                                   : BoxAnswer::Ok;
    }
    BoxAnswer AskWithCheck(WindowId, const Text&, const Text&, const Text&, bool&) override {
        return BoxAnswer::No;
    }
    std::optional<Text> InputBox(WindowId, const Text&, const Text&, const Text&,
                                 const Text&) override {
        return std::nullopt;
    }
    std::optional<Text> OpenFileName(WindowId, const FileRequest&) override { return std::nullopt; }
    std::optional<Text> SaveFileName(WindowId, const FileRequest&) override { return std::nullopt; }
};

// The host makes no sound and opens nothing.
class HostSound final : public Sound {
public:
    Text SendCommand(TextView) override { return {}; }
    void Beep(std::uint32_t) override {}
};

class HostShell final : public Shell {
public:
    void Open(TextView, TextView, TextView, TextView) override {}
};

// Nothing to paint on: every window has gone.
class HostPainter final : public Painter {
public:
    std::optional<PaintTarget> Describe(WindowId) override { return std::nullopt; }
    FontSpec CaptionFont(bool, int) override { return {}; }
    FontHandle MakeFont(const FontSpec&) override { return 0; }
    void FreeFont(FontHandle) override {}
    bool Begin(WindowId, const PaintRect&, bool) override { return false; }
    void Fill(const PaintRect&, std::uint32_t, std::optional<std::uint32_t>) override {}
    int SelectFont(FontHandle) override { return 0; }
    void PaintText(TextView, const PaintRect&, std::uint32_t, bool) override {}
    int MeasureRight(TextView, const PaintRect& r, bool) override { return r.left; }
    int TextWidth(FontHandle, TextView, bool) override { return 0; }
    void End() override {}
    void Repaint(WindowId) override {}
    void PaintNow(WindowId) override {}
    WindowId Owner(WindowId) override { return 0; }
};

// The host has no compositor: every frame is its window rectangle.
class HostFrames final : public Frames {
public:
    std::optional<FrameFacts> Describe(WindowId) override { return std::nullopt; }
    CaptionLook Look() override { return {}; }
};

// The host keeps no Windows zone records: every zone falls back to its fixed
// distance. Tests hand in the rules they need through a fake.
class HostTimeZones final : public TimeZones {
public:
    std::optional<ZoneYear> ForYear(TextView, int) override { return std::nullopt; }
};

class HostSystemSettings final : public SystemSettings {
public:
    ProxySetting Proxy() override { return {}; }
};

// The classic Windows default colours.
class HostSystemColors final : public SystemColors {
public:
    std::uint32_t SysColor(int index) override;
};

}  // namespace tbq::platform
