#pragma once
// The error of a formula that does not compile: the message the encoder reports, and its code
// (1 to 18, 0 for the fixed errors of the tokenizer).

#include "platform/rtl/Exception.h"

class EXLSFormulaError : public Exception {
public:
    EXLSFormulaError(std::string message, int code) : Exception(std::move(message)), code_(code) {}
    const char* ClassName() const noexcept override { return "EXLSFormulaError"; }
    int Code() const noexcept { return code_; }

private:
    int code_;
};

// The message of an encoder error code, with its detail in place of "%s" (UTF-8).
std::string FormulaErrorMessage(int code, const std::string& detail);
