// The window rule editor, the window information dialog and the style dialog: dialogs 160-169, controls 3300-3499.
#pragma once
