// The Japanese code page for tests that need Shift-JIS: iconv's on the host,
// the system's own under Wine when the run's code page is 932 (else none, and
// the test skips).
#pragma once

#include "platform/codepage.h"

namespace tbq::test {

const platform::CodePage* JapaneseCodePage();
// The UTF-8 code page (65001) that Windows can be set to use as its ANSI one.
const platform::CodePage& Utf8CodePage();

}  // namespace tbq::test
