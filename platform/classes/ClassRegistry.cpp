#include "platform/classes/ClassRegistry.h"

#include "platform/classes/TypeInfo.h"

#include <cctype>
#include <mutex>
#include <string>
#include <unordered_map>

namespace {

std::string Key(std::string_view name) {
    std::string key(name);
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

struct Registry {
    std::mutex lock;
    std::unordered_map<std::string, TClass> classes;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

} // namespace

void RegisterClass(TClass cls) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    auto [it, inserted] = r.classes.emplace(Key(cls->ClassName()), cls);
    if (!inserted && it->second != cls)
        throw EFilerError("A class named " + cls->ClassName() + " already exists");
}

void RegisterClasses(std::initializer_list<TClass> classes) {
    for (TClass cls : classes)
        RegisterClass(cls);
}

void UnRegisterClass(TClass cls) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    auto it = r.classes.find(Key(cls->ClassName()));
    if (it != r.classes.end() && it->second == cls)
        r.classes.erase(it);
}

void UnRegisterClasses(std::initializer_list<TClass> classes) {
    for (TClass cls : classes)
        UnRegisterClass(cls);
}

TClass GetClass(std::string_view name) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    auto it = r.classes.find(Key(name));
    return it == r.classes.end() ? nullptr : it->second;
}

TClass FindClass(std::string_view name) {
    TClass cls = GetClass(name);
    if (cls == nullptr)
        throw EClassNotFound("Class " + std::string(name) + " not found");
    return cls;
}
