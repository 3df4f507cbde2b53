// The draw editor driven from outside through its real controls.
#include <gtest/gtest.h>
#include <windows.h>

#include "e2e/e2e_support.h"
#include "ui/resource.h"
