#pragma once
// The message of the error a call raises, for tests that compare it letter for letter.

#include "platform/rtl/Exception.h"

#include <string>
#include <typeinfo>

// The message of the exception of class E that `call` raises; "<no error>" when it returns, and
// "<other error: ...>" when it raises something else.
template <typename E = Exception, typename F> std::string ErrorMessage(F&& call) {
    try {
        call();
    } catch (const E& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return std::string("<other error: ") + typeid(e).name() + " " + e.what() + ">";
    }
    return "<no error>";
}
