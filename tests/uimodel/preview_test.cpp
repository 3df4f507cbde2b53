#include "uimodel/preview.h"

#include <gtest/gtest.h>

#include "app/app_state.h"

namespace tbq::uimodel {
namespace {

TEST(Preview, ShowsTheEditedListAndTheChosenProfileOnTheirPages) {
    AppSettings s;
    s.DefaultViewData = u"*Default";
    s.EditDataName = u"other.ini";
    s.UseDrawBar = true;
    const auto tickProfile = std::make_shared<vbKerova_DrawBar>();
    const auto chosen = std::make_shared<vbKerova_DrawBar>();
    struct Case {
        int page;
        const char16_t* edit;
        bool useDrawBar;
        const char16_t* list;
        bool border;
        std::shared_ptr<vbKerova_DrawBar> profile;
    };
    const Case cases[] = {
        {1, u"other.ini", true, u"rule.ini", false, tickProfile},
        {3, u"other.ini", true, u"other.ini", true, tickProfile},
        {3, u"*DEFAULT", true, u"*DEFAULT", false, tickProfile},  // names compare in any case
        {2, u"other.ini", true, u"rule.ini", false, chosen},
        {2, u"other.ini", false, u"rule.ini", false, nullptr},  // no own drawing: plain text
    };
    for (const Case& c : cases) {
        s.EditDataName = c.edit;
        s.UseDrawBar = c.useDrawBar;
        const PreviewChoice p = ChoosePreview(s, c.page, u"rule.ini", tickProfile, chosen);
        EXPECT_EQ(p.listName, c.list) << c.page;
        EXPECT_EQ(p.border, c.border) << c.page;
        EXPECT_EQ(p.profile, c.profile) << c.page;
    }
}

}  // namespace
}  // namespace tbq::uimodel
