// A data folder in miniature with what the program's windows need besides: the module,
// the system's metrics and the shared fonts. The window a test opens goes with the test.
#pragma once

#include "support/storefixture.h"

class WindowTest : public StoreTest {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND window = nullptr;
};
