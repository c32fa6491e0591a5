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
        const char* ClassName() const noexcept override { return #Name; }                          \
    }

// The runtime's own error kinds.
Q4_EXCEPTION(EAbort, Exception);             // silent abort: message loops swallow it
Q4_EXCEPTION(EConvertError, Exception);      // text to number/date conversions, Format
Q4_EXCEPTION(EListError, Exception);         // index out of bounds, duplicates, sorted-list misuse
Q4_EXCEPTION(EStringListError, EListError);  // the same for string lists
Q4_EXCEPTION(EStreamError, Exception);       // stream reads and writes
Q4_EXCEPTION(EFCreateError, EStreamError);   // a file could not be created
Q4_EXCEPTION(EFOpenError, EStreamError);     // a file could not be opened
Q4_EXCEPTION(EReadError, EStreamError);      // a read came back short
Q4_EXCEPTION(EWriteError, EStreamError);     // a write came back short
Q4_EXCEPTION(EInOutError, Exception);        // file-system operations
Q4_EXCEPTION(EIniFileException, Exception);  // an ini file could not be written
Q4_EXCEPTION(EEncodingError, Exception);     // text that cannot be converted to a code page
Q4_EXCEPTION(EThread, Exception);            // misuse of a thread
Q4_EXCEPTION(EInvalidOperation, Exception);  // a call that is not valid in the object's state
Q4_EXCEPTION(EArgumentException, Exception); // a bad argument
Q4_EXCEPTION(EInvalidCast, Exception);       // an object is not of the class asked for
Q4_EXCEPTION(EOSError, Exception);           // a system call failed

// Raises EOSError "System Error.  Code: <n>.\r\n<text>" for the calling thread's last errno.
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(int errorCode);

// Raises the silent abort (EAbort "Operation aborted").
[[noreturn]] inline void Abort() {
    throw EAbort("Operation aborted");
}
