#include "tests/app/support/AppTestEnvironment.h"

#include "controls/buttons/ButtonsRegistration.h"
#include "controls/buttons/GlyphButtonRegistration.h"
#include "platform/stdctrls/Registration.h"

namespace {
[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new apptest::ApplicationEnvironment("app-pages-fonts", [] {
        RegisterStdControls();
        RegisterFramedButtons();
        RegisterGlyphButtons();
    }));
} // namespace
