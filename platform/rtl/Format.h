#pragma once
// Format: the classic runtime's formatting of argument lists.
//
//   "%" [index ":"] ["-"] [width] ["." precision] type
//
// Types: d (decimal; precision = minimum digits), u (unsigned), x (upper-case hex; precision =
// minimum digits), e f g n m (floating point: scientific, fixed, general, thousands, currency),
// p (pointer), s (string; precision = maximum characters). Index, width and precision may be
// "*", taking the value from the arguments; a negative width taken so aligns to the left. "%%" is
// a percent sign. Widths, and precisions of strings, count characters, not bytes. The general
// format writes its exponent without padding ("1,23E3"). An argument of the wrong kind, a bad
// specifier and a missing argument raise EConvertError.

#include "platform/rtl/FormatSettings.h"

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// One argument of a Format call.
class TVarRec {
public:
    enum Kind { vtInteger, vtInt64, vtUInt64, vtExtended, vtString, vtChar, vtBoolean, vtPointer };

    template <std::signed_integral T>
    requires(!std::same_as<T, char>) TVarRec(T v)
        : kind_(sizeof(T) <= 4 ? vtInteger : vtInt64), int_(v) {}
    template <std::unsigned_integral T>
    requires(!std::same_as<T, bool>) TVarRec(T v)
        : kind_(sizeof(T) < 4    ? vtInteger
                : sizeof(T) == 4 ? vtInt64
                                 : vtUInt64) {
        if (kind_ == vtUInt64)
            uint_ = v;
        else
            int_ = static_cast<int64_t>(v);
    }
    TVarRec(char v) : kind_(vtChar), str_(1, v) {}
    TVarRec(bool v) : kind_(vtBoolean), int_(v) {}
    TVarRec(double v) : kind_(vtExtended), float_(v) {}
    TVarRec(float v) : kind_(vtExtended), float_(v) {}
    TVarRec(long double v) : kind_(vtExtended), float_(static_cast<double>(v)) {}
    TVarRec(const char* v) : kind_(vtString), str_(v ? v : "") {}
    TVarRec(std::string_view v) : kind_(vtString), str_(v) {}
    TVarRec(const std::string& v) : kind_(vtString), str_(v) {}
    TVarRec(const void* v) : kind_(vtPointer), ptr_(v) {}
    TVarRec(std::nullptr_t) : kind_(vtPointer), ptr_(nullptr) {}

    Kind VType() const { return kind_; }
    int64_t AsInt64() const { return int_; }
    uint64_t AsUInt64() const { return kind_ == vtUInt64 ? uint_ : static_cast<uint64_t>(int_); }
    double AsDouble() const { return float_; }
    const std::string& AsString() const { return str_; }
    const void* AsPointer() const { return ptr_; }

private:
    Kind kind_;
    int64_t int_ = 0;
    uint64_t uint_ = 0;
    double float_ = 0;
    std::string str_;
    const void* ptr_ = nullptr;
};

std::string Format(std::string_view format, const std::vector<TVarRec>& args,
                   const TFormatSettings& settings);
inline std::string Format(std::string_view format, const std::vector<TVarRec>& args) {
    return Format(format, args, FormatSettings());
}
inline std::string Format(std::string_view format, std::initializer_list<TVarRec> args) {
    return Format(format, std::vector<TVarRec>(args), FormatSettings());
}
inline std::string Format(std::string_view format, std::initializer_list<TVarRec> args,
                          const TFormatSettings& settings) {
    return Format(format, std::vector<TVarRec>(args), settings);
}
