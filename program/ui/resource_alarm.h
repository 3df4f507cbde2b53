// The alarm editor, the date dialog and the detail dialog: dialogs 140-149, controls 2900-3099.
#pragma once
