#pragma once
// The classes that descriptions may create by name. A description names a class ("TButton");
// the reader creates it only when it has been registered here.

#include "platform/classes/Object.h"
#include "platform/rtl/Exception.h"

#include <initializer_list>
#include <string_view>

// Errors of descriptions: their reading and writing, and classes they name.
Q4_EXCEPTION(EFilerError, EStreamError);
Q4_EXCEPTION(EClassNotFound, EFilerError);

// Registering a class twice is harmless; registering another class under a name already taken
// raises EFilerError "A class named X already exists".
void RegisterClass(TClass cls);
void RegisterClasses(std::initializer_list<TClass> classes);
template <class... T> void RegisterClasses() {
    (RegisterClass(T::StaticClass()), ...);
}
void UnRegisterClass(TClass cls);
void UnRegisterClasses(std::initializer_list<TClass> classes);
// Looks a class up by name, ignoring case: GetClass returns null when it is not registered,
// FindClass raises EClassNotFound "Class X not found".
TClass GetClass(std::string_view name);
TClass FindClass(std::string_view name);

// Class groups only matter to a designer; kept so that library start-up code reads as written.
inline void StartClassGroup(TClass) {}
inline void ActivateClassGroup(TClass) {}
inline void GroupDescendentsWith(TClass, TClass) {}
