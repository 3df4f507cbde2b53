// The one-line descriptions the settings window shows for the objects of its
// lists, in its delete questions and in the File menu's item entries.
#pragma once

#include "base/text.h"

namespace tbq {
class vbKerova_ViewData;
class vbKerova_Alarm;
class vbKerova_Window;
class vbKerova_DrawBar;
}  // namespace tbq

namespace tbq::uimodel {

// A display item by its kind: "時計 : <YYYY/MM/DD> (UTC+09:00)", "固定文字 : …",
// "タイトル : 先頭から10文字", "カウント : …まで (日/時/分)", "グループ : 切り替え 3項目",
// "アラーム : 最初の1件 (名前/メッセージ)", "プラグイン : Name - Function".
Text Description(const vbKerova_ViewData& item);
// An alarm: its name, target and state: "起床 [Now/Now/Mon,Tue 07:30:00] 有効".
Text Description(const vbKerova_Alarm& alarm);
// A window rule: its summary line with the permitting options.
Text Description(const vbKerova_Window& rule);
// A painting profile: its name.
Text Description(const vbKerova_DrawBar& profile);

}  // namespace tbq::uimodel
