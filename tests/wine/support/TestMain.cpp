// Test programs run on an OLE apartment thread, as the shell's window thread does.
#include "platform/Win.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS |
                                                        ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ::OleUninitialize();
    return result;
}
