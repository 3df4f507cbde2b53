// Win32 adapters of the ports: one platform call and its conversions each.
#pragma once

#include "platform/ports.h"

namespace tbq::platform {

class Win32Files final : public Files {
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

// The system's ANSI code page, or a given one (tests use UTF-8 this way).
class Win32CodePage final : public CodePage {
public:
    static constexpr unsigned kSystem = 0;  // CP_ACP
    explicit Win32CodePage(unsigned codePage = kSystem) : codePage_(codePage) {}
    unsigned Id() const override;
    std::string ToAnsi(TextView text) const override;
    Text FromAnsi(std::string_view bytes) const override;
    bool IsLeadByte(unsigned char byte) const override;

private:
    unsigned codePage_;
};

class Win32Clock final : public Clock {
public:
    ClockTime UtcNow() override;
    ClockTime LocalNow() override;
    std::uint32_t TickCount() override;
};

class Win32Windows final : public Windows {
public:
    bool IsWindow(WindowId w) override;
    std::optional<Text> GetTitle(WindowId w, bool unicode) override;
    WriteResult SetTitle(WindowId w, TextView title, bool unicode) override;
    WindowId Foreground() override;
    WindowId Parent(WindowId w) override;
    Text ClassName(WindowId w) override;
    std::uint32_t Style(WindowId w) override;
    std::uint32_t ExStyle(WindowId w) override;
    std::int32_t Width(WindowId w) override;
    WindowId ActiveMdiChild(WindowId frame) override;
    void SetMark(WindowId w, std::uint32_t mark) override;
    std::uint32_t GetMark(WindowId w) override;
    void Flash(WindowId w, bool on) override;
    void EnumerateTopLevel(const std::function<bool(WindowId)>& visit) override;
};

class Win32Dialogs final : public Dialogs {
public:
    BoxAnswer Show(WindowId owner, const Text& text, const Text& caption,
                         BoxStyle style) override;
    BoxAnswer AskWithCheck(WindowId owner, const Text& text, const Text& caption,
                           const Text& checkText, bool& checked) override;
    std::optional<Text> InputBox(WindowId owner, const Text& prompt, const Text& note,
                                 const Text& title, const Text& defaultText) override;
    std::optional<Text> OpenFileName(WindowId owner, const FileRequest& request) override;
    std::optional<Text> SaveFileName(WindowId owner, const FileRequest& request) override;
};

class Win32SystemSettings final : public SystemSettings {
public:
    ProxySetting Proxy() override;
    std::optional<Text> SpecialFolderPath(int folder) override;
};

class Win32Sound final : public Sound {
public:
    Text SendCommand(TextView command) override;
    void Beep(std::uint32_t code) override;
};

class Win32Shell final : public Shell {
public:
    void Open(TextView verb, TextView file, TextView parameters, TextView folder) override;
};

class Win32SystemColors final : public SystemColors {
public:
    std::uint32_t SysColor(int index) override;
};

// The registry's zone records through the dynamic time-zone functions.
class Win32TimeZones final : public TimeZones {
public:
    std::optional<ZoneYear> ForYear(TextView zoneKey, int year) override;
};

// GDI on window device contexts; one for the process.
Painter& Win32PainterInstance();
Frames& Win32FramesInstance();

}  // namespace tbq::platform
