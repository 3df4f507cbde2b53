#include "uimodel/list_commands.h"

#include "app/app_state.h"

namespace tbq::uimodel {

void ListChanged(ViewList& list) { LinkGroupChildren(list); }

const char16_t* DeleteCaption(Page page) {
    switch (page) {
        case Page::DrawBar: return u"独自描画の削除";
        case Page::View: return u"表示項目の削除";
        case Page::Alarm: return u"アラームの削除";
        case Page::Window: return u"個別設定の削除";
        default: return u"";
    }
}

bool* DelCheckFlag(AppState& app, Page page) {
    bool AppSettings::*member = DelCheckOf(page);
    return member ? &(app.settings.*member) : nullptr;
}

bool ConfirmDelete(platform::Dialogs& dialogs, platform::WindowId owner, Page page,
                   const Text& description, bool& delCheck) {
    if (!delCheck) return true;
    bool dontAsk = false;
    const platform::BoxAnswer answer = dialogs.AskWithCheck(
        owner, description + u"\r\n" + kDeleteQuestion, DeleteCaption(page), kDontAskAgain, dontAsk);
    if (dontAsk) delCheck = false;
    return answer == platform::BoxAnswer::Yes;
}

const char16_t* PopupCaption(PopupCommand command) {
    switch (command) {
        case PopupCommand::Edit: return u"編集(&E)";
        case PopupCommand::Delete: return u"削除(&D)";
        case PopupCommand::Insert: return u"挿入(&I)";
    }
    return u"";
}

}  // namespace tbq::uimodel
