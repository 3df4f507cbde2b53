// The plug-in text item: the text of one function (and setting) of a plug-in,
// named by the plug-in's file name. While that plug-in is missing, disabled or
// failed, the item shows "!" and the file name.
#pragma once

#include <cstdint>
#include <memory>

#include "items/view_data.h"
#include "plugin/plugin.h"
#include "platform/windows.h"

namespace tbq {

// Where plug-in items find the window whose title is being composed (the
// target of the current tick). Start-up sets it; until then they pass 0.
void SetPluginTargetSource(std::function<platform::WindowId()> source);

// The plug-in texts of one composition of `list` (its switched-on plug-in
// items, group members included), asked of each plug-in in one exchange; the
// items' Text() then takes them from there. What was not taken is dropped
// when the batch ends.
class PluginTextBatch {
public:
    explicit PluginTextBatch(const ViewList& list);
    ~PluginTextBatch();
    PluginTextBatch(const PluginTextBatch&) = delete;
    PluginTextBatch& operator=(const PluginTextBatch&) = delete;

private:
    std::vector<std::shared_ptr<vbKerova_Plugin>> asked_;
};

class vbKerova_View_Plugin final : public ViewSubItem {
public:
    tbq::Text Text() override;
    std::uint8_t ViewDataType() const override { return kKindPlugin; }
    void SaveSetting(const tbq::Text& file, const tbq::Text& section) override;
    void LoadSetting(const tbq::Text& file, const tbq::Text& section) override;

    void SetPluginFunc(const tbq::Text& strPluginFileName, std::int32_t nFuncNo,
                       std::int32_t nSettingNo);
    // Binds again, by file name, to what the registry lists now.
    void ReloadPlugin();

    const tbq::Text& PluginFileName() const { return fileName_; }
    tbq::Text PluginName();
    tbq::Text PluginComment();
    tbq::Text PluginCopyright();
    tbq::Text PluginURL();
    tbq::Text PluginMail();
    std::int32_t PluginFuncNum();
    tbq::Text FuncName();
    tbq::Text FuncComment();
    tbq::Text FuncSettingName();
    // The plug-in this item shows, while it is loaded and switched on.
    std::shared_ptr<vbKerova_Plugin> LoadedPlugin();
    std::int32_t FuncNo() const { return funcNo_; }
    std::int32_t SettingNo() const { return settingNo_; }

private:
    // The bound plug-in while it is loaded; null when it is missing or off. An
    // object the registry dropped (a rescan) is never used: the item binds
    // again by name.
    vbKerova_Plugin* Loaded();

    std::weak_ptr<vbKerova_Plugin> plugin_;
    tbq::Text fileName_;
    std::int32_t funcNo_ = 0;
    std::int32_t settingNo_ = 0;
};

// Every plug-in item of every registered display list binds again (after the
// registry was rebuilt).
class ViewListRegistry;
void ReloadPluginItems(ViewListRegistry& registry);

}  // namespace tbq
