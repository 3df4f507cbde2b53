#include "core/app_state.h"

namespace tbq {

AppState& App() {
    static AppState state;
    return state;
}

}  // namespace tbq
