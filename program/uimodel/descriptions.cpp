#include "uimodel/descriptions.h"

#include "alarm/alarm.h"
#include "draw/draw_bar.h"
#include "items/view_data.h"
#include "rules/window_rule.h"

namespace tbq::uimodel {

Text Description(const vbKerova_ViewData& item) { return KindName(item.DataType()); }

Text Description(const vbKerova_Alarm& alarm) { return alarm.AlarmName; }

Text Description(const vbKerova_Window& rule) { return rule.SummaryText(true); }

Text Description(const vbKerova_DrawBar& profile) { return profile.DrawBarName; }

}  // namespace tbq::uimodel
