#include "app/app_state.h"

#include "app/settings_table.h"

namespace tbq {

AppSettings::AppSettings() { ApplyDefaultSettings(*this); }

AppState& App() {
    static AppState state;
    return state;
}

}  // namespace tbq
