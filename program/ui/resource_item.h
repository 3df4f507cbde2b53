// The display item editor and the format builder: dialogs 130-139, controls 2600-2899.
#pragma once
