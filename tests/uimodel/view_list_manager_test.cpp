#include "uimodel/view_list_manager.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/program_location.h"
#include "fakes/fake_dialogs.h"
#include "fakes/temp_folder.h"
#include "items/view_fixed.h"
#include "items/view_list.h"
#include "platform/ports.h"
#include "settings/ini_store.h"

namespace tbq::uimodel {
namespace {

using platform::BoxAnswer;

constexpr char kFixedA[] =
    "[ViewData0001]\r\nDataType=FIXED\r\nType=Fixed\r\nText=0041\r\n[ViewData0002]\r\nDataType=NONE\r\n";

class ListManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        IniStore::Instance().Reset();
        registry_.Clear();
        SetProgramLocation(dir_.Path() + u"/", u"TBQ");
        auto fixed = std::make_shared<vbKerova_View_Fixed>();
        fixed->SetText(u"A");
        auto item = std::make_shared<vbKerova_ViewData>();
        item->SetData(fixed, 0, true);
        registry_.SetViewList(kDefaultListName, std::make_shared<ViewList>(ViewList{item}));
    }
    void TearDown() override {
        IniStore::Instance().Reset();
        registry_.Clear();
    }
    std::vector<Text> Names() const {
        std::vector<Text> names;
        for (const auto& e : registry_.Entries()) names.push_back(e.name);
        return names;
    }
    bool InFolder(const std::string& name) const {
        return std::filesystem::exists(dir_.Native("ViewData/" + name));
    }

    test::TempFolder dir_;
    test::FakeDialogs dialogs_;
    platform::ScopedPorts ports_{platform::Ports{.dialogs = &dialogs_}};
    ViewListRegistry& registry_ = ViewListRegistry::Instance();
    ListManager m_{dialogs_, registry_, dir_.Path() + u"/", 0};
};

TEST(ListNames, AnswersBecomeFileNamesWithIni) {
    for (auto [answer, name] : {std::pair<const char16_t*, const char16_t*>{u"a/b", u"a_b.ini"},
                                {u"a:b*c?", u"a_b_c_.ini"},
                                {u"abc.INI", u"abc.INI"},
                                {u"x.ini.txt", u"x.ini.txt.ini"},
                                {u"名前", u"名前.ini"},
                                {u"", u""}})
        EXPECT_EQ(ListFileName(answer), name) << TextToUtf8(answer);
    EXPECT_EQ(CopyNameFor(u"*Default"), u"copy_Default.ini");
    EXPECT_EQ(CopyNameFor(u"x.ini"), u"copy_x.ini");
}

TEST_F(ListManagerTest, ANewListIsAskedForUntilItsNameIsFree) {
    registry_.SetViewList(u"Taken.ini", std::make_shared<ViewList>());
    dialogs_.inputs = {u"taken", u"a/b"};
    const ListChange c = RunListManagement(m_, ListManagement::New, kDefaultListName);
    EXPECT_EQ(c.select, u"a_b.ini");
    EXPECT_TRUE(InFolder("a_b.ini"));
    ASSERT_EQ(dialogs_.asked.size(), 2u);
    EXPECT_EQ(dialogs_.asked[0].title, u"Lunetta - 表示項目の新規作成");
    EXPECT_EQ(dialogs_.asked[0].defaultText, u"新しい表示項目.ini");
    EXPECT_EQ(dialogs_.asked[1].defaultText, u"taken");  // asked again with the answer
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text,
              u"同じ名前の表示項目が既に存在します。\r\n表示項目に同じ名前の物を作成することはできません。\r\n"
              u"別の名前を使用して下さい。");
    EXPECT_EQ(Names(), (std::vector<Text>{u"*Default", u"Taken.ini", u"a_b.ini"}));

    for (auto answer : {std::optional<Text>(), std::optional<Text>(u"")}) {  // cancel, empty
        dialogs_.inputs = {answer};
        EXPECT_FALSE(NewViewList(m_).changed);
    }
    EXPECT_EQ(registry_.Entries().size(), 3u);
}

TEST_F(ListManagerTest, ACopySharesNothingWithItsOriginal) {
    dialogs_.inputs = {std::nullopt};
    CopyViewList(m_, kDefaultListName);
    EXPECT_EQ(dialogs_.asked.at(0).defaultText, u"copy_Default.ini");
    dialogs_.inputs = {u"copy_Default.ini"};
    EXPECT_EQ(CopyViewList(m_, kDefaultListName).select, u"copy_Default.ini");
    const auto original = registry_.GetViewList(kDefaultListName, false);
    const auto copy = registry_.GetViewList(u"copy_Default.ini", false);
    ASSERT_EQ(copy->size(), 1u);
    EXPECT_NE(copy->at(0)->ObjectData(), original->at(0)->ObjectData());
    EXPECT_EQ(copy->at(0)->FixedData()->FixedText(), u"A");
}

