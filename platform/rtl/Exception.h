#pragma once
// The root of every error the program raises. Each error carries the text an operator sees;
// the named kinds (conversion, list, stream, ...) derive from it so that a handler can catch
// a family or everything.

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

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
Q4_EXCEPTION(EAbort, Exception);            // silent abort: message loops swallow it
Q4_EXCEPTION(EConvertError, Exception);     // text to number/date conversions, Format
Q4_EXCEPTION(EListError, Exception);        // index out of bounds, duplicates, sorted-list misuse
Q4_EXCEPTION(EStringListError, EListError); // the same for string lists
Q4_EXCEPTION(EStreamError, Exception);      // stream reads and writes
Q4_EXCEPTION(EFCreateError, EStreamError);  // a file could not be created
Q4_EXCEPTION(EFOpenError, EStreamError);    // a file could not be opened

// A read came back short, or what was read is malformed. A description reader names where in
// typed fields: the byte offset (-1 when not known) and, for a description converted from
// text, the line (0 when not known).
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
    EReadError(std::string message, std::int64_t offset, int line)
        : EStreamError(std::move(message)), offset_(offset), line_(line) {}
    const char* ClassName() const noexcept override { return "EReadError"; }

    std::int64_t Offset() const noexcept { return offset_; }
    int Line() const noexcept { return line_; }
    // True when the error names its place (an offset or a line).
    bool Located() const noexcept { return offset_ >= 0 || line_ > 0; }

private:
    std::int64_t offset_ = -1;
    int line_ = 0;
};

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
