#include "platform/classes/Persistent.h"

#include "platform/rtl/Exception.h"

void TPersistent::Assign(TPersistent* source) {
    if (source != nullptr)
        source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) {
    dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* source) {
    std::string sourceName = source != nullptr ? source->ClassName() : std::string("nil");
    throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

std::string TPersistent::GetNamePath() {
    std::string path = ClassName();
    if (TPersistent* owner = GetOwner()) {
        std::string ownerPath = owner->GetNamePath();
        if (!ownerPath.empty())
            path = ownerPath + "." + path;
    }
    return path;
}

void TPersistent::DefineProperties(TFiler*) {}

const std::string& TPersistent::BoundMethodName(const TPropInfo* event) const {
    static const std::string none;
    for (const auto& [info, name] : methodNames_)
        if (info == event)
            return name;
    return none;
}

void TPersistent::SetBoundMethodName(const TPropInfo* event, std::string name) {
    for (auto it = methodNames_.begin(); it != methodNames_.end(); ++it) {
        if (it->first == event) {
            if (name.empty())
                methodNames_.erase(it);
            else
                it->second = std::move(name);
            return;
        }
    }
    if (!name.empty())
        methodNames_.emplace_back(event, std::move(name));
}
