// The own-drawing editor and the transparency dialog: dialogs 150-159, controls 3100-3299.
#pragma once
