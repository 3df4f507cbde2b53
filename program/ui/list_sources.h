// The objects the list pages of the settings window manage: painting
// profiles, the display items of the edited list, alarms and window rules.
#pragma once

#include <functional>
#include <memory>

#include "ui/settings_pages.h"

namespace tbq::ui {

std::unique_ptr<ListSource> MakeDrawBarSource();
std::unique_ptr<ListSource> MakeViewItemSource();
std::unique_ptr<ListSource> MakeAlarmSource();
// `context`: what the rule editor matches windows with, asked when it opens.
std::unique_ptr<ListSource> MakeWindowRuleSource(std::function<RuleContext()> context);

}  // namespace tbq::ui
