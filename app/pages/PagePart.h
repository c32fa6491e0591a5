#pragma once
// A page's own control by name and class; a page without it raises EComponentError, since every
// page's description holds the controls its code names.

#include "platform/classes/Component.h"
#include "platform/classes/Object.h"

#include <string>

template <class T> T* PagePart(const TComponent& page, const std::string& name) {
    T* part = dynamic_cast<T*>(page.FindComponent(name));
    if (part == nullptr)
        throw EComponentError(page.Name() + " has no " + name);
    return part;
}
