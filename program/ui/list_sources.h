// The objects the list pages of the settings window manage: painting
// profiles, the display items of the edited list, alarms and window rules.
#pragma once

#include <memory>

#include "ui/settings_pages.h"

namespace tbq::ui {

std::unique_ptr<ListSource> MakeDrawBarSource();
std::unique_ptr<ListSource> MakeViewItemSource();
std::unique_ptr<ListSource> MakeAlarmSource();
std::unique_ptr<ListSource> MakeWindowRuleSource();

}  // namespace tbq::ui
