#include "device/util/InputController.h"

namespace {

constexpr char32_t kBackspace = 8;

bool IsDecimalKey(char32_t key) {
    return key == kBackspace || (key >= '0' && key <= '9');
}

bool IsHexKey(char32_t key) {
    return IsDecimalKey(key) || (key >= 'A' && key <= 'F') || (key >= 'a' && key <= 'f');
}

} // namespace

void TInputController::DecimalKeyPress(char& Key) {
    if (!IsDecimalKey(static_cast<unsigned char>(Key))) {
        Key = 0;
    }
}

void TInputController::DecimalKeyPress(char16_t& Key) {
    if (!IsDecimalKey(Key)) {
        Key = 0;
    }
}

void TInputController::HexKeyPress(char& Key) {
    if (!IsHexKey(static_cast<unsigned char>(Key))) {
        Key = 0;
    }
}

void TInputController::HexKeyPress(char16_t& Key) {
    if (!IsHexKey(Key)) {
        Key = 0;
    }
}
