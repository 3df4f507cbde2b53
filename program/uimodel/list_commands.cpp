#include "uimodel/list_commands.h"

#include "app/app_state.h"

namespace tbq::uimodel {

void ListChanged(ViewList& list) { LinkGroupChildren(list); }

TextView DeleteCaption(Page page) {
    switch (page) {
        case Page::DrawBar: return Tr(TextId::ListDeleteDrawBar);
        case Page::View: return Tr(TextId::ListDeleteView);
        case Page::Alarm: return Tr(TextId::ListDeleteAlarm);
        case Page::Window: return Tr(TextId::ListDeleteWindow);
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
        owner, description + u"\r\n" + Text(Tr(TextId::ListDeleteQuestion)), Text(DeleteCaption(page)),
        Text(Tr(TextId::MsgDontAskAgain)), dontAsk);
    if (dontAsk) delCheck = false;
    return answer == platform::BoxAnswer::Yes;
}

TextView PopupCaption(PopupCommand command) {
    switch (command) {
        case PopupCommand::Edit: return Tr(TextId::PageEdit);
        case PopupCommand::Delete: return Tr(TextId::PageDelete);
        case PopupCommand::Insert: return Tr(TextId::ListInsert);
    }
    return u"";
}

}  // namespace tbq::uimodel
