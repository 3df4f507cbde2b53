// A painter that writes every call into a log, measures text at 8 pixels a
// character, and knows the windows a test describes to it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/painter.h"

namespace tbq::test {

class FakePainter final : public platform::Painter {
public:
    static constexpr int kCharWidth = 8;

    std::map<platform::WindowId, platform::PaintTarget> targets;
    std::map<platform::WindowId, platform::WindowId> owners;
    std::vector<std::string> log;
    int fontsAlive = 0;
    bool failBegin = false;

    static std::string R(const platform::PaintRect& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
               "," + std::to_string(r.bottom);
    }
    static std::string Hex(std::uint32_t v) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(v));
        return buf;
    }

    std::optional<platform::PaintTarget> Describe(platform::WindowId w) override {
        auto it = targets.find(w);
        if (it == targets.end()) return std::nullopt;
        return it->second;
    }
    platform::FontSpec CaptionFont(bool small, int dpiY) override {
        platform::FontSpec f;
        f.height = (small ? -10 : -12) * dpiY / 96;
        f.face = u"Caption";
        return f;
    }
    platform::FontHandle MakeFont(const platform::FontSpec& spec) override {
        ++fontsAlive;
        fonts_.push_back(spec);
        return fonts_.size();
    }
    void FreeFont(platform::FontHandle) override { --fontsAlive; }
    const platform::FontSpec& Font(platform::FontHandle h) const { return fonts_.at(h - 1); }

    bool Begin(platform::WindowId w, const platform::PaintRect& rect, bool offscreen) override {
        if (failBegin) return false;
        log.push_back("begin " + std::to_string(w) + " " + R(rect) + (offscreen ? " offscreen" : ""));
        return true;
    }
    void Fill(const platform::PaintRect& rect, std::uint32_t fill,
              std::optional<std::uint32_t> line) override {
        log.push_back("fill " + R(rect) + " " + Hex(fill) + (line ? " line " + Hex(*line) : ""));
    }
    int SelectFont(platform::FontHandle font) override {
        log.push_back("font " + std::to_string(font));
        return -Font(font).height;
    }
    void PaintText(TextView text, const platform::PaintRect& rect, std::uint32_t color, bool) override {
        log.push_back("text " + TextToUtf8(text) + " " + R(rect) + " " + Hex(color));
    }
    int MeasureRight(TextView text, const platform::PaintRect& rect, bool) override {
        return rect.left + kCharWidth * static_cast<int>(text.size());
    }
    int TextWidth(platform::FontHandle, TextView text, bool) override {
        return kCharWidth * static_cast<int>(text.size());
    }
    void End() override { log.push_back("end"); }
    void Repaint(platform::WindowId w) override { log.push_back("repaint " + std::to_string(w)); }
    void PaintNow(platform::WindowId w) override { log.push_back("paint now " + std::to_string(w)); }
    platform::WindowId Owner(platform::WindowId w) override {
        auto it = owners.find(w);
        return it == owners.end() ? 0 : it->second;
    }

private:
    std::vector<platform::FontSpec> fonts_;
};

}  // namespace tbq::test
