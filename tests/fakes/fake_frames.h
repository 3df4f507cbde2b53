// A frame system that answers what a test tells it of each window: a
// compositor's visible frame and caption buttons, or none.
#pragma once

#include <map>

#include "platform/frames.h"

namespace tbq::test {

class FakeFrames final : public platform::Frames {
public:
    std::map<platform::WindowId, platform::FrameFacts> facts;
    platform::CaptionLook look;
    std::optional<platform::FrameFacts> Describe(platform::WindowId w) override {
        auto it = facts.find(w);
        if (it == facts.end()) return std::nullopt;
        return it->second;
    }
    platform::CaptionLook Look() override { return look; }
};

}  // namespace tbq::test
