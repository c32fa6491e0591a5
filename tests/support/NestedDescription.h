#pragma once
// A binary description nested as deep as asked: the signature, an object "Form" of the class
// given, one property whose value is depth lists, one inside the other, then the ends of the
// lists, of the properties and of the children. 7 KB for 3,700 levels.

#include <string>

inline std::string NestedListDescription(const std::string& className, const std::string& property,
                                         int depth) {
    std::string bytes = "TPF0";
    bytes += static_cast<char>(className.size());
    bytes += className;
    bytes += "\x04"
             "Form";
    bytes += static_cast<char>(property.size());
    bytes += property;
    bytes.append(static_cast<size_t>(depth), '\x01'); // list start
    bytes.append(static_cast<size_t>(depth), '\x00'); // list end
    bytes.append(2, '\x00');
    return bytes;
}
