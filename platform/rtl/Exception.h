#pragma once
// The root of every error the program raises. Each error carries the text an operator sees;
// the named kinds (conversion, list, stream, ...) derive from it so that a handler can catch
// a family or everything.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    ~Exception() override = default;

    const std::string& Message() const noexcept { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }

    // The error's kind as a class name ("EConvertError"), for logs and message boxes.
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    std::string message_;
};

// Declares a named error kind in one line: Q4_EXCEPTION(EConvertError, Exception).
#define Q4_EXCEPTION(Name, Base)                                                                   \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
        const char* ClassName() const noexcept override { return #Name; }                         \
    }