TEST_F(ListManagerTest, ABrokenImportShowsAnErrorAndChangesNothingLoaded) {
    registry_.SetViewList(u"broken.ini", std::make_shared<ViewList>());
    struct Case {
        const char* what;
        std::string bytes;  // "" with `write` false: the file is missing
        bool write = true;
    };
    const Case cases[] = {
        {"binary", std::string("MZ\x90\0\3\0\0\0", 8) + kFixedA},
        {"UTF-16", std::string("\xFF\xFE[\0V\0", 6)},
        {"UTF-8 with its mark", std::string("\xEF\xBB\xBF") + kFixedA},
        {"huge", std::string(kFixedA) + std::string(kMaxListFileBytes, ';')},
        {"no display list in it", "[Main]\r\nSettingVersion=1\r\n"},
        {"missing", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.write) dir_.WriteBytes("broken.ini", c.bytes);
        const auto before = registry_.Entries();
        dialogs_ = {};
        dialogs_.files = {dir_.Path("broken.ini")};
        dialogs_.answers = {BoxAnswer::Yes};  // would overwrite
        EXPECT_FALSE(ImportViewList(m_).changed);
        ASSERT_EQ(dialogs_.shown.size(), 1u);
        EXPECT_EQ(dialogs_.shown[0].style, platform::BoxStyle::Error);
        ASSERT_EQ(registry_.Entries().size(), before.size());
        for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(registry_.Entries()[i].list, before[i].list);
        EXPECT_FALSE(InFolder("broken.ini"));
        std::filesystem::remove(dir_.Native("broken.ini"));
    }
}

TEST_F(ListManagerTest, AnImportOfALoadedNameAsksToOverwriteOrForAnotherName) {
    dir_.WriteBytes("imp.ini", kFixedA);
    dialogs_.files = {dir_.Path("imp.ini"), dir_.Path("imp.ini"), dir_.Path("imp.ini")};
    EXPECT_EQ(ImportViewList(m_).select, u"imp.ini");
    EXPECT_TRUE(InFolder("imp.ini"));
    const auto first = registry_.GetViewList(u"imp.ini", false);
    ASSERT_EQ(first->size(), 1u);

    dialogs_.answers = {BoxAnswer::No};
    dialogs_.inputs = {u"other"};
    EXPECT_EQ(ImportViewList(m_).select, u"other.ini");
    EXPECT_EQ(dialogs_.shown.back().text, u"既に同じ名前の項目がロードされています。\r\n上書きしますか？");
    EXPECT_EQ(dialogs_.asked.back().defaultText, u"copy_imp.ini");
    EXPECT_EQ(registry_.GetViewList(u"imp.ini", false), first);

    dialogs_.answers = {BoxAnswer::Yes};
    EXPECT_EQ(ImportViewList(m_).select, u"imp.ini");
    EXPECT_NE(registry_.GetViewList(u"imp.ini", false), first);
    EXPECT_EQ(Names(), (std::vector<Text>{u"*Default", u"imp.ini", u"other.ini"}));
}

TEST_F(ListManagerTest, RefreshKeepsTheDefaultListAndReadsTheFolderAgain) {
    const auto defaultList = registry_.GetViewList(kDefaultListName, false);
    registry_.SetViewList(u"gone.ini", std::make_shared<ViewList>());
    std::filesystem::create_directory(dir_.Native("ViewData"));
    dir_.WriteBytes("ViewData/b.INI", kFixedA);
    dir_.WriteBytes("ViewData/a.ini", kFixedA);
    dir_.WriteBytes("ViewData/c.txt", kFixedA);
    EXPECT_EQ(RefreshViewLists(m_, u"gone.ini").select, u"*Default");
    EXPECT_EQ(Names(), (std::vector<Text>{u"*Default", u"a.ini", u"b.INI"}));
    EXPECT_EQ(registry_.GetViewList(kDefaultListName, false), defaultList);
    EXPECT_EQ(RefreshViewLists(m_, u"B.ini").select, u"B.ini");
}

TEST_F(ListManagerTest, ExportWritesTheListWhereTheUserSaysOrTellsWhyNot) {
    dialogs_.files = {dir_.Path("out.ini"), dir_.Path("no/such/folder/out.ini")};
    EXPECT_FALSE(ExportViewList(m_, kDefaultListName).changed);
    EXPECT_EQ(dialogs_.fileRequests.at(0).fileName, u"Default.ini");
    EXPECT_EQ(dialogs_.fileRequests[0].filters.at(0).description, u"Lunetta表示項目設定ファイル(*.ini)");
    EXPECT_NE(dir_.ReadBytes("out.ini").find("Text=0041"), std::string::npos);
    EXPECT_TRUE(dialogs_.shown.empty());
    ExportViewList(m_, kDefaultListName);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text.rfind(u"下記ファイルが操作できません。", 0), 0u);
}

}  // namespace
}  // namespace tbq::uimodel
