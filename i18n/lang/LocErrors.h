#pragma once
// Errors of the localiser.

#include "platform/rtl/Exception.h"

#include <string>

// Language and identifier errors.
Q4_EXCEPTION(ELanguageError, Exception);

// An operation of the translation engine, files or dispatcher that this build does not have
// yet; Operation names it.
class ELocNotImplemented : public Exception {
public:
    explicit ELocNotImplemented(std::string operation)
        : Exception(operation + " is not implemented yet"), Operation(std::move(operation)) {}
    const char* ClassName() const noexcept override { return "ELocNotImplemented"; }
    std::string Operation;
};
